#include "mainwindow/Tipteksten.h"

#include "dialogs/Tooltip.h"
#include "ftp/Mapinhoud.h"
#include "mainwindow/FrmFtp.h"
#include "panes/Opmaak.h"
#include "panes/gui/LijstModel.h"
#include "panes/gui/LijstWeergave.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/ServerPaneel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace Vamox {

namespace {

const QString Nl = QStringLiteral("\r\n");

QString Regels(std::initializer_list<const char*> regels)
{
    QStringList tekst;
    for (const char* regel : regels)
        tekst << QString::fromUtf8(regel);
    return tekst.join(Nl);
}

// The name of the selected row, empty when none is.
QString Geselecteerd(const LijstWeergave& lijst)
{
    const int rij = GeselecteerdeRij(lijst);
    return rij < 0 ? QString() : lijst.lijstModel().Rij(rij).naam;
}

// "Lokale bestanden (3)" or "Lokale bestand 'a.txt'": the selected files of a list.
QString Bestanden(const LijstWeergave& lijst, const QString& meer, const QString& een)
{
    const int n = lijst.AantalGeselecteerd();
    if (n == 1) return een + QStringLiteral(" '") + Geselecteerd(lijst) + u'\'';
    return meer + QStringLiteral(" (") + QString::number(n) + u')';
}

// The names of a last-transfers list; its first element is the context.
QString AantalNamen(const QStringList& laatste)
{
    return GetalTekst(laatste.isEmpty() ? 0 : laatste.size() - 1);
}

// The folder a toolbar button acts on: the selected row of a folder list, unless that is the
// way up or the list is empty.
QString Mapnaam(const LijstWeergave& lijst)
{
    if (lijst.lijstModel().Aantal() == 0) return {};
    const QString naam = Geselecteerd(lijst);
    return naam == OuderMap ? QString() : naam;
}

} // namespace

void Tipteksten(FrmFtp& v)
{
    VensterUi& ui = v.ui();
    const Toestand& t = v.toestand();

    TipTonen(*ui.LabelKnoppenbalk, QStringLiteral("Knoppenbalk tonen/verbergen"));
    const QString patroonknop = Regels(
        {"Patroon bestandsnamen selecteren (cursief)", "Rechtsklikken: patroonselectie ongedaan maken"});
    TipTonen(*ui.knopPatroonLokaal, patroonknop);
    TipTonen(*ui.knopPatroonFtp, patroonknop);
    const QString patroon =
        Regels({"Patroon bestandsnamen", "Jokers * en ? toegestaan", "Enter: selecteren"});
    TipTonen(*ui.cboPatroonLokaal, patroon);
    TipTonen(*ui.cboPatroonFtp, patroon);
    TipTonen(*ui.MapLokaal,
             Regels({"Enter: lokale map selecteren (inclusief netwerk map)",
                     " (Tip: begin een lokale netwerkmap met één backslash \\)",
                     "Rechtsklikken: map in Verkenner openen", "Escape: actuele lokale map selecteren",
                     "Rood: lokale map niet gevonden"}));
    TipTonen(*ui.MapFtp, Regels({"Enter: servermap selecteren", "Escape: actuele servermap selecteren",
                                 "Rood: servermap niet gevonden"}));
    TipTonen(*ui.knopZoekenLokaal,
             Regels({"Zoeken in binaire lokale bestanden (vet)", "Escape: lokale bestand overslaan",
                     "Shift+Escape: zoeken afbreken", "Rechtsklikken: zoeken ongedaan maken"}));
    TipTonen(*ui.knopZoekenFtp,
             Regels({"Zoeken in binaire serverbestanden (vet)", "Escape: serverbestand overslaan",
                     "Shift+Escape: zoeken afbreken", "Rechtsklikken: zoeken ongedaan maken"}));
    TipTonen(*ui.VakZoekenLokaal,
             Regels({"Zoekopdracht (jokers niet toegestaan)", "Enter: zoeken in binaire lokale bestanden"}));
    TipTonen(*ui.VakZoekenFtp,
             Regels({"Zoekopdracht (jokers niet toegestaan)", "Enter: zoeken in binaire serverbestanden"}));

    // Menu items have Qt's own tips: a menu closes when the pointer leaves it for a tip window.
    const VensterMenus& m = v.menus();
    m.mnuFtp->setToolTipsVisible(true);
    m.mnuFtpVerbindingen->menuAction()->setToolTip(
        QStringLiteral("Aantal verbindingen waarover mappen worden gedownload en geüpload\n(standaard ") +
        QString::number(StandaardVerbindingen) + u')');

    // Made when shown, from the state of that moment.
    const Navigatie& nav = v.navigatie();
    const LokaalPaneel& lokaal = v.lokaalPaneel();
    const ServerPaneel& server = v.serverPaneel();
    TipTonen(*ui.knopServergegevens, [&t] {
        const Opgeslagen& o = t.opgeslagen;
        const QString achter =
            o.OpgeslagenServer.isEmpty()
                ? QString()
                : QStringLiteral(": ") + o.OpgeslagenServer + QStringLiteral(" / ") + o.OpgeslagenServermap;
        return QStringLiteral("Servergegevens openen") + Nl +
               QStringLiteral("Rechtsklikken: laatstelijke server ophalen") + achter;
    });
    TipTonen(*ui.knopBDownloaden, [&ui, &t] {
        return Bestanden(*ui.LijstBFtp, QStringLiteral("Serverbestanden"), QStringLiteral("Serverbestand")) +
               QStringLiteral(" downloaden") + Nl +
               QStringLiteral("Rechtsklikken: laatste gedownloade bestanden (") +
               AantalNamen(t.LaatsteDownloads) + QStringLiteral(") opnieuw downloaden");
    });
    TipTonen(*ui.knopBUploaden, [&ui, &t] {
        return Bestanden(*ui.LijstBLokaal, QStringLiteral("Lokale bestanden"),
                         QStringLiteral("Lokale bestand")) +
               QStringLiteral(" uploaden") + Nl +
               QStringLiteral("Rechtsklikken: laatste geüploade bestanden (") +
               AantalNamen(t.LaatsteUploads) + QStringLiteral(") opnieuw uploaden");
    });
    TipTonen(*ui.knopVerwijderenBestand, [&ui, &nav] {
        const bool lok = nav.LokaalActief();
        const LijstWeergave& lijst = *(lok ? ui.LijstBLokaal : ui.LijstBFtp);
        const QString wat =
            lijst.lijstModel().Aantal() == 0 ? QStringLiteral("Bestand(en)")
            : lok ? Bestanden(lijst, QStringLiteral("Lokale bestanden"), QStringLiteral("Lokale bestand"))
                  : Bestanden(lijst, QStringLiteral("Serverbestanden"), QStringLiteral("Serverbestand"));
        return wat + QStringLiteral(" verwijderen") + Nl +
               QStringLiteral(" (Of sleep te verwijderen bestanden in knop)");
    });
    TipTonen(*ui.knopVerwijderenMap, [&ui, &nav] {
        const bool lok = nav.LokaalActief();
        const QString map = Mapnaam(*(lok ? ui.LijstLokaal : ui.LijstFtp));
        const QString wat =
            map.isEmpty()
                ? QStringLiteral("Map")
                : (lok ? QStringLiteral("Lokale map '") : QStringLiteral("Servermap '")) + map + u'\'';
        return wat + QStringLiteral(" verwijderen") + Nl +
               QStringLiteral(" (Of sleep te verwijderen map in knop)");
    });
    // "Lokale bestand 'a' openen", or the general text with an empty list.
    const auto bestandTip = [&ui, &nav](const QString& doen, const QString& algemeen) {
        return [&ui, &nav, doen, algemeen] {
            const bool lok = nav.LokaalActief();
            const LijstWeergave& lijst = *(lok ? ui.LijstBLokaal : ui.LijstBFtp);
            if (lijst.lijstModel().Aantal() == 0) return algemeen;
            return (lok ? QStringLiteral("Lokale bestand '") : QStringLiteral("Serverbestand '")) +
                   Geselecteerd(lijst) + QStringLiteral("' ") + doen;
        };
    };
    TipTonen(*ui.knopOpenen, bestandTip(QStringLiteral("openen"), QStringLiteral("Bestand openen")));
    TipTonen(*ui.knopKopierenBestand,
             bestandTip(QStringLiteral("kopiëren"), QStringLiteral("Bestand kopiëren")));
    TipTonen(*ui.knopMapHoger, [&nav] {
        return (nav.FtpActief() ? QStringLiteral("Servermap") : QStringLiteral("Lokale map")) +
               QStringLiteral(" hoger (Backspace)") + Nl + QStringLiteral("Rechtsklikken: hoofdmap");
    });
    TipTonen(*ui.knopMapNieuw, [&nav] {
        return QStringLiteral("Nieuwe ") +
               (nav.FtpActief() ? QStringLiteral("servermap") : QStringLiteral("lokale map")) +
               QStringLiteral(" maken");
    });
    TipTonen(*ui.knopUploaden, [&ui] {
        const QString map = Mapnaam(*ui.LijstLokaal);
        return map.isEmpty() ? QStringLiteral("Lokale map uploaden")
                             : QStringLiteral("Lokale map '") + map + QStringLiteral("' uploaden");
    });
    TipTonen(*ui.knopDownloaden, [&ui] {
        const QString map = Mapnaam(*ui.LijstFtp);
        return map.isEmpty() ? QStringLiteral("Servermap downloaden")
                             : QStringLiteral("Servermap '") + map + QStringLiteral("' downloaden");
    });
    TipTonen(*ui.KnopVerbreken, [&ui, &server] {
        return server.Verbonden() ? QStringLiteral("Verbinding met server ") +
                                        ui.cboVerbindingenFtp->currentText() + QStringLiteral(" verbreken")
                                  : QStringLiteral("Verbinding met server verbreken");
    });
    TipTonen(*ui.LabelFtp, [&t, &server] {
        const QString map = server.HuidigeServermap();
        QString tip = map.isEmpty() ? QStringLiteral("Rood: niet verbonden met een Ftp server")
                                    : QStringLiteral("Actuele servermap: ") + map;
        if (!t.opgeslagen.OpgeslagenServermap.isEmpty())
            tip += Nl + QStringLiteral("Rechtsklikken: laatstelijke servermap ophalen: ") +
                   t.opgeslagen.OpgeslagenServermap;
        return tip;
    });
    TipTonen(*ui.LabelLokaal, [&t, &lokaal] {
        QString tip = QStringLiteral("Actuele lokale map: ") + lokaal.HuidigeMap();
        if (!t.opgeslagen.OpgeslagenLokalemap.isEmpty())
            tip += Nl + QStringLiteral("Rechtsklikken: laatstelijke lokale map ophalen: ") +
                   t.opgeslagen.OpgeslagenLokalemap;
        return tip;
    });
}

} // namespace Vamox
