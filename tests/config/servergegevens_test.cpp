#include "mainwindow/OpstartHulp.h"

#include "config/gui/FrmServergegevens.h"
#include "dialogs/MsgTestHulp.h"
#include "platform/gui/Browser.h"
#include "support/SshdServer.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace Vamox::Test {
namespace {

using Vamox::Test::SshdServer;

const QChar S(15);

// A server whose password the user keeps in the file (the eighth field); these cases are about the
// window, not about the keyring.
QString Velden(const char* naam, const char* host)
{
    return QString::fromUtf8(naam) + S + QString::fromUtf8(host) + S + u'u' + S + u'w' + S + S + S + S + u'1';
}

// The server details window opened as a person opens it, from the toolbar button; every key
// goes where the focus is.
class ServergegevensTest : public StartTest
{
protected:
    FrmServergegevens& Openen(FrmFtp& venster)
    {
        QTest::mouseClick(venster.ui().knopServergegevens, Qt::LeftButton);
        auto* frm = venster.findChild<FrmServergegevens*>();
        EXPECT_TRUE(frm && frm->isVisible());
        EXPECT_TRUE(WachtTot([&] { return QApplication::activeWindow() == frm; }, 3000));
        return *frm;
    }
    static void Toets(int toets) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(toets)); }
    static void Typen(const QString& tekst) { QTest::keyClicks(QApplication::focusWidget(), tekst); }
    static QString Aantal(const FrmServergegevens& frm) { return frm.ui().LabelAantal->text(); }
    static QString Naam(const FrmServergegevens& frm) { return frm.ui().cboNaam->currentText(); }
    QStringList Teksten() const
    {
        QStringList t;
        for (const DialoogVraag& v : vragen.Vragen())
            t << v.opties.Tekst;
        return t;
    }
};

TEST_F(ServergegevensTest, BladerenTotEenNieuwRecordEnEscapeHerstelt)
{
    Bestand({Velden("zeta", "h3"), Velden("Alfa", "h1"), Velden("B", "h2")});
    auto venster = Starten();
    QComboBox* servers = venster->ui().cboVerbindingenFtp;
    servers->setCurrentIndex(servers->findText(QStringLiteral("B")));
    FrmServergegevens& frm = Openen(*venster);
    // The main window's server, exactly; its empty port shows as 21.
    EXPECT_EQ(Aantal(frm), QStringLiteral("2/3"));
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Servergegevens B"));
    EXPECT_EQ(frm.ui().cboFtpPoort->currentText(), QStringLiteral("21"));
    EXPECT_FALSE(frm.Gewijzigd());

    // Page Up goes on, through a new empty record and round again; Page Down goes back.
    const std::pair<int, const char*> stappen[] = {
        {Qt::Key_PageUp, "3/3"},   {Qt::Key_PageUp, "*/3"},   {Qt::Key_PageUp, "1/3"},
        {Qt::Key_PageDown, "*/3"}, {Qt::Key_PageDown, "3/3"}, {Qt::Key_PageDown, "2/3"},
    };
    for (const auto& [toets, aantal] : stappen) {
        Toets(toets);
        EXPECT_EQ(Aantal(frm), QString::fromLatin1(aantal));
    }
    EXPECT_FALSE(frm.Gewijzigd());
    ASSERT_EQ(Aantal(frm), QStringLiteral("2/3"));

    // A change marks the record; Escape brings back all stored fields and selects the one it was
    // pressed in.
    QTest::mouseClick(frm.ui().LabelFtpHost, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), frm.ui().txtFtpHost);
    Typen(QStringLiteral("elders"));
    // A password takes every printable character, spaces at either end too; a paste with the
    // separator is refused whole.
    QTest::mouseClick(frm.ui().LabelWachtwoord, Qt::LeftButton);
    Typen(QStringLiteral(" geheim met spatie "));
    QApplication::clipboard()->setText(QStringLiteral("a") + S + u'b');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frm.ui().txtWachtwoord->text(), QStringLiteral(" geheim met spatie "));
    EXPECT_TRUE(frm.Gewijzigd());
    EXPECT_TRUE(frm.ui().knopPotlood->isVisible());
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("Servergegevens"));
    Toets(Qt::Key_Escape);
    EXPECT_TRUE(frm.isVisible());
    EXPECT_FALSE(frm.Gewijzigd());
    EXPECT_EQ(frm.ui().txtFtpHost->text(), QStringLiteral("h2"));
    EXPECT_EQ(frm.ui().txtWachtwoord->text(), QStringLiteral("w"));
    EXPECT_EQ(frm.ui().txtWachtwoord->selectedText(), QStringLiteral("w"));
    QTest::mouseClick(frm.ui().LabelNaam, Qt::LeftButton);
    Typen(QStringLiteral("Nieuw"));
    EXPECT_TRUE(frm.Gewijzigd());
    Toets(Qt::Key_Escape);
    EXPECT_EQ(Naam(frm), QStringLiteral("B"));
    EXPECT_FALSE(frm.Gewijzigd());
    EXPECT_TRUE(vragen.Vragen().empty()) << Teksten().join(u'|').toStdString();

    // The website opens in the browser as an http or https address, a bare host as https; an
    // empty one opens a start page. Anything else never reaches the browser (a text such as
    // "--utility-cmd-prefix=..." would be one of its options) and is told, as is a browser that
    // cannot be started.
    QStringList geopend;
    bool lukt = true;
    BrowserVoorTest browser([&](const QString& adres) {
        geopend << adres;
        return lukt;
    });
    const QString geenWebadres = QStringLiteral("Geen webadres:\r\n %1\r\n"
                                                "Alleen adressen met http:// of https:// worden geopend.");
    const std::pair<const char*, QString> adressen[] = {
        {"www.voorbeeld.nl/a b", QStringLiteral("https://www.voorbeeld.nl/ab")},
        {"HTTP://Voorbeeld.nl:8080/p?q=1", QStringLiteral("http://voorbeeld.nl:8080/p?q=1")},
        {"localhost:8080", QStringLiteral("https://localhost:8080")},
        {"--utility-cmd-prefix=/tmp/x", geenWebadres.arg(QStringLiteral("--utility-cmd-prefix=/tmp/x"))},
        {"file:///etc/passwd", geenWebadres.arg(QStringLiteral("file:///etc/passwd"))},
        {"javascript:alert(1)", geenWebadres.arg(QStringLiteral("javascript:alert(1)"))},
        {"mailto:jan@voorbeeld.nl", geenWebadres.arg(QStringLiteral("mailto:jan@voorbeeld.nl"))},
    };
    for (const auto& [getypt, verwacht] : adressen) {
        SCOPED_TRACE(getypt);
        geopend.clear();
        const qsizetype eerder = Teksten().size();
        QTest::mouseClick(frm.ui().LabelWebsite, Qt::LeftButton);
        Typen(QString::fromUtf8(getypt));
        QTest::mouseClick(frm.ui().LabelWebsite, Qt::RightButton);
        EXPECT_EQ(geopend.join(u'|') + Teksten().mid(eerder).join(u'|'), verwacht);
    }
    geopend.clear();
    frm.ui().txtWebsite->clear();
    QTest::mouseClick(frm.ui().knopInternet, Qt::LeftButton);
    lukt = false;
    const qsizetype eerder = Teksten().size();
    QTest::mouseClick(frm.ui().knopInternet, Qt::LeftButton);
    ASSERT_EQ(geopend.size(), 2);
    EXPECT_EQ(geopend[0], geopend[1]);
    EXPECT_TRUE(geopend[0].startsWith(QStringLiteral("https://")));
    EXPECT_EQ(Teksten().mid(eerder),
              QStringList{QStringLiteral("Geen uitvoerbaar bestand gevonden bij:\r\n .")});
}

TEST_F(ServergegevensTest, OpslaanHernoemenEnVerwijderen)
{
    Bestand({"cfgopenen=1", "patroonlokaal=*.txt", Velden("Alfa", "h1"), Velden("B", "h2")});
    auto venster = Starten();
    QComboBox* servers = venster->ui().cboVerbindingenFtp;
    servers->setCurrentIndex(servers->findText(QStringLiteral("B")));
    FrmServergegevens& frm = Openen(*venster);

    // A new record named like a saved one in other letters is refused, and nothing is stored.
    QTest::mouseClick(frm.ui().knopNieuw, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), frm.ui().cboNaam);
    Typen(QStringLiteral("ALFA"));
    for (QLineEdit* veld : {frm.ui().txtFtpHost, frm.ui().txtGebruikersnaam, frm.ui().txtWachtwoord}) {
        veld->setFocus();
        Typen(QStringLiteral("x"));
    }
    QTest::mouseClick(frm.ui().knopOpslaan, Qt::LeftButton);
    EXPECT_EQ(Teksten(), QStringList{QStringLiteral("Naam server 'Alfa' is in gebruik.")});
    EXPECT_EQ(venster->toestand().ServerLijst.size(), 3);

    // Renaming the main window's server: its box follows, no connection is made, and the file
    // gets the new server lines with its settings lines kept.
    Toets(Qt::Key_Escape);
    Toets(Qt::Key_PageDown);
    ASSERT_EQ(Aantal(frm), QStringLiteral("2/2"));
    QTest::mouseClick(frm.ui().LabelNaam, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), frm.ui().cboNaam);
    Toets(Qt::Key_End); // the name is selected
    Typen(QStringLiteral("ee"));
    // The protocol choice goes with it, in the line's seventh field; SFTP brings its own port.
    QTest::mouseClick(frm.ui().LabelTls, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), frm.ui().cboTls);
    Toets(Qt::Key_End); // "SFTP (SSH)"
    // The password is stored as typed, its spaces at either end included.
    QTest::mouseClick(frm.ui().LabelWachtwoord, Qt::LeftButton);
    Typen(QStringLiteral(" w met spatie "));
    QTest::mouseClick(frm.ui().knopOpslaan, Qt::LeftButton);
    EXPECT_FALSE(frm.Gewijzigd());
    EXPECT_EQ(servers->currentText(), QStringLiteral("Bee"));
    EXPECT_FALSE(venster->serverPaneel().Verbonden());
    EXPECT_EQ(Lezen(Cfg()), ("cfgopenen=1\r\npatroonlokaal=*.txt\r\n" + Velden("Alfa", "h1") + "\r\n" +
                             QStringList{"Bee", "h2", "u", " w met spatie ", "22", "", "3", "1"}.join(S) + "\r\n")
                                .toUtf8());

    // Deleting asks first; the last one leaves "0/0" and empty fields, and the main window's box
    // loses its servers.
    vragen.Antwoord(1);
    QTest::mouseClick(frm.ui().knopVerwijderen, Qt::LeftButton);
    vragen.Antwoord(1);
    QTest::mouseClick(frm.ui().knopVerwijderen, Qt::LeftButton);
    const QStringList teksten = Teksten();
    EXPECT_EQ(teksten.mid(1), (QStringList{"Server 2 (Bee) verwijderen?", "Server 1 (Alfa) verwijderen?"}));
    EXPECT_EQ(Aantal(frm), QStringLiteral("0/0"));
    EXPECT_EQ(Naam(frm), QString());
    EXPECT_EQ(frm.ui().txtFtpHost->text(), QString());
    EXPECT_EQ(servers->count(), 0);
}

// Connecting from the window: the shown server is chosen in the main window, connected to, and
// the window closes.
TEST_F(ServergegevensTest, VerbindenMetDeGetoondeServer)
{
    FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    Bestand({Velden("Alfa", "h1"), ServerRegel(QStringLiteral("Test"), server)});
    auto venster = Starten();
    FrmServergegevens& frm = Openen(*venster);
    ASSERT_EQ(Naam(frm), QStringLiteral("Alfa"));
    Toets(Qt::Key_PageUp);
    QPointer<FrmServergegevens> open(&frm);
    QTest::mouseClick(frm.ui().knopVerbinden, Qt::LeftButton);
    EXPECT_TRUE(WachtTot([&] { return open.isNull(); }));
    EXPECT_TRUE(venster->serverPaneel().Verbonden());
    EXPECT_EQ(venster->ui().cboVerbindingenFtp->currentText(), QStringLiteral("Test"));
    EXPECT_TRUE(vragen.Vragen().empty()) << Teksten().join(u'|').toStdString();
}

// A new server with SFTP chosen: port 22 proposed for FTP's, the host key asked about before anything is
// sent and kept in ~/.ssh/known_hosts after "Ja", the key in ~/.ssh logging in.
TEST_F(ServergegevensTest, VerbindenMetSftp)
{
    if (!SshdServer::beschikbaar()) GTEST_SKIP() << "sshd and ssh-keygen are not installed (openssh-server)";
    SshdServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    const QString thuis = tmp.path() + QStringLiteral("/thuis");
    ASSERT_TRUE(QDir().mkpath(thuis + QStringLiteral("/.ssh")));
    for (const char* naam : {"/id_ed25519", "/id_ed25519.pub"})
        ASSERT_TRUE(QFile::copy(server.sleutelMap() + QLatin1String(naam),
                                thuis + QStringLiteral("/.ssh") + QLatin1String(naam)));
    const QByteArray vorigThuis = qgetenv("HOME");
    qputenv("HOME", thuis.toUtf8());
    Bestand({Velden("Alfa", "h1")});
    auto venster = Starten();
    FrmServergegevens& frm = Openen(*venster);
    Toets(Qt::Key_PageUp);
    ASSERT_EQ(Aantal(frm), QStringLiteral("*/1"));
    const auto invullen = [&](QLabel* label, const QString& tekst) {
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Typen(tekst);
    };
    invullen(frm.ui().LabelNaam, QStringLiteral("Ssh"));
    invullen(frm.ui().LabelFtpHost, server.host());
    invullen(frm.ui().LabelGebruikersnaam, server.gebruiker());
    invullen(frm.ui().LabelWachtwoord, QStringLiteral("niet nodig"));
    // Kept in the file: this case is about SFTP, not about the keyring.
    QTest::mouseClick(frm.ui().LabelWachtwoordplek, Qt::LeftButton);
    Toets(Qt::Key_Down);
    EXPECT_EQ(frm.ui().cboWachtwoordplek->currentText(), QStringLiteral("In het configuratiebestand"));
    invullen(frm.ui().LabelFtpPoort, QStringLiteral("21"));
    QTest::mouseClick(frm.ui().LabelTls, Qt::LeftButton);
    Toets(Qt::Key_End);
    EXPECT_EQ(frm.ui().cboTls->currentText(), QStringLiteral("SFTP (SSH)"));
    EXPECT_EQ(frm.ui().cboFtpPoort->currentText(), QStringLiteral("22"));
    invullen(frm.ui().LabelFtpPoort, QString::number(server.poort()));

    QTest::mouseClick(frm.ui().knopOpslaan, Qt::LeftButton);
    vragen.Antwoord(1); // the host key: Ja
    QPointer<FrmServergegevens> open(&frm);
    QTest::mouseClick(frm.ui().knopVerbinden, Qt::LeftButton);
    EXPECT_TRUE(WachtTot([&] { return open.isNull(); }));
    qputenv("HOME", vorigThuis);
    EXPECT_TRUE(venster->serverPaneel().Verbonden()) << Teksten().join(u'|').toStdString();
    ASSERT_EQ(vragen.Vragen().size(), 1u) << Teksten().join(u'|').toStdString();
    EXPECT_TRUE(Teksten()[0].contains(server.vingerafdruk())) << Teksten()[0].toStdString();
    EXPECT_EQ(Lezen(thuis + QStringLiteral("/.ssh/known_hosts")), server.hostsleutelRegel());
    EXPECT_TRUE(Lezen(Cfg()).contains(
        (QStringList{QStringLiteral("Ssh"), server.host(), server.gebruiker(), QStringLiteral("niet nodig"),
                     QString::number(server.poort()), QString(), QStringLiteral("3"), QStringLiteral("1")}
             .join(S) +
         QStringLiteral("\r\n"))
            .toUtf8()));
}

// A first start has no servers: the window to add one is offered, on an empty new record.
TEST_F(ServergegevensTest, EersteStartBiedtHetVensterAan)
{
    auto venster = Starten();
    FrmServergegevens* frm = nullptr;
    ASSERT_TRUE(
        WachtTot([&] { return (frm = venster->findChild<FrmServergegevens*>()) && frm->isVisible(); }));
    ASSERT_TRUE(WachtTot([&] { return QApplication::activeWindow() == frm; }, 3000));
    EXPECT_EQ(Aantal(*frm), QStringLiteral("*/0"));
    EXPECT_FALSE(frm->Gewijzigd());
    EXPECT_TRUE(AlleenSluitknop(*frm)); // its size is fixed: nothing to maximise
    EXPECT_EQ(QApplication::focusWidget(), frm->ui().cboNaam);
}

// The window keeps its size: maximising it changes nothing, only a drag on LabelFormaat widens it
// (never below the standard width), and a double click there gives the standard size back.
TEST_F(ServergegevensTest, AlleenHetFormaatlabelVeranderdDeGrootte)
{
    auto venster = Starten();
    FrmServergegevens& frm = Openen(*venster);
    const QSize standaard = frm.size();
    // A window manager maximises no window whose least and largest size are one.
    EXPECT_EQ(frm.minimumSize(), standaard);
    EXPECT_EQ(frm.maximumSize(), standaard);

    QLabel* label = frm.ui().LabelFormaat;
    const QPoint begin = label->rect().center();
    QTest::mousePress(label, Qt::LeftButton, {}, begin);
    QTest::mouseMove(label, begin + QPoint(120, 40));
    QTest::mouseRelease(label, Qt::LeftButton, {}, begin + QPoint(120, 40));
    EXPECT_TRUE(WachtTot([&] { return frm.width() == standaard.width() + 120; }))
        << frm.width() << " " << standaard.width();
    EXPECT_EQ(frm.height(), standaard.height());
    EXPECT_EQ(frm.maximumSize(), frm.size());

    // Narrower than the standard is not taken.
    QTest::mousePress(label, Qt::LeftButton, {}, begin);
    QTest::mouseMove(label, begin - QPoint(400, 0));
    QTest::mouseRelease(label, Qt::LeftButton, {}, begin - QPoint(400, 0));
    EXPECT_EQ(frm.width(), standaard.width() + 120);
    QTest::mouseDClick(label, Qt::LeftButton, {}, begin);
    EXPECT_TRUE(WachtTot([&] { return frm.size() == standaard; }));
}

} // namespace
} // namespace Vamox::Test
