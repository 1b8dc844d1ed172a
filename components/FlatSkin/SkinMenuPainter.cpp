#include "components/FlatSkin/SkinMenuPainter.h"

#include "components/FlatSkin/FlatFrameRequest.h"
#include "components/FlatSkin/SkinItemRoutines.h"
#include "components/FlatSkin/SkinLook.h"
#include "toolkit/app/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/DeviceScale.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/MenuOwnerDraw.h"

#include <algorithm>
#include <cmath>

namespace {

// The four surface columns left of a popup item land on the menu window's
// edge.
constexpr int kPopupLeftColumns = 4;
constexpr int kSeparatorHeight = 4;
constexpr int kSubMenuArrowWidth = 6;
constexpr int kMeasureSlack = 5;
// Height of an item: the text plus three quarters of it, or the glyph plus 6.
constexpr double kTextLeading = 0.75;
constexpr int kGlyphPadding = 6;
constexpr QLatin1StringView kShortCutGap("WWW");

constexpr int kMarkSize = 10;
constexpr int kBarTextInset = 4;
constexpr int kGlyphTextGap = 4;
constexpr int kRightToLeftGlyphTextGap = 8;
constexpr int kBarGlyphTextShift = 5;
constexpr int kCaptionIndent = 3;
constexpr int kSeparatorIndent = 7;
// The popup gradient runs 2 columns past the work rectangle.
constexpr int kGradientOverrun = 2;
// A hot bar item leaves room for the shadow of the selected look.
constexpr int kHotBarShadowRoom = 7;
// The selected bar item's frame stands this far in from the item's right
// edge, its shadow filling the columns beyond.
constexpr int kBarSelectionRoom = 8;

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

TSize GlyphSize(const TMenuItem &item)
{
    if (const TImageList *images = item.EffectiveImages(); images && item.ImageIndex() != -1)
        return {images->Width(), images->Height()};
    if (const TBitmap *bitmap = item.Bitmap(); bitmap && bitmap->Width() > 0)
        return {bitmap->Width(), bitmap->Height()};
    return {};
}

bool ReadsRightToLeft(const TMenuItem &item)
{
    const TMenu *menu = item.GetParentMenu();
    return menu && menu->IsRightToLeft();
}

void FillSurface(TCanvas &canvas, const TRect &r, TColor color)
{
    canvas.Pen().SetColor(color);
    canvas.FillSolidRect(r, color);
}

// A rectangle filled and outlined with square corners.
void FrameFilled(TCanvas &canvas, const TRect &r, TColor fill, TColor frame)
{
    FillSurface(canvas, r, fill);
    canvas.Pen().SetColor(frame);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(r);
    canvas.Brush().SetStyle(bsSolid);
}

} // namespace

void TSkinMenuPainter::Measure(TMenuItem &item, TCanvas &canvas, int &width, int &height) const
{
    const bool barItem = item.IsBarItem();
    QString text = item.IsLine() ? QString() : item.Caption();
    const QString shortCut = item.ShortCutText();
    if (!shortCut.trimmed().isEmpty())
        text += shortCut + QLatin1Char(' ') + kShortCutGap;
    canvas.SetFont(m_skin.Font());
    int itemWidth = canvas.TextWidth(text) + kMeasureSlack;
    // A bar item draws its caption after a space, indented from its left
    // edge, and keeps its last columns for the selection's frame and shadow;
    // the system's width leaves no room for either, so the caption would run
    // into the frame. The same margin right of the caption as left of it.
    if (barItem)
        itemWidth =
            canvas.TextWidth(QLatin1Char(' ') + text + QLatin1Char(' ')) + 2 * kCaptionIndent + kBarSelectionRoom;
    // Accelerator marks take no room, however many there are.
    if (text.contains(QLatin1Char('&')))
        itemWidth -= canvas.TextWidth(QStringLiteral("&"));
    if (!barItem && item.Count() > 0)
        itemWidth += kSubMenuArrowWidth;
    TSize glyph = GlyphSize(item);
    if (!barItem)
        glyph.cx = std::max(glyph.cx, m_skin.IconWidth());
    itemWidth += glyph.cx;
    width = std::max(width, itemWidth);
    if (item.IsLine()) {
        height = kSeparatorHeight;
        return;
    }
    const int textHeight = canvas.TextHeight(text);
    const int itemHeight = std::max(textHeight + RoundHalfEven(textHeight * kTextLeading), glyph.cy + kGlyphPadding);
    height = std::max(height, itemHeight);
}

TSkinItemGeometry TSkinMenuPainter::Geometry(const TRect &itemRect, bool barItem, bool rightToLeft,
                                             int glyphWidth) const
{
    const int w = itemRect.Width();
    const int h = itemRect.Height();
    const int iconWidth = m_skin.IconWidth();
    TSkinItemGeometry g;
    if (barItem) {
        g.Surface = {w, h};
        g.CopyTo = itemRect.TopLeft();
        g.Work = TRect(0, 0, w, h);
    } else {
        g.Surface = {w + kPopupLeftColumns, h};
        g.CopyTo = {itemRect.Left - kPopupLeftColumns, itemRect.Top};
        g.Work = TRect(kPopupLeftColumns, 0, w + kPopupLeftColumns, h + 1);
    }
    const TRect &r = g.Work;
    g.Icon = rightToLeft ? TRect(r.Right - iconWidth, r.Top, r.Right, r.Bottom)
                         : TRect(r.Left, r.Top, r.Left + iconWidth, r.Bottom);
    const TRect &i = g.Icon;
    if (glyphWidth > 0)
        g.Mark = TRect(i.Left + 1, i.Top + 2, i.Right - 3, i.Bottom - 2);
    else
        g.Mark =
            Bounds(i.Left + (i.Width() - kMarkSize) / 2, i.Top + (i.Height() - kMarkSize) / 2, kMarkSize, kMarkSize);
    if (glyphWidth > iconWidth) {
        if (rightToLeft)
            g.Mark.Left = g.Mark.Right - glyphWidth;
        else
            g.Mark.Right = g.Mark.Left + glyphWidth;
    }
    if (barItem)
        g.Mark.Top -= 1;

    g.Text = r;
    if (rightToLeft) {
        g.Text.Right = r.Right - (barItem ? kBarTextInset : iconWidth);
        if (g.Text.Right > r.Right - glyphWidth)
            g.Text.Right = r.Right - glyphWidth - kRightToLeftGlyphTextGap;
    } else {
        g.Text.Left = r.Left + (barItem ? kBarTextInset : iconWidth);
        if (g.Text.Left < r.Left + glyphWidth)
            g.Text.Left = r.Left + glyphWidth + kGlyphTextGap;
    }
    if (barItem) {
        if (glyphWidth <= 0)
            g.Text = r;
        else if (rightToLeft)
            g.Text.Right += kBarGlyphTextShift;
        else
            g.Text.Left -= kBarGlyphTextShift;
    }
    g.Full = TRect(r.Left - kPopupLeftColumns, r.Top, r.Right, r.Bottom);
    return g;
}

TBitmap TSkinMenuPainter::ComposeGlyph(const TMenuItem &item) const
{
    TBitmap glyph;
    const auto prepare = [this, &glyph](int width, int height) {
        glyph.SetSize(width, height);
        TCanvas &canvas = glyph.Canvas();
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(m_skin.TransparentKeyColor());
        canvas.FillRect(TRect(0, 0, width, height));
    };
    if (const TBitmap *bitmap = item.Bitmap(); bitmap && bitmap->Width() > 0) {
        prepare(bitmap->Width(), bitmap->Height());
        TBitmap picture(*bitmap);
        picture.SetTransparent(true);
        picture.SetTransparentMode(tmAuto);
        glyph.Canvas().Draw(0, 0, picture);
    }
    // An image of the image list wins over the item's own bitmap.
    if (const TImageList *images = item.EffectiveImages(); images && item.ImageIndex() != -1) {
        prepare(images->Width(), images->Height());
        images->Draw(glyph.Canvas(), 0, 0, item.ImageIndex());
    }
    return glyph;
}

void TSkinMenuPainter::Draw(TMenuItem &item, TCanvas &target, const TRect &rect, bool selected) const
{
    const bool barItem = item.IsBarItem();
    const bool rightToLeft = ReadsRightToLeft(item);
    const bool enabled = item.Enabled();
    TBitmap glyph = ComposeGlyph(item);
    const int glyphWidth = glyph.Empty() ? 0 : glyph.Width();
    const TSkinItemGeometry g = Geometry(rect, barItem, rightToLeft, glyphWidth);
    if (g.Surface.cx <= 0 || g.Surface.cy <= 0)
        return;

    QImage image = ScaledSurface(target.Scale(), QSize(g.Surface.cx, g.Surface.cy));
    TCanvas surface(&image);
    if (m_skin.PaletteStale())
        m_skin.RefreshPalette(surface);
    surface.SetFont(m_skin.Font());

    DrawBackground(surface, g, barItem, rightToLeft);
    const bool lit = DrawSelection(surface, g, item, rect, barItem, rightToLeft, selected);
    if (item.Checked() || item.RadioItem())
        DrawCheckMark(m_skin, item, selected, g.Mark, surface, glyphWidth > 0, enabled);
    if (glyphWidth > 0)
        DrawItemGlyph(m_skin, TSkinPart::MenuItem, surface, rightToLeft, barItem, item.Checked(), enabled, false,
                      selected || lit, g.Icon, &glyph);
    DrawCaption(surface, g, item, barItem, rightToLeft, selected);

    target.BitBlt(g.CopyTo.X, g.CopyTo.Y, g.Surface.cx, g.Surface.cy, surface, 0, 0, SRCCOPY);
    if (!barItem && m_skin.FlatMenu())
        RequestFlatFrame(item, rightToLeft);
}

void TSkinMenuPainter::DrawBackground(TCanvas &surface, const TSkinItemGeometry &g, bool barItem,
                                      bool rightToLeft) const
{
    TSkinPalette &p = m_skin.Palette();
    if (barItem) {
        // The bar colour stays as set until the palette is refreshed again.
        if (m_skin.DrawMenuBar())
            p.BarColor = m_skin.MenuBarColor();
        FillSurface(surface, g.Work, p.BarColor);
        return;
    }
    if (m_skin.HighColorMode() && m_skin.Gradient()) {
        const TRect &r = g.Work;
        // Right to left the walk starts at the item's right edge, so the
        // icon band lies under the icon column there too.
        const TRect band = rightToLeft ? TRect(r.Left - kGradientOverrun, r.Top, r.Right, r.Bottom)
                                       : TRect(r.Left, r.Top, r.Right + kGradientOverrun, r.Bottom);
        FillIconGradient(m_skin, surface, band, rightToLeft);
        // The columns left of the item carry the colour of its edge out to
        // the window's frame.
        const TRect edge(r.Left, 0, r.Left + 1, g.Surface.cy);
        surface.CopyRect(TRect(0, 0, kPopupLeftColumns, g.Surface.cy), surface, edge);
        return;
    }
    FillSurface(surface, g.Full, p.MenuBackColor);
    FillSurface(surface, g.Icon, p.IconBarColor);
}

bool TSkinMenuPainter::DrawSelection(TCanvas &surface, const TSkinItemGeometry &g, const TMenuItem &item,
                                     const TRect &itemRect, bool barItem, bool rightToLeft, bool selected) const
{
    const TSkinPalette &p = m_skin.Palette();
    const TRect &r = g.Work;
    if (selected && m_skin.DrawSelect()) {
        surface.Brush().SetStyle(bsSolid);
        if (barItem) {
            DrawBarSelection(m_skin, TSkinPart::MenuItem, surface, rightToLeft, m_skin.MenuBarColor(), r);
        } else if (item.Enabled()) {
            const int right = m_skin.FlatMenu() ? r.Right - 1 : r.Right;
            FrameFilled(surface, TRect(r.Left, r.Top + 1, right, r.Bottom - 1), p.SelectFillColor, p.SelectFrameColor);
        }
        return true;
    }
    const bool hot =
        barItem && item.Enabled() && m_skin.IsWindowsNT() && IsMouseOverItem(TMenuOwnerDraw::DrawingWindow(), itemRect);
    if (hot)
        FrameFilled(surface, TRect(r.Left, r.Top, r.Right - kHotBarShadowRoom, r.Bottom), p.SelectFillColor,
                    p.SelectFrameColor);
    return hot;
}

void TSkinMenuPainter::DrawCaption(TCanvas &surface, TSkinItemGeometry g, const TMenuItem &item, bool barItem,
                                   bool rightToLeft, bool selected) const
{
    TRect &x = g.Text;
    if (item.IsLine()) {
        surface.Pen().SetColor(m_skin.Palette().SeparatorLineColor);
        const int y = x.Top + RoundHalfEven((x.Bottom - x.Top) / 2.0);
        if (rightToLeft) {
            surface.MoveTo(x.Left, y);
            surface.LineTo(x.Right - kSeparatorIndent, y);
        } else {
            surface.MoveTo(x.Left + kSeparatorIndent, y);
            surface.LineTo(x.Right, y);
        }
        return;
    }
    unsigned format = DT_LEFT;
    if (rightToLeft) {
        x.Right -= kCaptionIndent;
        format = DT_RIGHT | DT_RTLREADING;
    } else {
        x.Left += kCaptionIndent;
    }
    x.Top += (x.Height() - surface.TextHeight(QStringLiteral("W"))) / 2;
    const QString shortCut = item.ShortCutText();
    DrawItemText(m_skin, TSkinPart::MenuItem, QLatin1Char(' ') + item.Caption(), format, m_skin.Font(), rightToLeft,
                 barItem, item.Default(), item.Enabled(), selected, x, surface,
                 shortCut.isEmpty() ? QString() : shortCut + QLatin1Char(' '));
}

void TSkinMenuPainter::RequestFlatFrame(TMenuItem &item, bool rightToLeft) const
{
    QWidget *window = TMenuOwnerDraw::DrawingWindow();
    if (!window)
        TFlatFrameRequest::PostForItem(&item);
    else if (window != m_skin.Form())
        TFlatFrameRequest::PostForWindow(window, rightToLeft);
}
