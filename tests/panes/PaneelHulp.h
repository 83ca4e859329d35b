#pragma once

#include "LijstHulp.h"
#include "PanesTestHulp.h"

#include "config/ServerRecord.h"
#include "dialogs/DialoogSeam.h"
#include "mainwindow/Verbinding.h"
#include "mainwindow/VensterHulp.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/Navigatie.h"
#include "panes/gui/ServerPaneel.h"
#include "support/FtpTestServer.h"
#include "support/Wachten.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace Vamox::Test {

// A shown main window, a dialog recorder that answers every question, and helpers to drive the
// two panes the way a user does.
class PaneelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        venster = GetoondVenster();
        venster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(venster.get()));
    }

    VensterUi& ui() { return venster->ui(); }
    Toestand& t() { return venster->toestand(); }
    FtpSession& sessie() { return venster->toestand().sessie; }

    // A saved server as the configuration would give it, offered in the server box.
    void ServerOpslaan(const QString& naam, const FtpTestServer& server, const QString& wachtwoord = {})
    {
        ServerRecord r{naam,
                       server.host(),
                       server.opties().gebruiker,
                       wachtwoord.isEmpty() ? server.opties().wachtwoord : wachtwoord,
                       QString::number(server.poort()),
                       QString()};
        // Kept in the file: these tests are not about the keyring.
        r.Plek = Wachtwoordplek::Bestand;
        t().ServerLijst.push_back(ServerRecordRegel(r));
        ui().cboVerbindingenFtp->addItem(naam);
        venster->serverPaneel().ServerkeuzeWissen();
    }

    // Picks a server in the box's drop-down list with the keyboard (the box connects at once).
    void Kiezen(const QString& naam)
    {
        QComboBox* vak = ui().cboVerbindingenFtp;
        const int plek = vak->findText(naam);
        ASSERT_GE(plek, 0) << naam.toStdString();
        vak->showPopup();
        ASSERT_TRUE(WachtTot([&] { return vak->view()->isVisible(); }));
        vak->view()->setCurrentIndex(vak->model()->index(plek, 0));
        QTest::keyClick(vak->view(), Qt::Key_Return);
        ASSERT_TRUE(WachtTot([&] { return !vak->view()->isVisible(); }));
        // The offscreen platform does not hand the activation back when the list closes.
        venster->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(venster.get()));
    }

    // Types a folder into a folder box (replacing its text) and optionally presses Enter.
    void Typen(QLineEdit* vak, const QString& tekst, bool enter)
    {
        vak->setFocus();
        QCoreApplication::processEvents(); // the box selects its text once it has the focus
        vak->selectAll();
        QTest::keyClick(vak, Qt::Key_Backspace);
        QTest::keyClicks(vak, tekst);
        if (enter) QTest::keyClick(vak, Qt::Key_Return);
    }

    // A double click on the row of a list that bears this name.
    void Dubbelklik(LijstWeergave& lijst, const QString& naam)
    {
        const int rij = RijVan(lijst, naam);
        ASSERT_GE(rij, 0) << naam.toStdString();
        const QRect plek = lijst.visualRect(lijst.lijstModel().index(rij, 0));
        QTest::mouseClick(lijst.viewport(), Qt::LeftButton, {}, plek.center());
        QTest::mouseDClick(lijst.viewport(), Qt::LeftButton, {}, plek.center());
    }

    static int RijVan(const LijstWeergave& lijst, const QString& naam)
    {
        const std::vector<ListRow>& rijen = lijst.lijstModel().Rijen();
        for (std::size_t i = 0; i < rijen.size(); ++i)
            if (rijen[i].naam == naam) return static_cast<int>(i);
        return -1;
    }

    static QString GeselecteerdeNaam(const LijstWeergave& lijst)
    {
        const int rij = GeselecteerdeRij(lijst);
        return rij < 0 ? QString() : lijst.lijstModel().Rij(rij).naam;
    }

    static QStringList Iconen(const LijstWeergave& lijst)
    {
        QStringList uit;
        for (const ListRow& r : lijst.lijstModel().Rijen())
            uit << r.icoonSleutel;
        return uit;
    }

    static QStringList Lijst(const QComboBox& vak)
    {
        QStringList uit;
        for (int i = 0; i < vak.count(); ++i)
            uit << vak.itemText(i);
        return uit;
    }

    std::unique_ptr<FrmFtp> venster;
    DialoogOpnemer vragen;
};

// A folder tree on disk from relative paths: a trailing "/" makes a folder, anything else a file
// with its name as content.
inline void Maken(const QString& root, const QStringList& paden)
{
    for (const QString& p : paden) {
        if (p.endsWith(u'/')) {
            ASSERT_TRUE(QDir().mkpath(root + u'/' + p));
        } else {
            ASSERT_TRUE(QDir().mkpath(QFileInfo(root + u'/' + p).absolutePath()));
            QFile f(root + u'/' + p);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(p.toUtf8());
        }
    }
}

} // namespace Vamox::Test
