#include "components/FlatSkin/SkinMenuPainter.h"
#include "components/FlatSkin.h"
#include "components/FlatSkin/FlatFrameRequest.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "support/Input.h"
#include "support/PixelMask.h"
#include "toolkit/app/Form.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuBar.h"

#include <QCoreApplication>
#include <QCursor>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A row of a colour map: `inside` between two pixels of `edge`.
std::string Between(char edge, const std::string &inside)
{
    std::string row(1, edge);
    row += inside;
    row += edge;
    return row;
}

constexpr TColor kGlyphColor = RGB(200, 0, 0);
constexpr TColor kPaper = RGB(1, 2, 3);
constexpr int kItemWidth = 120;
constexpr int kItemHeight = 23;
// Popup items are drawn at x 4, so that surface and target columns agree.
constexpr TRect kPopupItem(4, 0, 4 + kItemWidth, kItemHeight);

// A 16 by 16 picture: a 6 by 6 red square at (5, 5), the rest transparent.
QImage SquareGlyph(int width = 16)
{
    QImage image(width, 16, QImage::Format_RGB32);
    image.fill(ToQRgb(clFuchsia));
    for (int y = 5; y < 11; ++y)
        for (int x = 5; x < 11; ++x)
            image.setPixel(x, y, ToQRgb(kGlyphColor));
    return image;
}

class SkinMenuPainterTest : public ::testing::Test
{
protected:
    SkinMenuPainterTest()
    {
        images.AddMasked(SquareGlyph(), clFuchsia);
        wideImages.AddMasked(SquareGlyph(30), clFuchsia);
        mainMenu.SetImages(&images);
        file = mainMenu.Items()->Add(QStringLiteral("Файл"));
        item = file->Add(QStringLiteral("Выход"));
        skin = std::make_unique<TFlatSkin>(&form);
        skin->SetActive(true);
    }
    ~SkinMenuPainterTest() override { ResetSystemSettings(); }

    // The item drawn on paper of its size plus the four columns left of it.
    QImage Draw(TMenuItem *target, bool selected, const TRect &rect = kPopupItem)
    {
        QImage image = FilledImage(rect.Right + 4, rect.Bottom + 2, kPaper);
        TCanvas canvas(&image);
        skin->DrawMenuItem(target, canvas, rect, selected);
        return image;
    }

    TSize Measure(TMenuItem *target, int width = 0, int height = 0)
    {
        QImage image(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&image);
        skin->MeasureMenuItem(target, canvas, width, height);
        return {width, height};
    }

    int TextWidth(const QString &text)
    {
        QImage image(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&image);
        canvas.SetFont(skin->Font());
        return canvas.TextWidth(text);
    }

    const TSkinPalette &Palette() { return skin->Palette(); }

    TForm form;
    TImageList images{16, 16};
    TImageList wideImages{30, 16};
    TMainMenu mainMenu{&form};
    TMenuItem *file;
    TMenuItem *item;
    std::unique_ptr<TFlatSkin> skin;
};

} // namespace

TEST_F(SkinMenuPainterTest, anItemWithThirteenPixelTextAndASixteenPixelGlyphIsTwentyThreeHigh)
{
    item->SetImageIndex(0);
    const TSize size = Measure(item);
    EXPECT_EQ(size.cy, 23);
    EXPECT_EQ(size.cx, TextWidth(QStringLiteral("Выход")) + 5 + 24);
    EXPECT_EQ(Measure(item, 500, 40), (TSize{500, 40})) << "the system's values are only raised";
}

TEST_F(SkinMenuPainterTest, measuringCountsAmpersandsOnceShortcutsWithTheirGapAndSubMenuArrows)
{
    item->SetCaption(QStringLiteral("&Вы&ход"));
    EXPECT_EQ(Measure(item).cx, TextWidth(QStringLiteral("&Вы&ход")) - TextWidth(QStringLiteral("&")) + 5 + 24);

    item->SetCaption(QStringLiteral("Выход"));
    item->SetShortCut(QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_EQ(Measure(item).cx, TextWidth(QStringLiteral("ВыходCtrl+X WWW")) + 5 + 24);

    item->SetShortCut(QKeySequence());
    item->Add(QStringLiteral("Ещё"));
    EXPECT_EQ(Measure(item).cx, TextWidth(QStringLiteral("Выход")) + 5 + 6 + 24);
}

TEST_F(SkinMenuPainterTest, aSeparatorIsFourHighWithItsLineOnRowTwo)
{
    TFont big = skin->Font();
    big.SetHeight(-30);
    skin->SetFont(big);
    item->SetCaption(QStringLiteral("-"));
    EXPECT_EQ(Measure(item, 10, 40).cy, 4);

    const TRect rect(4, 0, 4 + kItemWidth, 4);
    const QImage image = Draw(item, false, rect);
    const int textLeft = 4 + 24;
    EXPECT_EQ(PixelAt(image, textLeft + 7, 2), ColorToRGB(Palette().SeparatorLineColor));
    EXPECT_EQ(PixelAt(image, rect.Right - 1, 2), ColorToRGB(Palette().SeparatorLineColor));
    EXPECT_NE(PixelAt(image, textLeft + 6, 2), ColorToRGB(Palette().SeparatorLineColor));
    EXPECT_NE(PixelAt(image, textLeft + 7, 1), ColorToRGB(Palette().SeparatorLineColor));
    EXPECT_NE(PixelAt(image, textLeft + 7, 3), ColorToRGB(Palette().SeparatorLineColor));
}

TEST_F(SkinMenuPainterTest, aGlyphWiderThanTheIconColumnPushesTextAndWidensTheMark)
{
    const TSkinMenuPainter painter(*skin);
    const TSkinItemGeometry ltr = painter.Geometry(kPopupItem, false, false, 30);
    EXPECT_EQ(ltr.Work, TRect(4, 0, 4 + kItemWidth, kItemHeight + 1));
    EXPECT_EQ(ltr.Text.Left, 4 + 30 + 4);
    EXPECT_EQ(ltr.Mark, TRect(5, 2, 5 + 30, kItemHeight + 1 - 2));
    const TSkinItemGeometry rtl = painter.Geometry(kPopupItem, false, true, 30);
    EXPECT_EQ(rtl.Text.Right, 4 + kItemWidth - 30 - 8);
    EXPECT_EQ(rtl.Mark.Left, rtl.Mark.Right - 30);

    const TSkinItemGeometry narrow = painter.Geometry(kPopupItem, false, false, 16);
    EXPECT_EQ(narrow.Text.Left, 4 + 24);
    const TSkinItemGeometry unmarked = painter.Geometry(kPopupItem, false, false, 0);
    EXPECT_EQ(unmarked.Mark, Bounds(4 + 7, 7, 10, 10));

    const TSkinItemGeometry bar = painter.Geometry(TRect(0, 0, 40, 19), true, false, 0);
    EXPECT_EQ(bar.Text, TRect(0, 0, 40, 19));
    EXPECT_EQ(bar.Surface, (TSize{40, 19}));
    EXPECT_EQ(painter.Geometry(TRect(0, 0, 40, 19), true, false, 16).Text.Left, 16 + 4 - 5);
    EXPECT_EQ(painter.Geometry(TRect(0, 0, 40, 19), true, false, 16).Mark.Top, 1);
}

TEST_F(SkinMenuPainterTest, plainBackgroundFillsTheLeftColumnsAndTheIconColumn)
{
    const QImage image = Draw(item, false);
    EXPECT_EQ(PixelAt(image, 0, 5), ColorToRGB(Palette().MenuBackColor));
    EXPECT_EQ(PixelAt(image, 3, 5), ColorToRGB(Palette().MenuBackColor));
    EXPECT_EQ(PixelAt(image, 4, 5), ColorToRGB(Palette().IconBarColor));
    EXPECT_EQ(PixelAt(image, 4 + 23, 5), ColorToRGB(Palette().IconBarColor));
    EXPECT_EQ(PixelAt(image, 4 + 24, 5), ColorToRGB(Palette().MenuBackColor));
    EXPECT_EQ(PixelAt(image, 4, kItemHeight), kPaper) << "nothing is drawn below the item";
}

TEST_F(SkinMenuPainterTest, gradientStartsAtTheIconColumnEdgeAndTheLeftColumnsRepeatIt)
{
    skin->SetGradient(true);
    const TColor icon = Palette().IconBarColor;
    const QImage image = Draw(item, false);
    EXPECT_EQ(PixelAt(image, 4, 5), LightenColor(icon, 1));
    EXPECT_EQ(PixelAt(image, 5, 5), LightenColor(icon, 4));
    EXPECT_EQ(PixelAt(image, 4 + 28, 5), LightenColor(icon, 1 + 3 * 28));
    EXPECT_EQ(PixelAt(image, 4 + 29, 5), LightenColor(icon, 1 + 3 * 28 + 1));
    EXPECT_EQ(PixelAt(image, 4 + 80, 5), LightenColor(icon, 96));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(PixelAt(image, x, 5), LightenColor(icon, 1)) << x;

    // Right to left the walk mirrors: the icon band is at the right edge.
    mainMenu.SetBiDiMode(bdRightToLeft);
    const QImage mirrored = Draw(item, false);
    EXPECT_EQ(PixelAt(mirrored, kPopupItem.Right - 1, 5), LightenColor(icon, 1));
    EXPECT_EQ(PixelAt(mirrored, kPopupItem.Right - 2, 5), LightenColor(icon, 4));
    EXPECT_EQ(PixelAt(mirrored, 0, 5), PixelAt(mirrored, 4, 5));
}

TEST_F(SkinMenuPainterTest, aSelectedItemIsFilledAndFramedInsideItsRows)
{
    const QImage image = Draw(item, true);
    const TColor fill = LightenColor(clHighlight, 68);
    const TColor frame = ColorToRGB(clHighlight);
    EXPECT_EQ(PixelAt(image, 4, 0), ColorToRGB(Palette().IconBarColor)) << "the top row stays";
    EXPECT_EQ(PixelAt(image, 4, 1), frame);
    EXPECT_EQ(PixelAt(image, 60, 1), frame);
    EXPECT_EQ(PixelAt(image, 60, kItemHeight - 1), frame);
    EXPECT_EQ(PixelAt(image, kPopupItem.Right - 1, 10), frame);
    EXPECT_EQ(PixelAt(image, 4 + 30, 3), fill);
    EXPECT_EQ(PixelAt(image, kPopupItem.Right - 2, 10), fill);

    skin->SetFlatMenu(true);
    const QImage flat = Draw(item, true);
    EXPECT_EQ(PixelAt(flat, kPopupItem.Right - 2, 10), frame) << "a flat menu's selection is one narrower";
    EXPECT_EQ(PixelAt(flat, kPopupItem.Right - 1, 10), ColorToRGB(Palette().MenuBackColor));
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), kFlatFrameItemEvent);
}

TEST_F(SkinMenuPainterTest, aDisabledSelectedItemIsNotLitButItsGlyphIsGreyed)
{
    item->SetImageIndex(0);
    item->SetEnabled(false);
    const QImage image = Draw(item, true);
    EXPECT_EQ(PixelAt(image, 60, 1), ColorToRGB(Palette().MenuBackColor));
    EXPECT_EQ(PixelAt(image, 60, 10), ColorToRGB(Palette().MenuBackColor));
    // Glyph at x = 4 + (24 - 16) / 2 - 1 = 7, y = 0 + 1 + 2 = 3; not shifted.
    const TColor grey = LightenColor(GrayColor(kGlyphColor, 10), 40);
    EXPECT_EQ(PixelAt(image, 7 + 5, 3 + 5), grey);
    EXPECT_EQ(PixelAt(image, 7 + 4, 3 + 5), ColorToRGB(Palette().IconBarColor));
}

TEST_F(SkinMenuPainterTest, glyphsAreDimmedUnselectedAndRaisedWithAShadowWhenSelected)
{
    item->SetImageIndex(0);
    const QImage plain = Draw(item, false);
    EXPECT_EQ(PixelAt(plain, 7 + 5, 3 + 5), LightenColor(kGlyphColor, 30));

    const QImage selected = Draw(item, true);
    EXPECT_EQ(PixelAt(selected, 6 + 5, 2 + 5), kGlyphColor);
    EXPECT_EQ(PixelAt(selected, 6 + 11 + 1, 2 + 11 + 1), DarkenColor(LightenColor(clHighlight, 68), 50))
        << "the shadow lies two pixels down and right";
}

TEST_F(SkinMenuPainterTest, aCheckedItemWithAGlyphShowsABoxAndKeepsTheGlyphAsItIs)
{
    item->SetImageIndex(0);
    item->SetChecked(true);
    for (const bool selected : {false, true}) {
        const QImage image = Draw(item, selected);
        // M = (5, 2, 25, 22): framed in SelectFrameColor, filled per state.
        const TColor fill = selected ? Palette().CheckedSelectFillColor : Palette().CheckedFillColor;
        EXPECT_EQ(PixelAt(image, 5, 2), ColorToRGB(Palette().SelectFrameColor)) << selected;
        EXPECT_EQ(PixelAt(image, 24, 21), ColorToRGB(Palette().SelectFrameColor)) << selected;
        EXPECT_EQ(PixelAt(image, 6, 4), ColorToRGB(fill)) << selected;
        EXPECT_EQ(PixelAt(image, 7 + 5, 3 + 5), kGlyphColor) << selected;
        EXPECT_EQ(PixelAt(image, 7 + 4, 3 + 5), ColorToRGB(fill)) << selected;
    }
}

TEST_F(SkinMenuPainterTest, checkedItemsWithoutAGlyphGetATickOrARadioDot)
{
    item->SetChecked(true);
    QImage image = Draw(item, false);
    // M = 10 by 10 at (11, 7); the tick's long stroke reaches (M.Right + 1, M.Top).
    EXPECT_EQ(PixelAt(image, 11, 7), ColorToRGB(Palette().CheckMarkColor));
    EXPECT_EQ(PixelAt(image, 12, 8), ColorToRGB(Palette().CheckedFillColor));
    EXPECT_EQ(PixelAt(image, 12, 12), clBlack);
    EXPECT_EQ(PixelAt(image, 15, 14), clBlack);
    EXPECT_EQ(PixelAt(image, 22, 7), clBlack);

    item->SetEnabled(false);
    image = Draw(item, false);
    EXPECT_EQ(PixelAt(image, 15, 14), ColorToRGB(Palette().DisabledTextColor));

    item->SetEnabled(true);
    item->SetRadioItem(true);
    image = Draw(item, false);
    EXPECT_EQ(PixelAt(image, 16, 12), ColorToRGB(Palette().SelectFrameColor)) << "the dot";
    EXPECT_EQ(PixelAt(image, 16, 8), ColorToRGB(Palette().CheckedFillColor));
    EXPECT_EQ(PixelAt(image, 16, 7), ColorToRGB(Palette().SelectFrameColor));
}

TEST_F(SkinMenuPainterTest, theShortcutEndsTenPixelsAndASpaceFromTheRightEdge)
{
    item->SetShortCut(QKeySequence(QStringLiteral("Ctrl+X")));
    const QImage image = Draw(item, false);
    int rightmost = -1;
    for (int x = 0; x < kPopupItem.Right; ++x)
        for (int y = 0; y < kItemHeight; ++y)
            if (PixelAt(image, x, y) == clBlack)
                rightmost = x;
    const int limit = kPopupItem.Right - 10 - TextWidth(QStringLiteral(" "));
    EXPECT_LT(rightmost, limit);
    EXPECT_GE(rightmost, limit - 3);
}

TEST_F(SkinMenuPainterTest, onlyAnEnabledDefaultItemIsEmbossed)
{
    const auto textPixels = [this] {
        const QImage image = Draw(item, false);
        return PixelMask(image, TRect(4 + 24, 0, kPopupItem.Right, kItemHeight), Palette().MenuBackColor);
    };
    const std::string plain = textPixels();
    item->SetDefault(true);
    const std::string embossed = textPixels();
    EXPECT_NE(embossed, plain);
    item->SetEnabled(false);
    const std::string disabledDefault = textPixels();
    item->SetDefault(false);
    EXPECT_EQ(disabledDefault, textPixels());
}

TEST_F(SkinMenuPainterTest, aSelectedBarItemCastsAShadowInHighColourAndAPlainOneBelow)
{
    skin->SetDrawMenuBar(true);
    skin->SetMenuBarColor(clSilver);
    const TRect bar(0, 0, 40, 19);
    QImage image = Draw(file, true, bar);
    const TColor b = clSilver;
    EXPECT_EQ(PixelAt(image, 0, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelAt(image, 32, 10), ColorToRGB(clHighlight)) << "frame at R - 8";
    EXPECT_EQ(PixelAt(image, 33, 0), DarkenColor(b, 10));
    EXPECT_EQ(PixelAt(image, 34, 15), DarkenColor(b, 100));
    EXPECT_EQ(PixelAt(image, 37, 15), DarkenColor(b, 30));
    EXPECT_EQ(PixelAt(image, 39, 1), b) << "the rounded top";
    EXPECT_EQ(PixelAt(image, 20, 19), kPaper);

    SetScreenColorDepth(8);
    skin->SetColor(clBtnFace);
    skin->SetGradient(true);
    image = Draw(file, true, bar);
    EXPECT_EQ(PixelAt(image, 37, 10), ColorToRGB(clHighlight)) << "plain frame at R - 3";
    EXPECT_EQ(PixelAt(image, 38, 1), b);
    EXPECT_EQ(PixelAt(image, 38, 5), DarkenColor(b, 70));

    image = Draw(item, false);
    EXPECT_EQ(PixelAt(image, 60, 5), clWhite) << "no gradient below 16 bits";
}

// A selected bar item 20 by 12 with a blank caption, drawn on paper one
// column and two rows larger: the frame stops at column 12, the seven
// columns right of it hold the shadow bands with their rounded top.
TEST_F(SkinMenuPainterTest, theSelectedBarItemsShadowIsFourBandsWithARoundedTop)
{
    skin->SetDrawMenuBar(true);
    skin->SetMenuBarColor(clSilver);
    file->SetCaption(QStringLiteral("    "));
    const QImage image = Draw(file, true, TRect(0, 0, 20, 12));
    const TColor b = clSilver;
    const std::string paper(4, 'p');
    const std::string face = Between('K', std::string(11, 'F'));
    EXPECT_EQ(
        ColourMap(image, TRect(0, 0, 24, 14),
                  {{'p', kPaper},
                   {'F', ColorToRGB(Palette().SelectFillColor)},
                   {'K', ColorToRGB(Palette().SelectFrameColor)},
                   {'b', b},
                   {'1', DarkenColor(b, 10)},
                   {'3', DarkenColor(b, 30)},
                   {'4', DarkenColor(b, 40)},
                   {'6', DarkenColor(b, 60)},
                   {'0', DarkenColor(b, 100)}}),
        Rows({std::string(13, 'K') + "1111111" + paper, face + "11bbbbb" + paper, face + "1111bbb" + paper,
              face + "31111bb" + paper, face + "333111b" + paper, face + "643311b" + paper, face + "0463111" + paper,
              face + "0063311" + paper, face + "0063311" + paper, face + "0066311" + paper, face + "0066311" + paper,
              face + "0066311" + paper, std::string(24, 'p'), std::string(24, 'p')}));
}

// Below 16 bits the selected bar item has a frame ending at column R - 3
// and a two-pixel shadow in the menu bar colour darkened by 70, which
// leaves the bar colour in its top two rows.
TEST_F(SkinMenuPainterTest, belowSixteenBitsTheSelectedBarItemHasATwoPixelShadow)
{
    SetScreenColorDepth(8);
    skin->SetColor(clBtnFace);
    skin->SetDrawMenuBar(true);
    skin->SetMenuBarColor(clSilver);
    file->SetCaption(QStringLiteral("    "));
    const QImage image = Draw(file, true, TRect(0, 0, 20, 12));
    const std::string face = Between('K', std::string(16, 'F'));
    std::string expected = Rows({std::string(18, 'K') + "bb", face + "bb"});
    for (int y = 2; y < 12; ++y)
        expected += face + "77\n";
    EXPECT_EQ(ColourMap(image, TRect(0, 0, 20, 12),
                        {{'F', ColorToRGB(Palette().SelectFillColor)},
                         {'K', ColorToRGB(Palette().SelectFrameColor)},
                         {'b', clSilver},
                         {'7', DarkenColor(clSilver, 70)}}),
              expected);
}

// A hot bar item is filled and framed up to seven columns short of its right
// edge; those seven columns keep the bar colour.
TEST_F(SkinMenuPainterTest, aHotBarItemIsFramedSevenColumnsShortOfItsRightEdge)
{
    skin->SetDrawMenuBar(true);
    skin->SetMenuBarColor(clSilver);
    file->SetCaption(QStringLiteral("      "));
    form.SetMenuBar(mainMenu.Bar());
    form.SetBounds(0, 0, 300, 200);
    form.Show();
    TMenuBar *bar = mainMenu.Bar();
    const QRect rect = bar->ItemRect(0);
    QCursor::setPos(bar->mapToGlobal(rect.topLeft() + QPoint(3, 3)));
    if (QCursor::pos() != bar->mapToGlobal(rect.topLeft() + QPoint(3, 3)))
        GTEST_SKIP() << "the platform cannot place the pointer";
    const int w = rect.width();
    const int h = rect.height();
    ASSERT_GT(w, 12);
    const std::string shadowRoom(7, 'b');
    std::string expected = std::string(w - 7, 'K') + shadowRoom + "\n";
    for (int y = 1; y < h - 1; ++y)
        expected += Between('K', std::string(w - 9, 'F')) + shadowRoom + "\n";
    expected += std::string(w - 7, 'K') + shadowRoom + "\n";
    EXPECT_EQ(ColourMap(bar->grab().toImage(), TRect::FromQRect(rect),
                        {{'F', ColorToRGB(Palette().SelectFillColor)},
                         {'K', ColorToRGB(Palette().SelectFrameColor)},
                         {'b', clSilver}}),
              expected);
    QCursor::setPos(bar->mapToGlobal(QPoint(250, 100)));
}

TEST_F(SkinMenuPainterTest, anInactiveSkinDrawsAndMeasuresNothing)
{
    skin->SetActive(false);
    const QImage image = Draw(item, true);
    EXPECT_EQ(PixelMask(image, TRect(0, 0, image.width(), image.height()), kPaper),
              PixelMask(FilledImage(image.width(), image.height(), kPaper), TRect(0, 0, image.width(), image.height()),
                        kPaper));
    EXPECT_EQ(Measure(item, 7, 8), (TSize{7, 8}));
}

TEST_F(SkinMenuPainterTest, aBurstOfItemDrawsLeavesOneFrameRequestWaiting)
{
    QObject *app = QCoreApplication::instance();
    QCoreApplication::removePostedEvents(app, kFlatFrameItemEvent);
    Draw(item, false);
    EXPECT_EQ(TFlatFrameRequest::Waiting(), 0) << "without FlatMenu nothing is posted";

    skin->SetFlatMenu(true);
    Draw(file, true, TRect(0, 0, 40, 19));
    EXPECT_EQ(TFlatFrameRequest::Waiting(), 0) << "bar items post nothing";
    for (int i = 0; i < 20; ++i)
        Draw(item, i == 3);
    EXPECT_EQ(TFlatFrameRequest::Waiting(), 1);
    QCoreApplication::removePostedEvents(app, kFlatFrameItemEvent);
    EXPECT_EQ(TFlatFrameRequest::Waiting(), 0);
    Draw(item, false);
    EXPECT_EQ(TFlatFrameRequest::Waiting(), 1);
    QCoreApplication::removePostedEvents(app, kFlatFrameItemEvent);
}

namespace {

// Takes the frame requests delivered to the application object.
class RequestCatcher : public QObject
{
public:
    RequestCatcher() { QCoreApplication::instance()->installEventFilter(this); }
    ~RequestCatcher() override { QCoreApplication::instance()->removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == kFlatFrameItemEvent || event->type() == kFlatFrameWindowEvent) {
            const auto *request = static_cast<TFlatFrameRequest *>(event);
            ++count;
            wParam = request->WParam();
            item = request->Item();
            window = request->Window();
        }
        return false;
    }
    int count = 0;
    int wParam = -1;
    TMenuItem *item = nullptr;
    QWidget *window = nullptr;
};

} // namespace

TEST_F(SkinMenuPainterTest, aFrameRequestNamesItsItemOnlyWhileTheItemIsInItsMenu)
{
    skin->SetFlatMenu(true);
    RequestCatcher catcher;
    Draw(item, false);
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), kFlatFrameItemEvent);
    EXPECT_EQ(catcher.count, 1);
    EXPECT_EQ(catcher.wParam, 0);
    EXPECT_EQ(catcher.item, item);

    Draw(item, false);
    std::unique_ptr<TMenuItem> removed = file->Remove(item);
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), kFlatFrameItemEvent);
    EXPECT_EQ(catcher.count, 2);
    EXPECT_EQ(catcher.item, nullptr);
}

TEST_F(SkinMenuPainterTest, aBarItemUnderThePointerIsHotOnlyOnTheNtFamily)
{
    form.SetMenuBar(mainMenu.Bar());
    form.SetBounds(0, 0, 300, 200);
    form.Show();
    QWidget *bar = mainMenu.Bar();
    QCursor::setPos(bar->mapToGlobal(QPoint(5, 5)));
    if (QCursor::pos() != bar->mapToGlobal(QPoint(5, 5)))
        GTEST_SKIP() << "the platform cannot place the pointer";
    const TColor frame = ColorToRGB(clHighlight);
    EXPECT_EQ(FromQRgb(bar->grab().toImage().pixel(0, 0)), frame);

    SetVersionInfo({4, 10, 2222, VER_PLATFORM_WIN32_WINDOWS});
    skin = std::make_unique<TFlatSkin>(&form);
    skin->SetActive(true);
    EXPECT_NE(FromQRgb(bar->grab().toImage().pixel(0, 0)), frame);

    QCursor::setPos(bar->mapToGlobal(QPoint(250, 100)));
    SetVersionInfo({5, 0, 2195, VER_PLATFORM_WIN32_NT});
    skin = std::make_unique<TFlatSkin>(&form);
    skin->SetActive(true);
    EXPECT_NE(FromQRgb(bar->grab().toImage().pixel(0, 0)), frame) << "the pointer is elsewhere";
}

// In menu mode the keyboard's item and the item under the pointer are never
// lit together: the pointer takes the selection along.
TEST_F(SkinMenuPainterTest, afterF10ThePointerOverAnotherBarItemTakesTheSelectionAlong)
{
    TMenuItem *find = mainMenu.Items()->Add(QStringLiteral("Поиск"));
    find->Add(QStringLiteral("Найти"));
    skin = std::make_unique<TFlatSkin>(&form);
    skin->SetActive(true);
    form.SetMenuBar(mainMenu.Bar());
    form.SetBounds(0, 0, 300, 200);
    form.Show();
    TMenuBar *bar = mainMenu.Bar();
    const QPoint overFind = bar->ItemRect(1).center();
    QCursor::setPos(bar->mapToGlobal(QPoint(250, 100)));
    if (QCursor::pos() != bar->mapToGlobal(QPoint(250, 100)))
        GTEST_SKIP() << "the platform cannot place the pointer";
    const TRect whole = TRect::FromQRect(bar->rect());
    const TColor face = ColorToRGB(clBtnFace);

    bar->EnterMenuMode();
    bar->SelectNeighbour(1, false);
    const std::string findChosenByKeyboard = PixelMask(bar->grab().toImage(), whole, face);
    bar->ExitMenuMode();

    bar->EnterMenuMode();
    ASSERT_EQ(bar->SelectedIndex(), 0);
    QCursor::setPos(bar->mapToGlobal(overFind));
    MoveMouse(bar, overFind);
    EXPECT_EQ(bar->SelectedIndex(), 1);
    EXPECT_EQ(PixelMask(bar->grab().toImage(), whole, face), findChosenByKeyboard);
    bar->ExitMenuMode();
}

// The selected look keeps the last eight columns of a bar item for its frame
// and shadow; the caption, drawn after a space, must end clear of them with
// as much room on its right as on its left, give or take the letters' side
// bearings.
TEST_F(SkinMenuPainterTest, aBarItemIsWideEnoughForItsCaptionBetweenEvenMargins)
{
    skin->SetDrawMenuBar(true);
    form.SetMenuBar(mainMenu.Bar());
    form.SetBounds(0, 0, 300, 200);
    TMenuBar *bar = mainMenu.Bar();
    bar->EnterMenuMode();
    ASSERT_EQ(bar->SelectedIndex(), 0);
    const QRect rect = bar->ItemRect(0);
    const QImage shot = bar->grab().toImage();
    const TColor ink = ColorToRGB(skin->Font().Color());
    int inkLeft = rect.right();
    int inkRight = rect.left();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (PixelAt(shot, x, y) == ink) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    ASSERT_LT(inkLeft, inkRight) << "the caption is drawn";
    const int frameRight = rect.left() + rect.width() - 8;
    EXPECT_EQ(PixelAt(shot, frameRight, 10), ColorToRGB(Palette().SelectFrameColor));
    EXPECT_GE(frameRight - inkRight, inkLeft - rect.left()) << "caption ends at " << inkRight;
    EXPECT_LE(frameRight - inkRight, inkLeft - rect.left() + 2) << "caption ends at " << inkRight;
}
