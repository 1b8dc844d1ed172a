#include "toolkit/app/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// The start of a span kept within the area's span; a longer span keeps its
// end inside when keepEnd holds, its start otherwise.
int FitSpan(int start, int length, int areaStart, int areaLength, bool keepEnd)
{
    if (length <= areaLength)
        return std::clamp(start, areaStart, areaStart + areaLength - length);
    return keepEnd ? areaStart + areaLength - length : areaStart;
}

} // namespace

QRect FitCaptionOnScreen(QRect window, const QRect &area, bool sizeable)
{
    if (sizeable)
        window.setSize(window.size().boundedTo(area.size()));
    window.moveLeft(FitSpan(window.left(), window.width(), area.left(), area.width(), true));
    window.moveTop(FitSpan(window.top(), window.height(), area.top(), area.height(), false));
    return window;
}

QScreen *ScreenOfWindow(const QRect &window)
{
    if (QScreen *screen = QGuiApplication::screenAt(window.center()))
        return screen;
    return QGuiApplication::primaryScreen();
}
