#include "toolkit/menus/MenuPainter.h"

#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/MenuMetrics.h"

#include <algorithm>

namespace {

using M = TMenuMetrics;

TColor MenuBackColor() { return clMenu; }
TColor PopupBackColor(bool selected) { return selected ? clHighlight : clMenu; }
TColor ItemTextColor(bool selected) { return selected ? clHighlightText : clMenuText; }
TColor DisabledTextColor() { return clGrayText; }
TColor EmbossColor() { return clBtnHighlight; }
TColor EdgeLightColor() { return clBtnHighlight; }
TColor EdgeShadowColor() { return clBtnShadow; }
TColor FrameOuterLightColor() { return cl3DLight; }
TColor FrameOuterShadowColor() { return cl3DDkShadow; }

void Fill(TCanvas &canvas, const TRect &r, TColor color)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(r);
}

// One-pixel edge: light on the top and left sides, shadow on the bottom and
// right sides (swap them for a sunken edge).
void DrawEdge(TCanvas &canvas, TRect r, TColor light, TColor shadow)
{
    Frame3D(canvas, r, light, shadow, 1);
}

TFont ItemFont(const TMenuItem &item)
{
    TFont font = M::MenuFont();
    if (item.Default())
        font.SetStyle(fsBold);
    return font;
}

int TextHeight(const TMenuItem &item)
{
    return ItemFont(item).Metrics().Height;
}

// Measures on a scratch canvas: the platform's text widths, prefixes honoured.
int TextWidth(const TMenuItem &item, const QString &text, unsigned flags)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.SetFont(ItemFont(item));
    TRect r;
    canvas.DrawText(text, r, flags | DT_CALCRECT | DT_SINGLELINE);
    return r.Width();
}

// Disabled text is embossed: a highlight copy one pixel down-right under the
// grey text. Selected disabled items are plain grey (the highlight would
// vanish on the selection colour).
void DrawCaption(TCanvas &canvas, TRect r, unsigned flags, const QString &text, bool enabled, bool embossed,
                 TColor color)
{
    canvas.Brush().SetStyle(bsClear);
    if (!enabled && embossed) {
        canvas.Font().SetColor(EmbossColor());
        TRect shifted = r.Offset(1, 1);
        canvas.DrawText(text, shifted, flags);
    }
    canvas.Font().SetColor(enabled ? color : DisabledTextColor());
    canvas.DrawText(text, r, flags);
    canvas.Brush().SetStyle(bsSolid);
}

unsigned CaptionFlags(bool rightToLeft)
{
    return DT_SINGLELINE | DT_VCENTER | (rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
}

void DrawCheckMark(TCanvas &canvas, const TRect &column, bool radio, TColor color)
{
    const int cx = column.Left + column.Width() / 2;
    const int cy = column.Top + column.Height() / 2;
    if (radio) {
        constexpr int DotDiameter = 6;
        canvas.Pen().SetColor(color);
        canvas.Brush().SetColor(color);
        canvas.Ellipse(Bounds(cx - DotDiameter / 2, cy - DotDiameter / 2, DotDiameter, DotDiameter));
        return;
    }
    // The classic tick: 7 columns, three pixels thick, falling for 3 columns
    // from two rows below its top and rising for 4 to the top.
    constexpr int TickWidth = 7;
    constexpr int TickThickness = 3;
    constexpr int TickLowest = 2; // column of the lowest point
    const int left = cx - TickWidth / 2;
    const int top = cy - 3;
    for (int i = 0; i < TickWidth; ++i) {
        const int y = i <= TickLowest ? top + 2 + i : top + 4 - (i - TickLowest);
        Fill(canvas, Bounds(left + i, y, 1, TickThickness), color);
    }
}

void DrawSubMenuArrow(TCanvas &canvas, const TRect &column, bool rightToLeft, TColor color)
{
    const int half = M::ArrowHeight / 2;
    const int width = half + 1;
    const int cy = column.Top + column.Height() / 2;
    const int left = column.Left + (column.Width() - width) / 2;
    for (int i = 0; i < width; ++i) {
        const int x = rightToLeft ? left + width - 1 - i : left + i;
        Fill(canvas, Bounds(x, cy - half + i, 1, M::ArrowHeight - 2 * i), color);
    }
}

void DrawGlyph(TCanvas &canvas, const TMenuItem &item, const QImage &glyph, int x, int y)
{
    const TImageList *images = item.EffectiveImages();
    if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count())
        images->Draw(canvas, x, y, item.ImageIndex(), item.Enabled());
    else
        TImageList::DrawMasked(canvas, x, y, glyph);
}

} // namespace

QImage TMenuPainter::ItemGlyph(const TMenuItem &Item)
{
    if (const TImageList *images = Item.EffectiveImages(); images && Item.ImageIndex() >= 0) {
        QImage glyph = images->Image(Item.ImageIndex());
        if (!glyph.isNull())
            return glyph;
    }
    const TBitmap *bitmap = Item.Bitmap();
    if (!bitmap || bitmap->Empty() || bitmap->Width() == 0)
        return {};
    QImage glyph = bitmap->Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = glyph.pixel(0, glyph.height() - 1) & RGB_MASK;
    for (int y = 0; y < glyph.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(glyph.scanLine(y));
        for (int x = 0; x < glyph.width(); ++x)
            line[x] = (line[x] & RGB_MASK) == key ? 0 : (line[x] | 0xFF000000u);
    }
    return glyph;
}

int TMenuPainter::CheckColumnWidth(int WidestGlyph)
{
    return std::max(WidestGlyph, M::CheckMarkSize) + M::CheckColumnPadding;
}

QSize TMenuPainter::MeasureBarItem(const TMenuItem &Item)
{
    return {TextWidth(Item, Item.Caption(), 0) + 2 * M::BarItemPaddingX, M::BarHeight};
}

QSize TMenuPainter::MeasurePopupItem(const TMenuItem &Item, int CheckColumn)
{
    if (Item.IsLine())
        return {CheckColumn, M::SeparatorHeight};
    int width = CheckColumn + M::TextGap + TextWidth(Item, Item.Caption(), 0) + M::ArrowColumn;
    const QString shortCut = Item.ShortCutText();
    if (!shortCut.isEmpty())
        width += M::ShortCutGap + TextWidth(Item, shortCut, DT_NOPREFIX);
    const int height = std::max({TextHeight(Item) + M::PopupItemPaddingY,
                                 ItemGlyph(Item).height() + M::PopupGlyphPaddingY,
                                 M::CheckMarkSize + M::PopupItemPaddingY});
    return {width, height};
}

TPopupItemLayout TMenuPainter::PopupItemLayout(const TRect &Item, int CheckColumn, bool RightToLeft)
{
    TPopupItemLayout layout;
    layout.Check = TRect(Item.Left, Item.Top, Item.Left + CheckColumn, Item.Bottom);
    layout.Arrow = TRect(Item.Right - M::ArrowColumn, Item.Top, Item.Right, Item.Bottom);
    layout.Caption = TRect(layout.Check.Right + M::TextGap, Item.Top, layout.Arrow.Left, Item.Bottom);
    if (RightToLeft) {
        const auto mirror = [&Item](const TRect &r) {
            return TRect(Item.Left + Item.Right - r.Right, r.Top, Item.Left + Item.Right - r.Left, r.Bottom);
        };
        layout.Check = mirror(layout.Check);
        layout.Arrow = mirror(layout.Arrow);
        layout.Caption = mirror(layout.Caption);
    }
    return layout;
}

void TMenuPainter::DrawBarBackground(TCanvas &Canvas, const TRect &Band)
{
    Fill(Canvas, Band, MenuBackColor());
}

void TMenuPainter::DrawBarItem(TCanvas &Canvas, const TMenuItem &Item, const TRect &Rect, TBarItemLook Look,
                               bool RightToLeft)
{
    Fill(Canvas, Rect, MenuBackColor());
    const bool enabled = Item.Enabled();
    if (Look == TBarItemLook::Hot && enabled)
        DrawEdge(Canvas, Rect, EdgeLightColor(), EdgeShadowColor());
    else if (Look == TBarItemLook::Pressed)
        DrawEdge(Canvas, Rect, EdgeShadowColor(), EdgeLightColor());
    const TRect text = Look == TBarItemLook::Pressed ? Rect.Offset(1, 1) : Rect;
    Canvas.SetFont(ItemFont(Item));
    const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER | (RightToLeft ? DT_RTLREADING : 0);
    DrawCaption(Canvas, text, flags, Item.Caption(), enabled, true, ItemTextColor(false));
}

void TMenuPainter::DrawPopupFrame(TCanvas &Canvas, const TRect &Window)
{
    Fill(Canvas, Window, MenuBackColor());
    DrawEdge(Canvas, Window, FrameOuterLightColor(), FrameOuterShadowColor());
    DrawEdge(Canvas, Window.Inflated(-1, -1), EdgeLightColor(), EdgeShadowColor());
}

void TMenuPainter::DrawPopupItem(TCanvas &Canvas, const TMenuItem &Item, const TRect &Rect, bool Selected,
                                 int CheckColumn, bool RightToLeft)
{
    if (Item.IsLine()) {
        Fill(Canvas, Rect, MenuBackColor());
        const int y = Rect.Top + M::SeparatorHeight / 2 - 1;
        const TRect line(Rect.Left + M::SeparatorInset, y, Rect.Right - M::SeparatorInset, y + 1);
        Fill(Canvas, line, EdgeShadowColor());
        Fill(Canvas, line.Offset(0, 1), EdgeLightColor());
        return;
    }
    const bool enabled = Item.Enabled();
    Fill(Canvas, Rect, PopupBackColor(Selected));
    const TPopupItemLayout layout = PopupItemLayout(Rect, CheckColumn, RightToLeft);
    const TColor textColor = ItemTextColor(Selected);

    const QImage glyph = ItemGlyph(Item);
    if (!glyph.isNull()) {
        const int x = layout.Check.Left + (layout.Check.Width() - glyph.width()) / 2;
        const int y = layout.Check.Top + (layout.Check.Height() - glyph.height()) / 2;
        if (Item.Checked())
            DrawEdge(Canvas, Bounds(x - 1, y - 1, glyph.width() + 2, glyph.height() + 2), EdgeShadowColor(),
                     EdgeLightColor());
        DrawGlyph(Canvas, Item, glyph, x, y);
    } else if (Item.Checked()) {
        DrawCheckMark(Canvas, layout.Check, Item.RadioItem(), enabled ? textColor : DisabledTextColor());
    }

    Canvas.SetFont(ItemFont(Item));
    DrawCaption(Canvas, layout.Caption, CaptionFlags(RightToLeft), Item.Caption(), enabled, !Selected, textColor);
    if (const QString shortCut = Item.ShortCutText(); !shortCut.isEmpty()) {
        const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (RightToLeft ? DT_LEFT : DT_RIGHT);
        DrawCaption(Canvas, layout.Caption, flags, shortCut, enabled, !Selected, textColor);
    }
    if (Item.HasVisibleItems())
        DrawSubMenuArrow(Canvas, layout.Arrow, RightToLeft, enabled ? textColor : DisabledTextColor());
}

void TMenuPainter::DrawOwnerDrawnArrow(TCanvas &Canvas, const TMenuItem &Item, const TRect &Rect, bool RightToLeft)
{
    if (!Item.HasVisibleItems())
        return;
    const TRect arrow = RightToLeft ? TRect(Rect.Left, Rect.Top, Rect.Left + M::ArrowColumn, Rect.Bottom)
                                    : TRect(Rect.Right - M::ArrowColumn, Rect.Top, Rect.Right, Rect.Bottom);
    DrawSubMenuArrow(Canvas, arrow, RightToLeft, Item.Enabled() ? ItemTextColor(false) : DisabledTextColor());
}
