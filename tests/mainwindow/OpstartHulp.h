#pragma once

#include "config/ServerRecord.h"
#include "dialogs/DialoogSeam.h"
#include "ftp/FtpSession.h"
#include "mainwindow/FrmFtp.h"
#include "mainwindow/Opstarten.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"
#include "platform/gui/Toetsenbord.h"
#include "support/FtpTestServer.h"
#include "support/Wachten.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

inline void PrintTo(const QString& s, std::ostream* uit)
{
    *uit << '"' << s.toStdString() << '"';
}

namespace Vamox::Test {

inline QByteArray Lezen(const QString& pad)
{
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void Schrijven(const QString& pad, const QByteArray& inhoud)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(pad).absolutePath()));
    QFile::setPermissions(pad, QFile::ReadOwner | QFile::WriteOwner);
    QFile f(pad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhoud);
}

// A saved server line for a test server, its password kept in the file by the user's choice.
inline QString ServerRegel(const QString& naam, const FtpTestServer& server, const QString& wachtwoord = {})
{
    ServerRecord r{naam, server.host(), server.opties().gebruiker,
                   wachtwoord.isEmpty() ? server.opties().wachtwoord : wachtwoord, QString::number(server.poort()),
                   QString()};
    r.Plek = Wachtwoordplek::Bestand;
    return ServerRecordRegel(r);
}

// One run of the program inside a temp folder: its configuration file, its work folder, the
// folder it is started in, and its executable (a copy of a small system program, so that the
// test can run "other copies" of it). Every question is recorded and answered from a queue.
class StartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        startmap = tmp.path() + QStringLiteral("/start/");
        ASSERT_TRUE(QDir().mkpath(startmap + QStringLiteral("sub")));
        Schrijven(startmap + QStringLiteral("hier.txt"), "x");
        vorigeMap = QDir::currentPath();
        QDir::setCurrent(startmap);
        programma = tmp.path() + QStringLiteral("/bin/vamox");
        ASSERT_TRUE(QDir().mkpath(tmp.path() + QStringLiteral("/bin")));
        ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), programma));
        Omgeving(programma);
    }

    void TearDown() override { QDir::setCurrent(vorigeMap); }

    void Omgeving(const QString& programmaPad)
    {
        omgeving.reset();
        omgeving.emplace(ProgrammaOmgeving{programmaPad, Cfg(), Werkmap()});
    }

    QString Cfg() const { return tmp.path() + QStringLiteral("/vamox.cfg"); }
    QString Werkmap() const { return tmp.path() + QStringLiteral("/FtpTijdelijk"); }

    // The configuration file, each line ended by CR LF.
    void Bestand(const QStringList& regels)
    {
        QByteArray inhoud;
        for (const QString& r : regels)
            inhoud += r.toUtf8() + "\r\n";
        Schrijven(Cfg(), inhoud);
    }

    // Loads the window with these keys held, and shows it when asked.
    std::unique_ptr<FrmFtp> Starten(Qt::KeyboardModifiers toetsen = {}, bool tonen = true)
    {
        std::unique_ptr<FrmFtp> venster;
        {
            ToetsenbordVoorTest gehouden(toetsen);
            venster = std::make_unique<FrmFtp>();
            venster->Starten();
        }
        if (tonen) {
            venster->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(venster.get()));
            QCoreApplication::processEvents(); // what waits for the window to show
        }
        return venster;
    }

    // Closes the window, answering the questions in order; true when it closed.
    bool Sluiten(FrmFtp& venster, std::initializer_list<int> antwoorden)
    {
        for (int a : antwoorden)
            vragen.Antwoord(a);
        return venster.close();
    }

    QTemporaryDir tmp;
    QString startmap; // the current folder of the run, with a trailing "/"
    QString vorigeMap;
    QString programma;
    std::optional<ProgrammaOmgevingVoorTest> omgeving;
    DialoogOpnemer vragen;
};

} // namespace Vamox::Test
