#include "skin/SkinControlFixture.h"

#include "components/FlatSkin/SkinPrimitives.h"
#include "support/PixelMask.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/HotKey.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/ProgressBar.h"
#include "toolkit/controls/RichEdit.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor kIdleFrame = RGB(152, 150, 140);

TColor LitFrame()
{
    return LightenColor(clHighlight, 60);
}

// The pixels of the drop-down arrow's three rows, from its top-left corner.
void ExpectArrow(const QImage &image, int x, int y, TColor color)
{
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At(image, x + i, y), color) << "row 0, column " << i;
    EXPECT_EQ(At(image, x + 1, y + 1), color);
    EXPECT_EQ(At(image, x + 3, y + 1), color);
    EXPECT_EQ(At(image, x + 2, y + 2), color);
}

} // namespace

TEST(SkinFramePainters, idleSingleBorderEditShowsPlainBorderThenBackgroundDarkenedBy60)
{
    SkinnedControl<TEdit> f(100, 21);
    const QImage idle = f.Shot();
    EXPECT_FALSE(f.control->Ctl3D());
    EXPECT_EQ(At(idle, 0, 10), ColorToRGB(clWindowFrame));
    for (auto [x, y] : {std::pair{1, 10}, {98, 10}, {50, 1}, {50, 19}})
        EXPECT_EQ(At(idle, x, y), kIdleFrame) << x << "," << y;
    EXPECT_EQ(At(idle, 2, 10), ColorToRGB(clWindow));
}

TEST(SkinFramePainters, memoShowsTheSameLineAroundItsText)
{
    SkinnedControl<TMemo> f(100, 60);
    const QImage idle = f.Shot();
    EXPECT_EQ(At(idle, 0, 30), ColorToRGB(clWindowFrame));
    EXPECT_EQ(At(idle, 1, 30), kIdleFrame);
    EXPECT_EQ(At(idle, 50, 58), kIdleFrame);
}

TEST(SkinFramePainters, editFrameLightsUnderPointerAndKeepsTheLightWhileFocused)
{
    SkinnedControl<TEdit> f(100, 21);
    f.PointAt(QPoint(50, 10));
    EXPECT_EQ(At(f.Shot(), 1, 10), LitFrame());
    f.Leave();
    EXPECT_EQ(At(f.Shot(), 1, 10), kIdleFrame);
    f.control->setFocus();
    f.PointAt(QPoint(50, 10));
    f.Leave();
    EXPECT_EQ(At(f.Shot(), 1, 10), LitFrame());
}

TEST(SkinFramePainters, borderlessEditBlendsItsColourWithTheBackgroundOnlyWhileHot)
{
    constexpr TColor kEditColor = RGB(250, 250, 250);
    SkinnedControl<TEdit> f(100, 21, [](TEdit &edit) {
        edit.SetBorderStyle(TBorderStyle::bsNone);
        edit.SetColor(kEditColor);
    });
    EXPECT_EQ(At(f.Shot(), 0, 10), kEditColor);
    f.PointAt(QPoint(50, 10));
    EXPECT_EQ(At(f.Shot(), 0, 10), LightenColor(RGB(231, 229, 225), 40));
    f.control->setFocus();
    EXPECT_EQ(At(f.Shot(), 0, 10), kEditColor);
}

TEST(SkinFramePainters, idleFrameClampsChannelsAtZero)
{
    SkinnedControl<TEdit> f(100, 21, {}, RGB(30, 59, 100));
    EXPECT_EQ(At(f.Shot(), 1, 10), RGB(0, 1, 40));
}

TEST(SkinFramePainters, releasedEditGetsItsCtl3DBack)
{
    SkinnedControl<TEdit> f(100, 21);
    f.Shot();
    ASSERT_FALSE(f.control->Ctl3D());
    f.skin->SetActive(false);
    f.Shot();
    EXPECT_TRUE(f.control->Ctl3D());
    EXPECT_EQ(TControlSubClass::Of(*f.control), nullptr);
}

TEST(SkinFramePainters, switchingCtl3DOffWhilePaintingLeavesTheRecordExpectingANewWindow)
{
    SkinnedControl<TEdit> f(100, 21);
    f.Shot();
    TControlSubClass &record = f.Record();
    f.control->SetCtl3D(true);
    record.SetExpectRecreate(false);
    f.control->repaint();
    EXPECT_FALSE(f.control->Ctl3D());
    EXPECT_TRUE(record.ExpectRecreate());
    // The paint that follows the change ends the expectation; the record stays.
    f.Shot();
    EXPECT_FALSE(record.ExpectRecreate());
    EXPECT_EQ(TControlSubClass::Of(*f.control), &record);
}

TEST(SkinFramePainters, richEditGivesUpItsSingleBorderForAFlatFrame)
{
    SkinnedControl<TRichEdit> f(100, 60);
    const QImage idle = f.Shot();
    EXPECT_EQ(f.control->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(f.control->BorderWidth(), 2);
    EXPECT_EQ(At(idle, 0, 30), kIdleFrame);
    EXPECT_EQ(At(idle, 1, 30), ColorToRGB(clWindow));
    f.PointAt(QPoint(50, 30));
    EXPECT_EQ(At(f.Shot(), 0, 30), LitFrame());
    f.skin->SetActive(false);
    f.Shot();
    EXPECT_EQ(f.control->BorderStyle(), TBorderStyle::bsSingle);
}

TEST(SkinFramePainters, comboButtonFollowsStateTagAndReadingDirection)
{
    const TColor tint = LightenColor(SkinnedControl<TComboBox>::kBackground, 16);
    auto tagged = [](TComboBox &combo) { combo.SetTag(1000); };
    {
        SkinnedControl<TComboBox> f(120, 21, tagged);
        const QImage idle = f.Shot();
        EXPECT_EQ(At(idle, 115, 5), tint);
        EXPECT_EQ(At(idle, 103, 5), ColorToRGB(clWindow)) << "the strip next to the text";
        ExpectArrow(idle, 110, 10, clBlack);

        f.control->setEnabled(false);
        ExpectArrow(f.Shot(), 110, 10, clWhite);
        f.control->setEnabled(true);

        f.control->showPopup();
        const QImage open = f.Shot();
        f.control->hidePopup();
        EXPECT_EQ(At(open, 115, 5), LightenColor(clHighlight, 50));
        ExpectArrow(open, 110, 10, clWhite);
    }
    {
        SkinnedControl<TComboBox> f(120, 21, [&](TComboBox &combo) {
            tagged(combo);
            combo.SetBiDiMode(bdRightToLeft);
        });
        const QImage mirrored = f.Shot();
        EXPECT_EQ(At(mirrored, 4, 5), tint);
        ExpectArrow(mirrored, 5, 10, clBlack);
        EXPECT_NE(At(mirrored, 115, 5), tint);
    }
    {
        SkinnedControl<TComboBox> f(120, 21, [&](TComboBox &combo) {
            tagged(combo);
            combo.SetStyle(csSimple);
        });
        EXPECT_NE(At(f.Shot(), 115, 5), tint) << "a simple combo box has no button";
    }
}

namespace {

// A combo box W wide and H high as the skin leaves it, in the keys
// P (parent background), C (control colour), F (frame), B (button) and
// A (arrow): idle, the parent background's two rings and a frame one in;
// lit (hot or focused), a frame on the outermost columns from row 1 down
// and a button one column wider, two right to left.
std::string ComboPicture(int w, int h, bool lit, bool rightToLeft = false)
{
    const int thumb = GetSystemMetrics(SM_CXHTHUMB);
    KeyPicture picture(w, h, 'P');
    picture.Fill(1, 2, w - 1, h - 1, 'C');
    if (lit)
        picture.Frame(0, 1, w, h, 'F').Fill(rightToLeft ? w - 2 : 1, 2, rightToLeft ? w - 1 : 2, h - 2, '*');
    const int top = lit ? 2 : 3;
    const int bottom = lit ? h - 1 : h - 2;
    const char line = lit ? 'F' : 'C';
    if (rightToLeft) {
        const int left = lit ? 1 : 2;
        const int right = left + thumb + 1 + (lit ? 2 : 0);
        picture.Fill(left, top, right, bottom, 'B').Fill(right - 5, top, right, bottom, 'C');
        picture.Fill(right - 5, top, right - 4, bottom, line);
    } else {
        const int right = lit ? w - 1 : w - 2;
        const int left = right - thumb - 1 - (lit ? 1 : 0);
        picture.Fill(left, top, right, bottom, 'B').Fill(left, top, left + 5, bottom, 'C');
        picture.Fill(left + 5, top, left + 6, bottom, line);
    }
    const int x0 = rightToLeft ? 5 : w - 10;
    picture.Fill(x0, 10, x0 + 5, 11, 'A').Fill(x0 + 1, 11, x0 + 4, 12, 'A').Fill(x0 + 2, 12, x0 + 3, 13, 'A');
    return picture.Text();
}

} // namespace

TEST(SkinFramePainters, comboBoxFrameButtonAndArrowIdleHotAndFocused)
{
    constexpr TColor P = RGB(200, 220, 240);
    SkinnedControl<TComboBox> f(120, 21, {}, P);
    const TSkinPalette &p = f.skin->Palette();
    const TColor C = ColorToRGB(clWindow);
    const TRect whole(0, 0, 120, 21);
    // Idle the frame takes the control colour, which hides it.
    EXPECT_EQ(ColourMap(f.Shot(), whole, {{'P', P}, {'C', C}, {'B', ColorToRGB(clBtnFace)}, {'A', clBlack}}),
              ComboPicture(120, 21, false));

    f.PointAt(QPoint(50, 10));
    const std::string hot = ComboPicture(120, 21, true);
    EXPECT_EQ(Blanked(ColourMap(f.Shot(), whole,
                                {{'P', P},
                                 {'C', C},
                                 {'F', ColorToRGB(p.SelectFrameColor)},
                                 {'B', ColorToRGB(p.SelectFillColor)},
                                 {'A', clBlack}}),
                      hot),
              hot);
    f.Leave();

    // Focused but not under the pointer; the text field's caret is left out.
    f.control->setFocus();
    f.Leave();
    KeyPicture caret(120, 21, '.');
    caret.Fill(2, 2, 100, 19, '*');
    const std::string focused = Blanked(hot, caret.Text());
    EXPECT_EQ(Blanked(ColourMap(f.Shot(), whole,
                                {{'P', P},
                                 {'C', C},
                                 {'F', LightenColor(p.SelectFrameColor, 60)},
                                 {'B', ColorToRGB(p.CheckedFillColor)},
                                 {'A', clBlack}}),
                      focused),
              focused);
}

// Right to left the button, its strip and the arrow move to the left edge;
// the strip lies on the button's text side, its line on the strip's first
// column.
TEST(SkinFramePainters, rightToLeftComboBoxIdleAndHot)
{
    constexpr TColor P = RGB(200, 220, 240);
    SkinnedControl<TComboBox> f(
        120, 21, [](TComboBox &combo) { combo.SetBiDiMode(bdRightToLeft); }, P);
    const TSkinPalette &p = f.skin->Palette();
    const TColor C = ColorToRGB(clWindow);
    const TRect whole(0, 0, 120, 21);
    EXPECT_EQ(ColourMap(f.Shot(), whole, {{'P', P}, {'C', C}, {'B', ColorToRGB(clBtnFace)}, {'A', clBlack}}),
              ComboPicture(120, 21, false, true));

    f.PointAt(QPoint(50, 10));
    const std::string hot = ComboPicture(120, 21, true, true);
    EXPECT_EQ(Blanked(ColourMap(f.Shot(), whole,
                                {{'P', P},
                                 {'C', C},
                                 {'F', ColorToRGB(p.SelectFrameColor)},
                                 {'B', ColorToRGB(p.SelectFillColor)},
                                 {'A', clBlack}}),
                      hot),
              hot);
}

namespace {

// The outermost rings of a frame painted on the whole window: ring 0 in
// 'F', ring 1 in 'W' when asked for, the inside left out.
std::string RingPicture(int w, int h, bool secondRing)
{
    KeyPicture picture(w, h, '*');
    picture.Frame(0, 0, w, h, 'F');
    if (secondRing)
        picture.Frame(1, 1, w - 1, h - 1, 'W');
    return picture.Text();
}

std::string Rings(const QImage &shot, TColor frame, TColor second, const std::string &expected)
{
    return Blanked(ColourMap(shot, TRect(0, 0, shot.width(), shot.height()), {{'F', frame}, {'W', second}}), expected);
}

} // namespace

// The hot-key field's outer ring follows pointer and focus, its second ring
// is the window colour; the progress bar's ring follows the pointer alone;
// the rich edit's ring is the background where it had no border.
TEST(SkinFramePainters, hotKeyProgressAndRichEditRingsIdleHotAndFocused)
{
    const TColor window = ColorToRGB(clWindow);
    {
        SCOPED_TRACE("hot-key field");
        SkinnedControl<THotKey> f(100, 21);
        const std::string two = RingPicture(100, 21, true);
        EXPECT_EQ(Rings(f.Shot(), kIdleFrame, window, two), two);
        f.PointAt(QPoint(50, 10));
        EXPECT_EQ(Rings(f.Shot(), LitFrame(), window, two), two);
        f.Leave();
        f.control->setFocus();
        EXPECT_EQ(Rings(f.Shot(), LitFrame(), window, two), two);
    }
    {
        SCOPED_TRACE("progress bar");
        SkinnedControl<TProgressBar> f(100, 16, [](TProgressBar &bar) { bar.setFocusPolicy(Qt::StrongFocus); });
        const std::string one = RingPicture(100, 16, false);
        EXPECT_EQ(Rings(f.Shot(), kIdleFrame, window, one), one);
        f.PointAt(QPoint(50, 8));
        EXPECT_EQ(Rings(f.Shot(), ColorToRGB(clHighlight), window, one), one);
        f.Leave();
        f.control->setFocus();
        ASSERT_TRUE(f.control->hasFocus());
        EXPECT_EQ(Rings(f.Shot(), kIdleFrame, window, one), one) << "focus plays no part";
    }
    {
        SCOPED_TRACE("rich edit");
        SkinnedControl<TRichEdit> f(100, 60);
        const std::string one = RingPicture(100, 60, false);
        EXPECT_EQ(Rings(f.Shot(), kIdleFrame, window, one), one);
        f.PointAt(QPoint(50, 30));
        EXPECT_EQ(Rings(f.Shot(), LitFrame(), window, one), one);
        f.Leave();
        f.control->setFocus();
        EXPECT_EQ(Rings(f.Shot(), LitFrame(), window, one), one);
    }
    {
        SCOPED_TRACE("rich edit without a border");
        SkinnedControl<TRichEdit> f(100, 60, [](TRichEdit &edit) { edit.SetBorderStyle(TBorderStyle::bsNone); });
        const std::string one = RingPicture(100, 60, false);
        EXPECT_EQ(Rings(f.Shot(), SkinnedControl<TRichEdit>::kBackground, window, one), one);
        EXPECT_EQ(f.control->BorderWidth(), 0) << "only a single border is given up";
    }
}

TEST(SkinFramePainters, listProgressAndHotKeyFramesTakeTheOuterRing)
{
    {
        SkinnedControl<TListBox> f(100, 60);
        EXPECT_EQ(At(f.Shot(), 0, 30), kIdleFrame);
        EXPECT_FALSE(f.control->Ctl3D());
        f.PointAt(QPoint(50, 30));
        EXPECT_EQ(At(f.Shot(), 0, 30), LitFrame());
    }
    {
        SkinnedControl<TProgressBar> f(100, 16);
        EXPECT_EQ(At(f.Shot(), 0, 8), kIdleFrame);
        f.PointAt(QPoint(50, 8));
        EXPECT_EQ(At(f.Shot(), 0, 8), ColorToRGB(clHighlight));
    }
    {
        SkinnedControl<THotKey> f(100, 21);
        const QImage idle = f.Shot();
        EXPECT_EQ(At(idle, 0, 10), kIdleFrame);
        EXPECT_EQ(At(idle, 1, 10), ColorToRGB(clWindow));
    }
}

// A list without a border of its own has its outermost ring in the parent
// background at rest and in the selection frame lightened by 80 under the
// pointer.
TEST(SkinFramePainters, borderlessListRingIsTheBackgroundAtRestAndLightUnderThePointer)
{
    constexpr TColor P = RGB(200, 220, 240);
    SkinnedControl<TListBox> f(
        100, 60, [](TListBox &list) { list.SetBorderStyle(TBorderStyle::bsNone); }, P);
    KeyPicture ring(100, 60, '*');
    ring.Frame(0, 0, 100, 60, 'R');
    const std::string expected = ring.Text();
    EXPECT_EQ(Blanked(ColourMap(f.Shot(), TRect(0, 0, 100, 60), {{'R', P}}), expected), expected);
    f.PointAt(QPoint(50, 30));
    EXPECT_EQ(Blanked(ColourMap(f.Shot(), TRect(0, 0, 100, 60), {{'R', LightenColor(clHighlight, 80)}}), expected),
              expected);
}

namespace {

// A lookup combo box as the data-aware controls have it: not a combo box of
// the toolkit, a window with the classic border and a button of its own.
class TDBLookupComboBox : public QWidget, public TStandardControl
{
    Q_OBJECT

public:
    explicit TDBLookupComboBox(QWidget *parent)
        : QWidget(parent)
        , TStandardControl(*this, clWindow, QPalette::Base, true)
    {
        setAutoFillBackground(true);
    }

protected:
    void paintEvent(QPaintEvent *) override { PaintBorder(); }
};

} // namespace

TEST(SkinFramePainters, lookupComboBoxDrawsOuterFrameButtonAndArrowOnItsWindow)
{
    SkinnedControl<TDBLookupComboBox> f(120, 21);
    const QImage idle = f.Shot();
    EXPECT_FALSE(f.control->Ctl3D());
    EXPECT_EQ(At(idle, 0, 10), kIdleFrame) << "the outer ring";
    EXPECT_EQ(At(idle, 1, 10), ColorToRGB(clWindow)) << "the client's ring in the control's colour";
    // The button: client (1, 1)-(119, 20) shrunk by one, a thumb and one wide.
    EXPECT_EQ(At(idle, 101, 10), ColorToRGB(clWindow)) << "the strip next to the text";
    EXPECT_EQ(At(idle, 106, 10), LitFrame()) << "the line between strip and button";
    EXPECT_EQ(At(idle, 117, 10), LitFrame()) << "the button's frame";
    EXPECT_EQ(At(idle, 110, 4), ColorToRGB(clBtnFace));
    ExpectArrow(idle, 110, 9, clBlack);

    f.PointAt(QPoint(50, 10));
    const QImage hot = f.Shot();
    EXPECT_EQ(At(hot, 0, 10), ColorToRGB(clHighlight));
    EXPECT_EQ(At(hot, 117, 10), ColorToRGB(clHighlight));
}

namespace {

// A lookup combo box W wide and H high in the keys O (outer ring),
// C (control colour), F (button frame, or frameKey), B (button) and
// A (arrow): the client ring in C, the button inside it a thumb and one wide
// (one more when lit), its strip on the text side in C with a line in F, the
// arrow on rows 9 to 11. The text area is the control's own.
std::string LookupPicture(int w, int h, bool lit, bool rightToLeft, char frameKey = 'F')
{
    const int thumb = GetSystemMetrics(SM_CXHTHUMB);
    KeyPicture picture(w, h, 'C');
    picture.Frame(0, 0, w, h, 'O');
    const int top = 2;
    const int bottom = h - 2;
    int left = 0;
    int right = 0;
    if (rightToLeft) {
        left = 2;
        right = left + thumb + 1 + (lit ? 1 : 0);
    } else {
        right = w - 2;
        left = right - thumb - 1 - (lit ? 1 : 0);
    }
    if (rightToLeft)
        picture.Fill(right, top, w - 2, bottom, '*');
    else
        picture.Fill(2, top, left, bottom, '*');
    picture.Fill(left, top, right, bottom, 'B').Frame(left, top, right, bottom, frameKey);
    if (rightToLeft)
        picture.Fill(right - 5, top, right, bottom, 'C').Fill(right - 5, top, right - 4, bottom, frameKey);
    else
        picture.Fill(left, top, left + 5, bottom, 'C').Fill(left + 5, top, left + 6, bottom, frameKey);
    const int x0 = rightToLeft ? 6 : w - 10;
    picture.Fill(x0, 9, x0 + 5, 10, 'A').Fill(x0 + 1, 10, x0 + 4, 11, 'A').Fill(x0 + 2, 11, x0 + 3, 12, 'A');
    return picture.Text();
}

} // namespace

TEST(SkinFramePainters, lookupComboBoxPicturesIdleHotAndFocusedBothWays)
{
    constexpr TColor P = RGB(200, 220, 240);
    for (const bool rightToLeft : {false, true}) {
        SCOPED_TRACE(rightToLeft ? "right to left" : "left to right");
        SkinnedControl<TDBLookupComboBox> f(
            120, 21,
            [&](TDBLookupComboBox &lookup) {
                lookup.setFocusPolicy(Qt::StrongFocus);
                if (rightToLeft)
                    lookup.SetBiDiMode(bdRightToLeft);
            },
            P);
        const TSkinPalette &p = f.skin->Palette();
        const TColor C = ColorToRGB(clWindow);
        const TRect whole(0, 0, 120, 21);
        const std::string idle = LookupPicture(120, 21, false, rightToLeft);
        EXPECT_EQ(Blanked(ColourMap(f.Shot(), whole,
                                    {{'O', DarkenColor(P, 60)},
                                     {'C', C},
                                     {'F', LitFrame()},
                                     {'B', ColorToRGB(clBtnFace)},
                                     {'A', clBlack}}),
                          idle),
                  idle);

        // Under the pointer the outer ring and the button frame share a colour.
        f.PointAt(QPoint(50, 10));
        const std::string hot = LookupPicture(120, 21, true, rightToLeft, 'O');
        EXPECT_EQ(Blanked(ColourMap(f.Shot(), whole,
                                    {{'O', ColorToRGB(p.SelectFrameColor)},
                                     {'C', C},
                                     {'B', ColorToRGB(p.SelectFillColor)},
                                     {'A', clBlack}}),
                          hot),
                  hot);
        f.Leave();

        f.control->setFocus();
        ASSERT_TRUE(f.control->hasFocus());
        const std::string focused = LookupPicture(120, 21, true, rightToLeft);
        EXPECT_EQ(Blanked(ColourMap(f.Shot(), whole,
                                    {{'O', DarkenColor(P, 60)},
                                     {'C', C},
                                     {'F', LitFrame()},
                                     {'B', ColorToRGB(p.CheckedFillColor)},
                                     {'A', clBlack}}),
                          focused),
                  focused);

        f.control->setEnabled(false);
        const std::string disabled = ColourMap(f.Shot(), whole, {{'A', clWhite}});
        KeyPicture arrow(120, 21, '*');
        const int x0 = rightToLeft ? 6 : 110;
        arrow.Fill(x0, 9, x0 + 5, 10, 'A').Fill(x0 + 1, 10, x0 + 4, 11, 'A').Fill(x0 + 2, 11, x0 + 3, 12, 'A');
        EXPECT_EQ(Blanked(disabled, arrow.Text()), arrow.Text()) << "a white arrow when disabled";
    }
}

#include "SkinFramePaintersTest.moc"
