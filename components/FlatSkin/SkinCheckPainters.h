#pragma once

struct TControlPaint;

// Check boxes, radio buttons and up-down controls. Each draws on
// paint.canvas over what the control painted itself.
void PaintCheckBox(const TControlPaint &paint);
void PaintRadioButton(const TControlPaint &paint);
void PaintUpDown(const TControlPaint &paint);
