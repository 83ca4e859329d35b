#include "ftp/FtpSession.h"

#include "ftp/FtpProtocol.h"
#include "ftp/SessieWerker.h"
#include "ftp/SftpProtocol.h"

#include <QLocale>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>

namespace Vamox {

namespace {

// The questions of a login come from the worker thread and are asked on the session's own, which
// waits for the operation with its event loop turning.
class Vragenbrug final : public Aanmeldvragen
{
public:
    Vragenbrug(QObject& eigenaar, Aanmeldvragen* const& vragen, const bool& zonderVragen)
        : m_eigenaar(eigenaar), m_vragen(vragen), m_zonderVragen(zonderVragen)
    {
    }

    bool CertificaatVertrouwen(const CertificaatInfo& info) override
    {
        if (m_zonderVragen) return false;
        return vraag([&](Aanmeldvragen& v) { return v.CertificaatVertrouwen(info); }, false);
    }
    void CertificaatGewijzigd(const CertificaatInfo& info) override
    {
        vraag([&](Aanmeldvragen& v) { return (v.CertificaatGewijzigd(info), true); }, true);
    }
    void CertificaatMelding(Certificaatmelding m, const CertificaatInfo& info) override
    {
        vraag([&](Aanmeldvragen& v) { return (v.CertificaatMelding(m, info), true); }, true);
    }
    bool HostsleutelVertrouwen(const HostsleutelInfo& info) override
    {
        if (m_zonderVragen) return false;
        return vraag([&](Aanmeldvragen& v) { return v.HostsleutelVertrouwen(info); }, false);
    }
    void HostsleutelGewijzigd(const HostsleutelInfo& info) override
    {
        vraag([&](Aanmeldvragen& v) { return (v.HostsleutelGewijzigd(info), true); }, true);
    }
    void HostsleutelMelding(Hostsleutelmelding m, const HostsleutelInfo& info) override
    {
        vraag([&](Aanmeldvragen& v) { return (v.HostsleutelMelding(m, info), true); }, true);
    }
    QString Wachtwoordzin(const QString& sleutel) override
    {
        if (m_zonderVragen) return {};
        QString zin;
        vraag([&](Aanmeldvragen& v) { return zin = v.Wachtwoordzin(sleutel), true; }, true);
        return zin;
    }

private:
    bool vraag(const std::function<bool(Aanmeldvragen&)>& vraag, bool zonder)
    {
        if (!m_vragen) return zonder;
        bool antwoord = zonder;
        if (QThread::currentThread() == m_eigenaar.thread()) return vraag(*m_vragen);
        QMetaObject::invokeMethod(
            &m_eigenaar, [&] { antwoord = m_vragen ? vraag(*m_vragen) : zonder; }, Qt::BlockingQueuedConnection);
        return antwoord;
    }

    QObject& m_eigenaar;
    Aanmeldvragen* const& m_vragen;
    const bool& m_zonderVragen; // a login taken over asks nothing; its notices still go
};

} // namespace

// What the protocols may use of the session while an operation runs.
class FtpSession::Kern final : public Sessiekern
{
public:
    explicit Kern(FtpSession& sessie) : m_sessie(sessie), m_brug(sessie, sessie.m_vragen, sessie.m_zonderVragen) {}

    const FtpTijden& Tijden() const override { return m_sessie.m_tijden; }
    const Vertrouwensplaatsen& Plaatsen() const override { return m_sessie.m_plaatsen; }
    Aanmeldvragen& Vragen() override { return m_brug; }
    const std::atomic<bool>& Afbreken() const override { return m_sessie.m_afbreken; }
    void Voortgang(qint64 gedaan, qint64 totaal) override
    {
        FtpSession* sessie = &m_sessie;
        QMetaObject::invokeMethod(
            sessie, [sessie, gedaan, totaal] { Q_EMIT sessie->voortgang(gedaan, totaal); }, Qt::QueuedConnection);
    }
    Uitkomst Uploaden(const Plaatsopdracht& opdracht) override { return m_sessie.uploaden(opdracht); }
    void Rest(const QString& pad) override
    {
        m_sessie.m_resten << pad;
        m_sessie.restenOpruimen();
    }

private:
    FtpSession& m_sessie;
    Vragenbrug m_brug;
};

FtpSession::FtpSession(QObject* parent)
    : QObject(parent), m_kern(std::make_unique<Kern>(*this)), m_werker(std::make_unique<SessieWerker>())
{
}

FtpSession::~FtpSession()
{
    afbreken();
    // The protocols close their connections on the thread they used them on; the worker goes
    // first of the members, running this before it ends (no event loop turns in a destructor).
    m_werker->geven([this] {
        m_ftp.reset();
        m_sftp.reset();
    });
}

Sessieprotocol& FtpSession::protocol()
{
    std::unique_ptr<Sessieprotocol>& p = m_gegevens.protocol == Protocol::Sftp ? m_sftp : m_ftp;
    if (!p) {
        if (m_gegevens.protocol == Protocol::Sftp)
            p = std::make_unique<SftpProtocol>(*m_kern);
        else
            p = std::make_unique<FtpProtocol>(*m_kern);
    }
    return *p;
}

void FtpSession::OpEigenDraad(std::function<void()> taak)
{
    m_werker->geven(std::move(taak));
}

void FtpSession::afbreken()
{
    m_afbreken = true;
    // The protocols live as long as the session.
    if (Sessieprotocol* p = m_actief.load()) p->Afbreken();
}

Uitkomst FtpSession::bewerking(const std::function<Uitkomst()>& werk)
{
    if (m_bezig) return Uitkomst::Met(Afloop::Bezig);
    m_bezig = true;
    // A cancel is meant for a running operation, not for the next one.
    m_afbreken = false;
    Q_EMIT bezigGewijzigd(true);
    Uitkomst u;
    m_actief = &protocol();
    m_werker->voerUit([&] {
        u = werk();
        if (u.ok() && !m_resten.isEmpty()) restenOpruimen();
    });
    m_actief = nullptr;
    m_afgebroken = u.afloop == Afloop::Afgebroken;
    m_verbroken = !u.ok() && IsVerbindingsfout(u.afloop);
    m_vol = u.afloop == Afloop::Vol;
    m_fout.clear();
    if (!u.ok()) {
        switch (u.afloop) {
        case Afloop::Afgebroken:
            m_fout = QStringLiteral("Geannuleerd");
            break;
        case Afloop::AanmeldenGeweigerd:
            m_fout = QStringLiteral("Aanmelden geweigerd");
            break;
        case Afloop::GeenVerbinding:
            m_fout = QStringLiteral("Geen verbinding met de server");
            break;
        case Afloop::LokaalSchrijven:
            m_fout = QStringLiteral("Het lokale bestand kan niet worden geschreven");
            break;
        case Afloop::LokaalLezen:
            m_fout = QStringLiteral("Het lokale bestand kan niet worden gelezen");
            break;
        case Afloop::Kort:
            m_fout = QStringLiteral("Onvolledig overgekomen");
            break;
        case Afloop::TeGroot:
            // Not the disk's fault, as the stopped write would have it.
            m_fout = QStringLiteral("De lijst van deze map is te groot");
            break;
        default:
            m_fout = protocol().Fouttekst(u);
            break;
        }
        if (u.onderbroken && u.onderbrokenNa > 0 && !m_afgebroken) {
            const QString breuk = QStringLiteral("Verbinding verbroken na %1 bytes")
                                      .arg(QLocale().toString(u.onderbrokenNa));
            if (u.afloop == Afloop::Verloren || u.afloop == Afloop::Verbroken)
                m_fout = breuk;
            else if (!u.woorden.isEmpty() && u.woorden.at(0).isDigit())
                // A reply of the server's own ("502 ...") to the command that was to continue.
                m_fout = breuk + QStringLiteral("; hervatten geweigerd door de server (") + u.woorden + u')';
            else
                m_fout = breuk + QStringLiteral(" (") + m_fout + u')';
        }
        if (!u.fout.isEmpty()) m_fout = u.fout;
    }
    m_bezig = false;
    Q_EMIT bezigGewijzigd(false);
    return u;
}

bool FtpSession::FtpVerbindingOpenen(const FtpGegevens& gegevens)
{
    m_gegevens = gegevens;
    m_internetHandle = true;
    Sessieprotocol& p = protocol();
    const Uitkomst u = bewerking([&] {
        p.Gegevens(gegevens);
        return p.Aanmelden();
    });
    m_verbindingsHandle = u.ok();
    return m_verbindingsHandle;
}

FtpAanmelding FtpSession::aanmelding() const
{
    FtpAanmelding uit{.gegevens = m_gegevens,
                      .tijden = m_tijden,
                      .bekendeCertificatenPad = m_plaatsen.certificaten,
                      .sleutelMap = m_plaatsen.sleutelMap,
                      .bekendeHostsPad = m_plaatsen.bekendeHosts};
    const std::unique_ptr<Sessieprotocol>& p = m_gegevens.protocol == Protocol::Sftp ? m_sftp : m_ftp;
    if (p) p->Aanmelding(uit);
    return uit;
}

bool FtpSession::FtpVerbindingOvernemen(const FtpAanmelding& aanmelding)
{
    m_tijden = aanmelding.tijden;
    m_plaatsen = {.certificaten = aanmelding.bekendeCertificatenPad,
                  .sleutelMap = aanmelding.sleutelMap,
                  .bekendeHosts = aanmelding.bekendeHostsPad};
    m_zonderVragen = true;
    m_gegevens = aanmelding.gegevens;
    Sessieprotocol& p = protocol();
    m_werker->voerUit([&] { p.Overnemen(aanmelding); });
    return FtpVerbindingOpenen(aanmelding.gegevens);
}

void FtpSession::FtpVerbindingSluiten()
{
    m_verbindingsHandle = false;
    if (m_bezig) return;
    m_werker->voerUit([this] {
        if (m_ftp) m_ftp->Sluiten();
        if (m_sftp) m_sftp->Sluiten();
    });
}

bool FtpSession::FtpVerbinden()
{
    return FtpVerbindingOpenen(m_gegevens);
}

bool FtpSession::gebruiktMlsd() const
{
    const std::unique_ptr<Sessieprotocol>& p = m_gegevens.protocol == Protocol::Sftp ? m_sftp : m_ftp;
    return p && p->Mlsd();
}

QStringList FtpSession::geprobeerdeAanmeldingen() const
{
    const std::unique_ptr<Sessieprotocol>& p = m_gegevens.protocol == Protocol::Sftp ? m_sftp : m_ftp;
    return p ? p->Geprobeerd() : QStringList();
}

Uitkomst FtpSession::herhaald(const std::function<Uitkomst()>& eens)
{
    Uitkomst u = eens();
    // The server closed an idle connection: once more on a fresh one.
    if (u.afloop == Afloop::Verloren && u.overgedragen == 0 && !m_afbreken) u = eens();
    return u;
}

bool FtpSession::opdracht(Handeling handeling, const QString& pad, const QString& tweede)
{
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad) || !FtpVeiligeTekst(tweede)) return false;
    Sessieprotocol& p = protocol();
    return bewerking([&] { return herhaald([&] { return p.Bewerken(handeling, pad, tweede); }); }).ok();
}

bool FtpSession::FtpBestandWissen(const QString& serverPad)
{
    return opdracht(Handeling::Wissen, FtpPadVoorvoegsel(serverPad));
}

bool FtpSession::FtpMapMaken(const QString& serverPad)
{
    return opdracht(Handeling::MapMaken, FtpPadVoorvoegsel(serverPad));
}

bool FtpSession::FtpMapWissen(const QString& serverPad)
{
    return opdracht(Handeling::MapWissen, FtpPadVoorvoegsel(serverPad));
}

bool FtpSession::FtpNaamWijzigen(const QString& oudPad, const QString& nieuwPad)
{
    return opdracht(Handeling::Hernoemen, FtpPadVoorvoegsel(oudPad), FtpPadVoorvoegsel(nieuwPad));
}

bool FtpSession::FtpRechtenZetten(const QString& serverPad, const QString& rechten)
{
    static const QRegularExpression octaal(QStringLiteral("^[0-7]{3,4}$"));
    return octaal.match(rechten).hasMatch() && opdracht(Handeling::Rechten, FtpPadVoorvoegsel(serverPad), rechten);
}

bool FtpSession::FtpVerbindingActief()
{
    if (!m_verbindingsHandle || m_bezig) return m_verbindingsHandle && m_bezig;
    Sessieprotocol& p = protocol();
    return bewerking([&] { return herhaald([&] { return p.Peilen(); }); }).ok();
}

bool FtpSession::FtpVerbindingPeilen(int maxS)
{
    // Put back on every way out of the probe.
    struct Terugzetten
    {
        FtpTijden& tijden;
        const FtpTijden eerder;
        ~Terugzetten() { tijden = eerder; }
    } terug{m_tijden, m_tijden};
    m_tijden.verbindenS = std::min(m_tijden.verbindenS, maxS);
    m_tijden.antwoordS = std::min(m_tijden.antwoordS, maxS);
    return FtpVerbindingActief();
}

qint64 FtpSession::FtpBestandTijd(const QString& serverPad)
{
    const QString pad = FtpPadVoorvoegsel(serverPad);
    if (!m_verbindingsHandle || !FtpVeiligeTekst(pad)) return -1;
    Sessieprotocol& p = protocol();
    const Uitkomst u = bewerking([&] { return herhaald([&] { return p.Stand(pad, true); }); });
    return u.ok() ? u.tijd : -1;
}

qint64 FtpSession::FtpMapPeilen(const QString& pad)
{
    if (!m_verbindingsHandle) return 0;
    QString p = SpatiesWeg(pad);
    while (p.endsWith(u'/'))
        p.chop(1);
    while (p.startsWith(u'/'))
        p.remove(0, 1);
    if (p.isEmpty() || !FtpVeiligeTekst(p)) return 0;
    Sessieprotocol& protocol = this->protocol();
    const Uitkomst u = bewerking([&] { return herhaald([&] { return protocol.Stand(u'/' + p, false); }); });
    return u.ok() && u.lengte > 0 ? u.lengte : 0;
}

} // namespace Vamox
