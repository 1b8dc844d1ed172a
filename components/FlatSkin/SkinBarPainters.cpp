#include "components/FlatSkin/SkinBarPainters.h"

#include "components/FlatSkin/SkinItemRoutines.h"
#include "components/FlatSkin/SkinLook.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"

#include <cmath>

namespace {

constexpr int kHotLighten = 68;
constexpr int kFaceLighten = 16;
// The arrow part of a drop-down button, as the frame splits it, and the
// room the glyph and caption leave for it.
constexpr int kDropDownFramePart = 13;
constexpr int kDropDownContentCut = 12;
constexpr int kArrowFromRight = 10;
constexpr int kArrowHeight = 3;
constexpr int kGlyphTop = 2;
constexpr int kGlyphPadding = 6;
constexpr int kListGlyphInset = 3;
constexpr int kListCaptionGap = 6;
constexpr int kListRightToLeftCaptionGap = 7;
constexpr int kCaptionBottom = 6;
constexpr int kSeparatorLineTop = 2;
constexpr int kSeparatorLineDarken = 30;

constexpr int kBandFaceLighten = 6;
constexpr int kGripInset = 5;
constexpr int kGripLeft = 3;
constexpr int kGripLength = 3;
constexpr int kGripFirstDarken = 30;
constexpr int kGripDarkenStep = 7;

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// The image list has an image for index.
bool HasImage(const TImageList *images, int index)
{
    return images && index != -1 && index <= images->Count() - 1;
}

// The frame of a lit button: a closed outline through the four corners.
void OutlineFrame(TCanvas &canvas, const TRect &g)
{
    canvas.Polyline({{g.Left, g.Top}, {g.Right, g.Top}, {g.Right, g.Bottom}, {g.Left, g.Bottom}, {g.Left, g.Top}});
}

// The glyph of the button composed on the transparent key colour; empty
// when no list has its image. Hot images win while hot, then disabled images
// while disabled, then the normal ones.
TBitmap ComposeGlyph(const TSkinLook &skin, const TToolBar &bar, const TToolButton &button, TCustomDrawState state)
{
    const int index = button.ImageIndex();
    const TImageList *source = nullptr;
    if (state.Contains(cdsHot) && HasImage(bar.HotImages(), index))
        source = bar.HotImages();
    else if (state.Contains(cdsDisabled) && HasImage(bar.DisabledImages(), index))
        source = bar.DisabledImages();
    else if (HasImage(bar.Images(), index))
        source = bar.Images();
    TBitmap glyph;
    if (!source)
        return glyph;
    glyph.SetSize(source->Width(), source->Height());
    TCanvas &canvas = glyph.Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(skin.TransparentKeyColor());
    canvas.FillRect(TRect(0, 0, glyph.Width(), glyph.Height()));
    source->Draw(canvas, 0, 0, index);
    return glyph;
}

} // namespace

void DrawToolButton(TSkinLook &Skin, TToolBar &ToolBar, TToolButton &Button, TCustomDrawState State, bool &DefaultDraw)
{
    DefaultDraw = false;
    TCanvas &canvas = ToolBar.Canvas();
    if (Skin.PaletteStale())
        Skin.RefreshPalette(canvas);
    const TSkinPalette &p = Skin.Palette();
    const TColor hotColor = Skin.HighColorMode() && !Skin.UseSystemColors()
                                ? LightenColor(Skin.SelectColor(), kHotLighten)
                                : p.SelectFillColor;
    const bool transparent = ToolBar.Transparent();
    const bool dropDown = Button.Style() == tbsDropDown;
    const bool hasMenu = Button.MenuItem() != nullptr;
    const bool hot = State.Contains(cdsHot);
    const bool checked = State.Contains(cdsChecked);
    const bool selected = State.Contains(cdsSelected);
    const TRect b = Button.BoundsRect();
    TRect x = b;

    const TColor background = Skin.HighColorMode() ? LightenColor(ToolBar.Color(), kFaceLighten) : ToolBar.Color();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(background);
    if (!transparent)
        canvas.FillRect(b);

    // The fills are tried in this order and the last that applies wins; the
    // frame follows the hot and checked states only.
    bool lit = false;
    bool fill = false;
    if (hot) {
        canvas.Brush().SetColor(checked || selected || Button.Down() ? p.CheckedSelectFillColor : hotColor);
        lit = fill = true;
    }
    if (checked && !hot) {
        canvas.Brush().SetColor(p.CheckedFillColor);
        lit = fill = true;
    }
    if (State.Contains(cdsIndeterminate) && !hot) {
        canvas.Brush().SetColor(hotColor);
        fill = true;
    }
    if (hasMenu && State.Empty()) {
        canvas.Brush().SetColor(ToolBar.Color());
        fill = !transparent;
    }
    x.Top += 1;
    if (fill)
        canvas.FillRect(x);

    if (lit) {
        canvas.Pen().SetColor(p.SelectFrameColor);
        const TRect g(b.Left, b.Top + 1, b.Right - 1, b.Bottom - 1);
        if (dropDown) {
            OutlineFrame(canvas, TRect(g.Left, g.Top, g.Right - kDropDownFramePart, g.Bottom));
            OutlineFrame(canvas, TRect(g.Right - kDropDownFramePart, g.Top, g.Right, g.Bottom));
        } else {
            OutlineFrame(canvas, g);
        }
    }
    if ((hasMenu || Button.DropdownMenu()) && selected)
        DrawBarSelection(Skin, TSkinPart::ToolButton, canvas, false, ToolBar.Color(), x);
    x = b;

    if (dropDown) {
        canvas.Pen().SetColor(clBlack);
        DrawDropArrow(canvas, b.Right - kArrowFromRight, b.Top + (b.Bottom - b.Top - kArrowHeight) / 2 + 1);
    }

    TBitmap glyph = ComposeGlyph(Skin, ToolBar, Button, State);
    const int glyphWidth = glyph.Empty() ? 0 : glyph.Width();
    if (glyphWidth > 0) {
        if (dropDown)
            x.Right -= kDropDownContentCut;
        if (!ToolBar.List()) {
            x.Left += RoundHalfEven((x.Right - x.Left - glyphWidth) / 2.0);
        } else if (Button.UseRightToLeftAlignment()) {
            x.Right -= kListGlyphInset;
            x.Left = x.Right - glyphWidth;
        } else {
            x.Left += kListGlyphInset;
            x.Right = x.Left + glyphWidth;
        }
        x.Top += kGlyphTop;
        x.Bottom = x.Top + glyph.Height() + kGlyphPadding;
        DrawItemGlyph(Skin, TSkinPart::ToolButton, canvas, false, false, checked, Button.Enabled(), selected, hot, x,
                      &glyph);
    }
    x = b;

    if (ToolBar.ShowCaptions()) {
        canvas.SetFont(Skin.Font());
        if (dropDown)
            x.Right -= kDropDownContentCut;
        unsigned format = 0;
        if (!ToolBar.List()) {
            format = DT_CENTER;
            x.Top = x.Bottom - canvas.TextHeight(Button.Caption()) - kCaptionBottom;
        } else {
            // Centred between the glyph's rows: a single line, as vertical
            // centring needs.
            format = DT_VCENTER | DT_SINGLELINE;
            if (Button.UseRightToLeftAlignment()) {
                format |= DT_RIGHT;
                x.Right -= glyphWidth + kListRightToLeftCaptionGap;
            } else if (glyphWidth > 0) {
                x.Left += glyphWidth + kListCaptionGap;
            }
        }
        if (hasMenu)
            format = DT_CENTER;
        if (Button.UseRightToLeftReading())
            format |= DT_RTLREADING;
        if (Button.Down() && !Button.Enabled())
            x = x.Inflated(-1, -1);
        DrawItemText(Skin, TSkinPart::ToolButton, Button.Caption(), format, Skin.Font(), Button.UseRightToLeftReading(),
                     hasMenu, false, Button.Enabled(), selected, x, canvas, {});
    }

    const int index = Button.Index();
    TToolButton *before = index > 0 ? ToolBar.Buttons(index - 1) : nullptr;
    if (before && before->IsSeparator()) {
        const TRect s = before->BoundsRect();
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(background);
        if (!transparent)
            canvas.FillRect(s);
        if (ControlTag(before) > 0) {
            const int middle = s.Left + s.Width() / 2;
            canvas.Pen().SetColor(DarkenColor(ToolBar.Color(), kSeparatorLineDarken));
            canvas.MoveTo(middle, s.Top + kSeparatorLineTop);
            canvas.LineTo(middle, s.Bottom - 1);
        }
    }
}

void DrawBandGrip(TSkinLook &Skin, TControlBar &ControlBar, QWidget *, TCanvas &Canvas, TRect &ARect,
                  TBandPaintOptions &Options)
{
    if (Skin.PaletteStale())
        Skin.RefreshPalette(Canvas);
    Options = {};
    const TColor barColor = ControlBar.Color();
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(Skin.HighColorMode() ? LightenColor(barColor, kBandFaceLighten) : barColor);
    Canvas.FillRect(ARect);
    // Dashes on even rows only, each one step darker than the one above.
    int darken = kGripFirstDarken;
    for (int y = ARect.Top + kGripInset; y <= ARect.Bottom - kGripInset; ++y) {
        if (y % 2 != 0)
            continue;
        Canvas.Pen().SetColor(DarkenColor(barColor, darken));
        Canvas.MoveTo(ARect.Left + kGripLeft, y);
        Canvas.LineTo(ARect.Left + kGripLeft + kGripLength, y);
        darken += kGripDarkenStep;
    }
}
