#include "transfer/OverdrachtHulp.h"

#include "config/gui/FrmServergegevens.h"
#include "panes/gui/Standkleuren.h"
#include "vergelijken/gui/Mappenvergelijking.h"
#include "vergelijken/gui/Synchroonbladeren.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

// Comparing the two current folders and browsing them in step, in the main window as a person
// uses it: keys where the focus is, menu items, clicks and double clicks on the lists.

namespace Vamox::Test {
namespace {

class VergelijkVenster : public OverdrachtTest
{
protected:
    // A key with Ctrl, where the input goes.
    static void CtrlToets(Qt::Key toets)
    {
        QTest::keyClick(QApplication::focusWidget(), toets, Qt::ControlModifier);
    }

    Mappenvergelijking& vergelijking() { return venster->mappenvergelijking(); }

    // The word of a row's mark, "-" when the list has no such row.
    static QString Merk(const LijstWeergave& lijst, const QString& naam)
    {
        const int rij = RijVan(lijst, naam);
        const LijstModel& model = lijst.lijstModel();
        if (rij < 0) return QStringLiteral("-");
        return model.index(rij, model.KolomStand()).data().toString();
    }
    static QStringList Namen(const LijstWeergave& lijst)
    {
        QStringList uit;
        for (const ListRow& r : lijst.lijstModel().Rijen())
            uit << r.naam;
        return uit;
    }
    void Tijd(const QString& pad, const QDateTime& tijd)
    {
        QFile f(pad);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(tijd, QFileDevice::FileModificationTime));
    }
    QString Regel() const { return venster->mappenvergelijking().Regel().text(); }
};

// The menu item's key switches the marks on: a word in a column of its own and a row colour on
// every row of the four lists, counts in the status bar. They follow a refresh, a pattern, a sort,
// opening a folder, a transfer that ends; "Alleen verschillen tonen" and "Alleen grootte
// vergelijken" change what is shown; the key again takes it all away.
TEST_F(VergelijkVenster, MarkeringenVolgenElkeWijziging)
{
    Verbinden();
    const QDateTime basis = QDateTime::currentDateTime().addDays(-1);
    const std::pair<const char*, qint64> serverBestanden[] = {
        {"gelijk.txt", 0}, {"ouder.txt", -3600}, {"nieuwer.txt", 3600}, {"alleen-server.txt", 0}};
    for (const auto& [naam, s] : serverBestanden) {
        server->schrijf(QString::fromUtf8(naam), "inhoud");
        Tijd(server->pad(QString::fromUtf8(naam)), basis.addSecs(s));
    }
    server->maakMap(QStringLiteral("beide/diep"));
    server->schrijf(QStringLiteral("beide/diep.txt"), "x");
    for (const char* naam : {"gelijk.txt", "ouder.txt", "nieuwer.txt", "alleen-lokaal.txt"}) {
        Schrijf(L(QString::fromUtf8(naam)), "inhoud");
        Tijd(L(QString::fromUtf8(naam)), basis);
    }
    ASSERT_TRUE(QDir().mkpath(L(QStringLiteral("beide"))));
    ASSERT_TRUE(QDir().mkpath(L(QStringLiteral("lokaalmap"))));
    Kiezen();
    LokaalTonen(lokaal.path());
    QAction* vergelijken = venster->menus().mnuMappenVergelijken;
    ASSERT_TRUE(vergelijken->isEnabled());
    EXPECT_EQ(ui().LijstBLokaal->lijstModel().columnCount(), LijstModel::KolomRechten + 1);

    ui().LijstBLokaal->setFocus();
    CtrlToets(Qt::Key_O);
    ASSERT_TRUE(vergelijken->isChecked());
    LijstWeergave& lb = *ui().LijstBLokaal;
    LijstWeergave& sb = *ui().LijstBFtp;
    const struct
    {
        LijstWeergave* lijst;
        const char* naam;
        const char* merk;
    } verwacht[] = {
        {&lb, "gelijk.txt", "gelijk"},
        {&lb, "ouder.txt", "nieuwer"},
        {&lb, "nieuwer.txt", "ouder"},
        {&lb, "alleen-lokaal.txt", "alleen hier"},
        {&sb, "ouder.txt", "ouder"},
        {&sb, "nieuwer.txt", "nieuwer"},
        {&sb, "alleen-server.txt", "alleen hier"},
        {ui().LijstLokaal, "beide", "beide"},
        {ui().LijstLokaal, "lokaalmap", "alleen hier"},
        {ui().LijstLokaal, " ..", ""},
        {ui().LijstFtp, "beide", "beide"},
    };
    for (const auto& v : verwacht) {
        SCOPED_TRACE(v.naam);
        EXPECT_EQ(Merk(*v.lijst, QString::fromUtf8(v.naam)), QString::fromUtf8(v.merk));
    }
    EXPECT_EQ(Regel(),
              QStringLiteral("Lokaal: 1 alleen hier, 1 nieuwer, 1 ouder, 1 gelijk; 1 map alleen hier   |   "
                             "Server: 1 alleen hier, 1 nieuwer, 1 ouder, 1 gelijk"));
    EXPECT_TRUE(venster->statusBar()->isVisible());
    // A difference has its colour, a same row none.
    const LijstModel& lm = lb.lijstModel();
    EXPECT_EQ(lm.index(RijVan(lb, QStringLiteral("ouder.txt")), 0).data(Qt::BackgroundRole).value<QColor>(),
              StandAchtergrond(Stand::Nieuwer));
    EXPECT_FALSE(lm.index(RijVan(lb, QStringLiteral("gelijk.txt")), 0).data(Qt::BackgroundRole).isValid());

    // "Alleen verschillen tonen" leaves the same files out, on both sides; by size alone the older
    // and newer are the same too. The counts stay those of the folders.
    venster->menus().mnuAlleenVerschillen->trigger();
    EXPECT_EQ(Namen(lb), (QStringList{"alleen-lokaal.txt", "nieuwer.txt", "ouder.txt"}));
    EXPECT_EQ(Namen(sb), (QStringList{"alleen-server.txt", "nieuwer.txt", "ouder.txt"}));
    EXPECT_TRUE(Regel().contains(QStringLiteral("1 gelijk")));
    venster->menus().mnuAlleenGrootte->trigger();
    EXPECT_EQ(Namen(sb), (QStringList{"alleen-server.txt"}));
    EXPECT_TRUE(Regel().contains(QStringLiteral("3 gelijk")));
    venster->menus().mnuAlleenGrootte->trigger();
    venster->menus().mnuAlleenVerschillen->trigger();
    EXPECT_EQ(Namen(sb).size(), 4);

    // A refresh after a change on disk; a sort by size (the marks go with their rows); a pattern.
    Schrijf(L(QStringLiteral("gelijk.txt")), "langere inhoud");
    Tijd(L(QStringLiteral("gelijk.txt")), basis);
    lb.setFocus();
    QTest::keyClick(&lb, Qt::Key_F5);
    ASSERT_TRUE(
        WachtTot([&] { return Merk(lb, QStringLiteral("gelijk.txt")) == QLatin1String("andere grootte"); }));
    EXPECT_EQ(Merk(sb, QStringLiteral("gelijk.txt")), QStringLiteral("andere grootte"));
    KopKlik(lb, LijstModel::KolomGrootte);
    EXPECT_EQ(Namen(lb).last(), QStringLiteral("gelijk.txt"));
    EXPECT_EQ(Merk(lb, QStringLiteral("gelijk.txt")), QStringLiteral("andere grootte"));
    EXPECT_EQ(Merk(lb, QStringLiteral("ouder.txt")), QStringLiteral("nieuwer"));
    // The column "Stand" sorts the kinds together.
    KopKlik(sb, sb.lijstModel().KolomStand());
    EXPECT_EQ(Namen(sb), (QStringList{"alleen-server.txt", "nieuwer.txt", "ouder.txt", "gelijk.txt"}));
    ui().cboPatroonLokaal->setFocus();
    ui().cboPatroonLokaal->setEditText(QString());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("*er.txt"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(WachtTot([&] { return lb.lijstModel().Aantal() == 2; }));
    EXPECT_EQ(Merk(lb, QStringLiteral("nieuwer.txt")), QStringLiteral("ouder"));
    EXPECT_EQ(Merk(lb, QStringLiteral("ouder.txt")), QStringLiteral("nieuwer"));

    // A transfer that ends: the uploaded file is no longer on one side only.
    ui().cboPatroonLokaal->setFocus();
    ui().cboPatroonLokaal->setEditText(QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    Selecteren(lb, {"alleen-lokaal.txt"});
    Klik(ui().knopBUploaden);
    ASSERT_TRUE(
        WachtTot([&] { return Merk(sb, QStringLiteral("alleen-lokaal.txt")) == QLatin1String("nieuwer"); }));
    EXPECT_EQ(Merk(lb, QStringLiteral("alleen-lokaal.txt")), QStringLiteral("ouder"));

    // Opening a folder compares the new pair.
    Dubbelklik(*ui().LijstFtp, QStringLiteral("beide"));
    ASSERT_TRUE(
        WachtTot([&] { return venster->serverPaneel().HuidigeServermap() == QLatin1String("/beide/"); }));
    ASSERT_TRUE(
        WachtTot([&] { return Merk(sb, QStringLiteral("diep.txt")) == QLatin1String("alleen hier"); }));
    EXPECT_EQ(Merk(*ui().LijstFtp, QStringLiteral("diep")), QStringLiteral("alleen hier"));
    EXPECT_EQ(Merk(*ui().LijstLokaal, QStringLiteral("beide")), QStringLiteral("alleen hier"));

    CtrlToets(Qt::Key_O);
    EXPECT_FALSE(vergelijken->isChecked());
    EXPECT_EQ(lb.lijstModel().columnCount(), LijstModel::KolomRechten + 1);
    EXPECT_EQ(ui().LijstFtp->lijstModel().columnCount(), 1);
    EXPECT_FALSE(lm.index(0, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(venster->statusBar()->isVisible());
    EXPECT_TRUE(gesteld.empty());
}

// A server whose LIST shows a clock two hours ahead: without an offset its files are newer; the
// one measured from the server's own times makes them the same; one typed in the server details
// window is stored in the server's line and used instead.
TEST_F(VergelijkVenster, TijdverschilGemetenEnOpgegeven)
{
    Verbinden(FtpServerOpties{.mlst = false,
                              .lijstZoneMinuten = 120 + QDateTime::currentDateTime().offsetFromUtc() / 60});
    QDateTime basis = QDateTime::currentDateTime().addDays(-1);
    basis.setTime(QTime(12, 0, 5));
    for (const char* naam : {"a.txt", "b.txt"}) {
        server->schrijf(QString::fromUtf8(naam), "zelfde");
        Tijd(server->pad(QString::fromUtf8(naam)), basis);
        Schrijf(L(QString::fromUtf8(naam)), "zelfde");
        Tijd(L(QString::fromUtf8(naam)), basis);
    }
    Kiezen();
    LokaalTonen(lokaal.path());
    t().CfgBestand = werk.filePath(QStringLiteral("vamox.cfg"));
    ui().LijstBFtp->setFocus();
    CtrlToets(Qt::Key_O);
    // Measured once both lists are there.
    ASSERT_TRUE(WachtTot([&] { return vergelijking().GemetenKlok().has_value(); }));
    EXPECT_EQ(*vergelijking().GemetenKlok(), (Serverklok{7200, false}));
    ASSERT_TRUE(
        WachtTot([&] { return Merk(*ui().LijstBFtp, QStringLiteral("a.txt")) == QLatin1String("gelijk"); }));
    EXPECT_TRUE(Regel().endsWith(QStringLiteral("Tijdverschil server: +2:00 (gemeten)")))
        << Regel().toStdString();

    // A wrong offset typed in the details window wins over the measured one.
    QTest::mouseClick(ui().knopServergegevens, Qt::LeftButton);
    auto* frm = venster->findChild<FrmServergegevens*>();
    ASSERT_TRUE(frm && WachtTot([&] { return QApplication::activeWindow() == frm; }, 3000));
    QTest::mouseClick(frm->ui().LabelTijdverschil, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), frm->ui().txtTijdverschil);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("-3"));
    QTest::mouseClick(frm->ui().knopOpslaan, Qt::LeftButton);
    ASSERT_FALSE(frm->Gewijzigd());
    const qsizetype n = ServerZoeken(t().ServerLijst, QStringLiteral("testserver"));
    ASSERT_GT(n, 0);
    EXPECT_TRUE(t().ServerLijst.at(n).endsWith(QChar(15) + QStringLiteral("-3:00")));
    frm->close();
    QTest::keyClick(ui().LijstBFtp, Qt::Key_F5);
    ASSERT_TRUE(
        WachtTot([&] { return Merk(*ui().LijstBFtp, QStringLiteral("a.txt")) == QLatin1String("nieuwer"); }));
    EXPECT_TRUE(Regel().endsWith(QStringLiteral("Tijdverschil server: -3:00 (opgegeven)")))
        << Regel().toStdString();
    EXPECT_TRUE(gesteld.empty());
}

// A server that gives no time of its own (no MDTM): the offset comes from a file uploaded in this
// session, against the moment its upload ended, once the list shows it.
TEST_F(VergelijkVenster, GemetenNaUploadZonderServertijd)
{
    Verbinden(FtpServerOpties{.mlst = false,
                              .onbekend = {QStringLiteral("MDTM")},
                              .lijstZoneMinuten = 120 + QDateTime::currentDateTime().offsetFromUtc() / 60});
    server->schrijf(QStringLiteral("er.txt"), "al daar");
    Schrijf(L(QStringLiteral("op.txt")), "omhoog");
    Tijd(L(QStringLiteral("op.txt")), QDateTime::currentDateTime().addSecs(-3600));
    Kiezen();
    LokaalTonen(lokaal.path());
    ui().LijstBFtp->setFocus();
    CtrlToets(Qt::Key_O);
    ASSERT_TRUE(WachtTot([&] { return Regel().endsWith(QStringLiteral("niet gemeten")); }))
        << Regel().toStdString();
    Selecteren(*ui().LijstBLokaal, {"op.txt"});
    Klik(ui().knopBUploaden);
    ASSERT_TRUE(WachtTot([&] { return vergelijking().GemetenKlok().has_value(); }));
    EXPECT_EQ(*vergelijking().GemetenKlok(), (Serverklok{7200, false}));
    ASSERT_TRUE(WachtTot(
        [&] { return Merk(*ui().LijstBFtp, QStringLiteral("op.txt")) == QLatin1String("nieuwer"); }));
}

// Browsing in step: the other side follows into a folder and back up; a folder it lacks is made
// when the answer is "Ja", on either side; "Nee" switches it off, and so does leaving the pair's
// root, each with a notice.
TEST_F(VergelijkVenster, GesynchroniseerdBladeren)
{
    Verbinden();
    server->maakMap(QStringLiteral("beide"));
    server->maakMap(QStringLiteral("server-a"));
    server->maakMap(QStringLiteral("server-b"));
    ASSERT_TRUE(QDir().mkpath(L(QStringLiteral("beide"))));
    ASSERT_TRUE(QDir().mkpath(L(QStringLiteral("lokaal-a"))));
    Kiezen();
    LokaalTonen(lokaal.path());
    const QString wortel = lokaal.path() + u'/';
    QAction* item = venster->menus().mnuGesynchroniseerdBladeren;
    ui().LijstLokaal->setFocus();
    CtrlToets(Qt::Key_Y);
    ASSERT_TRUE(item->isChecked());
    EXPECT_EQ(venster->synchroonbladeren().LokaleWortel(), wortel);
    EXPECT_EQ(venster->synchroonbladeren().ServerWortel(), QStringLiteral("/"));
    const auto bij = [&](const QString& l, const QString& s) {
        return WachtTot([&] {
            return venster->lokaalPaneel().HuidigeMap() == l && venster->serverPaneel().HuidigeMap() == s &&
                   !sessie().bezig();
        });
    };

    const struct
    {
        const char* geval;
        bool lokaal;     // the side that moves
        const char* map; // opened; "" goes up with Backspace
        int antwoord;    // to a question, 0: none asked
        const char* lokaalNa;
        const char* serverNa;
    } stappen[] = {
        {"in een map van beide", true, "beide", 0, "beide/", "/beide/"},
        {"omhoog aan de serverkant", false, "", 0, "", "/"},
        {"servermap die lokaal ontbreekt: Ja", false, "server-a", 1, "server-a/", "/server-a/"},
        {"omhoog lokaal", true, "", 0, "", "/"},
        {"lokale map die op de server ontbreekt: Ja", true, "lokaal-a", 1, "lokaal-a/", "/lokaal-a/"},
        {"omhoog", true, "", 0, "", "/"},
    };
    for (const auto& s : stappen) {
        SCOPED_TRACE(s.geval);
        const std::size_t voor = gesteld.size();
        if (s.antwoord) antwoorden.push_back(s.antwoord);
        LijstWeergave& lijst = s.lokaal ? *ui().LijstLokaal : *ui().LijstFtp;
        if (*s.map) {
            Dubbelklik(lijst, QString::fromUtf8(s.map));
        } else {
            lijst.setFocus();
            QTest::keyClick(&lijst, Qt::Key_Backspace);
        }
        ASSERT_TRUE(bij(wortel + QString::fromUtf8(s.lokaalNa), QString::fromUtf8(s.serverNa)))
            << venster->lokaalPaneel().HuidigeMap().toStdString() << " "
            << venster->serverPaneel().HuidigeMap().toStdString();
        ASSERT_EQ(gesteld.size(), voor + (s.antwoord ? 1 : 0));
        if (s.antwoord) {
            const DialoogVraag& v = gesteld.back();
            EXPECT_EQ(v.opties.Knoppen, QStringLiteral("&Ja+&Nee"));
            EXPECT_TRUE(v.opties.Tekst.endsWith(QStringLiteral("' bestaat niet.\r\nMap maken en openen?")));
        }
        EXPECT_TRUE(item->isChecked());
    }
    EXPECT_TRUE(QFileInfo(L(QStringLiteral("server-a"))).isDir());
    EXPECT_TRUE(QFileInfo(server->pad(QStringLiteral("lokaal-a"))).isDir());

    // "Nee": the other side stays, browsing in step ends and says so.
    antwoorden.push_back(2);
    Dubbelklik(*ui().LijstFtp, QStringLiteral("server-b"));
    ASSERT_TRUE(WachtTot([&] { return !item->isChecked(); }));
    ASSERT_GE(gesteld.size(), 2u);
    EXPECT_EQ(gesteld.back().opties.Tekst, QStringLiteral("Gesynchroniseerd bladeren is uitgeschakeld."));
    EXPECT_EQ(venster->lokaalPaneel().HuidigeMap(), wortel);
    EXPECT_FALSE(QFileInfo(L(QStringLiteral("server-b"))).exists());

    // Above the pair's root: off, with a notice; the other side stays where it was.
    ui().LijstFtp->setFocus();
    QTest::keyClick(ui().LijstFtp, Qt::Key_Backspace);
    ASSERT_TRUE(bij(wortel, QStringLiteral("/")));
    CtrlToets(Qt::Key_Y);
    ASSERT_TRUE(item->isChecked());
    ui().LijstLokaal->setFocus();
    QTest::keyClick(ui().LijstLokaal, Qt::Key_Backspace);
    ASSERT_TRUE(WachtTot([&] { return !item->isChecked(); }));
    EXPECT_TRUE(gesteld.back().opties.Tekst.startsWith(
        QStringLiteral("Gesynchroniseerd bladeren is uitgeschakeld:\r\nmap '")));
    EXPECT_EQ(venster->serverPaneel().HuidigeMap(), QStringLiteral("/"));
}

} // namespace
} // namespace Vamox::Test
