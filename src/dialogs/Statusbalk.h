#pragma once

class QStatusBar;
class QWidget;

namespace Vamox {

// The main window's status bar is shared: the progress of the transfers and the counts of a
// comparison each put their widgets in it and show or hide them. The bar is there only while one
// of them shows, and takes its room from inside the window, whose size stays.

// Puts `deel` in the bar (hidden until it is shown with StatusbalkDeelTonen); `permanent`: at the
// right, as QStatusBar::addPermanentWidget.
void StatusbalkDeel(QStatusBar& balk, QWidget& deel, int rek, bool permanent);
// Shows or hides a part, and the bar with it as needed.
void StatusbalkDeelTonen(QStatusBar& balk, QWidget& deel, bool tonen);

} // namespace Vamox
