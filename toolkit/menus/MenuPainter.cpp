#include "toolkit/menus/MenuPainter.h"

#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/MenuMetrics.h"

#include <algorithm>

namespace {

using M = TMenuMetrics;

TColor MenuBackColor()
{
    return clMenu;
}
TColor PopupBackColor(bool selected)
{
    return selected ? clHighlight : clMenu;
}
TColor ItemTextColor(bool selected)
{
    return selected ? clHighlightText : clMenuText;
}
TColor DisabledTextColor()
{
    return clGrayText;
}
TColor EmbossColor()
{
    return clBtnHighlight;
}
TColor EdgeLightColor()
{
    return clBtnHighlight;
}
TColor EdgeShadowColor()
{
    return clBtnShadow;
}
TColor FrameOuterLightColor()
{
    return cl3DLight;
}
TColor FrameOuterShadowColor()
{
    return cl3DDkShadow;
}

// One-pixel edge: light on the top and left sides, shadow on the bottom and
// right sides (swap them for a sunken edge).
void DrawEdge(TCanvas &canvas, TRect r, TColor light, TColor shadow)
{
    Frame3D(canvas, r, light, shadow, 1);
}

TFont ItemFont(const TMenuItemFace &item)
{
    TFont font = M::MenuFont();
    if (item.Default)
        font.SetStyle(fsBold);
    return font;
}

int TextHeight(const TMenuItemFace &item)
{
    return ItemFont(item).Metrics().Height;
}

// Measures on a scratch canvas: the platform's text widths, prefixes honoured.
int TextWidth(const TMenuItemFace &item, const QString &text, unsigned flags)
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
        constexpr int kDotDiameter = 6;
        canvas.Pen().SetColor(color);
        canvas.Brush().SetColor(color);
        canvas.Ellipse(Bounds(cx - kDotDiameter / 2, cy - kDotDiameter / 2, kDotDiameter, kDotDiameter));
        return;
    }
    // The classic tick: 7 columns, three pixels thick, falling for 3 columns
    // from two rows below its top and rising for 4 to the top.
    constexpr int kTickWidth = 7;
    constexpr int kTickThickness = 3;
    constexpr int kTickLowest = 2; // column of the lowest point
    const int left = cx - kTickWidth / 2;
    const int top = cy - 3;
    for (int i = 0; i < kTickWidth; ++i) {
        const int y = i <= kTickLowest ? top + 2 + i : top + 4 - (i - kTickLowest);
        canvas.FillSolidRect(Bounds(left + i, y, 1, kTickThickness), color);
    }
}

void DrawSubMenuArrow(TCanvas &canvas, const TRect &column, bool rightToLeft, TColor color)
{
    const int half = M::kArrowHeight / 2;
    const int width = half + 1;
    const int cy = column.Top + column.Height() / 2;
    const int left = column.Left + (column.Width() - width) / 2;
    for (int i = 0; i < width; ++i) {
        const int x = rightToLeft ? left + width - 1 - i : left + i;
        canvas.FillSolidRect(Bounds(x, cy - half + i, 1, M::kArrowHeight - 2 * i), color);
    }
}

void DrawGlyph(TCanvas &canvas, const TMenuItemFace &item, int x, int y)
{
    const TImageList *images = item.Images;
    if (images && item.ImageIndex >= 0 && item.ImageIndex < images->Count())
        images->Draw(canvas, x, y, item.ImageIndex, item.Enabled);
    else
        TImageList::DrawMasked(canvas, x, y, item.Glyph);
}

} // namespace

int TMenuPainter::CheckColumnWidth(int widestGlyph)
{
    return std::max(widestGlyph, M::kCheckMarkSize) + M::kCheckColumnPadding;
}

QSize TMenuPainter::MeasureBarItem(const TMenuItemFace &item)
{
    return {TextWidth(item, item.Caption, 0) + 2 * M::kBarItemPaddingX, M::kBarHeight};
}

QSize TMenuPainter::MeasurePopupItem(const TMenuItemFace &item, int checkColumn)
{
    if (item.IsLine)
        return {checkColumn, M::kSeparatorHeight};
    int width = checkColumn + M::kTextGap + TextWidth(item, item.Caption, 0) + M::kArrowColumn;
    if (!item.ShortCut.isEmpty())
        width += M::kShortCutGap + TextWidth(item, item.ShortCut, DT_NOPREFIX);
    const int height = std::max({TextHeight(item) + M::kPopupItemPaddingY, item.Glyph.height() + M::kPopupGlyphPaddingY,
                                 M::kCheckMarkSize + M::kPopupItemPaddingY});
    return {width, height};
}

TPopupItemLayout TMenuPainter::PopupItemLayout(const TRect &item, int checkColumn, bool rightToLeft)
{
    TPopupItemLayout layout;
    layout.Check = TRect(item.Left, item.Top, item.Left + checkColumn, item.Bottom);
    layout.Arrow = TRect(item.Right - M::kArrowColumn, item.Top, item.Right, item.Bottom);
    layout.Caption = TRect(layout.Check.Right + M::kTextGap, item.Top, layout.Arrow.Left, item.Bottom);
    if (rightToLeft) {
        const auto mirror = [&item](const TRect &r) {
            return TRect(item.Left + item.Right - r.Right, r.Top, item.Left + item.Right - r.Left, r.Bottom);
        };
        layout.Check = mirror(layout.Check);
        layout.Arrow = mirror(layout.Arrow);
        layout.Caption = mirror(layout.Caption);
    }
    return layout;
}

void TMenuPainter::DrawBarBackground(TCanvas &canvas, const TRect &band)
{
    canvas.FillSolidRect(band, MenuBackColor());
}

void TMenuPainter::DrawBarItem(TCanvas &canvas, const TMenuItemFace &item, const TRect &rect, TBarItemLook look,
                               bool rightToLeft)
{
    canvas.FillSolidRect(rect, MenuBackColor());
    const bool enabled = item.Enabled;
    if (look == TBarItemLook::Hot && enabled)
        DrawEdge(canvas, rect, EdgeLightColor(), EdgeShadowColor());
    else if (look == TBarItemLook::Pressed)
        DrawEdge(canvas, rect, EdgeShadowColor(), EdgeLightColor());
    const TRect text = look == TBarItemLook::Pressed ? rect.Offset(1, 1) : rect;
    canvas.SetFont(ItemFont(item));
    const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER | (rightToLeft ? DT_RTLREADING : 0);
    DrawCaption(canvas, text, flags, item.Caption, enabled, true, ItemTextColor(false));
}

void TMenuPainter::DrawPopupFrame(TCanvas &canvas, const TRect &window)
{
    canvas.FillSolidRect(window, MenuBackColor());
    DrawEdge(canvas, window, FrameOuterLightColor(), FrameOuterShadowColor());
    DrawEdge(canvas, window.Inflated(-1, -1), EdgeLightColor(), EdgeShadowColor());
}

void TMenuPainter::DrawPopupItem(TCanvas &canvas, const TMenuItemFace &item, const TRect &rect, bool selected,
                                 int checkColumn, bool rightToLeft)
{
    if (item.IsLine) {
        canvas.FillSolidRect(rect, MenuBackColor());
        const int y = rect.Top + M::kSeparatorHeight / 2 - 1;
        const TRect line(rect.Left + M::kSeparatorInset, y, rect.Right - M::kSeparatorInset, y + 1);
        canvas.FillSolidRect(line, EdgeShadowColor());
        canvas.FillSolidRect(line.Offset(0, 1), EdgeLightColor());
        return;
    }
    const bool enabled = item.Enabled;
    canvas.FillSolidRect(rect, PopupBackColor(selected));
    const TPopupItemLayout layout = PopupItemLayout(rect, checkColumn, rightToLeft);
    const TColor textColor = ItemTextColor(selected);

    const QImage &glyph = item.Glyph;
    if (!glyph.isNull()) {
        const int x = layout.Check.Left + (layout.Check.Width() - glyph.width()) / 2;
        const int y = layout.Check.Top + (layout.Check.Height() - glyph.height()) / 2;
        if (item.Checked)
            DrawEdge(canvas, Bounds(x - 1, y - 1, glyph.width() + 2, glyph.height() + 2), EdgeShadowColor(),
                     EdgeLightColor());
        DrawGlyph(canvas, item, x, y);
    } else if (item.Checked) {
        DrawCheckMark(canvas, layout.Check, item.RadioItem, enabled ? textColor : DisabledTextColor());
    }

    canvas.SetFont(ItemFont(item));
    DrawCaption(canvas, layout.Caption, CaptionFlags(rightToLeft), item.Caption, enabled, !selected, textColor);
    if (!item.ShortCut.isEmpty()) {
        const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (rightToLeft ? DT_LEFT : DT_RIGHT);
        DrawCaption(canvas, layout.Caption, flags, item.ShortCut, enabled, !selected, textColor);
    }
    if (item.HasSubMenu)
        DrawSubMenuArrow(canvas, layout.Arrow, rightToLeft, enabled ? textColor : DisabledTextColor());
}

void TMenuPainter::DrawOwnerDrawnArrow(TCanvas &canvas, const TRect &rect, bool enabled, bool rightToLeft)
{
    const TRect arrow = rightToLeft ? TRect(rect.Left, rect.Top, rect.Left + M::kArrowColumn, rect.Bottom)
                                    : TRect(rect.Right - M::kArrowColumn, rect.Top, rect.Right, rect.Bottom);
    DrawSubMenuArrow(canvas, arrow, rightToLeft, enabled ? ItemTextColor(false) : DisabledTextColor());
}
