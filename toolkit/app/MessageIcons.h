#pragma once

#include "toolkit/app/MessageBoxTypes.h"
#include "toolkit/gdi/Geometry.h"

class TCanvas;

// The icons of the message boxes, 32 x 32 pixels.
constexpr int kMessageIconSize = 32;

// Draws the icon with its top-left corner at origin; TMsgIcon::None draws
// nothing.
void DrawMessageIcon(TCanvas &canvas, TPoint origin, TMsgIcon icon);
