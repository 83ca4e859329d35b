#include "panes/gui/Selectie.h"

#include "dialogs/Msg.h"
#include "panes/Opmaak.h"
#include "panes/Patroon.h"
#include "panes/gui/Kolommen.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Kleuren.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QHash>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPushButton>
#include <QSet>

#include <algorithm>
#include <vector>

namespace Vamox {

namespace {

// Selects one row (the only one in a folder list) and makes it the current row, so the keyboard
// goes on from there.
void EenRijSelecteren(LijstWeergave& lijst, int rij)
{
    const QModelIndex plek = lijst.lijstModel().index(rij, 0);
    const auto wijze = lijst.selectionMode() == QAbstractItemView::SingleSelection
                           ? QItemSelectionModel::ClearAndSelect
                           : QItemSelectionModel::Select;
    lijst.selectionModel()->select(plek, wijze | QItemSelectionModel::Rows);
    lijst.selectionModel()->setCurrentIndex(plek, QItemSelectionModel::NoUpdate);
    lijst.scrollTo(plek);
}

// Selected rows in row order, from the selection ranges.
std::vector<int> GeselecteerdeRijen(const LijstWeergave& lijst)
{
    std::vector<int> rijen;
    const QItemSelectionModel* keuze = lijst.selectionModel();
    if (keuze == nullptr) return rijen;
    for (const QItemSelectionRange& stuk : keuze->selection())
        if (stuk.left() == 0)
            for (int r = stuk.top(); r <= stuk.bottom(); ++r)
                rijen.push_back(r);
    std::sort(rijen.begin(), rijen.end());
    return rijen;
}

} // namespace

bool InCombo(const QComboBox& combo, const QString& tekst)
{
    const QString gezocht = tekst.toLower();
    for (int i = 0; i < combo.count(); ++i)
        if (combo.itemText(i).toLower() == gezocht) return true;
    return false;
}

void LijstSelecteren(LijstWeergave& lijst, bool selecteren)
{
    LijstModel& model = lijst.lijstModel();
    if (!selecteren) {
        LijstDeselecteren(lijst);
    } else if (model.Aantal() > 0) {
        // One range for all rows: the selection stays one range however many rows there are.
        const QItemSelection alles(model.index(0, 0),
                                   model.index(model.Aantal() - 1, model.columnCount() - 1));
        lijst.selectionModel()->select(alles, QItemSelectionModel::Select);
        lijst.scrollTo(model.index(0, 0));
    }
    lijst.setFocus();
}

void LijstDeselecteren(LijstWeergave& lijst)
{
    if (lijst.selectionModel() != nullptr) lijst.selectionModel()->clearSelection();
}

int AantalGeselecteerd(const LijstWeergave& lijst)
{
    return lijst.AantalGeselecteerd();
}

void SelecterenInLijst(LijstWeergave& lijst, const QString& naam, bool exact, bool eerstDeselecteren)
{
    lijst.setFocus();
    if (eerstDeselecteren) LijstDeselecteren(lijst);
    const std::vector<ListRow>& rijen = lijst.lijstModel().Rijen();
    const QString gezocht = exact ? naam : naam.toLower();
    for (size_t i = 0; i < rijen.size(); ++i) {
        const bool past = exact ? rijen[i].naam == gezocht : rijen[i].naam.toLower() == gezocht;
        if (past) {
            EenRijSelecteren(lijst, static_cast<int>(i));
            return;
        }
    }
}

void SelecterenNamen(LijstWeergave& lijst, const QStringList& namen)
{
    if (namen.size() < 2) return;
    // One pass over the rows instead of one per name: a download of many files into a large
    // folder would otherwise compare names x rows.
    LijstModel& model = lijst.lijstModel();
    QHash<QString, int> eersteRij;
    eersteRij.reserve(model.Aantal());
    // From the last row up, so that of equal names the first row is the one kept.
    for (int r = model.Aantal() - 1; r >= 0; --r)
        eersteRij[model.Rij(r).naam.toLower()] = r;

    std::vector<int> rijen;
    int laatste = -1;
    for (qsizetype i = 1; i < namen.size(); ++i) {
        const auto gevonden = eersteRij.constFind(namen[i].toLower());
        if (gevonden == eersteRij.cend()) continue;
        rijen.push_back(*gevonden);
        laatste = *gevonden;
    }
    if (rijen.empty()) return;
    std::sort(rijen.begin(), rijen.end());
    rijen.erase(std::unique(rijen.begin(), rijen.end()), rijen.end());

    QItemSelection keuze;
    const int kolommen = model.columnCount();
    for (size_t i = 0; i < rijen.size();) {
        size_t j = i;
        while (j + 1 < rijen.size() && rijen[j + 1] == rijen[j] + 1)
            ++j;
        keuze.select(model.index(rijen[i], 0), model.index(rijen[j], kolommen - 1));
        i = j + 1;
    }
    lijst.selectionModel()->select(keuze, QItemSelectionModel::Select);
    lijst.selectionModel()->setCurrentIndex(model.index(laatste, 0), QItemSelectionModel::NoUpdate);
    lijst.scrollTo(model.index(laatste, 0));
}

void NamenExactSelecteren(LijstWeergave& lijst, const QStringList& namen)
{
    const QSet<QString> gezocht(namen.cbegin(), namen.cend());
    const LijstModel& model = lijst.lijstModel();
    QItemSelection keuze;
    int laatste = -1;
    for (int r = 0; r < model.Aantal(); ++r) {
        if (!gezocht.contains(model.Rij(r).naam)) continue;
        keuze.select(model.index(r, 0), model.index(r, model.columnCount() - 1));
        laatste = r;
    }
    lijst.selectionModel()->select(keuze, QItemSelectionModel::ClearAndSelect);
    if (laatste < 0) return;
    lijst.selectionModel()->setCurrentIndex(model.index(laatste, 0), QItemSelectionModel::NoUpdate);
    lijst.scrollTo(model.index(laatste, 0));
}

void SelecterenInLijstItem(LijstWeergave& lijst, qint64 positie)
{
    if (lijst.isHidden()) lijst.show();
    lijst.setFocus();
    const int aantal = lijst.lijstModel().Aantal();
    if (positie >= aantal) positie = aantal;
    if (positie > 1) EenRijSelecteren(lijst, static_cast<int>(positie - 1));
}

QStringList GeselecteerdeNamen(const LijstWeergave& lijst, int& positie)
{
    QStringList namen{QString()};
    positie = 0;
    for (int r : GeselecteerdeRijen(lijst)) {
        namen.append(lijst.lijstModel().Rij(r).naam);
        positie = r + 1;
    }
    return namen;
}

struct Selectie::Kant
{
    Paneel& paneel;
    QComboBox* combo;
    QPushButton* knop;
    LijstWeergave* bestanden;
    QWidget* lijstVenster;      // the drop-down list's own window
    bool lijstOpen = false;     // the combo's drop-down list was opened since the last choice
    bool enterOmlaag = false;   // Enter is down in the combo's text
    bool enterUitLijst = false; // that Enter chose from the drop-down list
    bool bezig = false;         // a fill for the pattern runs (a server fill turns the event loop)
};

Selectie::Selectie(LokaalPaneel& lokaal, ServerPaneel& server, Navigatie& navigatie,
                   QAction& mnuMapFtpBuitenDownloaden, QAction& mnuBestandFtpBuitenDownloaden)
    : m_lokaalPaneel(lokaal), m_server(server), m_navigatie(navigatie),
      m_mapBuitenDownloaden(mnuMapFtpBuitenDownloaden),
      m_bestandBuitenDownloaden(mnuBestandFtpBuitenDownloaden)
{
    const auto kant = [](Paneel& p) {
        const PaneelUi& ui = p.ui();
        return std::unique_ptr<Kant>(
            new Kant{p, ui.patroon, ui.knopPatroon, ui.bestanden, ui.patroon->view()->window()});
    };
    m_lokaal = kant(lokaal);
    m_ftp = kant(server);

    for (Kant* kant : {m_lokaal.get(), m_ftp.get()}) {
        // A right click opens no edit menu here, as in the window's other text boxes.
        kant->combo->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
        // Typed keys reach the combo, which holds the focus and hands them to its editor without
        // passing the editor's filters: Enter is watched on both.
        kant->combo->installEventFilter(this);
        kant->combo->lineEdit()->installEventFilter(this);
        kant->combo->view()->installEventFilter(this);
        kant->lijstVenster->installEventFilter(this);
        kant->knop->installEventFilter(this);
        connect(kant->combo, &QComboBox::activated, this, [this, kant] { Gekozen(*kant); });
        connect(kant->knop, &QPushButton::clicked, this, [this, kant] {
            kant->combo->setFocus();
            Toepassen(*kant);
        });
    }

    m_timerGeselecteerd.setObjectName(QStringLiteral("TimerGeselecteerd"));
    m_timerGeselecteerd.setInterval(250);
    connect(&m_timerGeselecteerd, &QTimer::timeout, this, &Selectie::TimerGeselecteerdTik);
    m_timerGeselecteerd.start();
}

Selectie::~Selectie() = default;

bool Selectie::PatroonLijstOpenLokaal() const
{
    return m_lokaal->lijstOpen;
}

bool Selectie::PatroonLijstOpenFtp() const
{
    return m_ftp->lijstOpen;
}

void Selectie::SelecterenPatroonLokaal()
{
    Toepassen(*m_lokaal);
}

void Selectie::SelecterenPatroonFtp()
{
    Toepassen(*m_ftp);
}

void Selectie::Toepassen(Kant& kant)
{
    // A second trigger while the server is still listing would find the session busy and
    // report a lost connection.
    if (kant.bezig) return;
    // The pattern chooses from the files as read: a million of them take a moment, not a new
    // listing. While the folder is read, what came and what comes goes through it.
    kant.bezig = true;
    kant.paneel.PatroonToepassen();
    kant.bezig = false;

    kant.bestanden->setFocus();
    const bool cursief = !PatroonIsLeeg(kant.combo->currentText());
    kant.bestanden->lijstModel().ZetCursief(cursief);
    QFont letter = kant.knop->font();
    letter.setItalic(cursief);
    kant.knop->setFont(letter);
}

void Selectie::Gekozen(Kant& kant)
{
    // Enter in the text also activates a matching entry; its release applies the pattern.
    if (kant.enterOmlaag || !kant.lijstOpen) return;
    if (!InCombo(*kant.combo, kant.combo->currentText())) return;
    Toepassen(kant);
    kant.lijstOpen = false;
}

void Selectie::RechtsOpPatroon(Kant& kant)
{
    kant.combo->setFocus();
    kant.combo->setEditText(QString());
    Toepassen(kant);
}

bool Selectie::eventFilter(QObject* object, QEvent* event)
{
    for (Kant* kant : {m_lokaal.get(), m_ftp.get()}) {
        const bool toets = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        const auto* sleutel = toets ? static_cast<QKeyEvent*>(event) : nullptr;
        const bool enter = toets && (sleutel->key() == Qt::Key_Return || sleutel->key() == Qt::Key_Enter);
        const bool invoer = object == kant->combo || object == kant->combo->lineEdit();
        if (invoer && enter && !sleutel->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress) {
                kant->enterOmlaag = true;
                kant->enterUitLijst = false; // a release lost elsewhere must not swallow this one
            } else if (event->type() == QEvent::KeyRelease) {
                kant->enterOmlaag = false;
                // The Enter that chose from the drop-down list was already handled there.
                if (kant->enterUitLijst)
                    kant->enterUitLijst = false;
                else
                    Toepassen(*kant);
            }
        } else if (object == kant->combo->view() && enter && event->type() == QEvent::KeyPress) {
            kant->enterUitLijst = true;
        } else if (object == kant->lijstVenster && event->type() == QEvent::Show) {
            kant->lijstOpen = true;
        } else if (object == kant->knop && event->type() == QEvent::MouseButtonRelease) {
            const auto* muis = static_cast<QMouseEvent*>(event);
            if (muis->button() == Qt::RightButton && kant->knop->rect().contains(muis->position().toPoint()))
                RechtsOpPatroon(*kant);
        }
    }
    return QObject::eventFilter(object, event);
}

void Selectie::SelecterenInLijstBLokaal(const QStringList& namen)
{
    NamenSelecteren(*m_lokaal, namen);
}

void Selectie::SelecterenInLijstBFtp(const QStringList& namen)
{
    NamenSelecteren(*m_ftp, namen);
}

void Selectie::NamenSelecteren(Kant& kant, const QStringList& namen)
{
    if (namen.size() < 2) return;
    kant.combo->setEditText(QString());
    Vullen(kant);
    // The pattern is gone, so is what the italics tell.
    kant.bestanden->lijstModel().ZetCursief(false);
    QFont letter = kant.knop->font();
    letter.setItalic(false);
    kant.knop->setFont(letter);

    LijstDeselecteren(*kant.bestanden);
    SelecterenNamen(*kant.bestanden, namen);
    kant.bestanden->setFocus();
}

void Selectie::Vullen(Kant& kant)
{
    kant.paneel.LijstVullen(kant.paneel.HuidigeMap(), Soort::Beide, false);
}

bool Selectie::Lijst(QString& pad, LijstWeergave*& lijst)
{
    LijstWeergave* lokaal = m_lokaalPaneel.ui().mappen;
    LijstWeergave* ftp = m_server.ui().mappen;
    const bool verbonden = m_server.Verbonden();
    lijst = nullptr;
    if (m_navigatie.LokaalActief() || !verbonden)
        lokaal->setFocus();
    else
        ftp->setFocus();

    QWidget* actief = lokaal->window()->focusWidget();
    if (actief == lokaal) {
        lijst = lokaal;
        pad = m_lokaalPaneel.HuidigeMap();
    } else if (actief == ftp) {
        lijst = ftp;
        pad = m_server.HuidigeMap();
        if (!verbonden) {
            m_server.VerbindingMisluktMelding();
            return false;
        }
    } else {
        Melding(QStringLiteral("Geen lijst met mappen geselecteerd."), 1);
        return false;
    }

    // Without a selected row the caller would act on the shown folder itself.
    int positie = 0;
    const QStringList gekozen = GeselecteerdeNamen(*lijst, positie);
    if (positie == 0) return false;
    pad += gekozen.value(1);
    lijst->setFocus();
    return true;
}

QStringList Selectie::LijstB(int& positie)
{
    LijstWeergave* lokaal = m_lokaalPaneel.ui().bestanden;
    LijstWeergave* ftp = m_server.ui().bestanden;
    const bool verbonden = m_server.Verbonden();
    positie = 0;
    if (m_navigatie.LokaalActief() || !verbonden)
        lokaal->setFocus();
    else
        ftp->setFocus();

    QWidget* actief = lokaal->window()->focusWidget();
    LijstWeergave* lijst = nullptr;
    if (actief == lokaal) {
        lijst = lokaal;
    } else if (actief == ftp) {
        if (!verbonden) {
            m_server.VerbindingMisluktMelding();
            return {QString()};
        }
        lijst = ftp;
    } else {
        Melding(QStringLiteral("Geen lijst met bestanden geselecteerd."), 1);
        return {QString()};
    }
    QStringList namen = GeselecteerdeNamen(*lijst, positie);
    if (namen.size() > 1) lijst->setFocus();
    return namen;
}

void Selectie::TimerGeselecteerdTik()
{
    for (Paneel* paneel : {static_cast<Paneel*>(&m_lokaalPaneel), static_cast<Paneel*>(&m_server)}) {
        LijstWeergave* lijst = paneel->ui().bestanden;
        LijstModel& model = lijst->lijstModel();
        // While the folder is read, the count says so.
        const QString kop =
            paneel->LeestBestanden()
                ? KopMetAantal(*lijst, GetalTekst(model.Aantal()), true)
                : KopMetAantal(*lijst,
                               GetalTekst(lijst->AantalGeselecteerd()) + u'/' + GetalTekst(model.Aantal()),
                               false);
        if (model.KopTekst(LijstModel::KolomNaam) != kop) model.ZetKopTekst(LijstModel::KolomNaam, kop);
    }

    const bool verbonden = m_server.Verbonden();
    const QColor wit = QPalette().color(QPalette::Base);
    const QColor groen = Kleur(Kleurrol::BuitenSlepen); // files may be dragged out of the window
    const auto kleuren = [&](LijstWeergave* lijst, const QAction* buiten) {
        const QColor gewenst = (verbonden && buiten->isChecked()) || lijst == m_buitenSlepen ? groen : wit;
        if (lijst->Achtergrondkleur() != gewenst) lijst->ZetAchtergrondkleur(gewenst);
    };
    kleuren(m_server.ui().mappen, &m_mapBuitenDownloaden);
    kleuren(m_server.ui().bestanden, &m_bestandBuitenDownloaden);
}

void Selectie::ZetBuitenSlepen(LijstWeergave* lijst)
{
    m_buitenSlepen = lijst;
    TimerGeselecteerdTik();
    for (LijstWeergave* l : {m_server.ui().mappen, m_server.ui().bestanden})
        l->viewport()->repaint();
}

} // namespace Vamox
