#pragma once

struct TControlPaint;

// Group boxes and panels. Each draws on paint.canvas over what the
// control painted itself.
void PaintPanel(const TControlPaint &paint);
void PaintGroupBox(const TControlPaint &paint);
