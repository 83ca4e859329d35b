#include "search/gui/Zoekopdracht.h"

#include "dialogs/Msg.h"
#include "transfer/Werkplekken.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/PaneelVulling.h"
#include "panes/gui/Selectie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Invoerblokkade.h"
#include "platform/gui/Toetsenbord.h"
#include "search/Zoeken.h"
#include "transfer/gui/Overdrachtsrun.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace Vamox {

namespace {

// Events run, and the keys are sampled, this often while a search reads: often enough for
// painting and Escape, seldom enough to cost nothing next to the reading.
constexpr qint64 BeurtMs = 40;

// Names of failed downloads a notice lists before it says "...".
constexpr int MeldingNamen = 10;

// The caption, the hits selected as they are found, and the keys between files and blocks.
class Zoekvoortgang final : public Zoekmelder
{
public:
    Zoekvoortgang(Wachtstand& wacht, LijstWeergave& lijst) : m_wacht(wacht), m_lijst(lijst) {}

    Onderbreking BestandBegint(const QString& naam, int positie, int aantal, int gevonden) override
    {
        m_wacht.Tonen(QStringLiteral("Escape=Overslaan. Shift+Escape=Afbreken.  Even geduld. Zoeken in: ") +
                      naam + QStringLiteral(": ") + QString::number(positie) + u'/' +
                      QString::number(aantal) + QStringLiteral(". Gevonden: ") + QString::number(gevonden) +
                      QStringLiteral(" ..."));
        Beurt();
        return m_shift ? Onderbreking::Stoppen : Onderbreking::Doorgaan;
    }

    Onderbreking Tussendoor() override
    {
        Beurt();
        if (m_shift) return Onderbreking::Stoppen;
        // Escape is recorded by the input filter while events run; asking clears it.
        return EscapeIngedrukt() ? Onderbreking::Overslaan : Onderbreking::Doorgaan;
    }

    void Gevonden(int index) override
    {
        const QModelIndex rij = m_lijst.lijstModel().index(index, 0);
        m_lijst.selectionModel()->select(rij, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        m_lijst.scrollTo(rij);
    }

private:
    void Beurt()
    {
        if (m_klok.isValid() && m_klok.elapsed() < BeurtMs) return;
        QCoreApplication::processEvents();
        m_shift = ToetsModifiers().testFlag(Qt::ShiftModifier);
        m_klok.start();
    }

    Wachtstand& m_wacht;
    LijstWeergave& m_lijst;
    QElapsedTimer m_klok;
    bool m_shift = false;
};

QString MisluktTekst(const QStringList& namen)
{
    QString tekst = QStringLiteral("Zoeken: het downloaden van ") + QString::number(namen.size()) +
                    QStringLiteral(" serverbestand(en) is misgegaan; deze zijn niet doorzocht:");
    for (qsizetype i = 0; i < namen.size() && i < MeldingNamen; ++i)
        tekst += QStringLiteral("\r\n ") + namen.at(i);
    if (namen.size() > MeldingNamen) tekst += QStringLiteral("\r\n ...");
    return tekst;
}

} // namespace

Zoekopdracht::Zoekopdracht(LokaalPaneel& lokaal, ServerPaneel& server, Wachtrij& wachtrij,
                           const Besturing& besturing)
    : m_lokaal(lokaal), m_server(server), m_wachtrij(wachtrij), m_b(besturing), m_kantLokaal{lokaal, besturing.knopZoekenLokaal, besturing.VakZoekenLokaal, false},
      m_kantFtp{server, besturing.knopZoekenFtp, besturing.VakZoekenFtp, true}
{
    for (const Kant* kant : {&m_kantLokaal, &m_kantFtp}) {
        kant->knop->setEnabled(true);
        kant->knop->setText(QStringLiteral("Zoeken in"));
        kant->knop->setCheckable(true);
        kant->vak->setEnabled(true);
        kant->knop->installEventFilter(this);
        kant->vak->installEventFilter(this);
        // The window's own right-click handling replaces the text box menu.
        kant->vak->setContextMenuPolicy(Qt::NoContextMenu);
    }
}

Zoekopdracht::~Zoekopdracht() = default;

bool Zoekopdracht::eventFilter(QObject* object, QEvent* event)
{
    for (const Kant* kant : {&m_kantLokaal, &m_kantFtp}) {
        // The button acts on the release of either mouse button, and never toggles itself: its
        // pressed-in look tells that the list shows the hits of a search.
        if (object == kant->knop &&
            (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
            return true;
        if (object == kant->knop && event->type() == QEvent::MouseButtonRelease) {
            const auto* muis = static_cast<QMouseEvent*>(event);
            if (kant->knop->rect().contains(muis->position().toPoint())) MouseUp(*kant, muis->button());
            return true;
        }
        if (object == kant->vak && event->type() == QEvent::KeyPress) {
            const auto* toets = static_cast<QKeyEvent*>(event);
            if (toets->key() != Qt::Key_Return && toets->key() != Qt::Key_Enter) return false;
            if (toets->isAutoRepeat()) return true;
            MouseUp(*kant, kant->vak->text().isEmpty() ? Qt::RightButton : Qt::LeftButton);
            return true;
        }
    }
    return false;
}

void Zoekopdracht::knopZoekenLokaal_MouseUp(Qt::MouseButton knop)
{
    MouseUp(m_kantLokaal, knop);
}

void Zoekopdracht::knopZoekenFtp_MouseUp(Qt::MouseButton knop)
{
    MouseUp(m_kantFtp, knop);
}

void Zoekopdracht::MouseUp(const Kant& kant, Qt::MouseButton knop)
{
    kant.vak->setFocus();
    if (knop == Qt::RightButton) {
        Ongedaan(kant);
    } else if (knop == Qt::LeftButton) {
        if (kant.vak->text().isEmpty())
            VetZetten(kant, false);
        else
            Zoeken(kant);
    }
}

void Zoekopdracht::Zoeken(const Kant& kant)
{
    if (m_bezig) return;
    m_bezig = true;
    LijstWeergave& lijst = *kant.paneel.ui().bestanden;
    const Zoektekst tekst(kant.vak->text());
    // The rows as they are now: the hits are listed from these, whatever happens meanwhile.
    const std::vector<ListRow> rijen = lijst.lijstModel().Rijen();
    std::vector<Zoekbestand> bestanden;
    bestanden.reserve(rijen.size());
    for (const ListRow& rij : rijen)
        bestanden.push_back({rij.naam, rij.grootte});

    Wachtstand wacht(*m_b.venster);
    Zandloper(true);
    LijstSelecteren(lijst, false);
    // Input to the window waits while the search runs; Escape is recorded for it, and cancels a
    // download in progress (that file is then passed by).
    Invoerblokkade blokkade(*m_b.venster);
    blokkade.ZetBezig(true);
    EscapeIngedrukt(); // an Escape from before the search is not meant for it

    LokaleZoekbron lokaal(kant.paneel.HuidigeMap());
    // The server's files are fetched ahead of the reading, through the queue.
    ServerZoekbron server(m_wachtrij, kant.paneel.HuidigeMap(),
                          m_b.tijdelijkeMap->isEmpty() ? QString()
                                                       : WerkplekPad(*m_b.tijdelijkeMap, Werkplek::Zoeken));
    if (kant.server && !tekst.Leeg()) server.Voorbereiden(bestanden);
    // Escape while a file is fetched passes that file by.
    connect(&blokkade, &Invoerblokkade::escapeTijdensBezig, this, [&server] { server.Overslaan(); });
    Zoekvoortgang voortgang(wacht, lijst);
    const Zoekresultaat r =
        Vamox::Zoeken(kant.server ? static_cast<Zoekbron&>(server) : lokaal, bestanden, tekst, voortgang);

    if (!r.gestopt) {
        // Only the hits that the pattern lets through are listed; the count tells them all.
        std::vector<ListRow> treffers;
        treffers.reserve(r.treffers.size());
        for (const int i : r.treffers)
            treffers.push_back(rijen[size_t(i)]);
        kant.paneel.BestandenTonen(treffers);
        KolomKopNaam(lijst);
        QCoreApplication::processEvents();
        QApplication::beep();
        M({.Tekst = QStringLiteral("Gevonden: ") + QString::number(r.treffers.size()) + u'.',
           .Pictogram = 1,
           .SluitenNa = 750});
    }
    if (!r.mislukt.isEmpty()) Melding(MisluktTekst(r.mislukt), 4);
    wacht.Terug();
    VetZetten(kant, true);
    m_bezig = false;
}

void Zoekopdracht::Ongedaan(const Kant& kant)
{
    if (m_bezig) return;
    kant.vak->clear();
    if (kant.paneel.Beschikbaar()) kant.paneel.LijstVullen(std::nullopt, Soort::Bestanden, false);
    VetZetten(kant, false);
}

void Zoekopdracht::VetZetten(const Kant& kant, bool vet)
{
    for (QWidget* w : {static_cast<QWidget*>(kant.paneel.ui().bestanden), static_cast<QWidget*>(kant.knop)}) {
        QFont letter = w->font();
        letter.setBold(vet);
        w->setFont(letter);
    }
    kant.knop->setChecked(vet);
}

} // namespace Vamox
