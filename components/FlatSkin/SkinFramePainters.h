#pragma once

class TControlSubClass;

// The flat one-pixel frames of input controls: edits, rich edits, combo
// boxes, lookup combo boxes, lists, progress bars and hot-key fields. Each
// draws on record.Canvas() over what the control painted itself.
void PaintComboFrame(TControlSubClass &record);
void PaintLookupComboFrame(TControlSubClass &record);
void PaintRichEditFrame(TControlSubClass &record);
void PaintEditFrame(TControlSubClass &record);
void PaintListFrame(TControlSubClass &record);
void PaintProgressBarFrame(TControlSubClass &record);
void PaintHotKeyFrame(TControlSubClass &record);
