#include "vergelijken/Synchronisatieuitvoering.h"

#include "transfer/Wachtrij.h"
#include "vergelijken/Synchronisatiestaat.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>

#include <map>

namespace Vamox {

namespace {

QString Lokaal(const Syncpaar& paar, const QString& rel)
{
    return paar.lokaal + u'/' + rel;
}

QString Server(const Syncpaar& paar, const QString& rel)
{
    return paar.server.endsWith(u'/') ? paar.server + rel : paar.server + u'/' + rel;
}

// A local file's time as the walk reads it.
qint64 LokaleTijd(const QFileInfo& info)
{
    const QDateTime t = info.lastModified();
    FtpEntry e;
    e.jaar = t.date().year();
    e.maand = t.date().month();
    e.dag = t.date().day();
    e.uur = t.time().hour();
    e.minuut = t.time().minute();
    e.seconde = t.time().second();
    e.precisie = Tijdprecisie::Seconde;
    e.zone = Tijdzone::Lokaal;
    return TijdstipVan(e, {}).van;
}

bool IsMapactie(Syncactie a)
{
    return a == Syncactie::MapServer || a == Syncactie::MapLokaal;
}

bool IsWissen(Syncactie a)
{
    return a == Syncactie::WissenLokaal || a == Syncactie::WissenServer;
}

} // namespace

Synchronisatieuitvoering::Synchronisatieuitvoering(Wachtrij& wachtrij, Syncpaar paar, QString staatPad,
                                                   Syncstaat staat, QObject* parent)
    : QObject(parent), m_wachtrij(wachtrij), m_paar(std::move(paar)), m_staatPad(std::move(staatPad)),
      m_staat(std::move(staat))
{
    m_bewaarTimer.setSingleShot(true);
    m_bewaarTimer.setInterval(1000);
    connect(&m_bewaarTimer, &QTimer::timeout, this, &Synchronisatieuitvoering::bewaren);
    connect(&m_wachtrij, &Wachtrij::klusGewijzigd, this, &Synchronisatieuitvoering::klusGewijzigd);
}

Synchronisatieuitvoering::~Synchronisatieuitvoering()
{
    if (m_bewaarTimer.isActive()) bewaren();
}

void Synchronisatieuitvoering::Starten(const std::vector<Syncregel>& regels)
{
    if (m_bezig) return;
    m_bezig = true;
    m_regels.clear();
    m_doelen.clear();
    m_fasen.clear();
    m_fase = 0;
    m_totaal = {};
    // The folders a ticked transfer lands in are made even when their own row is off.
    QSet<QString> nodig;
    for (const Syncregel& r : regels) {
        if (!r.aan || (r.actie != Syncactie::Uploaden && r.actie != Syncactie::Downloaden)) continue;
        for (QString m = r.map; !m.isEmpty(); m = m.left(std::max<qsizetype>(m.lastIndexOf(u'/'), 0)))
            nodig.insert(m);
    }
    std::map<int, std::vector<qsizetype>> mappen; // by depth: parents first
    std::vector<qsizetype> overdrachten, wissen;
    for (const Syncregel& r : regels) {
        // A file against a folder of the same name: neither replaces the other.
        if (r.lokaal.bestaat && r.server.bestaat && r.lokaal.isMap != r.server.isMap) continue;
        const bool mapactie = IsMapactie(r.actie);
        if (!r.aan && !(mapactie && nodig.contains(r.Pad()))) continue;
        const qsizetype i = qsizetype(m_regels.size());
        m_regels.push_back(r);
        if (mapactie)
            mappen[int(r.Pad().count(u'/'))].push_back(i);
        else if (IsWissen(r.actie))
            wissen.push_back(i);
        else
            overdrachten.push_back(i);
    }
    for (auto& [diepte, lijst] : mappen)
        m_fasen.push_back(std::move(lijst));
    if (!overdrachten.empty()) m_fasen.push_back(std::move(overdrachten));
    if (!wissen.empty()) m_fasen.push_back(std::move(wissen));
    // What the walk found the same is remembered before anything moves.
    bewaren();
    volgende();
}

void Synchronisatieuitvoering::volgende()
{
    if (m_fase >= m_fasen.size() || m_totaal.gestopt) {
        m_bezig = false;
        bewaren();
        Q_EMIT klaar(m_totaal);
        return;
    }
    const std::vector<qsizetype>& fase = m_fasen[m_fase++];
    Overdrachtsplan plan;
    for (const qsizetype i : fase) {
        const Syncregel& r = m_regels[std::size_t(i)];
        Klus k;
        k.naam = r.naam;
        k.grootte = 0;
        switch (r.actie) {
        case Syncactie::Uploaden:
            k.richting = Klus::Richting::Uploaden;
            k.bron = Lokaal(m_paar, r.Pad());
            k.doel = Server(m_paar, r.Pad());
            k.grootte = r.lokaal.grootte;
            k.serverdoel = r.server.bestaat ? Serverdoel::Onbekend : Serverdoel::Nieuw;
            break;
        case Syncactie::Downloaden:
            k.richting = Klus::Richting::Downloaden;
            k.bron = Server(m_paar, r.Pad());
            k.doel = Lokaal(m_paar, r.Pad());
            k.grootte = r.server.grootte;
            break;
        case Syncactie::MapServer:
            k.richting = Klus::Richting::MapServer;
            k.doel = Server(m_paar, r.Pad());
            break;
        case Syncactie::MapLokaal:
            k.richting = Klus::Richting::MapLokaal;
            k.doel = Lokaal(m_paar, r.Pad());
            break;
        case Syncactie::WissenLokaal:
            k.richting = Klus::Richting::WissenLokaal;
            k.doel = Lokaal(m_paar, r.Pad());
            break;
        case Syncactie::WissenServer:
            k.richting = Klus::Richting::WissenServer;
            k.doel = Server(m_paar, r.Pad());
            k.isMap = r.server.isMap;
            break;
        }
        k.nummer = qint64(plan.klussen.size()) + 1;
        m_doelen.insert(k.doel, i);
        plan.klussen.push_back(std::move(k));
    }
    m_wachtrij.Toevoegen(
        std::move(plan),
        [this](const Overdrachtsresultaat& r) {
            m_totaal.gedaan += r.gedaan;
            m_totaal.mislukt += r.mislukt;
            m_totaal.afgebroken += r.afgebroken;
            m_totaal.bytes += r.bytes;
            m_totaal.mislukteMappen += r.mislukteMappen;
            m_totaal.gestopt = m_totaal.gestopt || r.gestopt;
            m_totaal.geannuleerd = m_totaal.geannuleerd || r.geannuleerd;
            m_totaal.lokaleMappen.unite(r.lokaleMappen);
            m_totaal.serverMappen.unite(r.serverMappen);
            bewaren();
            // The next stage goes once this callback has returned.
            QMetaObject::invokeMethod(this, &Synchronisatieuitvoering::volgende, Qt::QueuedConnection);
        },
        Rondeopties{.bijschrift = QStringLiteral("Synchroniseren")});
}

void Synchronisatieuitvoering::klusGewijzigd(int index)
{
    const std::vector<Klus>& klussen = m_wachtrij.Klussen();
    if (index < 0 || std::size_t(index) >= klussen.size()) return;
    const Klus& k = klussen[std::size_t(index)];
    if (k.staat != Klus::Staat::Klaar) return;
    const auto it = m_doelen.constFind(k.doel);
    if (it == m_doelen.cend()) return;
    const Syncregel& r = m_regels[std::size_t(*it)];
    const QString pad = r.Pad();
    switch (r.actie) {
    case Syncactie::Uploaden:
    case Syncactie::Downloaden: {
        const QFileInfo info(Lokaal(m_paar, pad));
        Syncstaatregel n{.lokaalGrootte = info.size(), .lokaalTijd = LokaleTijd(info)};
        if (r.actie == Syncactie::Uploaden) {
            n.serverGrootte = info.size();
        } else {
            n.serverGrootte = r.server.grootte;
            n.serverTijd = r.server.tijd.van;
        }
        m_staat.insert(pad, n);
        break;
    }
    case Syncactie::WissenLokaal:
    case Syncactie::WissenServer:
        m_staat.remove(pad);
        m_staat.removeIf([&](const auto& e) { return e.key().startsWith(pad + u'/'); });
        break;
    default:
        return;
    }
    if (!m_bewaarTimer.isActive()) m_bewaarTimer.start();
}

void Synchronisatieuitvoering::bewaren()
{
    m_bewaarTimer.stop();
    if (!m_staatPad.isEmpty()) SyncstaatSchrijven(m_staatPad, m_staat);
}

} // namespace Vamox
