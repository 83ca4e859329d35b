// The keyring as a person meets it in the running program: passwords moved out of the file at
// start, logins with the keyring's password, the server details window saving, renaming and
// removing, no keyring at all, and the import. A real Secret Service and real FTP servers; each
// case in a process of its own.

#include "mainwindow/OpstartHulp.h"

#include "config/Sleutelbos.h"
#include "config/Wachtwoorden.h"
#include "config/gui/FrmImporteren.h"
#include "config/gui/FrmServergegevens.h"
#include "dialogs/Bestandskeuze.h"
#include "dialogs/MsgTestHulp.h"
#include "mainwindow/VensterMenus.h"
#include "support/Sleutelbosdienst.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace Vamox::Test {
namespace {

using Status = Sleutelbosantwoord::Status;

class SleutelbosVenster : public StartTest
{
protected:
    ServerRecord Record(const QString& naam, const FtpTestServer& server, const QString& wachtwoord) const
    {
        return {naam, server.host(), server.opties().gebruiker, wachtwoord, QString::number(server.poort()), QString()};
    }
    QStringList ServerRegels() const
    {
        QStringList uit;
        for (const QByteArray& r : Lezen(Cfg()).split('\n'))
            if (r.contains('\x0f')) uit << QString::fromUtf8(r.trimmed());
        return uit;
    }
    QStringList Teksten() const
    {
        QStringList t;
        for (const DialoogVraag& v : vragen.Vragen())
            t << v.opties.Tekst;
        return t;
    }
    // Picks the server in the server box as a person does; true when the listing came.
    bool Verbinden(FrmFtp& venster, const QString& naam)
    {
        QComboBox* vak = venster.ui().cboVerbindingenFtp;
        vak->setCurrentIndex(vak->findText(naam));
        Q_EMIT vak->activated(vak->currentIndex());
        return venster.serverPaneel().Verbonden();
    }
    Sleutelbos bos; // the program's own service name
};

TEST_F(SleutelbosVenster, VerhuizingBijStartenEnAanmeldenUitDeSleutelbos)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met));
    FtpTestServer server;
    ASSERT_TRUE(server.start());
    const ServerRecord thuis = Record(QStringLiteral("Thuis"), server, server.opties().wachtwoord);
    Bestand({QStringLiteral("cfgopenen=1"), ServerRecordRegel(thuis)});
    {
        auto venster = Starten();
        ASSERT_EQ(Teksten().size(), 1);
        EXPECT_TRUE(Teksten().at(0).contains(QStringLiteral("sleutelbos van het bureaublad"))) << Teksten().at(0).toStdString();
        // The file keeps its settings and loses the password, written as an older reader reads it.
        EXPECT_TRUE(Lezen(Cfg()).startsWith("cfgopenen=1\r\n"));
        ServerRecord zonder = thuis;
        zonder.Wachtwoord.clear();
        EXPECT_EQ(ServerRegels(), QStringList{ServerRecordRegel(zonder)});
        EXPECT_EQ(bos.lezen(SleutelbosSleutel(thuis)).wachtwoord, server.opties().wachtwoord);
        Sluiten(*venster, {1});
    }
    // The next start asks nothing and logs in with the keyring's password.
    const qsizetype eerder = Teksten().size();
    auto venster = Starten();
    EXPECT_EQ(Teksten().size(), eerder);
    EXPECT_TRUE(Verbinden(*venster, QStringLiteral("Thuis")));
    EXPECT_EQ(Teksten().size(), eerder) << Teksten().join(u'|').toStdString();
}

TEST_F(SleutelbosVenster, ServergegevensBewarenHernoemenVerwijderen)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met));
    Bestand({QStringLiteral("cfgopenen=1")});
    auto venster = Starten(Qt::NoModifier, true);
    QTest::mouseClick(venster->ui().knopServergegevens, Qt::LeftButton);
    auto* frm = venster->findChild<FrmServergegevens*>();
    ASSERT_TRUE(frm && WachtTot([&] { return QApplication::activeWindow() == frm; }, 3000));
    const ServergegevensUi& ui = frm->ui();
    QTest::mouseClick(ui.knopNieuw, Qt::LeftButton);
    const auto invullen = [](QLabel* label, const QString& tekst) {
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), tekst);
    };
    invullen(ui.LabelNaam, QStringLiteral("Werk"));
    invullen(ui.LabelFtpHost, QStringLiteral("ftp.werk.nl"));
    invullen(ui.LabelGebruikersnaam, QStringLiteral("jan"));
    invullen(ui.LabelWachtwoord, QStringLiteral("geheim"));
    EXPECT_EQ(ui.cboWachtwoordplek->currentText(), QStringLiteral("In de sleutelbos van het bureaublad"));
    QTest::mouseClick(ui.knopOpslaan, Qt::LeftButton);
    const ServerRecord werk{"Werk", "ftp.werk.nl", "jan", "", "21", ""};
    EXPECT_EQ(ServerRegels(), QStringList{ServerRecordRegel(werk)});
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(werk)).wachtwoord, QStringLiteral("geheim"));

    // Shown again from the keyring; renamed, the entry follows.
    frm->Vullen(1);
    EXPECT_EQ(ui.txtWachtwoord->text(), QStringLiteral("geheim"))
        << Teksten().join(u'|').toStdString() << ui.txtWachtwoord->placeholderText().toStdString() << " "
        << venster->toestand().ServerLijst.join(u'|').toStdString();
    invullen(ui.LabelNaam, QStringLiteral("Kantoor"));
    QTest::mouseClick(ui.knopOpslaan, Qt::LeftButton);
    ServerRecord kantoor = werk;
    kantoor.Naam = QStringLiteral("Kantoor");
    EXPECT_EQ(ServerRegels(), QStringList{ServerRecordRegel(kantoor)});
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(kantoor)).wachtwoord, QStringLiteral("geheim"));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(werk)).status, Status::NietGevonden);

    // Kept in the file by choice: the eighth field says so, the keyring's copy goes.
    ui.cboWachtwoordplek->setCurrentIndex(int(Wachtwoordplek::Bestand));
    QTest::mouseClick(ui.knopOpslaan, Qt::LeftButton);
    ServerRecord inBestand = kantoor;
    inBestand.Wachtwoord = QStringLiteral("geheim");
    inBestand.Plek = Wachtwoordplek::Bestand;
    EXPECT_EQ(ServerRegels(), QStringList{ServerRecordRegel(inBestand)});
    EXPECT_TRUE(ServerRegels().at(0).endsWith(QStringLiteral("\x0f\x0f" "1")));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(kantoor)).status, Status::NietGevonden);

    // Back to the keyring, then removed: the entry goes with the server.
    ui.cboWachtwoordplek->setCurrentIndex(int(Wachtwoordplek::Sleutelbos));
    QTest::mouseClick(ui.knopOpslaan, Qt::LeftButton);
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(kantoor)).wachtwoord, QStringLiteral("geheim"));
    vragen.Antwoord(1);
    QTest::mouseClick(ui.knopVerwijderen, Qt::LeftButton);
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(kantoor)).status, Status::NietGevonden);
    EXPECT_EQ(Teksten().size(), 1) << Teksten().join(u'|').toStdString(); // only the delete question
}

TEST_F(SleutelbosVenster, ZonderSleutelbosKiestDeGebruiker)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::ZonderBus));
    FtpTestServer server;
    ASSERT_TRUE(server.start());
    const ServerRecord thuis = Record(QStringLiteral("Thuis"), server, server.opties().wachtwoord);
    const ServerRecord ander = Record(QStringLiteral("Ander"), server, QStringLiteral("fout"));
    const QStringList regels{ServerRecordRegel(ander), ServerRecordRegel(thuis)};
    Bestand(regels);
    // Later: nothing changes, the next start asks again. Asked at each login: the file loses them.
    {
        vragen.Antwoord(3);
        auto venster = Starten();
        ASSERT_EQ(Teksten().size(), 1);
        EXPECT_TRUE(Teksten().at(0).contains(QStringLiteral("is niet aanwezig"))) << Teksten().at(0).toStdString();
        EXPECT_EQ(vragen.Vragen().at(0).opties.Knoppen,
                  QStringLiteral("In &bestand houden+Bij aanmelden &vragen+&Later"));
        EXPECT_EQ(ServerRegels(), regels);
        Sluiten(*venster, {1});
    }
    vragen.Antwoord(2);
    auto venster = Starten();
    ASSERT_EQ(Teksten().size(), 3); // the first start, its closing question, the second start
    ServerRecord gevraagd = thuis;
    gevraagd.Wachtwoord.clear();
    gevraagd.Plek = Wachtwoordplek::Vragen;
    ServerRecord anderGevraagd = ander;
    anderGevraagd.Wachtwoord.clear();
    anderGevraagd.Plek = Wachtwoordplek::Vragen;
    EXPECT_EQ(ServerRegels(), (QStringList{ServerRecordRegel(anderGevraagd), ServerRecordRegel(gevraagd)}));

    // The login asks; the password is kept for the run only.
    const auto typen = [&](const QString& wachtwoord) {
        return [wachtwoord](QDialog&) {
            QTest::keyClicks(QApplication::focusWidget(), wachtwoord);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };
    };
    MetModaal("Inp", [&] { return int(Verbinden(*venster, QStringLiteral("Thuis"))); },
              typen(server.opties().wachtwoord));
    EXPECT_TRUE(venster->serverPaneel().Verbonden());
    EXPECT_EQ(venster->toestand().wachtwoorden.VoorAanmelding(gevraagd).wachtwoord, server.opties().wachtwoord);
    EXPECT_FALSE(Lezen(Cfg()).contains(server.opties().wachtwoord.toUtf8()));
}

TEST_F(SleutelbosVenster, ImporterenNaVoorbeeldEnWachtwoordenInDeSleutelbos)
{
    ASSERT_TRUE(Sleutelbosdienst::Voor(Sleutelbosdienst::Soort::Met));
    const ServerRecord thuis{"Thuis", "ftp.thuis.nl", "jan", "", "21", ""};
    Bestand({ServerRecordRegel(thuis)});
    const QString bestand = tmp.filePath(QStringLiteral("sitemanager.xml"));
    Schrijven(bestand, "<?xml version=\"1.0\"?><FileZilla3><Servers>"
                       "<Server><Host>ftp.thuis.nl</Host><Protocol>0</Protocol><User>jan</User>"
                       "<Pass encoding=\"base64\">b3Vk</Pass><Name>Thuis</Name></Server>"
                       "<Folder>Werk<Server><Host>sftp.werk.nl</Host><Protocol>1</Protocol><User>w</User>"
                       "<Pass encoding=\"base64\">bmlldXc=</Pass><Name>Werk</Name></Server></Folder>"
                       "<Server><Host>x</Host><Protocol>42</Protocol><Name>Raar</Name></Server>"
                       "<Server><Host>ftp.b.nl</Host><Protocol>4</Protocol><User>b</User><Pass>plat</Pass>"
                       "<Name>B</Name></Server>"
                       "</Servers></FileZilla3>");
    auto venster = Starten();
    const QByteArray voor = Lezen(Cfg());
    BestandskeuzeScope keuze([&](const Bestandskeuze&) { return QStringList{bestand}; });
    MetModaal(
        "frmImporteren", [&] { venster->menus().mnuServersImporteren->trigger(); return 0; },
        [&](QDialog& d) {
            auto& frm = static_cast<FrmImporteren&>(d);
            QTreeWidget* lijst = frm.lijst();
            ASSERT_EQ(lijst->topLevelItemCount(), 4);
            // The one already saved, unchecked and renamed; the new one checked; the refused one
            // cannot be checked and says why.
            EXPECT_EQ(lijst->topLevelItem(0)->text(0), QStringLiteral("Thuis (2)"));
            EXPECT_EQ(lijst->topLevelItem(0)->checkState(0), Qt::Unchecked);
            EXPECT_EQ(lijst->topLevelItem(1)->checkState(0), Qt::Checked);
            EXPECT_FALSE(lijst->topLevelItem(2)->flags() & Qt::ItemIsUserCheckable);
            EXPECT_TRUE(lijst->topLevelItem(2)->text(6).contains(QStringLiteral("42")));
            EXPECT_EQ(Lezen(Cfg()), voor); // nothing written yet
            QTest::mouseClick(frm.knopImporteren(), Qt::LeftButton);
        });
    ServerRecord werk{"Werk", "sftp.werk.nl", "w", "", "22", ""};
    werk.Sftp = true;
    ServerRecord b{"B", "ftp.b.nl", "b", "", "21", ""};
    b.Tls = TlsKeuze::Alleen;
    EXPECT_EQ(ServerRegels(), (QStringList{ServerRecordRegel(b), ServerRecordRegel(thuis), ServerRecordRegel(werk)}));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(werk)).wachtwoord, QStringLiteral("nieuw"));
    EXPECT_EQ(bos.lezen(SleutelbosSleutel(b)).wachtwoord, QStringLiteral("plat"));
    EXPECT_GE(venster->ui().cboVerbindingenFtp->findText(QStringLiteral("Werk")), 0);
}

} // namespace
} // namespace Vamox::Test
