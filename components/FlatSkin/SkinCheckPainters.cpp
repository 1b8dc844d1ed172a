#include "components/FlatSkin/SkinCheckPainters.h"

#include "components/FlatSkin/ControlSubClass.h"

void PaintCheckBox(TControlSubClass &)
{
}

void PaintRadioButton(TControlSubClass &)
{
}

void PaintUpDown(TControlSubClass &)
{
}
