#include "support/NavigatorFixtures.h"

#include "toolkit/app/Application.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/gdi/Canvas.h"

#include <QEnterEvent>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr QRgb kBackground = qRgb(90, 90, 90);

QImage Paint(TSpeedButton &button)
{
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(kBackground);
    TCanvas canvas(&image);
    button.PaintTo(canvas);
    return image;
}

void Enter(QWidget *widget)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(widget, &enter);
}

const std::array<TColor, 4> kCellColors = {clRed, clLime, clBlue, clYellow};
constexpr int kCell = 4;

// `cells` solid cells side by side; the bottom-left pixel is magenta, the
// glyph's transparent colour.
TBitmap CellGlyph(int cells)
{
    TBitmap glyph(kCell * cells, kCell);
    for (int c = 0; c < cells; ++c) {
        glyph.Canvas().Brush().SetColor(kCellColors[c]);
        glyph.Canvas().FillRect(Bounds(c * kCell, 0, kCell, kCell));
    }
    glyph.Canvas().SetPixel(0, kCell - 1, clFuchsia);
    return glyph;
}

TEST(SpeedButton, glyphLeavesOutTheColourOfItsBottomLeftPixel)
{
    TSpeedButton button;
    button.SetFlat(true);
    button.resize(3, 2);
    TBitmap glyph(3, 2);
    glyph.Canvas().SetPixel(0, 0, clBlue);
    glyph.Canvas().SetPixel(1, 0, clFuchsia);
    glyph.Canvas().SetPixel(2, 0, clLime);
    glyph.Canvas().SetPixel(0, 1, clLime);
    glyph.Canvas().SetPixel(1, 1, clLime);
    glyph.Canvas().SetPixel(2, 1, clRed);
    button.SetGlyph(glyph);
    const QImage image = Paint(button);
    EXPECT_EQ(image.pixel(0, 0), ToQRgb(clBlue));
    EXPECT_EQ(image.pixel(1, 0), ToQRgb(clFuchsia));
    EXPECT_EQ(image.pixel(2, 0), kBackground);
    EXPECT_EQ(image.pixel(0, 1), kBackground);
    EXPECT_EQ(image.pixel(2, 1), ToQRgb(clRed));
}

struct CellCase {
    int numGlyphs;
    bool enabled;
    bool pressed;
    bool down;
    TButtonGlyphCell cell;
};

class GlyphCells : public testing::TestWithParam<CellCase>
{ };

TEST_P(GlyphCells, stateChoosesTheCellTheGlyphHolds)
{
    const CellCase &c = GetParam();
    QWidget parent;
    auto *button = new TSpeedButton(&parent);
    button->SetFlat(true);
    button->resize(12, 12);
    button->SetGlyph(CellGlyph(c.numGlyphs));
    button->SetNumGlyphs(c.numGlyphs);
    button->SetDown(c.down);
    if (c.pressed)
        SendMouse(button, QEvent::MouseButtonPress);
    button->setEnabled(c.enabled);
    EXPECT_EQ(button->CurrentCell(), c.cell);
    if (c.enabled || c.cell == gcDisabled) {
        EXPECT_EQ(Paint(*button).pixel(6, 6), ToQRgb(kCellColors[c.cell]));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, GlyphCells,
    testing::Values(CellCase{1, true, false, false, gcEnabled}, CellCase{2, false, false, false, gcDisabled},
                    CellCase{1, false, false, false, gcEnabled}, CellCase{3, true, true, false, gcPressed},
                    CellCase{2, true, true, false, gcEnabled}, CellCase{4, true, false, true, gcDown},
                    CellCase{3, true, false, true, gcEnabled}, CellCase{4, true, true, true, gcDown}));

TEST(SpeedButton, disabledSingleCellGlyphIsEmbossed)
{
    TSpeedButton button;
    button.SetFlat(true);
    button.resize(12, 12);
    button.SetGlyph(CellGlyph(1));
    button.setEnabled(false);
    const QImage image = Paint(button);
    EXPECT_EQ(image.pixel(5, 5), ToQRgb(clBtnShadow));
    EXPECT_EQ(image.pixel(8, 8), ToQRgb(clBtnHighlight));
}

TEST(SpeedButton, flatButtonShowsItsFrameOnlyUnderThePointer)
{
    QWidget parent;
    auto *button = new TSpeedButton(&parent);
    button->SetTransparent(false);
    button->SetFlat(true);
    button->resize(20, 20);
    EXPECT_EQ(Paint(*button).pixel(0, 0), ToQRgb(clBtnFace));
    EXPECT_EQ(Paint(*button).pixel(19, 19), ToQRgb(clBtnFace));

    Enter(button);
    EXPECT_TRUE(button->Hot());
    EXPECT_EQ(Paint(*button).pixel(0, 0), ToQRgb(clBtnHighlight));
    EXPECT_EQ(Paint(*button).pixel(19, 19), ToQRgb(clBtnShadow));

    SendMouse(button, QEvent::MouseButtonPress);
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(Paint(*button).pixel(0, 0), ToQRgb(clBtnShadow));

    SendMouse(button, QEvent::MouseButtonRelease, QPoint(40, 40));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->Hot());
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(Paint(*button).pixel(0, 0), ToQRgb(clBtnFace));

    button->SetFlat(false);
    EXPECT_EQ(Paint(*button).pixel(0, 0), ToQRgb(clBtnHighlight));
    EXPECT_EQ(Paint(*button).pixel(19, 19), ToQRgb(cl3DDkShadow));

    button->SetDown(true);
    const QImage down = Paint(*button);
    EXPECT_EQ(down.pixel(0, 0), ToQRgb(cl3DDkShadow));
    EXPECT_EQ(down.pixel(5, 5), ToQRgb(clBtnFace));
    EXPECT_EQ(down.pixel(6, 5), ToQRgb(clBtnHighlight));
}

TEST(SpeedButton, clickNeedsTheReleaseOverTheButton)
{
    QWidget parent;
    auto *button = new TSpeedButton(&parent);
    button->resize(20, 20);
    int clicks = 0;
    QObject::connect(button, &TSpeedButton::Clicked, [&] { ++clicks; });
    Click(button);
    EXPECT_EQ(clicks, 1);
    SendMouse(button, QEvent::MouseButtonPress);
    SendMouse(button, QEvent::MouseButtonRelease, QPoint(25, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST(SpeedButton, aFailingClickHandlerIsReportedWhereTheClickHappens)
{
    QWidget parent;
    auto *button = new TSpeedButton(&parent);
    button->resize(20, 20);
    QObject::connect(button, &TSpeedButton::Clicked, [] { throw std::runtime_error("Нет связи"); });
    TMessageBoxHook boxes(IDOK);
    const int lastResort = Application->LastResortCount();
    Click(button);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.Requests()[0].text, QStringLiteral("Нет связи."));
    EXPECT_EQ(Application->LastResortCount(), lastResort);
}

} // namespace
