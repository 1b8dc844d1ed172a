#include "components/FlatSkin/SkinButtonPainters.h"

#include "components/FlatSkin/SkinControlPaint.h"
#include "components/FlatSkin/SkinItemRoutines.h"
#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/controls/BitBtn.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/controls/NavButton.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"

#include <QAbstractButton>
#include <QCursor>
#include <QPushButton>

namespace {

constexpr int kFrameLighten = 30;
constexpr int kActiveFrameLighten = 60;
constexpr int kEdgeDarken = 50;
constexpr int kFlatTintLighten = 20;
constexpr int kTintLighten = 5;
// Above this many bits per pixel the transparent tint is a lighter shade.
constexpr int kTintDepthBits = 16;
constexpr int kPushButtonCorner = 4;
// A bit button whose Tag holds these bits shows no outline and no edge, or
// places its caption at the side.
constexpr int kNoOutlineTag = 1001;
constexpr int kSideCaptionTag = 1002;
constexpr int kSideCaptionInsetX = 4;
constexpr int kSideCaptionInsetY = 2;
// A speed button's glyph left of its caption sits a row above the centre.
constexpr int kGlyphLeftLift = 1;

bool HasTagBits(int tag, int bits)
{
    return (tag & bits) == bits;
}

// The face S and the frame base A of a button.
struct TButtonColors {
    TColor face;
    TColor frame;
};

// Down wins over hover; a disabled button keeps its face but not its frame.
TButtonColors SpeedButtonColors(bool hot, bool down, bool flat, bool enabled, bool tinted, const TSkinPalette &palette,
                                TColor parentBackground)
{
    TButtonColors colors;
    if (hot) {
        colors.face = LightenColor(tinted ? parentBackground : clBtnFace, palette.StrongLightLevel);
        if (flat)
            colors.face = palette.SelectFillColor;
        colors.frame = LightenColor(palette.SelectFrameColor, kActiveFrameLighten);
    } else {
        colors.face = tinted ? LightenColor(parentBackground, palette.SoftLightLevel) : palette.IconBarColor;
        if (flat)
            colors.face = parentBackground;
        colors.frame = ColorToRGB(clBtnShadow);
    }
    if (down) {
        colors.face = hot ? palette.CheckedSelectFillColor : palette.CheckedFillColor;
        colors.frame = palette.SelectFrameColor;
    }
    if (!enabled)
        colors.frame = ColorToRGB(clBtnShadow);
    return colors;
}

TColor TransparentTint(bool flat, TColor face, const TSkinPalette &palette)
{
    if (ScreenColorDepth() <= kTintDepthBits)
        return face;
    return flat ? LightenColor(palette.SelectFillColor, kFlatTintLighten) : LightenColor(face, kTintLighten);
}

// Hover (or, for a bit button, a held space key) lights the face; focus
// lights the frame of a button at rest.
TButtonColors PushButtonColors(bool lit, bool focused, bool tinted, const TSkinPalette &palette,
                               TColor parentBackground)
{
    if (lit)
        return {LightenColor(tinted ? parentBackground : clBtnFace, palette.StrongLightLevel),
                LightenColor(palette.SelectFrameColor, kActiveFrameLighten)};
    return {tinted ? LightenColor(parentBackground, palette.SoftLightLevel) : palette.IconBarColor,
            focused ? LightenColor(palette.SelectFrameColor, kActiveFrameLighten) : ColorToRGB(clBtnShadow)};
}

// The pressed edge runs along the top and left, the raised one along the
// right and bottom.
void PaintSquareEdge(TCanvas &canvas, int w, int h, bool pressed, TColor color)
{
    canvas.Pen().SetColor(color);
    if (pressed)
        canvas.Polyline({Point(0, h - 1), Point(0, 0), Point(w, 0)});
    else
        canvas.Polyline({Point(w - 1, 0), Point(w - 1, h - 1), Point(0, h - 1)});
}

// As PaintSquareEdge, leaving the rounded corners free.
void PaintRoundedEdge(TCanvas &canvas, int w, int h, bool pressed, TColor color)
{
    canvas.Pen().SetColor(color);
    if (pressed)
        canvas.Polyline({Point(0, h - 2), Point(0, 1), Point(1, 0), Point(w - 1, 0)});
    else
        canvas.Polyline({Point(w - 1, 1), Point(w - 1, h - 2), Point(w - 2, h - 1), Point(0, h - 1)});
}

TSize CaptionExtent(TCanvas &canvas, const QString &caption, unsigned format)
{
    if (caption.isEmpty())
        return {0, 0};
    TRect r;
    canvas.DrawText(caption, r, format | DT_CALCRECT);
    return {r.Width(), r.Height()};
}

struct TGlyphAndCaption {
    TRect glyph;
    TRect caption;
};

// Glyph (gw x gh) and caption (tw x th) centred together on a W x H face in
// the layout's order, spacing pixels apart.
TGlyphAndCaption PlaceGlyphAndCaption(int w, int h, TSize glyph, TSize caption, int spacing, TButtonLayout layout,
                                      int glyphLeftLift)
{
    const int gw = glyph.cx;
    const int gh = glyph.cy;
    const int tw = caption.cx;
    const int th = caption.cy;
    TRect g;
    TRect t;
    switch (layout) {
    case blGlyphLeft:
        g.Left = (w - (spacing + gw + tw)) / 2;
        g.Top = (h - gh) / 2 - glyphLeftLift;
        t.Left = g.Left + gw + spacing;
        t.Top = (h - th) / 2;
        break;
    case blGlyphRight:
        g.Left = (spacing + gw + tw + w) / 2 - gw;
        g.Top = (h - gh) / 2;
        t.Left = g.Left - spacing - tw;
        t.Top = (h - th) / 2;
        break;
    case blGlyphTop:
        g.Left = (w - gw) / 2;
        g.Top = (h - (spacing + gh + th)) / 2;
        t.Left = (w - tw) / 2;
        t.Top = g.Top + gh + spacing;
        break;
    case blGlyphBottom:
        g.Left = (w - gw) / 2;
        g.Top = (spacing + gh + th + h) / 2 - gh;
        t.Left = (w - tw) / 2;
        t.Top = g.Top - spacing - th;
        break;
    }
    return {Bounds(g.Left, g.Top, gw, gh), Bounds(t.Left, t.Top, tw, th)};
}

TButtonLayout MirroredLayout(TButtonLayout layout)
{
    switch (layout) {
    case blGlyphLeft: return blGlyphRight;
    case blGlyphRight: return blGlyphLeft;
    case blGlyphTop:
    case blGlyphBottom: break;
    }
    return layout;
}

// Cell `index` (from 0) of a glyph of numGlyphs cells side by side.
TBitmap GlyphCell(const TBitmap &glyph, int numGlyphs, int index)
{
    const int cellWidth = glyph.Width() / numGlyphs;
    TBitmap cell;
    if (cellWidth > 0)
        cell.LoadFromImage(glyph.Image().copy(cellWidth * index, 0, cellWidth, glyph.Height()));
    return cell;
}

// Disabled, pressed and down each show their own cell when the glyph has one;
// the later rule wins.
int SpeedButtonCell(const TSpeedButton &button, bool leftButtonDown)
{
    const int cells = button.NumGlyphs();
    int index = gcEnabled;
    if (!button.isEnabled() && cells > gcDisabled)
        index = gcDisabled;
    if (leftButtonDown && cells > gcPressed)
        index = gcPressed;
    if (button.Down() && cells > gcDown)
        index = gcDown;
    return index;
}

// Only a flat button re-reads the pointer: one that left without a leave
// notification stops being hot at its next paint.
bool PointerStillOver(const QWidget &control)
{
    const QPoint p = control.mapFromGlobal(QCursor::pos());
    return p.x() >= 0 && p.x() <= control.width() && p.y() >= 0 && p.y() <= control.height();
}

unsigned CaptionFormat(bool rightToLeft)
{
    return DT_CENTER | DT_VCENTER | (rightToLeft ? DT_RTLREADING : 0);
}

} // namespace

void PaintSpeedButton(const TControlPaint &paint)
{
    auto *button = qobject_cast<TSpeedButton *>(&paint.control);
    if (!button)
        return;
    TCanvas &canvas = paint.canvas;
    TSkinLook &skin = paint.skin;
    const TSkinPalette &palette = paint.palette;
    const int w = button->width();
    const int h = button->height();
    const bool flat = button->Flat();
    const bool transparent = button->Transparent();
    const bool down = button->Down();
    const bool enabled = button->isEnabled();
    const bool pressed = paint.state.leftButtonDown;
    const bool hot = paint.state.hot && (!flat || PointerStillOver(*button));
    const bool rightToLeft = IsRightToLeft(*button);
    const TColor background = ParentBackground(*button);
    const TButtonColors colors =
        SpeedButtonColors(hot, down, flat, enabled, ControlTag(button) == kParentTintTag, palette, background);
    const TRect face = Rect(0, 0, w, h);

    // The skin draws the whole face: what lies beneath shows through a
    // transparent button.
    PaintParentBeneath(button, canvas);
    if ((down || hot) && transparent) {
        TBitmap tint(w, h);
        tint.Canvas().FillSolidRect(face, TransparentTint(flat, colors.face, palette));
        canvas.BitBlt(0, 0, w, h, tint.Canvas(), 0, 0, SRCAND);
    }
    if (!transparent || qobject_cast<TNavButton *>(button))
        canvas.FillSolidRect(face, colors.face);
    canvas.Brush().SetColor(colors.face);
    canvas.Pen().SetColor(flat && !transparent && !down && !hot ? colors.face
                                                                : LightenColor(colors.frame, kFrameLighten));
    if (transparent)
        canvas.Brush().SetStyle(bsClear);
    if (!(transparent && flat && !hot && !down))
        canvas.Rectangle(face);
    if (enabled) {
        if (flat && (pressed || down)) {
            canvas.Pen().SetColor(colors.frame);
            canvas.Rectangle(face);
            PaintSquareEdge(canvas, w, h, true, DarkenColor(colors.frame, kEdgeDarken));
        } else if (flat && hot) {
            canvas.Pen().SetColor(palette.SelectFrameColor);
            canvas.Rectangle(face);
        } else if (!flat) {
            PaintSquareEdge(canvas, w, h, pressed || down, DarkenColor(colors.frame, kEdgeDarken));
        }
    }
    canvas.Brush().SetStyle(bsSolid);

    const QString caption = button->Caption();
    const unsigned format = CaptionFormat(rightToLeft);
    canvas.SetFont(button->Font());
    const TSize text = CaptionExtent(canvas, caption, format);
    const int spacing = caption.isEmpty() ? 0 : button->Spacing();
    TBitmap glyph = GlyphCell(button->Glyph(), button->NumGlyphs(), SpeedButtonCell(*button, pressed));
    const TButtonLayout layout = rightToLeft ? MirroredLayout(button->Layout()) : button->Layout();
    const TGlyphAndCaption place =
        PlaceGlyphAndCaption(w, h, {glyph.Width(), glyph.Height()}, text, spacing, layout, kGlyphLeftLift);
    DrawItemGlyph(skin, TSkinPart::Control, canvas, rightToLeft, false, down || pressed, enabled, paint.state.hasFocus,
                  hot, place.glyph, &glyph);
    DrawItemText(skin, TSkinPart::Control, caption, format, button->Font(), rightToLeft, false, false, enabled, false,
                 place.caption, canvas, QString());
}

namespace {

// What push and bit buttons share: the rounded face on the parent's
// background, its outline and the edge that shows a press. Without an
// outline the face's own colour takes its place.
void PaintRoundedFace(TCanvas &canvas, int w, int h, TButtonColors colors, TColor background, bool enabled,
                      bool pressed, bool outlined)
{
    canvas.FillSolidRect(Rect(0, 0, w, h), background);
    canvas.Brush().SetColor(colors.face);
    canvas.Pen().SetColor(outlined ? LightenColor(colors.frame, kFrameLighten) : colors.face);
    canvas.RoundRect(0, 0, w, h, kPushButtonCorner, kPushButtonCorner);
    if (enabled && outlined)
        PaintRoundedEdge(canvas, w, h, pressed, DarkenColor(colors.frame, kEdgeDarken));
}

bool IsDefaultButton(const QWidget &control)
{
    auto *button = qobject_cast<const QPushButton *>(&control);
    return button && button->isDefault();
}

QString CaptionOf(const QWidget &control)
{
    auto *button = qobject_cast<const QAbstractButton *>(&control);
    return button ? button->text() : QString();
}

} // namespace

void PaintButton(const TControlPaint &paint)
{
    QWidget &control = paint.control;
    TCanvas &canvas = paint.canvas;
    const int w = control.width();
    const int h = control.height();
    const bool rightToLeft = IsRightToLeft(control);
    const TColor background = ParentBackground(control);
    const TButtonColors colors = PushButtonColors(paint.state.hot, paint.state.hasFocus,
                                                  ControlTag(&control) == kParentTintTag, paint.palette, background);
    const bool pressed = paint.state.spaceDown || (paint.state.leftButtonDown && paint.state.hot);
    PaintRoundedFace(canvas, w, h, colors, background, control.isEnabled(), pressed, true);

    const QString caption = CaptionOf(control);
    const unsigned format = CaptionFormat(rightToLeft);
    const TFont font = FontOf(control);
    canvas.SetFont(font);
    const TSize text = CaptionExtent(canvas, caption, format);
    DrawItemText(paint.skin, TSkinPart::Control, caption, format, font, rightToLeft, false, IsDefaultButton(control),
                 control.isEnabled(), false, Bounds((w - text.cx) / 2, (h - text.cy) / 2, text.cx, text.cy), canvas,
                 QString());
}

void PaintBitBtn(const TControlPaint &paint)
{
    auto *button = qobject_cast<TBitBtn *>(&paint.control);
    if (!button)
        return;
    TCanvas &canvas = paint.canvas;
    const int w = button->width();
    const int h = button->height();
    const int tag = ControlTag(button);
    const bool rightToLeft = IsRightToLeft(*button);
    const bool enabled = button->isEnabled();
    const TColor background = ParentBackground(*button);
    const TButtonColors colors = PushButtonColors(paint.state.hot || paint.state.spaceDown, paint.state.hasFocus,
                                                  HasTagBits(tag, kParentTintTag), paint.palette, background);
    const bool outlined = !HasTagBits(tag, kNoOutlineTag);
    const bool pressed = paint.state.spaceDown || (paint.state.leftButtonDown && paint.state.hot);
    PaintRoundedFace(canvas, w, h, colors, background, enabled, pressed, outlined);

    const QString caption = button->Caption();
    const bool sideCaption = HasTagBits(tag, kSideCaptionTag);
    unsigned format = CaptionFormat(rightToLeft);
    if (sideCaption)
        format = DT_VCENTER | DT_SINGLELINE | (rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT);
    const TFont font = FontOf(*button);
    canvas.SetFont(font);
    const TSize text = CaptionExtent(canvas, caption, format);
    const int spacing = caption.trimmed().isEmpty() ? 0 : button->Spacing();
    TBitmap glyph = GlyphCell(button->Glyph(), button->NumGlyphs(), gcEnabled);
    const TGlyphAndCaption place =
        PlaceGlyphAndCaption(w, h, {glyph.Width(), glyph.Height()}, text, spacing, button->Layout(), 0);
    DrawItemGlyph(paint.skin, TSkinPart::Control, canvas, rightToLeft, false, false, enabled, paint.state.hasFocus,
                  paint.state.hot, place.glyph, &glyph);
    const TRect captionRect =
        sideCaption ? Rect(0, 0, w, h).Inflated(-kSideCaptionInsetX, -kSideCaptionInsetY) : place.caption;
    DrawItemText(paint.skin, TSkinPart::Control, caption, format, font, rightToLeft, false, button->Default(), enabled,
                 false, captionRect, canvas, QString());
}
