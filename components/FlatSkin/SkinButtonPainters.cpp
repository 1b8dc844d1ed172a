#include "components/FlatSkin/SkinButtonPainters.h"

#include "components/FlatSkin/ControlSubClass.h"

void PaintBitBtn(TControlSubClass &)
{
}

void PaintButton(TControlSubClass &)
{
}

void PaintSpeedButton(TControlSubClass &)
{
}
