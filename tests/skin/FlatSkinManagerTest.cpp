#include "components/FlatSkin/FlatSkinManager.h"
#include "components/FlatSkin.h"
#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatSkin/FlatFrameRequest.h"
#include "components/FlatSkin/FlatMenuFrame.h"
#include "components/FlatSkin/SkinPrimitives.h"
#include "support/PixelMask.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/PlatformMessages.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QScopedValueRollback>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Posted events may post more (a paint posts a frame request, serving it
// asks for a paint): a few rounds let every chain end.
void Settle()
{
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A form with one edit, with or without a skin of its own.
struct EditForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>();
    TEdit *edit = new TEdit(form->ClientArea());
    TFlatSkin *skin = nullptr;

    explicit EditForm(bool withSkin)
    {
        if (withSkin) {
            skin = new TFlatSkin(form.get());
            skin->SetActive(true);
            skin->Loaded();
        }
    }
    TFlatSkin *SkinOfEdit() const
    {
        TControlSubClass *record = TControlSubClass::Of(*edit);
        return record ? record->FlatSkin() : nullptr;
    }
};

// Counts the paints of popup menu windows that a flat frame holds: each
// such paint draws the frame over the window's rows.
class FramedPaintCount : public QObject
{
public:
    int count = 0;

    FramedPaintCount() { QApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<TPopupMenuWindow *>(watched);
        if (event->type() == QEvent::Paint && window && TFlatMenuFrame::Of(*window))
            ++count;
        return false;
    }
};

TFlatSkinManager &Manager()
{
    return *static_cast<TFlatSkinManager *>(FlatSkinManager());
}

class FlatSkinManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallFlatSkinManager();
        Application->Restart();
    }
    void TearDown() override
    {
        Application->Restart();
        Settle();
        SetFlatSkinManagerFactory({});
        ResetSystemSettings();
    }
    // Hand-over restores adopted forms only once the program has a main form.
    void CreateMainForm() { Application->CreateForm<TForm>(); }
};

} // namespace

TEST_F(FlatSkinManagerTest, aFormCreatedLaterIsAdoptedByTheCurrentComponentAtTheNextHookRun)
{
    EditForm main(true);
    ASSERT_EQ(Manager().CurrentComponent(), main.skin);
    EditForm late(false);
    EXPECT_EQ(late.SkinOfEdit(), nullptr) << "not while the form is being built";
    Settle();
    EXPECT_EQ(late.SkinOfEdit(), main.skin);
    EXPECT_TRUE(Manager().PendingForms().empty());

    // A form with its own component is skinned by that one only.
    EditForm own(true);
    Settle();
    EXPECT_EQ(own.SkinOfEdit(), own.skin);
    EXPECT_EQ(main.SkinOfEdit(), main.skin);
}

TEST_F(FlatSkinManagerTest, formsThatExistAtRegistrationAreCollectedUnlessExempt)
{
    EditForm plain(false);
    EditForm exempt(false);
    SetControlTag(exempt.form.get(), TFlatSkin::kExemptTag);
    EditForm main(true);
    Settle();
    EXPECT_EQ(plain.SkinOfEdit(), main.skin);
    EXPECT_EQ(exempt.SkinOfEdit(), nullptr);
}

TEST_F(FlatSkinManagerTest, adoptedFormsStayWithASuccessorAndAreRestoredWithoutOne)
{
    CreateMainForm();
    auto first = std::make_unique<EditForm>(true);
    EditForm second(true);
    EditForm adopted(false);
    Settle();
    ASSERT_EQ(adopted.SkinOfEdit(), first->skin);
    adopted.edit->SetCtl3D(false);

    first.reset();
    EXPECT_EQ(Manager().CurrentComponent(), second.skin);
    EXPECT_EQ(adopted.SkinOfEdit(), second.skin) << "re-bound to the successor";
    EXPECT_EQ(second.SkinOfEdit(), second.skin);

    delete second.skin;
    second.skin = nullptr;
    EXPECT_EQ(adopted.SkinOfEdit(), nullptr);
    EXPECT_TRUE(adopted.edit->Ctl3D()) << "its own frame back";
    EXPECT_EQ(FlatSkinManager(), nullptr) << "gone with the last component";
    adopted.edit->repaint();
}

TEST_F(FlatSkinManagerTest, disablingSubclassingHandsTheRoleOnOrUnskinsAdoptedForms)
{
    CreateMainForm();
    EditForm first(true);
    EditForm second(true);
    EditForm adopted(false);
    Settle();

    first.skin->SetDisableSubclassing(true);
    EXPECT_EQ(Manager().CurrentComponent(), second.skin);
    EXPECT_EQ(adopted.SkinOfEdit(), second.skin);
    EXPECT_EQ(first.SkinOfEdit(), first.skin) << "its own form keeps its own skin";

    second.skin->SetDisableSubclassing(true);
    EXPECT_EQ(Manager().CurrentComponent(), nullptr);
    EXPECT_EQ(adopted.SkinOfEdit(), nullptr);
}

TEST_F(FlatSkinManagerTest, destroyingAnAdoptedFormBeforeItsWalkLeavesNothingBehind)
{
    EditForm main(true);
    {
        EditForm late(false);
        EXPECT_EQ(Manager().PendingForms().size(), 1u);
    }
    Settle();
    EXPECT_TRUE(Manager().PendingForms().empty());
    EXPECT_EQ(Manager().SkinnedForms(), std::vector<TForm *>{main.form.get()});
}

namespace {

constexpr int kFrameWidth = 40;
constexpr int kFrameHeight = 30;

TFlatFrameStyle Style(bool version51, bool rightToLeft)
{
    return {RGB(122, 120, 110), RGB(136, 134, 124), RGB(1, 2, 3), RGB(9, 9, 9), version51, rightToLeft};
}

QImage Framed(const TFlatFrameStyle &style)
{
    QImage image = FilledImage(kFrameWidth, kFrameHeight, clWhite);
    // Rows as a menu paints them: the raised border, then row 3 plain.
    for (int x = 0; x < kFrameWidth; ++x) {
        image.setPixel(x, 1, ToQRgb(clBlack));
        image.setPixel(x, 3, ToQRgb(RGB(50, 60, 70)));
    }
    TCanvas canvas(&image);
    DrawFlatFrame(canvas, kFrameWidth, kFrameHeight, style);
    return image;
}

} // namespace

TEST(FlatMenuFrame, beforeVersion51TheFrameLeavesRoomForTwoShadowBands)
{
    const QImage image = Framed(Style(false, false));
    const int right = kFrameWidth - 2;
    const int bottom = kFrameHeight - 2;
    EXPECT_EQ(PixelAt(image, 0, 0), RGB(122, 120, 110));
    EXPECT_EQ(PixelAt(image, right - 1, bottom - 1), RGB(122, 120, 110));
    EXPECT_EQ(PixelAt(image, 1, 10), RGB(1, 2, 3)) << "the icon strip";
    EXPECT_EQ(PixelAt(image, 2, 10), RGB(1, 2, 3));
    EXPECT_EQ(PixelAt(image, 3, 10), clWhite);
    EXPECT_EQ(PixelAt(image, 10, 1), RGB(50, 60, 70)) << "the raised border is covered";
    EXPECT_EQ(PixelAt(image, 10, 2), RGB(50, 60, 70));
    for (int offset : {0, 1}) {
        EXPECT_EQ(PixelAt(image, right + offset, 2), RGB(136, 134, 124));
        EXPECT_EQ(PixelAt(image, right + offset, kFrameHeight - 1), RGB(136, 134, 124));
        EXPECT_EQ(PixelAt(image, 2, bottom + offset), RGB(136, 134, 124));
    }
    EXPECT_EQ(PixelAt(image, right, 0), clWhite) << "the corner the shape cuts away";
    EXPECT_EQ(PixelAt(image, 1, bottom), clWhite);

    const TRegion shape = FlatFrameShape(kFrameWidth, kFrameHeight);
    EXPECT_FALSE(shape.Contains(kFrameWidth - 1, 0));
    EXPECT_FALSE(shape.Contains(kFrameWidth - 2, 1));
    EXPECT_FALSE(shape.Contains(0, kFrameHeight - 1));
    EXPECT_TRUE(shape.Contains(kFrameWidth - 1, kFrameHeight - 1));
    EXPECT_TRUE(shape.Contains(kFrameWidth - 3, 0));
}

TEST(FlatMenuFrame, onVersion51TheFrameTakesTheWholeWindowWithoutShadowAndMirrorsItsStrip)
{
    const QImage image = Framed(Style(true, true));
    EXPECT_EQ(PixelAt(image, kFrameWidth - 1, kFrameHeight - 1), RGB(122, 120, 110));
    EXPECT_EQ(PixelAt(image, 10, kFrameHeight - 3), RGB(50, 60, 70)) << "bottom rows covered too";
    EXPECT_EQ(PixelAt(image, 10, kFrameHeight - 2), RGB(50, 60, 70));
    EXPECT_EQ(PixelAt(image, kFrameWidth - 2, 10), RGB(9, 9, 9)) << "menu background over the right border";
    EXPECT_EQ(PixelAt(image, 1, 10), clWhite) << "no strip on the left when right to left";
}

// Right to left the icon column runs on to the frame as a one-pixel line, not
// a strip: from the third column inside the frame, two rows down, to the row
// above its bottom, stepping one column right on the way (the two top rows
// repeat the first inner row). The items' pixels beside it stay theirs.
TEST(FlatMenuFrame, rightToLeftTheIconColumnRunsOnToTheFrameAsOneSteppingLine)
{
    constexpr int kWidth = 14;
    constexpr int kHeight = 10;
    QImage image = FilledImage(kWidth, kHeight, clWhite);
    TCanvas canvas(&image);
    DrawFlatFrame(canvas, kWidth, kHeight, Style(false, true));
    EXPECT_EQ(PixelMask(image, {0, 0, kWidth, kHeight}), "############..\n"
                                                         "#........#.#..\n"
                                                         "#........#.###\n"
                                                         "#........#.###\n"
                                                         "#........#.###\n"
                                                         "#.........####\n"
                                                         "#.........####\n"
                                                         "##############\n"
                                                         "..############\n"
                                                         "..############\n");
}

TEST_F(FlatSkinManagerTest, aBurstOfItemDrawsGivesOneRequestAndOneFramePaintThenHidingGivesTheWindowBack)
{
    TForm form;
    TPopupMenu menu(&form);
    for (int i = 0; i < 50; ++i)
        menu.Items()->Add(QStringLiteral("Пункт %1").arg(i));
    auto *skin = new TFlatSkin(&form);
    skin->SetFlatMenu(true);
    skin->SetActive(true);
    skin->Loaded();
    form.show();
    Settle();

    menu.Popup(10, 10);
    TPopupMenuWindow *window = menu.Window();
    ASSERT_NE(window, nullptr);
    Settle();
    // The first paint's request took the window over.
    ASSERT_NE(TFlatMenuFrame::Of(*window), nullptr);
    EXPECT_EQ(window->mask(), FlatFrameShape(window->width(), window->height()).ToQRegion());
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), kFlatFrameWindowEvent);

    const FramedPaintCount frames;
    window->repaint();
    EXPECT_EQ(TFlatFrameRequest::Waiting(), 1) << "fifty items drawn, one request";
    EXPECT_EQ(frames.count, 1);
    Settle();
    EXPECT_EQ(frames.count, 1) << "a window taken over is not painted again";

    window->hide();
    Settle();
    EXPECT_EQ(TFlatMenuFrame::Of(*window), nullptr);
    EXPECT_TRUE(window->mask().isEmpty());
}

namespace {

// Notes, at the first paint of each popup menu window, whether the window
// already had its flat shape and frame.
class FirstPaintWatch : public QObject
{
public:
    struct Seen {
        bool framed;
        QRegion shape;
        QSize size;
    };
    std::vector<Seen> seen;

    FirstPaintWatch() { QApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<TPopupMenuWindow *>(watched);
        if (event->type() == QEvent::Paint && window && !m_painted.contains(window)) {
            m_painted.append(window);
            seen.push_back({TFlatMenuFrame::Of(*window) != nullptr, window->mask(), window->size()});
        }
        return false;
    }

private:
    QList<QPointer<TPopupMenuWindow>> m_painted;
};

} // namespace

TEST_F(FlatSkinManagerTest, aPopupWindowAndItsSubMenuHaveTheirShapeAndFrameAtTheirFirstPaint)
{
    TForm form;
    TPopupMenu menu(&form);
    TMenuItem *more = menu.Items()->Add(QStringLiteral("Ещё"));
    more->Add(QStringLiteral("Найти"));
    menu.Items()->Add(QStringLiteral("Выход"));
    auto *skin = new TFlatSkin(&form);
    skin->SetFlatMenu(true);
    skin->SetActive(true);
    skin->Loaded();
    form.show();
    Settle();

    FirstPaintWatch watch;
    menu.Popup(10, 10);
    TPopupMenuWindow *window = menu.Window();
    ASSERT_NE(window, nullptr);
    Settle();
    window->ActivateRow(0, false);
    ASSERT_NE(window->ChildPopup(), nullptr);
    Settle();

    ASSERT_EQ(watch.seen.size(), 2u) << "the menu and its sub-menu painted";
    for (const FirstPaintWatch::Seen &first : watch.seen) {
        EXPECT_TRUE(first.framed);
        EXPECT_EQ(first.shape, FlatFrameShape(first.size.width(), first.size.height()).ToQRegion());
    }
    window->CloseChain();
    Settle();
}

TEST_F(FlatSkinManagerTest, aWindowKeepsItsShapeThroughSmallSizeChangesAndGetsANewOneForLargeOnes)
{
    TForm form;
    TPopupMenu menu(&form);
    menu.Items()->Add(QStringLiteral("Найти"));
    auto *skin = new TFlatSkin(&form);
    skin->SetFlatMenu(true);
    skin->SetActive(true);
    skin->Loaded();
    menu.Popup(10, 10);
    TPopupMenuWindow *window = menu.Window();
    ASSERT_NE(window, nullptr);
    const QSize size = window->size();
    PaintFlatFrame(*skin, window, false);
    const QRegion first = window->mask();
    ASSERT_EQ(first, FlatFrameShape(size.width(), size.height()).ToQRegion());

    // A popup window keeps the size its rows give it.
    window->setFixedSize(size + QSize(5, 5));
    PaintFlatFrame(*skin, window, false);
    EXPECT_EQ(window->mask(), first) << "within five pixels the shape stays";

    window->setFixedSize(size + QSize(6, 0));
    PaintFlatFrame(*skin, window, false);
    EXPECT_EQ(window->mask(), FlatFrameShape(size.width() + 6, size.height()).ToQRegion());

    // While a frame is being painted no other is begun.
    {
        const QScopedValueRollback busy(skin->FrameBusy(), true);
        window->setFixedSize(size + QSize(20, 20));
        PaintFlatFrame(*skin, window, false);
        EXPECT_EQ(window->mask(), FlatFrameShape(size.width() + 6, size.height()).ToQRegion());
    }
    window->hide();
    Settle();
}

TEST_F(FlatSkinManagerTest, closingAMenuRepaintsAFramedMenuJustBeyondItsRightEdge)
{
    TForm form;
    TPopupMenu left(&form);
    TPopupMenu right(&form);
    left.Items()->Add(QStringLiteral("Найти"));
    right.Items()->Add(QStringLiteral("Выход"));
    auto *skin = new TFlatSkin(&form);
    skin->SetFlatMenu(true);
    skin->SetActive(true);
    skin->Loaded();
    left.Popup(100, 100);
    TPopupMenuWindow *leftWindow = left.Window();
    ASSERT_NE(leftWindow, nullptr);
    // Its top-left corner two pixels beyond the left menu's top-right one.
    right.Popup(100 + leftWindow->width() + 1, 101);
    TPopupMenuWindow *rightWindow = right.Window();
    ASSERT_NE(rightWindow, nullptr);
    // Requests are merged, so each window is framed here directly.
    PaintFlatFrame(*skin, leftWindow, false);
    PaintFlatFrame(*skin, rightWindow, false);
    Settle();
    ASSERT_NE(TFlatMenuFrame::Of(*leftWindow), nullptr);
    ASSERT_NE(TFlatMenuFrame::Of(*rightWindow), nullptr);
    if (QApplication::topLevelAt(rightWindow->geometry().topLeft() + QPoint(1, 1)) != rightWindow)
        GTEST_SKIP() << "this platform finds no window at a screen point";

    const FramedPaintCount frames;
    leftWindow->hide();
    Settle();
    EXPECT_EQ(frames.count, 1) << "the right menu painted its frame again";
    rightWindow->hide();
    Settle();
}
