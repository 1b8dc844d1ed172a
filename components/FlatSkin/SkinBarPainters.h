#pragma once

#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/CustomDrawState.h"

class QWidget;
class TSkinLook;
class TToolBar;
class TToolButton;

// The flat look of tool bars and control bars, in the menus' colours. Both
// take the drawing over completely: the tool bar's and the control bar's own
// painting is switched off for what they draw.

// One tool button on its tool bar's canvas: a lightened face, the hot,
// checked or indeterminate fill with the selection frame, the glyph, the
// caption and the gap of a separator just before it.
void DrawToolButton(TSkinLook &Skin, TToolBar &ToolBar, TToolButton &Button, TCustomDrawState State, bool &DefaultDraw);
// One band of a control bar: a plain face and a grip of short dashes on
// every other row, fading darker downwards.
void DrawBandGrip(TSkinLook &Skin, TControlBar &ControlBar, QWidget *Control, TCanvas &Canvas, TRect &ARect,
                  TBandPaintOptions &Options);
