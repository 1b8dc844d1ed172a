#pragma once

#include <QRect>

class QScreen;

// Where a window goes so that its caption lies inside the screen's available
// area. A window that fits stays wholly inside the area. A sizeable window
// larger than the area is narrowed and shortened to it, so that nothing of
// it is out of reach. A window of fixed size that is larger keeps its top
// (the caption) and its right end (the close box) inside and leaves its left
// part or its bottom off the screen: the close box is the one thing of such a
// window that a mouse must always reach.
QRect FitCaptionOnScreen(QRect window, const QRect &area, bool sizeable);

// The screen under the window's middle, or the primary one.
QScreen *ScreenOfWindow(const QRect &window);
