#pragma once

#include "components/FlatBtn/FlatBtnTypes.h"
#include "toolkit/gdi/Colors.h"

class TCanvas;

struct TFlatBtnOutlineColors {
    TColor Inactive;
    TColor Active;
    TColor ActiveOutline;
    TColor ActiveOutline2;
};

// Draws the hand-made outline of a push button of the given size: cut
// corners or rounded corners, by mouse state (PressedAway draws as Normal).
// Lines leave out their end points; dots set single pixels; later steps
// cover earlier ones.
void DrawFlatBtnOutline(TCanvas &canvas, int width, int height, bool cutCornerLook, TFlatBtnMouseState state,
                        const TFlatBtnOutlineColors &colors);
