#pragma once

class TControlSubClass;

// Check boxes, radio buttons and up-down controls. Each draws on
// record.Canvas() over what the control painted itself.
void PaintCheckBox(TControlSubClass &record);
void PaintRadioButton(TControlSubClass &record);
void PaintUpDown(TControlSubClass &record);
