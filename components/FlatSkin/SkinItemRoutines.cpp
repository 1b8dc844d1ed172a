#include "components/FlatSkin/SkinItemRoutines.h"

#include "components/FlatSkin.h"
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
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.Pen().SetColor(color);
    canvas.FillRect(r);
}

// The colours of a check or radio mark: pen, and the brush when enabled.
void SetMarkColors(TFlatSkin &skin, TCanvas &canvas, bool selected, bool enabled)
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
void DrawDisabledToolCaption(TFlatSkin &skin, const QString &caption, unsigned format, TRect r, TCanvas &canvas)
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

void DrawBarSelection(TFlatSkin &Skin, TSkinPart Part, TCanvas &Canvas, bool RightToLeft, TColor Color,
                      const TRect &Rect)
{
    const TSkinPalette &p = Skin.Palette();
    const auto [L, T, R, B] = Rect;
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(p.SelectFillColor);
    Canvas.FillRect(Rect);
    Canvas.Pen().SetColor(p.SelectFrameColor);
    if (!RightToLeft && Skin.HighColorMode() && Part == TSkinPart::MenuItem) {
        Canvas.Polyline({{L, B - 1}, {L, T}, {R - kShadowFrameInset, T}, {R - kShadowFrameInset, B}});
        const TColor b = p.BarColor;
        FillSolid(Canvas, TRect(R - kShadowBand, T, R, B), DarkenColor(b, kShadowDarken1));
        FillSolid(Canvas, TRect(R - kShadowBand, T + 3, R - 2, B), DarkenColor(b, kShadowDarken2));
        FillSolid(Canvas, TRect(R - kShadowBand, T + 5, R - 3, B), DarkenColor(b, kShadowDarken3));
        FillSolid(Canvas, TRect(R - kShadowBand, T + 6, R - 5, B), DarkenColor(b, kShadowDarken4));
        // The shadow's top is rounded off.
        Canvas.Pen().SetColor(b);
        Canvas.Polyline({{R - 5, T + 1}, {R - 1, T + 1}, {R - 1, T + 6}});
        Canvas.Polyline({{R - 3, T + 2}, {R - 2, T + 2}, {R - 2, T + 3}, {R - 3, T + 3}});
        Canvas.Pen().SetColor(DarkenColor(b, kShadowDarken1));
        Canvas.Polyline({{R - 6, T + 3}, {R - 3, T + 3}, {R - 3, T + 6}, {R - 4, T + 6}, {R - 4, T + 3}});
        Canvas.Pen().SetColor(DarkenColor(b, kShadowDarken2));
        Canvas.Polyline({{R - 5, T + 5}, {R - 4, T + 5}, {R - 4, T + 9}});
        Canvas.Pen().SetColor(DarkenColor(b, kShadowRoundDarken));
        Canvas.MoveTo(R - 6, T + 5);
        Canvas.LineTo(R - 6, T + 7);
        return;
    }
    Canvas.Polyline({{L, B - 1}, {L, T}, {R - 3, T}, {R - 3, B}});
    FillSolid(Canvas, TRect(R - kPlainShadowWidth, T + 2, R, B), DarkenColor(Color, kPlainShadowDarken));
    FillSolid(Canvas, TRect(R - kPlainShadowWidth, T, R, T + 2), Color);
}

void DrawCheckMark(TFlatSkin &Skin, const TMenuItem &Item, bool Selected, const TRect &Mark, TCanvas &Canvas,
                   bool HasGlyph, bool Enabled)
{
    if (!Item.Checked())
        return;
    const TSkinPalette &p = Skin.Palette();
    SetMarkColors(Skin, Canvas, Selected, Enabled);
    if (Item.RadioItem()) {
        if (HasGlyph) {
            Canvas.RoundRect(Mark.Left, Mark.Top, Mark.Right, Mark.Bottom, kRadioCorner, kRadioCorner);
            return;
        }
        Canvas.Ellipse(Mark);
        Canvas.Brush().SetColor(Canvas.Pen().Color());
        Canvas.Ellipse(Mark.Inflated(-kRadioDotInset, -kRadioDotInset));
        return;
    }
    if (HasGlyph) {
        Canvas.Rectangle(Mark);
        return;
    }
    if (Enabled)
        Canvas.Pen().SetColor(p.CheckMarkColor);
    Canvas.Rectangle(Mark);
    Canvas.Pen().SetColor(Enabled ? clBlack : p.DisabledTextColor);
    const auto [L, T, R, B] = Mark;
    const auto line = [&Canvas](int x0, int y0, int x1, int y1) {
        Canvas.MoveTo(x0, y0);
        Canvas.LineTo(x1, y1);
    };
    line(L + 1, T + 5, L + 4, B - 2);
    line(L + 2, T + 5, L + 4, B - 3);
    line(L + 2, T + 4, L + 5, B - 3);
    line(L + 4, B - 3, R + 2, T - 1);
    line(L + 4, B - 2, R - 2, T + 3);
}

void DrawItemText(TFlatSkin &Skin, TSkinPart Part, const QString &Caption, unsigned Format, const TFont &Font,
                  bool RightToLeft, bool BarItem, bool DefaultItem, bool Enabled, bool Selected, TRect Rect,
                  TCanvas &Canvas, const QString &ShortCut)
{
    const TSkinPalette &p = Skin.Palette();
    Canvas.SetFont(Font);
    TColor color = Selected ? p.SelectTextColor : Font.Color();
    if (!Enabled) {
        color = p.DisabledTextColor;
        if (Part == TSkinPart::ToolButton) {
            DrawDisabledToolCaption(Skin, Caption, Format, Rect, Canvas);
            return;
        }
    }
    if (BarItem && Selected && Skin.UseSystemColors())
        color = ContrastTextColor(Skin, p.IconBarColor);
    Canvas.Font().SetColor(color);
    Canvas.Brush().SetStyle(bsClear);
    Format |= DT_EXPANDTABS;
    if (DefaultItem && Enabled) {
        // Each pass darkens whatever lies under its rectangle's corner.
        const struct {
            TRect r;
            int darken;
        } passes[] = {
            {{Rect.Left + 1, Rect.Top, Rect.Right, Rect.Bottom}, kEmbossDarken1},
            {{Rect.Left + 1, Rect.Top + 2, Rect.Right + 1, Rect.Bottom}, kEmbossDarken1},
            {{Rect.Left, Rect.Top + 1, Rect.Right, Rect.Bottom}, kEmbossDarken2},
            {{Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom}, kEmbossDarken3},
        };
        for (auto pass : passes) {
            Canvas.Font().SetColor(DarkenColor(Canvas.Pixel(pass.r.Left, pass.r.Top), pass.darken));
            Canvas.DrawText(Caption, pass.r, Format);
        }
        Canvas.Font().SetColor(color);
    }
    TRect captionRect = Rect;
    Canvas.DrawText(Caption, captionRect, Format);
    if (ShortCut.isEmpty())
        return;
    TRect shortCutRect = Rect;
    if (RightToLeft)
        shortCutRect.Left += kShortCutInset;
    else
        shortCutRect.Right -= kShortCutInset;
    Canvas.DrawText(ShortCut, shortCutRect, RightToLeft ? DT_LEFT : DT_RIGHT);
}

void DrawItemGlyph(TFlatSkin &Skin, TSkinPart Part, TCanvas &Canvas, bool RightToLeft, bool BarItem, bool Checked,
                   bool Enabled, bool Down, bool Selected, const TRect &Rect, TBitmap *Glyph)
{
    if (!Glyph || Glyph->Width() == 0)
        return;
    const TSkinPalette &p = Skin.Palette();
    const int glyphWidth = Glyph->Width();
    int x = Rect.Left;
    int y = Rect.Top + 1;
    if (Part == TSkinPart::MenuItem) {
        y += 2;
        if (glyphWidth < Skin.IconWidth())
            x = Rect.Left + (Skin.IconWidth() - glyphWidth) / 2 - 1;
        else
            x = RightToLeft ? Rect.Right - glyphWidth - 2 : Rect.Left + 2;
    }
    if (BarItem)
        x = RightToLeft ? Rect.Right - glyphWidth - 5 : Rect.Left + 1;
    // A selected glyph rises towards the pointer, unless it is pressed or
    // sits in a check box.
    if (Selected && BarItem && Enabled && !Down) {
        x -= 1;
        y -= 2;
    } else if (Selected && !BarItem && Enabled && !Checked && !Down) {
        x -= 1;
        y -= 1;
    }
    if (!Selected && Enabled && !Checked && Skin.HighColorMode())
        LightenBitmap(*Glyph, Skin.DimLevel());
    if (!Enabled) {
        GrayBitmap(*Glyph, Skin.GrayLevel());
        LightenBitmap(*Glyph, kGlyphDisabledLighten);
    }
    if (Selected && Enabled && !Checked) {
        const bool toolHot = Skin.HighColorMode() && !Skin.UseSystemColors() && Part == TSkinPart::ToolButton;
        const TColor base = toolHot ? LightenColor(Skin.SelectColor(), kToolHotLighten) : p.SelectFillColor;
        DrawGlyphShadow(*Glyph, Canvas, x + kGlyphShadowOffset, y + kGlyphShadowOffset,
                        DarkenColor(base, kGlyphShadowDarken));
    }
    Glyph->SetTransparent(true);
    Glyph->SetTransparentMode(tmAuto);
    Canvas.Draw(x, y, *Glyph);
}

TColor ContrastTextColor(const TFlatSkin &Skin, TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    if ((GetRValue(rgb) + GetBValue(rgb)) / 2 > kContrastRedBlue || GetGValue(rgb) > kContrastGreen)
        return Skin.Font().Color();
    return LightenColor(Color, kContrastLighten);
}

void FillIconGradient(const TFlatSkin &Skin, TCanvas &Canvas, const TRect &Rect, bool RightToLeft)
{
    if (Rect.Right < Rect.Left)
        return;
    const int columns = Rect.Right - Rect.Left + 1;
    const int bandEnd = Skin.IconWidth() + kGradientBandExtra;
    Canvas.Brush().SetStyle(bsSolid);
    int k = 0;
    for (int i = 0; i < columns; ++i) {
        k += (i > 0 && i < bandEnd) ? kGradientBandStep : kGradientStep;
        k = std::min(k, kGradientMost);
        const int x = RightToLeft ? Rect.Right - 1 - i : Rect.Left + i;
        Canvas.Brush().SetColor(LightenColor(Skin.Palette().IconBarColor, k));
        Canvas.FillRect(TRect(x, Rect.Top, x + 1, Rect.Bottom));
    }
}

bool IsMouseOverItem(const QWidget *Owner, const TRect &Rect)
{
    if (!Owner)
        return false;
    const QPoint p = QCursor::pos() - Owner->mapToGlobal(QPoint(0, 0));
    return Rect.Left <= p.x() && p.x() <= Rect.Right - 1 && Rect.Top <= p.y() && p.y() <= Rect.Bottom - 2;
}
