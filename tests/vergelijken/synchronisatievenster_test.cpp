#include "ftp/FtpSession.h"
#include "support/FtpTestServer.h"
#include "support/Wachten.h"
#include "transfer/Wachtrij.h"
#include "vergelijken/gui/Synchronisatiemodel.h"
#include "vergelijken/gui/Synchronisatievenster.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// The window driven as a person does: it compares the pair as it opens, a row is switched off
// with the keyboard, "Uitvoeren" is clicked, and only the rows that stayed on reach the server
// through the transfer queue.

using namespace Vamox;

TEST(Synchronisatievenster, AangevinkteRijenNaarDeWachtrij)
{
    Vamox::Test::FtpTestServer server;
    ASSERT_TRUE(server.start()) << server.fout().toStdString();
    server.maakMap(QStringLiteral("site"));
    FtpSession sessie;
    ASSERT_TRUE(sessie.FtpVerbindingOpenen(server.gegevens()));
    Wachtrij wachtrij(sessie);
    QTemporaryDir lokaal, cfg;
    for (const char* naam : {"a.txt", "b.txt"}) {
        QFile f(lokaal.filePath(QString::fromLatin1(naam)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(naam) > 0);
    }
    Synchronisatievenster::Gegevens g;
    g.aanmelding = sessie.aanmelding();
    g.paar = {lokaal.path() + u'/', QStringLiteral("/site/")};
    g.staatMap = cfg.path();
    g.serverNaam = QStringLiteral("Test");
    Synchronisatievenster venster(wachtrij, g);
    venster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&venster));
    auto* uitvoeren = venster.findChild<QPushButton*>(QStringLiteral("knopUitvoeren"));
    auto* lijst = venster.findChild<QTableView*>(QStringLiteral("lstSynchronisatie"));
    ASSERT_TRUE(uitvoeren && lijst);
    ASSERT_TRUE(Vamox::Test::WachtTot([&] { return uitvoeren->isEnabled(); }, 30000));
    ASSERT_EQ(venster.Model().rowCount(), 2);
    const auto& regels = venster.Model().Regels();
    const int b = regels[0].naam == QStringLiteral("b.txt") ? 0 : 1;

    // A click on the row's action word, then Space where the keys go, switches it off.
    const QRect vak = lijst->visualRect(venster.Model().index(b, Synchronisatiemodel::Actie));
    QTest::mouseClick(lijst->viewport(), Qt::LeftButton, {}, vak.center() + QPoint(vak.width() / 4, 0));
    ASSERT_EQ(QApplication::focusWidget(), lijst);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_FALSE(regels[std::size_t(b)].aan);
    // Nothing changed on the server before this.
    EXPECT_TRUE(server.lees(QStringLiteral("site/a.txt")).isEmpty());

    QTest::mouseClick(uitvoeren, Qt::LeftButton);
    ASSERT_FALSE(wachtrij.Klussen().empty());
    ASSERT_TRUE(Vamox::Test::WachtTot([&] { return wachtrij.Stil(); }, 30000));
    EXPECT_EQ(server.lees(QStringLiteral("site/a.txt")), "a.txt");
    EXPECT_FALSE(QFile::exists(server.pad(QStringLiteral("site/b.txt"))));
    EXPECT_EQ(wachtrij.Klussen().size(), 1u);
    EXPECT_FALSE(QDir(cfg.path()).entryList({QStringLiteral("sync-*.staat")}).isEmpty());
}
