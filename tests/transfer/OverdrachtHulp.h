#pragma once

#include "panes/PaneelHulp.h"
#include "panes/SelectieHulp.h"

#include "transfer/gui/Bestandsoverdracht.h"
#include "transfer/gui/Mapoverdracht.h"
#include "transfer/gui/Voortgangsweergave.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStatusBar>

#include <deque>
#include <functional>

namespace Vamox::Test {

// Waits until the transfer queue of every main window is still: what was handed to it has moved,
// and its end been told.
inline bool AlleOverdrachtenKlaar()
{
    return WachtTot(
        [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* venster = qobject_cast<FrmFtp*>(w); venster && !venster->toestand().wachtrij.Stil())
                    return false;
            return true;
        },
        60000);
}

// A shown main window connected to a real server, a local folder of its own shown on the left,
// a work folder of its own, and questions answered from a queue (then as Enter would), with a
// hook that runs inside each question while the flow waits for the answer.
class OverdrachtTest : public PaneelTest
{
protected:
    void SetUp() override
    {
        PaneelTest::SetUp();
        ASSERT_TRUE(lokaal.isValid());
        ASSERT_TRUE(werk.isValid());
        t().TijdelijkeMap = werk.path();
        LokaalTonen(lokaal.path());
    }

    void Verbinden(FtpServerOpties opties = {})
    {
        server = std::make_unique<FtpTestServer>(std::move(opties));
        ASSERT_TRUE(server->start()) << server->fout().toStdString();
        ServerOpslaan(QStringLiteral("testserver"), *server);
    }
    void Kiezen()
    {
        PaneelTest::Kiezen(QStringLiteral("testserver"));
        ASSERT_TRUE(venster->serverPaneel().Verbonden());
    }

    void LokaalTonen(const QString& map)
    {
        Typen(ui().MapLokaal, map + u'/', true);
        ASSERT_EQ(venster->lokaalPaneel().HuidigeLokalemap(), map + u'/');
    }
    void ServerTonen(const QString& map)
    {
        Typen(ui().MapFtp, map, true);
        ASSERT_TRUE(
            WachtTot([&] { return venster->serverPaneel().HuidigeServermap() == map && !sessie().bezig(); }));
    }

    // Clicks on the rows of these names, the later ones with Ctrl held.
    void Selecteren(LijstWeergave& lijst, const QStringList& namen)
    {
        for (qsizetype i = 0; i < namen.size(); ++i) {
            const int rij = RijVan(lijst, namen[i]);
            ASSERT_GE(rij, 0) << namen[i].toStdString();
            const QRect plek = lijst.visualRect(lijst.lijstModel().index(rij, 0));
            QTest::mouseClick(lijst.viewport(), Qt::LeftButton, i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                              plek.center());
        }
        ASSERT_EQ(GeselecteerdeNamenVan(lijst), namen);
    }

    // A click on a button; what it hands to the transfer queue has moved, and been told, when it
    // returns.
    void Klik(QAbstractButton* knop)
    {
        QTest::mouseClick(knop, Qt::LeftButton);
        Overdrachtenklaar();
    }
    void Overdrachtenklaar() { ASSERT_TRUE(AlleOverdrachtenKlaar()); }

    QString L(const QString& rel) const { return lokaal.filePath(rel); }
    static QByteArray Lees(const QString& pad)
    {
        QFile f(pad);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ontbreekt>");
    }
    static void Schrijf(const QString& pad, const QByteArray& inhoud)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(pad).absolutePath()));
        QFile f(pad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(inhoud), inhoud.size());
    }
    QString Context() const
    {
        return venster->ui().MapLokaal->text() + QChar(15) + QStringLiteral("testserver") + QChar(15) +
               venster->serverPaneel().HuidigeServermap();
    }

    QStringList Teksten() const
    {
        QStringList uit;
        for (const DialoogVraag& v : gesteld)
            uit << v.opties.Tekst;
        return uit;
    }
    // The status bar with the progress: there only while a run goes on, and then whole.
    bool VoortgangZichtbaar() const
    {
        const QStatusBar* balk = venster->statusBar();
        if (!balk->isVisible()) return false;
        EXPECT_TRUE(venster->voortgang().Regel().isVisible());
        EXPECT_TRUE(venster->rect().contains(balk->geometry()));
        EXPECT_GE(balk->height(), balk->sizeHint().height());
        return true;
    }
    QString VoortgangRegel() const { return venster->voortgang().Regel().text(); }

    QTemporaryDir lokaal;
    QTemporaryDir werk;
    std::unique_ptr<FtpTestServer> server;

    std::deque<int> antwoorden;                        // then: the Enter button of the question
    std::vector<DialoogVraag> gesteld;                 // every question, in order
    std::function<void(const DialoogVraag&)> bijVraag; // runs inside the question
    DialoogAntwoorderScope antwoorder{[this](const DialoogVraag& v) {
        gesteld.push_back(v);
        if (bijVraag) bijVraag(v);
        if (!antwoorden.empty()) {
            const int a = antwoorden.front();
            antwoorden.pop_front();
            return a;
        }
        return v.opties.Codes.section(u'+', 0, 0).toInt();
    }};
};

} // namespace Vamox::Test
