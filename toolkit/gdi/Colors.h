#pragma once

#include "toolkit/gdi/ColorValue.h"

#include <QColor>

// Colour values as the painters use them: resolved through the system-colour
// table and converted to and from Qt.

// Resolves a system colour to its current RGB value (an unknown index gives
// black); any other value is returned unchanged.
TColor ColorToRGB(TColor color);

// The colour as Qt sees it: resolved, opaque, the high byte ignored.
QColor ToQColor(TColor color);
QRgb ToQRgb(TColor color);
TColor FromQRgb(QRgb rgb);
TColor FromQColor(const QColor &color);
