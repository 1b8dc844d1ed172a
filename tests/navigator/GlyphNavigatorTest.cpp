#include "support/NavigatorFixtures.h"

#include "components/GlyphNavigator.h"
#include "toolkit/gdi/Canvas.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using Lefts = std::array<int, kNavButtonCount>;

const TNavButtonSet kResultsButtons{nbFirst, nbPrior, nbNext, nbLast};
const TNavButtonSet kMainButtons{nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel};

Lefts LeftsOf(const TGlyphNavigator &bar)
{
    Lefts lefts{};
    for (int i = 0; i < kNavButtonCount; ++i)
        lefts[i] = bar.Button(TNavigateBtn(i))->x();
    return lefts;
}

QImage GlyphImage(const TGlyphNavigator &bar, TNavigateBtn b)
{
    return bar.Glyph(b).Image().convertToFormat(QImage::Format_RGB32);
}

TEST(Mirroring, swapsFromBothEndsOverTheVisibleButtonsOnly)
{
    Lefts lefts{0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    TGlyphNavigator::Mirror(lefts, TNavButtonSet{nbFirst, nbNext, nbLast, nbEdit, nbRefresh});
    EXPECT_EQ(lefts, (Lefts{90, 10, 60, 30, 40, 50, 20, 70, 80, 0}));
}

TEST(Mirroring, twiceRestoresTheOrder)
{
    const std::vector<TNavButtonSet> sets = {TNavButtonSet::All(),  kMainButtons,
                                             kResultsButtons,       TNavButtonSet{nbPrior, nbCancel},
                                             TNavButtonSet{nbEdit}, TNavButtonSet{}};
    for (const TNavButtonSet &visible : sets) {
        const Lefts original{0, 10, 20, 30, 40, 50, 60, 70, 80, 90};
        Lefts lefts = original;
        TGlyphNavigator::Mirror(lefts, visible);
        EXPECT_EQ(TGlyphNavigator::IsMirrored(lefts, visible), visible.Count() > 1);
        TGlyphNavigator::Mirror(lefts, visible);
        EXPECT_EQ(lefts, original);
        EXPECT_FALSE(TGlyphNavigator::IsMirrored(lefts, visible));
    }
}

TEST(RightToLeft, barStaysMirroredAfterEveryResize)
{
    TGlyphNavigator bar;
    bar.SetVisibleButtons(kResultsButtons);
    bar.show();
    bar.SetBiDiMode(Qt::RightToLeft);
    for (int width : {81, 200, 693, 100, 81}) {
        bar.resize(width, 25);
        EXPECT_TRUE(bar.IsMirrored()) << width;
        EXPECT_EQ(bar.Button(nbFirst)->x() + bar.Button(nbFirst)->width(), width) << width;
        EXPECT_EQ(bar.Button(nbLast)->x(), 0) << width;
    }
    bar.SetVisibleButtons(kMainButtons);
    EXPECT_TRUE(bar.IsMirrored());
}

TEST(RightToLeft, switchingAndBackRestoresButtonsAndGlyphs)
{
    for (const TNavButtonSet &visible : {kMainButtons, kResultsButtons, TNavButtonSet{nbNext}}) {
        TGlyphNavigator bar;
        bar.SetVisibleButtons(visible);
        bar.resize(300, 25);
        const Lefts lefts = LeftsOf(bar);
        const QImage first = GlyphImage(bar, nbFirst);
        const QImage prior = GlyphImage(bar, nbPrior);
        const QImage last = GlyphImage(bar, nbLast);

        bar.SetBiDiMode(Qt::RightToLeft);
        EXPECT_EQ(GlyphImage(bar, nbFirst), last);
        EXPECT_EQ(GlyphImage(bar, nbLast), first);
        EXPECT_EQ(GlyphImage(bar, nbNext), prior);
        for (int i = 0; i < kNavButtonCount; ++i)
            EXPECT_EQ(bar.Button(TNavigateBtn(i))->layoutDirection(), Qt::RightToLeft);

        bar.SetBiDiMode(Qt::LeftToRight);
        EXPECT_EQ(LeftsOf(bar), lefts);
        EXPECT_EQ(GlyphImage(bar, nbFirst), first);
        EXPECT_EQ(GlyphImage(bar, nbPrior), prior);
    }
}

TEST(RightToLeft, barFollowsItsParentUntilGivenAModeOfItsOwn)
{
    QWidget form;
    auto *bar = new TGlyphNavigator(&form);
    bar->resize(200, 25);
    EXPECT_TRUE(bar->ParentBiDiMode());
    form.setLayoutDirection(Qt::RightToLeft);
    EXPECT_TRUE(bar->IsMirrored());
    bar->SetBiDiMode(Qt::LeftToRight);
    EXPECT_FALSE(bar->ParentBiDiMode());
    EXPECT_FALSE(bar->IsMirrored());
    bar->SetParentBiDiMode(true);
    EXPECT_EQ(bar->BiDiMode(), Qt::RightToLeft);
    EXPECT_TRUE(bar->IsMirrored());
}

TEST(RightToLeft, loadingMirrorsOnceLoadedAndKeepsTheLayoutsGlyphs)
{
    TGlyphNavigator bar;
    bar.BeginLoading();
    bar.resize(200, 25);
    const QImage first = GlyphImage(bar, nbFirst);
    bar.SetBiDiMode(Qt::RightToLeft);
    bar.resize(250, 25);
    EXPECT_EQ(GlyphImage(bar, nbFirst), first);
    bar.Loaded();
    EXPECT_TRUE(bar.IsMirrored());
    EXPECT_EQ(GlyphImage(bar, nbFirst), first);

    bar.SetBiDiMode(Qt::LeftToRight);
    EXPECT_FALSE(bar.IsMirrored());
    EXPECT_EQ(GlyphImage(bar, nbLast), first);
}

TEST(Glyphs, writingCopiesTheBitmap)
{
    TGlyphNavigator bar;
    TBitmap glyph(32, 16);
    glyph.Canvas().SetPixel(0, 15, clFuchsia);
    bar.SetGlyphEdit(glyph);
    glyph.Canvas().SetPixel(0, 15, clNavy);
    EXPECT_EQ(bar.GlyphEdit().Image().pixel(0, 15), ToQRgb(clFuchsia));
}

TEST(Glyphs, standardGlyphsAreTwoCellsOnMagenta)
{
    TGlyphNavigator bar;
    for (int i = 0; i < kNavButtonCount; ++i) {
        const TBitmap &glyph = bar.Glyph(TNavigateBtn(i));
        EXPECT_EQ(glyph.Width(), 32);
        EXPECT_EQ(glyph.Height(), 16);
        EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
        EXPECT_EQ(bar.Button(TNavigateBtn(i))->NumGlyphs(), 2);
        EXPECT_EQ(TDBNavigator::StandardGlyph(TNavigateBtn(i)).PixelFormat(), pf8bit);
    }
}

TEST(Transparency, changeReachesEveryButton)
{
    TGlyphNavigator bar;
    bar.SetTransparent(true);
    bar.SetTransparent(false);
    for (int i = 0; i < kNavButtonCount; ++i)
        EXPECT_FALSE(bar.Button(TNavigateBtn(i))->Transparent());
}

// A form whose own content is red left of x = 50 and white from there on.
class SplitForm : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(0, 0, 50, height(), Qt::red);
        p.fillRect(50, 0, width() - 50, height(), Qt::white);
    }
};

// A graphic control that paints itself in one colour.
class Swatch : public TGraphicControl
{
public:
    Swatch(TColor color, QWidget *parent)
        : TGraphicControl(parent)
        , m_color(color)
    { }
    void PaintTo(TCanvas &canvas) override
    {
        canvas.Brush().SetColor(m_color);
        canvas.FillRect(Rect(0, 0, width(), height()));
    }

private:
    TColor m_color;
};

TEST(Transparency, barPaintsWhatLiesBeneathOnlyWhenAlsoFlat)
{
    SplitForm form;
    form.resize(200, 100);
    auto *bar = new TGlyphNavigator(&form);
    bar->setGeometry(20, 10, 100, 25);
    bar->SetVisibleButtons(TNavButtonSet{nbFirst});
    bar->SetTransparent(true);
    form.show();

    const QImage plain = bar->grab().toImage();
    EXPECT_EQ(plain.pixel(10, 20), ToQRgb(clBtnFace));

    bar->SetFlat(true);
    const QImage seeThrough = bar->grab().toImage();
    EXPECT_EQ(seeThrough.pixel(10, 20), qRgb(255, 0, 0));
    EXPECT_EQ(seeThrough.pixel(29, 20), qRgb(255, 0, 0));
    EXPECT_EQ(seeThrough.pixel(30, 20), qRgb(255, 255, 255));
}

TEST(Transparency, onlyGraphicControlsBelowTheBarShowBeneathIt)
{
    SplitForm form;
    form.resize(200, 100);
    auto *below = new Swatch(clNavy, &form);
    below->setGeometry(50, 0, 10, 30);
    auto *hidden = new Swatch(clLime, &form);
    hidden->setGeometry(60, 0, 10, 30);
    hidden->hide();
    auto *windowed = new QWidget(&form);
    windowed->setAutoFillBackground(true);
    windowed->setPalette(QPalette(Qt::yellow));
    windowed->setGeometry(70, 0, 10, 30);
    auto *bar = new TGlyphNavigator(&form);
    bar->setGeometry(0, 10, 200, 25);
    auto *above = new Swatch(clGreen, &form);
    above->setGeometry(80, 0, 10, 30);
    form.show();

    QImage beneath(bar->size(), QImage::Format_RGB32);
    beneath.fill(Qt::black);
    TCanvas canvas(&beneath);
    PaintParentBeneath(bar, canvas);
    EXPECT_EQ(beneath.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(beneath.pixel(55, 5), ToQRgb(clNavy));
    EXPECT_EQ(beneath.pixel(65, 5), qRgb(255, 255, 255));
    EXPECT_EQ(beneath.pixel(75, 5), qRgb(255, 255, 255));
    EXPECT_EQ(beneath.pixel(85, 5), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.Origin(), TPoint(0, 0));
    EXPECT_FALSE(IsPaintingCopy(&form));
    EXPECT_FALSE(IsPaintingCopy(below));
}

TEST(Transparency, aBarWithoutParentPaintsNothingBeneath)
{
    TGlyphNavigator bar;
    bar.resize(100, 25);
    QImage beneath(bar.size(), QImage::Format_RGB32);
    beneath.fill(Qt::black);
    TCanvas canvas(&beneath);
    PaintParentBeneath(&bar, canvas);
    EXPECT_EQ(beneath.pixel(50, 10), qRgb(0, 0, 0));
}

} // namespace
