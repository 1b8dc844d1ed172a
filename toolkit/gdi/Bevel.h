#pragma once

#include "toolkit/gdi/Colors.h"
#include "toolkit/gdi/Geometry.h"

class TCanvas;

// Draws `width` nested one-pixel bevel lines inside `rect`: the top and left
// edges in `topLeft`, the bottom and right edges in `bottomRight` (which
// owns the top-right and bottom-left corner pixels). On return `rect` is the
// area inside the bevel.
void Frame3D(TCanvas &canvas, TRect &rect, TColor topLeft, TColor bottomRight, int width);
