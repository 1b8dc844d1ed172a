#include "components/FlatSkin/SkinBarPainters.h"
#include "components/FlatSkin.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "support/Input.h"
#include "support/PixelMask.h"
#include "toolkit/app/Form.h"
#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/gdi/TextLayout.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

constexpr TColor kBarColor = RGB(200, 196, 188);
constexpr TColor kGlyphColor = RGB(200, 0, 0);
constexpr TColor kOwnColor = RGB(1, 2, 3);

TColor Face()
{
    return LightenColor(kBarColor, 16);
}
TColor Frame()
{
    return ColorToRGB(clHighlight);
}
// The hot fill with the system colours.
TColor HotFill()
{
    return LightenColor(clHighlight, 68);
}

// A 16 by 16 image: a 6 by 6 red square at (5, 5), the rest transparent.
QImage SquareGlyph(int width = 16)
{
    QImage image(width, 16, QImage::Format_RGB32);
    image.fill(ToQRgb(clFuchsia));
    for (int y = 5; y < 11; ++y)
        for (int x = 5; x < 11; ++x)
            image.setPixel(x, y, ToQRgb(kGlyphColor));
    return image;
}

// A form with a tool bar 22 pixels high on it and a skin that is not
// active yet; buttons are added before the skin is switched on.
class SkinBarPaintersTest : public ::testing::Test
{
protected:
    SkinBarPaintersTest()
    {
        bar = new TToolBar(form.ClientArea());
        bar->resize(200, 22);
        bar->SetColor(kBarColor);
        skin = new TFlatSkin(&form);
    }

    TToolButton *Add(TToolButtonStyle style = tbsButton)
    {
        auto *button = new TToolButton(bar);
        button->SetStyle(style);
        return button;
    }

    QPoint CentreOf(const TToolButton *button) const
    {
        const TRect b = button->BoundsRect();
        return {b.Left + b.Width() / 2, b.Top + b.Height() / 2};
    }

    QImage Paint()
    {
        QImage image(bar->size(), QImage::Format_RGB32);
        bar->PaintOn(image);
        return image;
    }

    TForm form;
    TToolBar *bar;
    TFlatSkin *skin;
};

TEST_F(SkinBarPaintersTest, aToolBarGetsTheSkinsHandlerOnlyWithButtonsAndKeepsAnOwnOneUnlessOverridden)
{
    skin->SetActive(true);
    EXPECT_FALSE(bar->OnCustomDrawButton());
    EXPECT_TRUE(bar->Flat());

    auto *owned = new TToolBar(form.ClientArea());
    new TToolButton(owned);
    owned->SetOnCustomDrawButton([](TToolBar *, TToolButton *, TCustomDrawState, bool &) {});
    Add();
    skin->SetActive(false);
    skin->SetActive(true);
    EXPECT_EQ(bar->OnCustomDrawButtonKey(), TFlatSkin::HandlerKey());
    EXPECT_EQ(owned->OnCustomDrawButtonKey(), nullptr);

    skin->SetOverrideOwnerDraw(true);
    EXPECT_EQ(owned->OnCustomDrawButtonKey(), TFlatSkin::HandlerKey());
    skin->SetActive(false);
    EXPECT_FALSE(bar->OnCustomDrawButton());
    EXPECT_FALSE(owned->OnCustomDrawButton());

    // Left out of SkinControls, tool bars keep their own look.
    skin->SetSkinControls(TSkinControls::All().Without(scToolbar));
    skin->SetActive(true);
    EXPECT_FALSE(bar->OnCustomDrawButton());
}

TEST_F(SkinBarPaintersTest, aControlBarGetsTheGripUntilTheSkinGoes)
{
    auto *controlBar = new TControlBar(form.ClientArea());
    auto *other = new TControlBar(form.ClientArea());
    other->SetOnBandPaint([](TControlBar *, QWidget *, TCanvas &, TRect &, TBandPaintOptions &) {});
    skin->SetActive(true);
    EXPECT_EQ(controlBar->OnBandPaintKey(), TFlatSkin::HandlerKey());
    EXPECT_EQ(other->OnBandPaintKey(), nullptr);
    skin->SetActive(false);
    EXPECT_FALSE(controlBar->OnBandPaint());
    EXPECT_TRUE(other->OnBandPaint());
}

// Hot and checked buttons are filled below their top row and framed one
// pixel in from the right and bottom; a hot button that is also checked or
// pressed takes the checked-and-selected fill.
TEST_F(SkinBarPaintersTest, hotAndCheckedButtonsAreFilledAndFramed)
{
    TToolButton *button = Add();
    skin->SetActive(true);
    const TSkinPalette &p = skin->Palette();
    struct Case {
        const char *name;
        bool hot;
        bool down;
        bool pressed;
        TColor fill;
    };
    const Case cases[] = {
        {"hot", true, false, false, HotFill()},
        {"hot and checked", true, true, false, ColorToRGB(p.CheckedSelectFillColor)},
        {"checked", false, true, false, ColorToRGB(p.CheckedFillColor)},
        {"pressed", true, false, true, ColorToRGB(p.CheckedSelectFillColor)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        button->SetDown(c.down);
        SendMouse(bar, QEvent::MouseMove, c.hot ? CentreOf(button) : QPoint(150, 5));
        if (c.pressed)
            SendMouse(bar, QEvent::MouseButtonPress, CentreOf(button));
        const QImage image = Paint();
        if (c.pressed)
            SendMouse(bar, QEvent::MouseButtonRelease, QPoint(150, 5));
        EXPECT_EQ(PixelAt(image, 5, 0), Face());
        EXPECT_EQ(PixelAt(image, 5, 2), c.fill);
        EXPECT_EQ(PixelAt(image, 0, 1), Frame());
        EXPECT_EQ(PixelAt(image, 22, 21), Frame());
        EXPECT_EQ(PixelAt(image, 21, 20), c.fill);
    }
}

TEST_F(SkinBarPaintersTest, anIndeterminateButtonIsFilledButNotFramed)
{
    TToolButton *button = Add();
    button->SetIndeterminate(true);
    skin->SetActive(true);
    const QImage image = Paint();
    EXPECT_EQ(PixelAt(image, 5, 0), Face());
    EXPECT_EQ(PixelAt(image, 0, 1), HotFill());
    EXPECT_EQ(PixelAt(image, 22, 21), HotFill());
}

// The separator gets the button face when the button after it is drawn and
// a line in its middle column only when its tag is above 0.
TEST_F(SkinBarPaintersTest, theSeparatorLineNeedsAPositiveTagAndAButtonAfterIt)
{
    Add();
    TToolButton *tagged = Add(tbsSeparator);
    Add();
    TToolButton *plain = Add(tbsSeparator);
    Add();
    TToolButton *last = Add(tbsSeparator);
    SetControlTag(tagged, 1);
    SetControlTag(last, 1);
    skin->SetActive(true);
    const QImage image = Paint();
    const TColor line = DarkenColor(kBarColor, 30);

    const TRect t = tagged->BoundsRect();
    const int middle = t.Left + t.Width() / 2;
    EXPECT_EQ(PixelAt(image, middle, 1), Face());
    EXPECT_EQ(PixelAt(image, middle, 2), line);
    EXPECT_EQ(PixelAt(image, middle, 20), line);
    EXPECT_EQ(PixelAt(image, middle, 21), Face());
    EXPECT_EQ(PixelAt(image, middle - 1, 10), Face());

    const TRect u = plain->BoundsRect();
    EXPECT_EQ(PixelMask(image, u, Face()), PixelMask(FilledImage(200, 22, Face()), u, Face()));
    const TRect v = last->BoundsRect();
    EXPECT_EQ(PixelMask(image, v, kBarColor), PixelMask(FilledImage(200, 22, kBarColor), v, kBarColor));
}

TEST_F(SkinBarPaintersTest, aHotDropDownButtonHasTwoFramesAndABlackArrow)
{
    TToolButton *button = Add(tbsDropDown);
    skin->SetActive(true);
    ASSERT_EQ(button->BoundsRect(), TRect(0, 0, 36, 22));
    SendMouse(bar, QEvent::MouseMove, CentreOf(button));
    const QImage image = Paint();
    for (int x : {0, 22, 35})
        EXPECT_EQ(PixelAt(image, x, 10), Frame()) << x;
    EXPECT_EQ(PixelAt(image, 21, 10), HotFill());
    EXPECT_EQ(PixelAt(image, 23, 5), HotFill());
    EXPECT_EQ(PixelMask(image, TRect(25, 9, 32, 14), HotFill()), ".......\n"
                                                                 ".#####.\n"
                                                                 "..###..\n"
                                                                 "...#...\n"
                                                                 ".......\n");
    EXPECT_EQ(PixelAt(image, 28, 12), clBlack);
}

// While its menu is open a drop-down button shows the pressed bar item:
// the selection fill from one row down, its frame, and the two-pixel shadow
// at the right edge.
TEST_F(SkinBarPaintersTest, aDropDownButtonWithItsMenuOpenShowsThePlainBarSelection)
{
    TToolButton *button = Add(tbsDropDown);
    TPopupMenu menu(bar);
    menu.Items()->Add(QStringLiteral("Первый"));
    button->SetDropdownMenu(&menu);
    skin->SetActive(true);
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(33, 10));
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(33, 10));
    const QImage image = Paint();
    if (menu.Window())
        menu.Window()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(PixelAt(image, 5, 0), Face());
    EXPECT_EQ(PixelAt(image, 5, 3), HotFill());
    EXPECT_EQ(PixelAt(image, 0, 1), Frame());
    EXPECT_EQ(PixelAt(image, 33, 1), Frame());
    EXPECT_EQ(PixelAt(image, 34, 1), kBarColor);
    EXPECT_EQ(PixelAt(image, 35, 3), DarkenColor(kBarColor, 70));
    EXPECT_EQ(PixelAt(image, 28, 12), clBlack);
}

TEST_F(SkinBarPaintersTest, aDisabledCaptionIsDrawnInTheDisabledColourOnTheButtonsFace)
{
    TToolButton *button = Add();
    button->SetCaption(QStringLiteral("Ш"));
    button->SetEnabled(false);
    bar->SetShowCaptions(true);
    bar->resize(200, button->BoundsRect().Height());
    skin->SetActive(true);
    const QImage image = Paint();
    const TRect b = button->BoundsRect();
    std::set<TColor> colours;
    for (int y = b.Top + 1; y < b.Bottom; ++y)
        for (int x = b.Left; x < b.Right; ++x)
            colours.insert(PixelAt(image, x, y));
    EXPECT_EQ(colours, (std::set<TColor>{Face(), ColorToRGB(skin->Palette().DisabledTextColor)}));
}

TEST_F(SkinBarPaintersTest, aHotGlyphRisesOverItsShadowAndAPressedOneStays)
{
    TImageList images(16, 16);
    images.AddMasked(SquareGlyph(), clFuchsia);
    bar->SetImages(&images);
    TToolButton *button = Add();
    button->SetImageIndex(0);
    skin->SetActive(true);
    // Centred: (23 - 16) / 2 rounds to 4 columns in; 3 rows down (the fill
    // starts 1 lower, the glyph 2 lower still).
    const int left = 4;
    const int top = 3;
    QImage image = Paint();
    EXPECT_EQ(PixelAt(image, left + 5, top + 5), LightenColor(kGlyphColor, skin->DimLevel()));

    SendMouse(bar, QEvent::MouseMove, CentreOf(button));
    image = Paint();
    // Hot: the glyph moves one up and left over its shadow, two down and right.
    EXPECT_EQ(PixelAt(image, left + 4, top + 4), kGlyphColor);
    EXPECT_EQ(PixelAt(image, left + 11, top + 11), DarkenColor(HotFill(), 50));

    SendMouse(bar, QEvent::MouseButtonPress, CentreOf(button));
    image = Paint();
    SendMouse(bar, QEvent::MouseButtonRelease, CentreOf(button));
    EXPECT_EQ(PixelAt(image, left + 5, top + 5), kGlyphColor);
    bar->SetImages(nullptr);
}

// Without the system colours the hot fill and the glyph's shadow come from
// the select colour lightened by 68, even when the derived selection fill is
// the select colour itself.
TEST_F(SkinBarPaintersTest, withoutSystemColoursAHotButtonTakesFillAndShadowFromTheSelectColour)
{
    TImageList images(16, 16);
    images.AddMasked(SquareGlyph(), clFuchsia);
    bar->SetImages(&images);
    TToolButton *button = Add();
    button->SetImageIndex(0);
    constexpr TColor select = RGB(40, 80, 160);
    skin->SetUseSystemColors(false);
    skin->SetUseDimColor(false);
    skin->SetSelectColor(select);
    skin->SetActive(true);
    ASSERT_EQ(button->BoundsRect(), TRect(0, 0, 23, 22));
    SendMouse(bar, QEvent::MouseMove, CentreOf(button));
    const QImage image = Paint();
    const TColor hot = LightenColor(select, 68);
    // The glyph sits 4 columns in and 3 rows down, raised one up and left
    // while hot; its shadow lies two down and right of the raised glyph.
    KeyPicture expected(26, 22, 'c');
    expected.Fill(0, 0, 23, 1, 'f').Fill(0, 1, 23, 22, 'h').Frame(0, 1, 23, 22, 'K');
    expected.Fill(3 + 5 + 2, 2 + 5 + 2, 3 + 11 + 2, 2 + 11 + 2, 's').Fill(3 + 5, 2 + 5, 3 + 11, 2 + 11, 'g');
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 26, 22),
                        {{'c', kBarColor},
                         {'f', Face()},
                         {'h', hot},
                         {'K', ColorToRGB(skin->Palette().SelectFrameColor)},
                         {'s', DarkenColor(hot, 50)},
                         {'g', kGlyphColor}}),
              expected.Text());
    bar->SetImages(nullptr);
}

// A button carrying a menu item shows the tool bar's own colour below its
// top row while nothing happens to it; on a transparent bar neither the face
// nor that colour is painted, and a lit button there keeps the bar's own
// background in its top row.
TEST_F(SkinBarPaintersTest, aMenuItemButtonShowsTheBarColourAndATransparentBarPaintsNoFace)
{
    TPopupMenu menu(bar);
    TMenuItem *entry = menu.Items()->Add(QStringLiteral("Первый"));
    TToolButton *button = Add();
    button->SetMenuItem(entry);
    skin->SetActive(true);
    ASSERT_EQ(button->BoundsRect(), TRect(0, 0, 23, 22));
    QImage image = Paint();
    KeyPicture idle(26, 22, 'c');
    idle.Fill(0, 0, 23, 1, 'f');
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 26, 22), {{'c', kBarColor}, {'f', Face()}}), idle.Text());

    bar->SetTransparent(true);
    image = Paint();
    const TColor beneath = PixelAt(image, 150, 0);
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 26, 22), {{'c', beneath}}), KeyPicture(26, 22, 'c').Text());

    SendMouse(bar, QEvent::MouseMove, CentreOf(button));
    image = Paint();
    KeyPicture hot(26, 22, 'c');
    hot.Fill(0, 1, 23, 22, 'h').Frame(0, 1, 23, 22, 'K');
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 26, 22), {{'c', beneath}, {'h', HotFill()}, {'K', Frame()}}), hot.Text());
    button->SetMenuItem(nullptr);
}

namespace {

// The expected picture of an idle button with the square glyph and a
// caption: the face, the dimmed square with its top-left corner at the
// glyph's origin plus (5, 5), and the caption as the canvas lays it out in
// the given rectangle and format.
QImage IdleButtonPicture(const QSize &size, const TFlatSkin &skin, const QPoint &glyph, const QString &caption,
                         TRect text, unsigned format)
{
    QImage image = FilledImage(size.width(), size.height(), Face());
    TCanvas canvas(&image);
    canvas.FillSolidRect(Bounds(glyph.x() + 5, glyph.y() + 5, 6, 6), LightenColor(kGlyphColor, skin.DimLevel()));
    canvas.SetFont(skin.Font());
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawText(caption, text, format);
    return image;
}

} // namespace

// Caption under the glyph: the glyph centred across the button 3 rows down,
// the caption centred with its bottom 6 pixels above the button's bottom.
// Caption beside the glyph: the glyph 3 columns in, the caption starting 6
// columns after it and centred on the button's height.
TEST_F(SkinBarPaintersTest, glyphAndCaptionLieWhereEachLayoutPutsThem)
{
    TImageList images(16, 16);
    images.AddMasked(SquareGlyph(), clFuchsia);
    bar->SetImages(&images);
    const QString caption = QStringLiteral("Шаг");
    TToolButton *button = Add();
    button->SetImageIndex(0);
    button->SetCaption(caption);
    bar->SetShowCaptions(true);
    skin->SetActive(true);

    TRect b = button->BoundsRect();
    bar->resize(200, b.Height());
    ASSERT_EQ(b.Left, 0);
    QImage image = Paint();
    QImage textMeasure(1, 1, QImage::Format_RGB32);
    TCanvas measure(&textMeasure);
    measure.SetFont(skin->Font());
    const int th = measure.TextHeight(caption);
    const int glyphLeft = static_cast<int>(std::nearbyint((b.Width() - 16) / 2.0));
    QImage expected = IdleButtonPicture(bar->size(), *skin, QPoint(glyphLeft, 3), caption,
                                        TRect(0, b.Bottom - th - 6, b.Right, b.Bottom), DT_CENTER | DT_EXPANDTABS);
    EXPECT_EQ(PixelMask(image, b, Face()), PixelMask(expected, b, Face())) << "captions under the glyphs";
    EXPECT_EQ(PixelAt(image, glyphLeft + 5, 3 + 5), LightenColor(kGlyphColor, skin->DimLevel()));

    bar->SetList(true);
    b = button->BoundsRect();
    bar->resize(200, b.Height());
    image = Paint();
    expected = IdleButtonPicture(bar->size(), *skin, QPoint(3, 3), caption, TRect(16 + 6, 0, b.Right, b.Bottom),
                                 DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(PixelMask(image, b, Face()), PixelMask(expected, b, Face())) << "captions beside the glyphs";
    bar->SetImages(nullptr);
}

// A drop-down button's glyph is centred on the part left of the arrow,
// twelve columns short of the button's right edge.
TEST_F(SkinBarPaintersTest, aDropDownButtonsGlyphIsCentredLeftOfTheArrow)
{
    TImageList images(14, 16);
    images.AddMasked(SquareGlyph(14), clFuchsia);
    bar->SetImages(&images);
    TToolButton *button = Add(tbsDropDown);
    button->SetImageIndex(0);
    skin->SetActive(true);
    ASSERT_EQ(button->BoundsRect(), TRect(0, 0, 36, 22));
    const QImage image = Paint();
    // (36 - 12 - 14) / 2 = 5 columns in, 3 rows down; the arrow 10 from the
    // right edge on rows 10 to 12.
    KeyPicture expected(36, 22, 'f');
    expected.Fill(5 + 5, 3 + 5, 5 + 11, 3 + 11, 'g');
    expected.Fill(26, 10, 31, 11, 'a').Fill(27, 11, 30, 12, 'a').Fill(28, 12, 29, 13, 'a');
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 36, 22),
                        {{'f', Face()}, {'g', LightenColor(kGlyphColor, skin->DimLevel())}, {'a', clBlack}}),
              expected.Text());
    bar->SetImages(nullptr);
}

// With the system colours the hot fill is the derived selection fill, whatever
// the select colour setting says.
TEST_F(SkinBarPaintersTest, withSystemColoursTheHotFillIgnoresTheSelectColour)
{
    TToolButton *button = Add();
    skin->SetSelectColor(RGB(40, 80, 160));
    skin->SetActive(true);
    SendMouse(bar, QEvent::MouseMove, CentreOf(button));
    KeyPicture expected(23, 22, 'h');
    expected.Fill(0, 0, 23, 1, 'f').Frame(0, 1, 23, 22, 'K');
    EXPECT_EQ(ColourMap(Paint(), TRect(0, 0, 23, 22), {{'f', Face()}, {'h', HotFill()}, {'K', Frame()}}),
              expected.Text());
}

// A disabled caption is drawn in the default font on a block of the face,
// lowered by half the room the letter W leaves in its rectangle and centred
// there both ways.
TEST_F(SkinBarPaintersTest, aDisabledCaptionIsCentredInItsLoweredRectangleInTheDefaultFont)
{
    TToolButton *button = Add();
    const QString caption = QStringLiteral("Шаг");
    button->SetCaption(caption);
    button->SetEnabled(false);
    bar->SetShowCaptions(true);
    skin->SetActive(true);
    const TRect b = button->BoundsRect();
    bar->resize(200, b.Height());
    const QImage image = Paint();

    QImage expected = FilledImage(200, b.Height(), Face());
    TCanvas canvas(&expected);
    canvas.SetFont(skin->Font());
    TRect x(b.Left, b.Bottom - canvas.TextHeight(caption) - 6, b.Right, b.Bottom);
    x.Top += (x.Height() - canvas.TextHeight(QStringLiteral("W"))) / 2;
    QImage block = FilledImage(x.Width(), x.Height(), Face());
    TCanvas blockCanvas(&block);
    blockCanvas.Font().SetColor(skin->Palette().DisabledTextColor);
    blockCanvas.Brush().SetStyle(bsClear);
    TRect area(0, 0, x.Width(), x.Height());
    blockCanvas.DrawText(caption, area, DT_CENTER | DT_EXPANDTABS | DT_VCENTER);
    for (int yy = 0; yy < block.height(); ++yy)
        for (int xx = 0; xx < block.width(); ++xx)
            expected.setPixel(x.Left + xx, x.Top + yy, block.pixel(xx, yy));
    EXPECT_EQ(PixelMask(image, b, Face()), PixelMask(expected, b, Face()));
}

// One bar holding a checked, an indeterminate and a hot button, a tagged
// separator between the last two: every button is face in its top row,
// filled below it, framed only when checked or hot; the separator is face
// with its dark line from row 2 to row 20; the bar beyond stays its own.
TEST_F(SkinBarPaintersTest, checkedIndeterminateSeparatorAndHotButtonsAsOnePicture)
{
    TToolButton *checked = Add();
    TToolButton *indeterminate = Add();
    TToolButton *separator = Add(tbsSeparator);
    TToolButton *hot = Add();
    SetControlTag(separator, 1);
    checked->SetDown(true);
    indeterminate->SetIndeterminate(true);
    skin->SetActive(true);
    SendMouse(bar, QEvent::MouseMove, CentreOf(hot));
    const QImage image = Paint();

    KeyPicture expected(200, 22, 'c');
    const auto button = [&](const TToolButton *b, char fill, bool framed) {
        const TRect r = b->BoundsRect();
        expected.Fill(r.Left, r.Top, r.Right, r.Top + 1, 'f').Fill(r.Left, r.Top + 1, r.Right, r.Bottom, fill);
        if (framed)
            expected.Frame(r.Left, r.Top + 1, r.Right, r.Bottom, 'K');
    };
    button(checked, 'k', true);
    button(indeterminate, 'h', false);
    button(hot, 'h', true);
    const TRect s = separator->BoundsRect();
    const int middle = s.Left + s.Width() / 2;
    expected.Fill(s.Left, s.Top, s.Right, s.Bottom, 'f').Fill(middle, s.Top + 2, middle + 1, s.Bottom - 1, 'L');
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 200, 22),
                        {{'c', kBarColor},
                         {'f', Face()},
                         {'k', ColorToRGB(skin->Palette().CheckedFillColor)},
                         {'h', HotFill()},
                         {'K', Frame()},
                         {'L', DarkenColor(kBarColor, 30)}}),
              expected.Text());
}

// On a transparent bar neither the buttons' face nor the separator is
// painted, but the state fills, frames and the separator's line are; a
// separator of odd width has its line left of the centre.
TEST_F(SkinBarPaintersTest, aTransparentBarPaintsStatesAndTheSeparatorLineOverWhatLiesBeneath)
{
    TToolButton *checked = Add();
    TToolButton *separator = Add(tbsSeparator);
    TToolButton *plain = Add();
    SetControlTag(separator, 1);
    separator->SetWidth(7);
    checked->SetDown(true);
    bar->SetTransparent(true);
    skin->SetActive(true);
    const QImage image = Paint();
    const TColor beneath = PixelAt(image, 150, 0);
    ASSERT_NE(beneath, Face());

    KeyPicture expected(200, 22, 'b');
    const TRect c = checked->BoundsRect();
    expected.Fill(c.Left, c.Top + 1, c.Right, c.Bottom, 'k').Frame(c.Left, c.Top + 1, c.Right, c.Bottom, 'K');
    const TRect s = separator->BoundsRect();
    ASSERT_EQ(s.Width(), 7);
    expected.Fill(s.Left + 3, s.Top + 2, s.Left + 4, s.Bottom - 1, 'L');
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 200, 22),
                        {{'b', beneath},
                         {'k', ColorToRGB(skin->Palette().CheckedFillColor)},
                         {'K', Frame()},
                         {'L', DarkenColor(kBarColor, 30)}}),
              expected.Text());
    EXPECT_EQ(plain->BoundsRect().Left, s.Right);
}

// The hot images serve a hot button and the disabled images a disabled one,
// each in place of the normal image.
TEST_F(SkinBarPaintersTest, hotAndDisabledButtonsTakeTheirOwnImageLists)
{
    TImageList images(16, 16);
    images.AddMasked(SquareGlyph(), clFuchsia);
    QImage blue = SquareGlyph();
    QImage dark = SquareGlyph();
    for (int y = 5; y < 11; ++y)
        for (int x = 5; x < 11; ++x) {
            blue.setPixel(x, y, ToQRgb(clBlue));
            dark.setPixel(x, y, ToQRgb(RGB(0, 0, 90)));
        }
    TImageList hotImages(16, 16);
    hotImages.AddMasked(blue, clFuchsia);
    TImageList disabledImages(16, 16);
    disabledImages.AddMasked(dark, clFuchsia);
    bar->SetImages(&images);
    TToolButton *hot = Add();
    TToolButton *disabled = Add();
    hot->SetImageIndex(0);
    disabled->SetImageIndex(0);
    disabled->SetEnabled(false);
    skin->SetActive(true);
    SendMouse(bar, QEvent::MouseMove, CentreOf(hot));
    const QImage plainImage = Paint();
    bar->SetHotImages(&hotImages);
    bar->SetDisabledImages(&disabledImages);
    const QImage image = Paint();
    // The hot glyph is raised one up and left from 4 columns in, 3 rows down.
    EXPECT_EQ(PixelAt(image, 4 + 5, 3 + 5 - 1), clBlue);
    const TRect d = disabled->BoundsRect();
    EXPECT_NE(PixelAt(image, d.Left + 4 + 7, 3 + 7), PixelAt(plainImage, d.Left + 4 + 7, 3 + 7))
        << "the disabled list's image, greyed";
    bar->SetImages(nullptr);
    bar->SetHotImages(nullptr);
    bar->SetDisabledImages(nullptr);
}

// A button both down and disabled draws its caption block one pixel inside
// its rectangle, so the frame of the checked state stays whole around it.
TEST_F(SkinBarPaintersTest, aDownDisabledButtonKeepsItsFrameAroundItsCaption)
{
    TToolButton *button = Add();
    button->SetCaption(QStringLiteral("Ш"));
    button->SetDown(true);
    button->SetEnabled(false);
    bar->SetShowCaptions(true);
    skin->SetActive(true);
    const TRect b = button->BoundsRect();
    bar->resize(200, b.Height());
    const QImage image = Paint();
    KeyPicture expected(b.Width(), b.Height(), 'k');
    expected.Fill(0, 0, b.Width(), 1, 'f').Frame(0, 1, b.Width(), b.Height(), 'K');
    expected.Fill(1, 2, b.Width() - 1, b.Height() - 1, '*');
    const std::string want = expected.Text();
    EXPECT_EQ(Blanked(ColourMap(image, b,
                                {{'f', Face()}, {'k', ColorToRGB(skin->Palette().CheckedFillColor)}, {'K', Frame()}}),
                      want),
              want);
}

// Right to left in list layout the glyph sits 3 columns in from the right
// edge and the caption ends 7 columns left of the glyph, right-aligned.
TEST_F(SkinBarPaintersTest, aRightToLeftListButtonHasItsGlyphAtTheRightAndItsCaptionBeforeIt)
{
    TImageList images(16, 16);
    images.AddMasked(SquareGlyph(), clFuchsia);
    bar->SetImages(&images);
    const QString caption = QStringLiteral("Шаг");
    TToolButton *button = Add();
    button->SetImageIndex(0);
    button->SetCaption(caption);
    button->SetBiDiMode(bdRightToLeft);
    bar->SetShowCaptions(true);
    bar->SetList(true);
    skin->SetActive(true);
    const TRect b = button->BoundsRect();
    bar->resize(200, b.Height());
    const QImage image = Paint();
    const QImage expected = IdleButtonPicture(bar->size(), *skin, QPoint(b.Right - 3 - 16, 3), caption,
                                              TRect(b.Left, 0, b.Right - 16 - 7, b.Bottom),
                                              DT_VCENTER | DT_SINGLELINE | DT_RIGHT | DT_RTLREADING | DT_EXPANDTABS);
    EXPECT_EQ(PixelMask(image, b, Face()), PixelMask(expected, b, Face()));
    EXPECT_EQ(PixelAt(image, b.Right - 3 - 16 + 5, 3 + 5), LightenColor(kGlyphColor, skin->DimLevel()));
    bar->SetImages(nullptr);
}

TEST(DrawBandGripTest, dashesLieOnEvenRowsEachSevenDarkerAndNeedABandOfTenRows)
{
    TForm form;
    TFlatSkin skin(&form);
    TControlBar bar;
    bar.SetColor(kBarColor);
    QImage image = FilledImage(20, 60, kOwnColor);
    TCanvas canvas(&image);

    TRect band(2, 1, 18, 31);
    TBandPaintOptions options = TControlBar::kDefaultOptions;
    DrawBandGrip(skin, bar, nullptr, canvas, band, options);
    EXPECT_EQ(options, TBandPaintOptions{});
    EXPECT_EQ(PixelAt(image, 2, 1), LightenColor(kBarColor, 6));
    EXPECT_EQ(PixelAt(image, 1, 1), kOwnColor);
    // Rows 6 to 26 hold the grip: dashes on 6, 8, ... 26, in columns 5 to 7.
    int darken = 30;
    for (int y = 6; y <= 26; y += 2) {
        SCOPED_TRACE(y);
        EXPECT_EQ(PixelMask(image, TRect(4, y - 1, 9, y + 1), LightenColor(kBarColor, 6)), ".....\n.###.\n");
        EXPECT_EQ(PixelAt(image, 5, y), DarkenColor(kBarColor, darken));
        darken += 7;
    }
    EXPECT_EQ(PixelAt(image, 6, 28), LightenColor(kBarColor, 6));

    const auto dashes = [&](const TRect &r) {
        image.fill(ToQRgb(kOwnColor));
        TRect rect = r;
        DrawBandGrip(skin, bar, nullptr, canvas, rect, options);
        int count = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            count += PixelAt(image, r.Left + 3, y) != LightenColor(kBarColor, 6);
        return count;
    };
    EXPECT_EQ(dashes(TRect(0, 1, 16, 10)), 0);
    EXPECT_EQ(dashes(TRect(0, 1, 16, 11)), 1);
    EXPECT_EQ(dashes(TRect(0, 0, 16, 10)), 0);
}

// A form as a person would build it: a tool bar with two image buttons and
// a control bar with one band, skinned by an active component; the pointer
// moves over the first button and presses it.
TEST(FlatToolBarWidgetTest, pointerOverAndPressOnASkinnedFormShowTheFlatLook)
{
    TForm form;
    TImageList images(16, 16);
    images.AddMasked(SquareGlyph(), clFuchsia);
    auto *bar = new TToolBar(form.ClientArea());
    bar->setGeometry(0, 0, 120, 22);
    bar->SetImages(&images);
    auto *first = new TToolButton(bar);
    auto *second = new TToolButton(bar);
    first->SetImageIndex(0);
    second->SetImageIndex(0);
    int clicks = 0;
    QObject::connect(first, &TToolButton::Clicked, [&clicks] { ++clicks; });
    auto *controlBar = new TControlBar(form.ClientArea());
    controlBar->setGeometry(0, 30, 200, 30);
    auto *band = new QWidget;
    band->resize(60, 20);
    controlBar->InsertControl(band);
    auto *skin = new TFlatSkin(&form);
    form.SetClientSize(220, 80);
    form.show();
    skin->SetActive(true);
    QApplication::processEvents();

    const TColor face = LightenColor(clBtnFace, 16);
    QImage shot = bar->grab().toImage();
    EXPECT_EQ(PixelAt(shot, 0, 1), face);
    EXPECT_EQ(PixelAt(shot, 23, 1), face);

    SendMouse(bar, QEvent::MouseMove, QPoint(10, 10));
    const QImage hot = bar->grab().toImage();
    EXPECT_EQ(PixelAt(hot, 0, 1), Frame());
    EXPECT_EQ(PixelAt(hot, 22, 21), Frame());
    EXPECT_EQ(PixelAt(hot, 1, 2), HotFill());
    EXPECT_EQ(PixelAt(hot, 23, 1), face);
    EXPECT_EQ(PixelAt(hot, 15, 14), DarkenColor(HotFill(), 50));

    SendMouse(bar, QEvent::MouseButtonPress, QPoint(10, 10));
    const QImage pressed = bar->grab().toImage();
    EXPECT_EQ(PixelAt(pressed, 1, 2), ColorToRGB(skin->Palette().CheckedSelectFillColor));
    EXPECT_EQ(PixelAt(pressed, 0, 1), Frame());
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);

    const QImage bands = controlBar->grab().toImage();
    EXPECT_EQ(PixelAt(bands, 1, 1), LightenColor(clBtnFace, 6));
    EXPECT_EQ(PixelAt(bands, 3, 6), DarkenColor(clBtnFace, 30));
    EXPECT_EQ(PixelAt(bands, 3, 7), LightenColor(clBtnFace, 6));

    if (const char *dir = std::getenv("VELIRSK_SHOTS")) {
        hot.scaled(hot.width() * 6, hot.height() * 6).save(QString::fromUtf8(dir) + "/toolbar-hot.png");
        bands.scaled(bands.width() * 6, bands.height() * 6).save(QString::fromUtf8(dir) + "/controlbar.png");
    }

    // Without the skin both go back to their own look; the tool bar stays flat.
    skin->SetActive(false);
    shot = bar->grab().toImage();
    EXPECT_EQ(PixelAt(shot, 0, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(controlBar->grab().toImage(), 0, 0), ColorToRGB(clBtnHighlight));
    bar->SetImages(nullptr);
}

} // namespace
