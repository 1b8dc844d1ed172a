#include "toolkit/gdi/Colors.h"

#include "toolkit/gdi/SystemColors.h"

TColor ColorToRGB(TColor color)
{
    return IsSystemColor(color) ? GetSysColor(SystemColorIndex(color)) : color;
}

QRgb ToQRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QColor ToQColor(TColor color)
{
    return QColor(ToQRgb(color));
}

TColor FromQRgb(QRgb rgb)
{
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TColor FromQColor(const QColor &color)
{
    return RGB(color.red(), color.green(), color.blue());
}
