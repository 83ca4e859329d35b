#pragma once

#include "dialogs/Msg.h"
#include "dialogs/Twips.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <functional>

namespace Vamox::Test {

// The modal window named `naam` once it is shown and active, else nullptr.
inline QWidget* ActiefModaal(const char* naam)
{
    QWidget* venster = QApplication::activeModalWidget();
    if (venster == nullptr || venster->objectName() != QLatin1String(naam) || !venster->isVisible() ||
        QApplication::activeWindow() != venster)
        return nullptr;
    return venster;
}

// Runs `toon` (which opens a modal window and waits for it) and, once the window named `naam` is
// up, `actie` on it; returns what `toon` returned.
inline int MetModaal(const char* naam, const std::function<int()>& toon,
                     const std::function<void(QDialog&)>& actie)
{
    bool gedaan = false;
    QTimer wacht;
    wacht.setInterval(5);
    QObject::connect(&wacht, &QTimer::timeout, [&] {
        auto* venster = qobject_cast<QDialog*>(ActiefModaal(naam));
        if (gedaan || venster == nullptr) return;
        gedaan = true;
        wacht.stop();
        actie(*venster);
    });
    wacht.start();
    return toon();
}

inline int MetVenster(const MOpties& opties, const std::function<void(QDialog&)>& actie)
{
    return MetModaal(
        "Msg", [&] { return M(opties); }, actie);
}

inline void Toets(QWidget* ontvanger, Qt::Key toets, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(ontvanger, toets, mods);
}

// A key as the user types it: delivered to the focused control, not to the window.
inline void ToetsInFocus(Qt::Key toets)
{
    Toets(QApplication::focusWidget(), toets);
}

// A fixed-size window offers its close button only.
inline bool AlleenSluitknop(const QWidget& venster)
{
    const Qt::WindowFlags vlaggen = venster.windowFlags();
    return vlaggen.testFlag(Qt::CustomizeWindowHint) && vlaggen.testFlag(Qt::WindowCloseButtonHint) &&
           !(vlaggen & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

template <typename T> T* Kind(QDialog& venster, const char* naam)
{
    return venster.findChild<T*>(QLatin1String(naam));
}

// A control's rectangle in twips, in the window's client coordinates.
inline QRect TwipsVan(QWidget* widget)
{
    return TwipsSchaal::Van(widget).NaarTwips(widget->geometry());
}

} // namespace Vamox::Test
