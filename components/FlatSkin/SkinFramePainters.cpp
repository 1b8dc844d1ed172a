#include "components/FlatSkin/SkinFramePainters.h"

#include "components/FlatSkin/ControlSubClass.h"

void PaintComboFrame(TControlSubClass &)
{
}

void PaintLookupComboFrame(TControlSubClass &)
{
}

void PaintRichEditFrame(TControlSubClass &)
{
}

void PaintEditFrame(TControlSubClass &)
{
}

void PaintListFrame(TControlSubClass &)
{
}

void PaintProgressBarFrame(TControlSubClass &)
{
}

void PaintHotKeyFrame(TControlSubClass &)
{
}
