#include "vergelijken/gui/Mappenvergelijking.h"

#include "dialogs/Statusbalk.h"
#include "ftp/FtpSession.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "transfer/Wachtrij.h"
#include "vergelijken/Tijdverschil.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QStatusBar>
#include <QThreadPool>
#include <QTimer>

#include <utility>
#include <vector>

namespace Vamox {

namespace {

// Marks of this many entries are let go of on a thread of their own.
constexpr qsizetype GrootGenoeg = 10'000;

std::vector<Vergelijkbaar> Entries(const Paneel& paneel, const Serverklok& klok)
{
    const std::vector<ListRow>& bestanden = paneel.Bestanden();
    std::vector<Vergelijkbaar> uit;
    uit.reserve(paneel.Mappen().size() + bestanden.size());
    for (const FtpEntry& map : paneel.Mappen())
        uit.push_back(VergelijkbaarVan(map, klok));
    for (const ListRow& rij : bestanden)
        uit.push_back(VergelijkbaarVan(rij, klok));
    return uit;
}

void KolommenZetten(Paneel& paneel)
{
    LijstKoppenInstellen(*paneel.ui().mappen, true);
    LijstBKoppenInstellen(*paneel.ui().bestanden, true);
}

// The listed time of a file row as its entry, for a measurement.
FtpEntry EntryVan(const ListRow& rij)
{
    FtpEntry e;
    e.naam = rij.naam;
    e.jaar = rij.datum.year();
    e.maand = rij.datum.month();
    e.dag = rij.datum.day();
    e.uur = int(rij.seconden / 3600);
    e.minuut = int(rij.seconden / 60 % 60);
    e.seconde = int(rij.seconden % 60);
    e.precisie = Tijdprecisie(rij.precisie);
    e.zone = Tijdzone(rij.zone);
    return e;
}

} // namespace

Mappenvergelijking::Mappenvergelijking(LokaalPaneel& lokaal, ServerPaneel& server, const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_besturing(besturing), m_regel(new QLabel)
{
    m_regel->setObjectName(QStringLiteral("VergelijkingRegel"));
    m_regel->setTextFormat(Qt::PlainText);
    m_regel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusbalkDeel(*besturing.statusbalk, *m_regel, 1, false);

    QAction* vergelijken = besturing.vergelijken;
    connect(vergelijken, &QAction::toggled, this, &Mappenvergelijking::Aanzetten);
    // Not connected any more: the comparison ends with the server side.
    connect(vergelijken, &QAction::enabledChanged, this, [vergelijken](bool aan) {
        if (!aan) vergelijken->setChecked(false);
    });
    connect(besturing.alleenVerschillen, &QAction::toggled, this, [this] {
        if (Aan()) VerbergenZetten();
    });
    connect(besturing.alleenGrootte, &QAction::toggled, this, &Mappenvergelijking::Bijwerken);
    if (besturing.wachtrij)
        connect(besturing.wachtrij, &Wachtrij::klusGewijzigd, this, &Mappenvergelijking::KlusGewijzigd);
    besturing.alleenVerschillen->setEnabled(false);
    besturing.alleenGrootte->setEnabled(false);

    for (Paneel* p : {static_cast<Paneel*>(&lokaal), static_cast<Paneel*>(&server)}) {
        connect(p, &Paneel::vullingBegint, this, &Mappenvergelijking::VullingBegint);
        connect(p, &Paneel::gevuld, this, &Mappenvergelijking::Bijwerken);
        // A rename in place changes one row; the next turn of the loop compares again.
        for (LijstWeergave* lijst : {p->ui().mappen, p->ui().bestanden})
            connect(&lijst->lijstModel(), &LijstModel::naamGewijzigd, this, &Mappenvergelijking::Bijwerken,
                    Qt::QueuedConnection);
    }
}

Mappenvergelijking::~Mappenvergelijking()
{
    // The panes outlive this: they must not ask it what to leave out.
    m_lokaal.ZetVerbergen({});
    m_server.ZetVerbergen({});
}

bool Mappenvergelijking::Aan() const
{
    return m_besturing.vergelijken->isChecked();
}

void Mappenvergelijking::Aanzetten(bool aan)
{
    m_besturing.alleenVerschillen->setEnabled(aan);
    m_besturing.alleenGrootte->setEnabled(aan);
    if (aan) {
        Bijwerken();
        return;
    }
    StandenZetten(nullptr, nullptr);
    m_uitslag = {};
    VerbergenZetten();
    StatusbalkDeelTonen(*m_besturing.statusbalk, *m_regel, false);
}

void Mappenvergelijking::VullingBegint()
{
    if (!Aan()) return;
    // What was found no longer holds; rows read now have no mark until both sides are complete.
    const auto leeg = std::make_shared<const Standen>();
    StandenZetten(leeg, leeg);
}

void Mappenvergelijking::StandenZetten(std::shared_ptr<const Standen> lokaal,
                                       std::shared_ptr<const Standen> server)
{
    auto oud = std::make_shared<std::pair<std::shared_ptr<const Standen>, std::shared_ptr<const Standen>>>(
        std::exchange(m_lokaalStanden, lokaal), std::exchange(m_serverStanden, server));
    for (auto [paneel, standen] : {std::pair{static_cast<Paneel*>(&m_lokaal), lokaal},
                                   std::pair{static_cast<Paneel*>(&m_server), server}}) {
        const bool kolomEr = paneel->ui().bestanden->lijstModel().Vergelijkt();
        for (LijstWeergave* lijst : {paneel->ui().mappen, paneel->ui().bestanden})
            lijst->lijstModel().ZetStanden(standen);
        if (kolomEr != (standen != nullptr)) KolommenZetten(*paneel);
    }
    // The marks of large folders are let go of beside the window, as their rows are.
    const auto groot = [](const std::shared_ptr<const Standen>& s) { return s && s->size() >= GrootGenoeg; };
    if (groot(oud->first) || groot(oud->second))
        QThreadPool::globalInstance()->start([oud] {
            oud->first.reset();
            oud->second.reset();
        });
}

bool Mappenvergelijking::ServerOpKlok() const
{
    for (const ListRow& rij : m_server.Bestanden())
        if (Tijdzone(rij.zone) == Tijdzone::Server && Tijdprecisie(rij.precisie) != Tijdprecisie::Geen)
            return true;
    return false;
}

Serverklok Mappenvergelijking::Klok() const
{
    if (m_besturing.opgegevenTijdverschil)
        if (const std::optional<int> opgegeven = m_besturing.opgegevenTijdverschil())
            return {*opgegeven, false};
    return m_gemeten && m_gemetenVoor == Serversleutel() ? *m_gemeten : Serverklok{};
}

QString Mappenvergelijking::Serversleutel() const
{
    const FtpGegevens& g = m_server.sessie().gegevens();
    return g.gebruiker + u'@' + g.host + u':' + QString::number(g.poort) + u'/' +
           QString::number(int(g.protocol));
}

void Mappenvergelijking::Bijwerken()
{
    if (!Aan() || m_lokaal.Leest() || m_server.Leest()) return;
    const Serverklok klok = Klok();
    const std::vector<Vergelijkbaar> lokaal = Entries(m_lokaal, klok);
    const std::vector<Vergelijkbaar> server = Entries(m_server, klok);
    const Criterium criterium =
        m_besturing.alleenGrootte->isChecked() ? Criterium::AlleenGrootte : Criterium::TijdEnGrootte;
    m_uitslag = Vergelijken(lokaal, server, criterium);
    StandenZetten(std::make_shared<const Standen>(m_uitslag.lokaal),
                  std::make_shared<const Standen>(m_uitslag.server));
    VerbergenZetten();
    RegelZetten();
    MetingPlannen();
    Q_EMIT bijgewerkt();
}

void Mappenvergelijking::VerbergenZetten()
{
    const bool verbergen = Aan() && m_besturing.alleenVerschillen->isChecked();
    // Lists that show every file stay as they are.
    if (!verbergen && !m_verborgen) return;
    m_verborgen = verbergen;
    for (auto [paneel, standen] : {std::pair{static_cast<Paneel*>(&m_lokaal), &m_lokaalStanden},
                                   std::pair{static_cast<Paneel*>(&m_server), &m_serverStanden}}) {
        if (verbergen)
            paneel->ZetVerbergen([standen](const ListRow& rij) {
                return *standen && (*standen)->value(rij.naam, Stand::Onbekend) == Stand::Gelijk;
            });
        else
            paneel->ZetVerbergen({});
        paneel->VerbergenToepassen();
    }
}

void Mappenvergelijking::RegelZetten()
{
    QString tekst = QStringLiteral("Lokaal: ") + TellingTekst(m_uitslag.lokaalTelling) +
                    QStringLiteral("   |   Server: ") + TellingTekst(m_uitslag.serverTelling);
    if (ServerOpKlok()) {
        tekst += QStringLiteral("   |   Tijdverschil server: ");
        const bool opgegeven = m_besturing.opgegevenTijdverschil && m_besturing.opgegevenTijdverschil();
        if (opgegeven)
            tekst += KlokTekst(Klok()) + QStringLiteral(" (opgegeven)");
        else if (m_gemeten && m_gemetenVoor == Serversleutel())
            tekst += KlokTekst(*m_gemeten) + QStringLiteral(" (gemeten)");
        else
            tekst += QStringLiteral("niet gemeten");
    }
    if (m_besturing.alleenGrootte->isChecked()) tekst += QStringLiteral("   |   alleen op grootte");
    m_regel->setText(tekst);
    m_regel->setToolTip(tekst);
    StatusbalkDeelTonen(*m_besturing.statusbalk, *m_regel, true);
}

void Mappenvergelijking::VerbindingVerbroken()
{
    m_gemeten.reset();
    m_gemetenVoor.clear();
    m_geprobeerd.clear();
    m_uploads.clear();
}

void Mappenvergelijking::KlusGewijzigd(int index)
{
    const std::vector<Klus>& klussen = m_besturing.wachtrij->Klussen();
    if (index < 0 || std::size_t(index) >= klussen.size()) return;
    const Klus& k = klussen[std::size_t(index)];
    if (k.richting != Klus::Richting::Uploaden || k.staat != Klus::Staat::Klaar) return;
    // The server gave the file the time its upload ended; the local clock tells that moment too.
    if (m_uploads.size() > 1000) m_uploads.clear();
    m_uploads.insert(k.doel, QDateTime::currentSecsSinceEpoch());
    // Its folder may be measured now.
    m_geprobeerd.removeAll(k.doel.left(k.doel.lastIndexOf(u'/') + 1));
}

std::optional<Klokmeting> Mappenvergelijking::NaUpload(const QString& map) const
{
    for (const ListRow& rij : m_server.Bestanden()) {
        const auto it = m_uploads.constFind(map + rij.naam);
        if (it != m_uploads.cend() && Tijdprecisie(rij.precisie) == Tijdprecisie::Minuut)
            return Klokmeting{EntryVan(rij), *it};
    }
    return std::nullopt;
}

void Mappenvergelijking::MetingPlannen()
{
    if (m_meetGepland || m_meten || !m_server.Verbonden() || !ServerOpKlok()) return;
    if (m_besturing.opgegevenTijdverschil && m_besturing.opgegevenTijdverschil()) return;
    if (m_gemeten && m_gemetenVoor == Serversleutel()) return;
    if (m_geprobeerd.contains(m_server.HuidigeServermap())) return;
    // After the fill has ended and its caller is done with the lists: the session asks the server.
    m_meetGepland = true;
    QTimer::singleShot(0, this, &Mappenvergelijking::Meten);
}

void Mappenvergelijking::Meten()
{
    m_meetGepland = false;
    if (!Aan() || m_server.Leest() || m_lokaal.Leest() || !m_server.Verbonden()) return;
    FtpSession& sessie = m_server.sessie();
    if (sessie.bezig()) {
        MetingPlannen();
        return;
    }
    const QString map = m_server.HuidigeServermap();
    if (m_geprobeerd.contains(map)) return;
    m_geprobeerd << map;
    if (m_gemetenVoor != Serversleutel()) m_gemeten.reset();
    // A file of the last six months shows its minute: the first of them tells the offset, and the
    // first whose time the local clock reads in the other season tells whether it keeps to UTC.
    const ListRow* eerste = nullptr;
    const ListRow* tweede = nullptr;
    for (const ListRow& rij : m_server.Bestanden()) {
        if (Tijdprecisie(rij.precisie) != Tijdprecisie::Minuut || Tijdzone(rij.zone) != Tijdzone::Server)
            continue;
        const qint64 ongeveer = TijdstipVan(rij, {}).van;
        if (!eerste) {
            eerste = &rij;
        } else if (LokaleAfwijking(ongeveer) != LokaleAfwijking(TijdstipVan(*eerste, {}).van)) {
            tweede = &rij;
            break;
        }
    }
    if (!eerste) return;
    // Copied: the lists may change while the server answers.
    Klokmeting meting{EntryVan(*eerste)};
    std::optional<Klokmeting> ander;
    if (tweede) ander = Klokmeting{EntryVan(*tweede)};
    m_meten = true;
    meting.utc = sessie.FtpBestandTijd(map + meting.gelijst.naam);
    if (ander) ander->utc = sessie.FtpBestandTijd(map + ander->gelijst.naam);
    m_meten = false;
    std::optional<Serverklok> klok = KlokMeten(meting, ander);
    // A server that tells no time of its own: a file uploaded this session.
    if (!klok && meting.utc < 0)
        if (const std::optional<Klokmeting> upload = NaUpload(map)) klok = KlokMeten(*upload, std::nullopt);
    if (!klok) return;
    m_gemeten = klok;
    m_gemetenVoor = Serversleutel();
    Bijwerken();
}

} // namespace Vamox
