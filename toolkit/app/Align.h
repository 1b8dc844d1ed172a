#pragma once

class QWidget;

// Docking of controls to the edges of their parent, declared in a layout as
// the dynamic property "Align" of a control: "alTop", "alBottom", "alLeft",
// "alRight" or "alClient" (anything else, or none, leaves the control where
// it is). Edge controls keep their height (top, bottom) or width (left,
// right) and stack inwards in the order of their position; the client
// control takes what is left.
void AlignControls(QWidget *parent);
