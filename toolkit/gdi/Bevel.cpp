#include "toolkit/gdi/Bevel.h"

#include "toolkit/gdi/Canvas.h"

void Frame3D(TCanvas &canvas, TRect &rect, TColor topLeft, TColor bottomRight, int width)
{
    canvas.Save();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetMode(pmCopy);
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        canvas.Pen().SetColor(topLeft);
        canvas.MoveTo(rect.Left, rect.Bottom - 2);
        canvas.LineTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Top);
        canvas.Pen().SetColor(bottomRight);
        canvas.MoveTo(rect.Right - 1, rect.Top);
        canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
        canvas.LineTo(rect.Left - 1, rect.Bottom - 1);
        rect = rect.Inflated(-1, -1);
    }
    canvas.Restore();
}
