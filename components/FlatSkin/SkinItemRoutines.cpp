#include "components/FlatSkin/SkinItemRoutines.h"

#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/menus/MenuItem.h"

#include <QCursor>
#include <QWidget>

#include <algorithm>

namespace {

// Shadowed bar selection: the fading shadow band right of the frame.
constexpr int kShadowBand = 7;
constexpr int kShadowFrameInset = 8;
constexpr int kShadowDarken1 = 10;
constexpr int kShadowDarken2 = 30;
constexpr int kShadowDarken3 = 60;
constexpr int kShadowDarken4 = 100;
constexpr int kShadowRoundDarken = 40;
// Plain bar selection: a two-pixel shadow.
constexpr int kPlainShadowWidth = 2;
constexpr int kPlainShadowDarken = 70;

constexpr int kRadioCorner = 6;
constexpr int kRadioDotInset = 2;

constexpr int kEmbossDarken1 = 30;
constexpr int kEmbossDarken2 = 40;
constexpr int kEmbossDarken3 = 60;
constexpr int kShortCutInset = 10;

constexpr int kGlyphDisabledLighten = 40;
constexpr int kGlyphShadowOffset = 2;
constexpr int kGlyphShadowDarken = 50;
constexpr int kToolHotLighten = 68;

constexpr int kContrastRedBlue = 150;
constexpr int kContrastGreen = 200;
constexpr int kContrastLighten = 90;

constexpr int kGradientBandExtra = 5;
constexpr int kGradientBandStep = 3;
constexpr int kGradientStep = 1;
constexpr int kGradientMost = 96;

void FillSolid(TCanvas &canvas, const TRect &r, TColor color)
{
    canvas.Pen().SetColor(color);
    canvas.FillSolidRect(r, color);
}

// The colours of a check or radio mark: pen, and the brush when enabled.
void SetMarkColors(TSkinLook &skin, TCanvas &canvas, bool selected, bool enabled)
{
    const TSkinPalette &p = skin.Palette();
    canvas.Brush().SetStyle(bsSolid);
    if (enabled) {
        canvas.Pen().SetColor(p.SelectFrameColor);
        canvas.Brush().SetColor(selected ? p.CheckedSelectFillColor : p.CheckedFillColor);
    } else {
        canvas.Pen().SetColor(p.DisabledTextColor);
    }
}

// A disabled tool button's caption, drawn on a bitmap of the rectangle in
// the bitmap's own font.
void DrawDisabledToolCaption(TSkinLook &skin, const QString &caption, unsigned format, TRect r, TCanvas &canvas)
{
    r.Top += (r.Height() - canvas.TextHeight(QStringLiteral("W"))) / 2;
    if (r.IsEmpty())
        return;
    TBitmap bitmap(r.Width(), r.Height());
    TCanvas &bc = bitmap.Canvas();
    bc.Brush().SetStyle(bsSolid);
    bc.Brush().SetColor(canvas.Brush().Color());
    TRect area(0, 0, r.Width(), r.Height());
    bc.FillRect(area);
    bc.Brush().SetStyle(bsClear);
    bc.Font().SetColor(skin.Palette().DisabledTextColor);
    bc.DrawText(caption, area, format | DT_EXPANDTABS | DT_VCENTER);
    canvas.Draw(r.Left, r.Top, bitmap);
}

} // namespace

void DrawBarSelection(TSkinLook &skin, TSkinPart part, TCanvas &canvas, bool rightToLeft, TColor color,
                      const TRect &rect)
{
    const TSkinPalette &p = skin.Palette();
    const auto [L, T, R, B] = rect;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(p.SelectFillColor);
    canvas.FillRect(rect);
    canvas.Pen().SetColor(p.SelectFrameColor);
    if (!rightToLeft && skin.HighColorMode() && part == TSkinPart::MenuItem) {
        canvas.Polyline({{L, B - 1}, {L, T}, {R - kShadowFrameInset, T}, {R - kShadowFrameInset, B}});
        const TColor b = p.BarColor;
        FillSolid(canvas, TRect(R - kShadowBand, T, R, B), DarkenColor(b, kShadowDarken1));
        FillSolid(canvas, TRect(R - kShadowBand, T + 3, R - 2, B), DarkenColor(b, kShadowDarken2));
        FillSolid(canvas, TRect(R - kShadowBand, T + 5, R - 3, B), DarkenColor(b, kShadowDarken3));
        FillSolid(canvas, TRect(R - kShadowBand, T + 6, R - 5, B), DarkenColor(b, kShadowDarken4));
        // The shadow's top is rounded off.
        canvas.Pen().SetColor(b);
        canvas.Polyline({{R - 5, T + 1}, {R - 1, T + 1}, {R - 1, T + 6}});
        canvas.Polyline({{R - 3, T + 2}, {R - 2, T + 2}, {R - 2, T + 3}, {R - 3, T + 3}});
        canvas.Pen().SetColor(DarkenColor(b, kShadowDarken1));
        canvas.Polyline({{R - 6, T + 3}, {R - 3, T + 3}, {R - 3, T + 6}, {R - 4, T + 6}, {R - 4, T + 3}});
        canvas.Pen().SetColor(DarkenColor(b, kShadowDarken2));
        canvas.Polyline({{R - 5, T + 5}, {R - 4, T + 5}, {R - 4, T + 9}});
        canvas.Pen().SetColor(DarkenColor(b, kShadowRoundDarken));
        canvas.MoveTo(R - 6, T + 5);
        canvas.LineTo(R - 6, T + 7);
        return;
    }
    canvas.Polyline({{L, B - 1}, {L, T}, {R - 3, T}, {R - 3, B}});
    FillSolid(canvas, TRect(R - kPlainShadowWidth, T + 2, R, B), DarkenColor(color, kPlainShadowDarken));
    FillSolid(canvas, TRect(R - kPlainShadowWidth, T, R, T + 2), color);
}

void DrawCheckMark(TSkinLook &skin, const TMenuItem &item, bool selected, const TRect &mark, TCanvas &canvas,
                   bool hasGlyph, bool enabled)
{
    if (!item.Checked())
        return;
    const TSkinPalette &p = skin.Palette();
    SetMarkColors(skin, canvas, selected, enabled);
    if (item.RadioItem()) {
        if (hasGlyph) {
            canvas.RoundRect(mark.Left, mark.Top, mark.Right, mark.Bottom, kRadioCorner, kRadioCorner);
            return;
        }
        canvas.Ellipse(mark);
        canvas.Brush().SetColor(canvas.Pen().Color());
        canvas.Ellipse(mark.Inflated(-kRadioDotInset, -kRadioDotInset));
        return;
    }
    if (hasGlyph) {
        canvas.Rectangle(mark);
        return;
    }
    if (enabled)
        canvas.Pen().SetColor(p.CheckMarkColor);
    canvas.Rectangle(mark);
    canvas.Pen().SetColor(enabled ? clBlack : p.DisabledTextColor);
    const auto [L, T, R, B] = mark;
    const auto line = [&canvas](int x0, int y0, int x1, int y1) {
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    line(L + 1, T + 5, L + 4, B - 2);
    line(L + 2, T + 5, L + 4, B - 3);
    line(L + 2, T + 4, L + 5, B - 3);
    line(L + 4, B - 3, R + 2, T - 1);
    line(L + 4, B - 2, R - 2, T + 3);
}

void DrawItemText(TSkinLook &skin, TSkinPart part, const QString &caption, unsigned format, const TFont &font,
                  bool rightToLeft, bool barItem, bool defaultItem, bool enabled, bool selected, TRect rect,
                  TCanvas &canvas, const QString &shortCut)
{
    const TSkinPalette &p = skin.Palette();
    canvas.SetFont(font);
    TColor color = selected ? p.SelectTextColor : font.Color();
    if (!enabled) {
        color = p.DisabledTextColor;
        if (part == TSkinPart::ToolButton) {
            DrawDisabledToolCaption(skin, caption, format, rect, canvas);
            return;
        }
    }
    if (barItem && selected && skin.UseSystemColors())
        color = ContrastTextColor(skin, p.IconBarColor);
    canvas.Font().SetColor(color);
    canvas.Brush().SetStyle(bsClear);
    format |= DT_EXPANDTABS;
    if (defaultItem && enabled) {
        // Each pass darkens whatever lies under its rectangle's corner.
        const struct {
            TRect r;
            int darken;
        } passes[] = {
            {{rect.Left + 1, rect.Top, rect.Right, rect.Bottom}, kEmbossDarken1},
            {{rect.Left + 1, rect.Top + 2, rect.Right + 1, rect.Bottom}, kEmbossDarken1},
            {{rect.Left, rect.Top + 1, rect.Right, rect.Bottom}, kEmbossDarken2},
            {{rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom}, kEmbossDarken3},
        };
        for (auto pass : passes) {
            canvas.Font().SetColor(DarkenColor(canvas.Pixel(pass.r.Left, pass.r.Top), pass.darken));
            canvas.DrawText(caption, pass.r, format);
        }
        canvas.Font().SetColor(color);
    }
    TRect captionRect = rect;
    canvas.DrawText(caption, captionRect, format);
    if (shortCut.isEmpty())
        return;
    TRect shortCutRect = rect;
    if (rightToLeft)
        shortCutRect.Left += kShortCutInset;
    else
        shortCutRect.Right -= kShortCutInset;
    canvas.DrawText(shortCut, shortCutRect, rightToLeft ? DT_LEFT : DT_RIGHT);
}

void DrawItemGlyph(TSkinLook &skin, TSkinPart part, TCanvas &canvas, bool rightToLeft, bool barItem, bool checked,
                   bool enabled, bool down, bool selected, const TRect &rect, TBitmap *glyph)
{
    if (!glyph || glyph->Width() == 0)
        return;
    const TSkinPalette &p = skin.Palette();
    const int glyphWidth = glyph->Width();
    int x = rect.Left;
    int y = rect.Top + 1;
    if (part == TSkinPart::MenuItem) {
        y += 2;
        if (glyphWidth < skin.IconWidth())
            x = rect.Left + (skin.IconWidth() - glyphWidth) / 2 - 1;
        else
            x = rightToLeft ? rect.Right - glyphWidth - 2 : rect.Left + 2;
    }
    if (barItem)
        x = rightToLeft ? rect.Right - glyphWidth - 5 : rect.Left + 1;
    // A selected glyph rises towards the pointer, unless it is pressed or
    // sits in a check box.
    if (selected && barItem && enabled && !down) {
        x -= 1;
        y -= 2;
    } else if (selected && !barItem && enabled && !checked && !down) {
        x -= 1;
        y -= 1;
    }
    if (!selected && enabled && !checked && skin.HighColorMode())
        LightenBitmap(*glyph, skin.DimLevel());
    if (!enabled) {
        GrayBitmap(*glyph, skin.GrayLevel());
        LightenBitmap(*glyph, kGlyphDisabledLighten);
    }
    if (selected && enabled && !checked) {
        const bool toolHot = skin.HighColorMode() && !skin.UseSystemColors() && part == TSkinPart::ToolButton;
        const TColor base = toolHot ? LightenColor(skin.SelectColor(), kToolHotLighten) : p.SelectFillColor;
        DrawGlyphShadow(*glyph, canvas, x + kGlyphShadowOffset, y + kGlyphShadowOffset,
                        DarkenColor(base, kGlyphShadowDarken));
    }
    glyph->SetTransparent(true);
    glyph->SetTransparentMode(tmAuto);
    canvas.Draw(x, y, *glyph);
}

TColor ContrastTextColor(const TSkinLook &skin, TColor color)
{
    const TColor rgb = ColorToRGB(color);
    if ((GetRValue(rgb) + GetBValue(rgb)) / 2 > kContrastRedBlue || GetGValue(rgb) > kContrastGreen)
        return skin.Font().Color();
    return LightenColor(color, kContrastLighten);
}

void FillIconGradient(const TSkinLook &skin, TCanvas &canvas, const TRect &rect, bool rightToLeft)
{
    if (rect.Right < rect.Left)
        return;
    const int columns = rect.Right - rect.Left + 1;
    const int bandEnd = skin.IconWidth() + kGradientBandExtra;
    canvas.Brush().SetStyle(bsSolid);
    int k = 0;
    for (int i = 0; i < columns; ++i) {
        k += (i > 0 && i < bandEnd) ? kGradientBandStep : kGradientStep;
        k = std::min(k, kGradientMost);
        const int x = rightToLeft ? rect.Right - 1 - i : rect.Left + i;
        canvas.Brush().SetColor(LightenColor(skin.Palette().IconBarColor, k));
        canvas.FillRect(TRect(x, rect.Top, x + 1, rect.Bottom));
    }
}

bool IsMouseOverItem(const QWidget *owner, const TRect &rect)
{
    if (!owner)
        return false;
    const QPoint p = QCursor::pos() - owner->mapToGlobal(QPoint(0, 0));
    return rect.Left <= p.x() && p.x() <= rect.Right - 1 && rect.Top <= p.y() && p.y() <= rect.Bottom - 2;
}
