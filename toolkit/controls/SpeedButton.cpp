#include "toolkit/controls/SpeedButton.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/controls/SpeedButtonAccessible.h"
#include "toolkit/gdi/Bevel.h"
#include "toolkit/gdi/Canvas.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace {

// A raised or sunken button is framed by two bevels, a flat one by one.
constexpr int kClassicBevels = 2;
constexpr int kFlatBevels = 1;
// Glyph and caption move by this much while the button is pressed or down.
constexpr int kPressedShift = 1;
constexpr int kDitherSize = 2;

enum class TFrameLook { None, FlatRaised, FlatSunken, Raised, Sunken };

struct TBevelColors {
    TColor topLeft;
    TColor bottomRight;
};

// Pressed or down wins over hot; a flat button at rest has no frame.
TFrameLook FrameLook(bool flat, bool hot, bool sunken)
{
    if (flat)
        return sunken ? TFrameLook::FlatSunken : (hot ? TFrameLook::FlatRaised : TFrameLook::None);
    return sunken ? TFrameLook::Sunken : TFrameLook::Raised;
}

TBevelColors OuterBevel(TFrameLook look)
{
    switch (look) {
    case TFrameLook::FlatRaised: return {clBtnHighlight, clBtnShadow};
    case TFrameLook::FlatSunken: return {clBtnShadow, clBtnHighlight};
    case TFrameLook::Raised: return {clBtnHighlight, cl3DDkShadow};
    case TFrameLook::Sunken: return {cl3DDkShadow, clBtnHighlight};
    case TFrameLook::None: break;
    }
    return {clNone, clNone};
}

TBevelColors InnerBevel(TFrameLook look)
{
    return look == TFrameLook::Sunken ? TBevelColors{clBtnShadow, cl3DLight} : TBevelColors{cl3DLight, clBtnShadow};
}

int BevelCount(TFrameLook look)
{
    switch (look) {
    case TFrameLook::None: return 0;
    case TFrameLook::FlatRaised:
    case TFrameLook::FlatSunken: return kFlatBevels;
    case TFrameLook::Raised:
    case TFrameLook::Sunken: return kClassicBevels;
    }
    return 0;
}

// A button that is down but not pressed shows a checkered face.
TBitmap DownDither()
{
    TBitmap pattern(kDitherSize, kDitherSize);
    for (int y = 0; y < kDitherSize; ++y)
        for (int x = 0; x < kDitherSize; ++x)
            pattern.Canvas().SetPixel(x, y, (x + y) % 2 ? clBtnHighlight : clBtnFace);
    return pattern;
}

// The glyph's cell `index`, with the glyph's transparent colour.
TBitmap GlyphCell(const TBitmap &glyph, int numGlyphs, int index)
{
    const int cellWidth = glyph.Width() / numGlyphs;
    TBitmap cell;
    cell.LoadFromImage(glyph.Image().copy(cellWidth * index, 0, cellWidth, glyph.Height()));
    cell.SetTransparent(true);
    cell.SetTransparentColor(glyph.TransparentColor());
    return cell;
}

// The cell's shape (every pixel that is not transparent) in one colour.
TBitmap Silhouette(const TBitmap &cell, TColor color)
{
    const QRgb transparent = ToQRgb(cell.TransparentColor());
    const QRgb ink = ToQRgb(color);
    const QRgb paper = ink ^ 0x00FFFFFFu;
    QImage shape = cell.Image().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shape.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(shape.scanLine(y));
        for (int x = 0; x < shape.width(); ++x)
            line[x] = (line[x] | 0xFF000000u) == (transparent | 0xFF000000u) ? paper : ink;
    }
    TBitmap result;
    result.LoadFromImage(shape);
    result.SetTransparent(true);
    result.SetTransparentColor(FromQRgb(paper));
    return result;
}

struct TFacePlacement {
    TPoint glyph;
    TPoint caption;
};

// Glyph and caption centred together on the face, in the layout's order.
TFacePlacement PlaceGlyphAndCaption(const TRect &face, TSize glyph, TSize caption, int spacing, TButtonLayout layout)
{
    const int w = face.Width();
    const int h = face.Height();
    TFacePlacement p;
    switch (layout) {
    case blGlyphLeft:
    case blGlyphRight: {
        const int start = (w - (glyph.cx + spacing + caption.cx)) / 2;
        const bool glyphFirst = layout == blGlyphLeft;
        p.glyph = {glyphFirst ? start : start + caption.cx + spacing, (h - glyph.cy) / 2};
        p.caption = {glyphFirst ? start + glyph.cx + spacing : start, (h - caption.cy) / 2};
        break;
    }
    case blGlyphTop:
    case blGlyphBottom: {
        const int start = (h - (glyph.cy + spacing + caption.cy)) / 2;
        const bool glyphFirst = layout == blGlyphTop;
        p.glyph = {(w - glyph.cx) / 2, glyphFirst ? start : start + caption.cy + spacing};
        p.caption = {(w - caption.cx) / 2, glyphFirst ? start + glyph.cy + spacing : start};
        break;
    }
    }
    p.glyph = {p.glyph.X + face.Left, p.glyph.Y + face.Top};
    p.caption = {p.caption.X + face.Left, p.caption.Y + face.Top};
    return p;
}

TButtonLayout MirroredLayout(TButtonLayout layout)
{
    switch (layout) {
    case blGlyphLeft: return blGlyphRight;
    case blGlyphRight: return blGlyphLeft;
    default: return layout;
    }
}

} // namespace

TSpeedButton::TSpeedButton(QWidget *parent)
    : TGraphicControl(parent)
{
    setAttribute(Qt::WA_Hover);
    TSpeedButtonAccessible::Install();
}

void TSpeedButton::SetFlat(bool flat)
{
    if (m_flat == flat)
        return;
    m_flat = flat;
    update();
}

void TSpeedButton::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    update();
}

void TSpeedButton::SetDown(bool down)
{
    if (m_down == down)
        return;
    m_down = down;
    update();
}

void TSpeedButton::SetGlyph(const TBitmap &glyph)
{
    m_glyph.Assign(glyph);
    m_glyph.SetTransparentMode(tmAuto);
    update();
}

void TSpeedButton::SetNumGlyphs(int numGlyphs)
{
    if (numGlyphs < 1 || numGlyphs > kMaxNumGlyphs || numGlyphs == m_numGlyphs)
        return;
    m_numGlyphs = numGlyphs;
    update();
}

void TSpeedButton::SetLayout(TButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    update();
}

void TSpeedButton::SetSpacing(int spacing)
{
    if (spacing < 0 || m_spacing == spacing)
        return;
    m_spacing = spacing;
    update();
}

void TSpeedButton::SetCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    update();
}

void TSpeedButton::SetFont(const TFont &font)
{
    m_font.Assign(font);
    update();
}

void TSpeedButton::SetHint(const QString &hint)
{
    m_hint = hint;
}

TButtonGlyphCell TSpeedButton::CurrentCell() const
{
    // Later rules win: down over pressed over disabled.
    TButtonGlyphCell cell = gcEnabled;
    if (!isEnabled() && m_numGlyphs > gcDisabled)
        cell = gcDisabled;
    if (Pressed() && m_numGlyphs > gcPressed)
        cell = gcPressed;
    if (m_down && m_numGlyphs > gcDown)
        cell = gcDown;
    return cell;
}

void TSpeedButton::Click()
{
    CallGuarded([this] { emit Clicked(); });
}

void TSpeedButton::PaintTo(TCanvas &canvas)
{
    TRect face = Rect(0, 0, width(), height());
    PaintFrame(canvas, face);
    PaintGlyphAndCaption(canvas, face);
    PaintOverlay(canvas, Rect(0, 0, width(), height()));
}

void TSpeedButton::PaintFrame(TCanvas &canvas, TRect &face) const
{
    const bool sunken = m_down || (Pressed() && isEnabled());
    const TFrameLook look = FrameLook(m_flat, Hot(), sunken);
    const int bevels = BevelCount(look);
    if (bevels > 0) {
        const TBevelColors outer = OuterBevel(look);
        Frame3D(canvas, face, outer.topLeft, outer.bottomRight, 1);
        if (bevels > 1) {
            const TBevelColors inner = InnerBevel(look);
            Frame3D(canvas, face, inner.topLeft, inner.bottomRight, 1);
        }
    }
    canvas.Save();
    if (m_down && !Pressed()) {
        TBitmap dither = DownDither();
        canvas.Brush().SetBitmap(&dither);
        canvas.FillRect(face);
    } else if (!m_transparent) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(face);
    }
    canvas.Restore();
}

void TSpeedButton::PaintGlyphAndCaption(TCanvas &canvas, const TRect &face) const
{
    const bool hasGlyph = !m_glyph.Empty() && m_glyph.Width() >= m_numGlyphs;
    const TSize glyphSize = hasGlyph ? TSize{m_glyph.Width() / m_numGlyphs, m_glyph.Height()} : TSize{};
    canvas.Save();
    canvas.SetFont(m_font);
    const TSize captionSize = m_caption.isEmpty() ? TSize{} : canvas.TextExtent(m_caption);
    const int spacing = hasGlyph && !m_caption.isEmpty() ? m_spacing : 0;
    const TButtonLayout layout = layoutDirection() == Qt::RightToLeft ? MirroredLayout(m_layout) : m_layout;
    const int shift = m_down || Pressed() ? kPressedShift : 0;
    const TRect area = Rect(0, 0, width(), height()).Offset(shift, shift);
    const TFacePlacement at = PlaceGlyphAndCaption(area, glyphSize, captionSize, spacing, layout);

    if (hasGlyph) {
        const TButtonGlyphCell cell = CurrentCell();
        const TBitmap picture = GlyphCell(m_glyph, m_numGlyphs, cell);
        // Without a cell of its own a disabled glyph is embossed.
        if (!isEnabled() && cell != gcDisabled) {
            canvas.Draw(at.glyph.X + 1, at.glyph.Y + 1, Silhouette(picture, clBtnHighlight));
            canvas.Draw(at.glyph.X, at.glyph.Y, Silhouette(picture, clBtnShadow));
        } else {
            canvas.Draw(at.glyph.X, at.glyph.Y, picture);
        }
    }
    if (!m_caption.isEmpty()) {
        canvas.Brush().SetStyle(bsClear);
        canvas.IntersectClipRect(face);
        if (isEnabled()) {
            canvas.TextOut(at.caption.X, at.caption.Y, m_caption);
        } else {
            canvas.Font().SetColor(clBtnHighlight);
            canvas.TextOut(at.caption.X + 1, at.caption.Y + 1, m_caption);
            canvas.Font().SetColor(clBtnShadow);
            canvas.TextOut(at.caption.X, at.caption.Y, m_caption);
        }
    }
    canvas.Restore();
}

void TSpeedButton::PaintOverlay(TCanvas &, const TRect &) { }

void TSpeedButton::SetMouseInControl(bool inside)
{
    if (m_mouseInControl == inside)
        return;
    m_mouseInControl = inside;
    update();
}

void TSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        TGraphicControl::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    m_mouseInControl = rect().contains(event->position().toPoint());
    update();
}

void TSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    SetMouseInControl(rect().contains(event->position().toPoint()));
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        TGraphicControl::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    const bool inside = rect().contains(event->position().toPoint());
    m_mouseInControl = inside;
    update();
    Released(inside);
}

void TSpeedButton::Released(bool inside)
{
    if (inside && isEnabled())
        Click();
}

void TSpeedButton::enterEvent(QEnterEvent *event)
{
    SetMouseInControl(true);
    TGraphicControl::enterEvent(event);
}

void TSpeedButton::leaveEvent(QEvent *event)
{
    if (!m_pressed)
        SetMouseInControl(false);
    TGraphicControl::leaveEvent(event);
}

void TSpeedButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            m_pressed = false;
        update();
    } else if (event->type() == QEvent::LayoutDirectionChange) {
        update();
    }
    TGraphicControl::changeEvent(event);
}
