#pragma once

struct TControlPaint;

// Push buttons, bit buttons and speed buttons. Each draws on
// paint.canvas over what the control painted itself.
void PaintBitBtn(const TControlPaint &paint);
void PaintButton(const TControlPaint &paint);
void PaintSpeedButton(const TControlPaint &paint);
