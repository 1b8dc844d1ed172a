#include "toolkit/bars/ToolBar.h"
#include "support/Input.h"
#include "support/PixelMask.h"
#include "toolkit/bars/ControlBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr TColor kBarColor = RGB(90, 100, 110);

class ToolBarTest : public ::testing::Test
{
protected:
    ToolBarTest()
    {
        bar.resize(200, 30);
        bar.SetColor(kBarColor);
    }

    TToolButton *AddButton(TToolButtonStyle style = tbsButton)
    {
        auto *button = new TToolButton(&bar);
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
        QImage image(bar.size(), QImage::Format_RGB32);
        bar.PaintOn(image);
        return image;
    }

    TToolBar bar;
};

TEST_F(ToolBarTest, buttonsLieSideBySideInTheirOrder)
{
    TToolButton *first = AddButton();
    TToolButton *gap = AddButton(tbsSeparator);
    TToolButton *dropDown = AddButton(tbsDropDown);
    gap->SetWidth(6);
    EXPECT_EQ(first->BoundsRect(), TRect(0, 0, 23, 22));
    EXPECT_EQ(gap->BoundsRect(), TRect(23, 0, 29, 22));
    EXPECT_EQ(dropDown->BoundsRect(), TRect(29, 0, 29 + 23 + TToolBar::kDropDownWidth, 22));
    EXPECT_EQ(dropDown->Index(), 2);

    delete gap;
    EXPECT_EQ(dropDown->Index(), 1);
    EXPECT_EQ(dropDown->BoundsRect().Left, 23);
}

TEST_F(ToolBarTest, captionsBelowImagesMakeEveryButtonAsWideAsTheWidestCaption)
{
    TImageList images(16, 16);
    bar.SetImages(&images);
    TToolButton *narrow = AddButton();
    TToolButton *wide = AddButton();
    narrow->SetCaption(QStringLiteral("A"));
    wide->SetCaption(QStringLiteral("Длинная подпись"));
    bar.SetShowCaptions(true);
    EXPECT_GT(wide->BoundsRect().Width(), TToolBar::kDefaultButtonWidth);
    EXPECT_EQ(narrow->BoundsRect().Width(), wide->BoundsRect().Width());
    // Room for the image and a line of text below it.
    EXPECT_GE(wide->BoundsRect().Height(), 16 + 13);

    bar.SetList(true);
    EXPECT_LT(narrow->BoundsRect().Width(), wide->BoundsRect().Width());
}

TEST_F(ToolBarTest, stateFollowsThePointerTheButtonAndItsSettings)
{
    TToolButton *button = AddButton(tbsCheck);
    TToolButton *other = AddButton();
    bar.SetFlat(true);
    EXPECT_TRUE(bar.ButtonState(*button).Empty());

    SendMouse(&bar, QEvent::MouseMove, CentreOf(button));
    EXPECT_EQ(bar.ButtonState(*button), TCustomDrawState{cdsHot});
    SendMouse(&bar, QEvent::MouseButtonPress, CentreOf(button));
    EXPECT_EQ(bar.ButtonState(*button), cdsHot | cdsSelected);
    // Held and dragged away: neither hot nor pressed, and nothing else lights.
    SendMouse(&bar, QEvent::MouseMove, CentreOf(other));
    EXPECT_TRUE(bar.ButtonState(*button).Empty());
    EXPECT_TRUE(bar.ButtonState(*other).Empty());
    SendMouse(&bar, QEvent::MouseMove, CentreOf(button));
    SendMouse(&bar, QEvent::MouseButtonRelease, CentreOf(button));
    EXPECT_EQ(bar.ButtonState(*button), cdsHot | cdsChecked);

    button->SetEnabled(false);
    button->SetIndeterminate(true);
    EXPECT_EQ(bar.ButtonState(*button), cdsChecked | cdsDisabled | cdsIndeterminate);

    // Without the flat look nothing is hot.
    bar.SetFlat(false);
    SendMouse(&bar, QEvent::MouseMove, CentreOf(other));
    EXPECT_TRUE(bar.ButtonState(*other).Empty());
}

TEST_F(ToolBarTest, aClickNeedsPressAndReleaseOnTheSameEnabledButton)
{
    TToolButton *button = AddButton(tbsCheck);
    TToolButton *other = AddButton();
    int clicks = 0;
    QObject::connect(button, &TToolButton::Clicked, [&clicks] { ++clicks; });

    Click(&bar, CentreOf(button));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button->Down());

    SendMouse(&bar, QEvent::MouseButtonPress, CentreOf(button));
    SendMouse(&bar, QEvent::MouseButtonRelease, CentreOf(other));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button->Down());

    button->SetEnabled(false);
    Click(&bar, CentreOf(button));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ToolBarTest, aDropDownButtonStaysSelectedWhileItsMenuIsOpen)
{
    TToolButton *button = AddButton(tbsDropDown);
    TPopupMenu menu(&bar);
    menu.Items()->Add(QStringLiteral("Первый"));
    button->SetDropdownMenu(&menu);
    int clicks = 0;
    QObject::connect(button, &TToolButton::Clicked, [&clicks] { ++clicks; });

    const QPoint arrow(button->BoundsRect().Right - 3, 10);
    SendMouse(&bar, QEvent::MouseButtonPress, arrow);
    ASSERT_NE(menu.Window(), nullptr);
    SendMouse(&bar, QEvent::MouseButtonRelease, arrow);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&bar, &leave);
    EXPECT_TRUE(bar.ButtonState(*button).Contains(cdsSelected));
    EXPECT_EQ(clicks, 0);

    menu.Window()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(bar.ButtonState(*button).Contains(cdsSelected));
}

TEST_F(ToolBarTest, theCustomDrawHandlerSeesEveryButtonButNoSeparatorAndCanSwitchTheDefaultOff)
{
    TToolButton *first = AddButton();
    AddButton(tbsDivider);
    TToolButton *last = AddButton(tbsDropDown);
    std::vector<TToolButton *> asked;
    bar.SetOnCustomDrawButton([&asked](TToolBar *sender, TToolButton *button, TCustomDrawState, bool &defaultDraw) {
        asked.push_back(button);
        defaultDraw = false;
        // The handler draws on the tool bar's canvas, on the button's spot.
        sender->Canvas().Brush().SetColor(clWhite);
        sender->Canvas().FillRect(button->BoundsRect());
    });
    const QImage image = Paint();
    EXPECT_EQ(asked, (std::vector<TToolButton *>{first, last}));
    EXPECT_EQ(PixelAt(image, 0, 0), clWhite);
    EXPECT_EQ(PixelAt(image, last->BoundsRect().Right - 1, 21), clWhite);
    // The bar's own edges and arrow were left out.
    EXPECT_EQ(PixelMask(image, last->BoundsRect()), PixelMask(FilledImage(200, 30), last->BoundsRect()));
    EXPECT_EQ(PixelAt(image, last->BoundsRect().Right + 1, 5), kBarColor);
}

TEST_F(ToolBarTest, theClassicLookRaisesAHotFlatButtonAndSinksACheckedOne)
{
    TToolButton *button = AddButton();
    bar.SetFlat(true);
    const TRect b = button->BoundsRect();
    EXPECT_EQ(PixelAt(Paint(), b.Left, b.Top), kBarColor);

    SendMouse(&bar, QEvent::MouseMove, CentreOf(button));
    QImage image = Paint();
    EXPECT_EQ(PixelAt(image, b.Left, b.Top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, b.Right - 1, b.Bottom - 1), ColorToRGB(clBtnShadow));

    button->SetDown(true);
    image = Paint();
    EXPECT_EQ(PixelAt(image, b.Left, b.Top), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(image, b.Right - 1, b.Bottom - 1), ColorToRGB(clBtnHighlight));
}

TEST(ControlBarTest, eachBandIsOfferedToTheHandlerWhichDecidesWhatTheBarStillDraws)
{
    TControlBar bar;
    bar.resize(200, 60);
    bar.SetColor(kBarColor);
    auto *first = new QWidget;
    auto *second = new QWidget;
    first->resize(50, 20);
    second->resize(40, 20);
    bar.InsertControl(first);
    bar.InsertControl(second);
    EXPECT_EQ(bar.BandRect(first), TRect(0, 0, 11 + 50 + 4, 26));
    EXPECT_EQ(first->pos(), QPoint(11, 3));
    EXPECT_EQ(bar.BandRect(second).Left, bar.BandRect(first).Right);

    QImage image(bar.size(), QImage::Format_RGB32);
    bar.PaintOn(image);
    // The classic band: a raised frame and a raised grabber.
    EXPECT_EQ(PixelAt(image, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 3, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(image, 5, 5), ColorToRGB(clBtnShadow));

    std::vector<QWidget *> offered;
    bar.SetOnBandPaint([&offered](TControlBar *, QWidget *control, TCanvas &, TRect &, TBandPaintOptions &options) {
        offered.push_back(control);
        options = {};
    });
    bar.PaintOn(image);
    EXPECT_EQ(offered, (std::vector<QWidget *>{first, second}));
    EXPECT_EQ(PixelAt(image, 0, 0), kBarColor);
    EXPECT_EQ(PixelAt(image, 3, 5), kBarColor);

    delete first;
    EXPECT_EQ(bar.BandCount(), 1);
    EXPECT_EQ(bar.BandRect(second).Left, 0);
}

} // namespace
