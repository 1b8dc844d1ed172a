#pragma once

class TControlSubClass;

// Push buttons, bit buttons and speed buttons. Each draws on
// record.Canvas() over what the control painted itself.
void PaintBitBtn(TControlSubClass &record);
void PaintButton(TControlSubClass &record);
void PaintSpeedButton(TControlSubClass &record);
