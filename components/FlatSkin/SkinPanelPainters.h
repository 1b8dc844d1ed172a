#pragma once

class TControlSubClass;

// Group boxes and panels. Each draws on record.Canvas() over what the
// control painted itself.
void PaintPanel(TControlSubClass &record);
void PaintGroupBox(TControlSubClass &record);
