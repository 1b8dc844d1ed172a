#pragma once

struct TControlPaint;

// The flat one-pixel frames of input controls: edits, rich edits, combo
// boxes, lookup combo boxes, lists, progress bars and hot-key fields. Each
// draws on paint.canvas over what the control painted itself.
void PaintComboFrame(const TControlPaint &paint);
void PaintLookupComboFrame(const TControlPaint &paint);
void PaintRichEditFrame(const TControlPaint &paint);
void PaintEditFrame(const TControlPaint &paint);
void PaintListFrame(const TControlPaint &paint);
void PaintProgressBarFrame(const TControlPaint &paint);
void PaintHotKeyFrame(const TControlPaint &paint);
