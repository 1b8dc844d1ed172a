#include "components/FlatSkin/SkinPanelPainters.h"

#include "components/FlatSkin/ControlSubClass.h"

void PaintPanel(TControlSubClass &)
{
}

void PaintGroupBox(TControlSubClass &)
{
}
