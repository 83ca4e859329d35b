#pragma once

#include "dialogs/Twips.h"
#include "mainwindow/FrmFtp.h"
#include "mainwindow/Indeling.h"
#include "panes/gui/LokaalPaneel.h"
#include "panes/gui/ServerPaneel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace Vamox::Test {

// A shown main window, waited for until the platform has placed it. The program is not started
// (no configuration file, no work folder, no connection); the lists fill when asked.
inline std::unique_ptr<FrmFtp> GetoondVenster()
{
    auto venster = std::make_unique<FrmFtp>();
    venster->toestand().VullenToegestaan = true;
    venster->toestand().InvoerToegestaan = true;
    venster->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(venster.get()));
    return venster;
}

inline TwipsSchaal Schaal()
{
    return TwipsSchaal::Van(QGuiApplication::primaryScreen());
}

// Resizes the window's client area by the given twips (whole pixels) and waits until the
// controls have followed; false when that did not happen.
inline bool ClientVergroten(FrmFtp& venster, int dxTwips, int dyTwips)
{
    const TwipsSchaal schaal = Schaal();
    const QSize doel = venster.size() + QSize(schaal.NaarPixelsX(dxTwips), schaal.NaarPixelsY(dyTwips));
    venster.resize(doel);
    return QTest::qWaitFor([&] {
        const Toestand& t = venster.toestand();
        return venster.size() == doel &&
               schaal.NaarTwipsX(venster.ui().centraal->width()) == t.Vensterbreedte &&
               schaal.NaarTwipsY(venster.ui().centraal->height()) == t.Vensterhoogte;
    });
}

} // namespace Vamox::Test
