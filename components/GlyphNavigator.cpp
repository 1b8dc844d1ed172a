#include "components/GlyphNavigator.h"

#include "toolkit/controls/GraphicControl.h"
#include "toolkit/gdi/Canvas.h"

#include <QEvent>

#include <utility>

namespace {

constexpr int kLastIndex = kNavButtonCount - 1;

bool Visible(TNavButtonSet visible, int index)
{
    return visible.Contains(TNavigateBtn(index));
}

int LowestVisible(TNavButtonSet visible)
{
    int i = 0;
    while (i < kLastIndex && !Visible(visible, i))
        ++i;
    return i;
}

int HighestVisible(TNavButtonSet visible)
{
    int j = kLastIndex;
    while (j > 0 && !Visible(visible, j))
        --j;
    return j;
}

} // namespace

TGlyphNavigator::TGlyphNavigator(QWidget *parent)
    : TDBNavigator(parent)
{ }

const TBitmap &TGlyphNavigator::Glyph(TNavigateBtn button) const
{
    return Button(button)->Glyph();
}

void TGlyphNavigator::SetGlyph(TNavigateBtn button, const TBitmap &glyph)
{
    Button(button)->SetGlyph(glyph);
}

void TGlyphNavigator::SetTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    for (int i = 0; i < kNavButtonCount; ++i)
        Button(TNavigateBtn(i))->SetTransparent(transparent);
    update();
}

void TGlyphNavigator::SetBiDiMode(Qt::LayoutDirection mode)
{
    setLayoutDirection(mode);
}

bool TGlyphNavigator::ParentBiDiMode() const
{
    return !testAttribute(Qt::WA_SetLayoutDirection);
}

void TGlyphNavigator::SetParentBiDiMode(bool follow)
{
    if (follow == ParentBiDiMode())
        return;
    if (follow)
        unsetLayoutDirection();
    else
        setLayoutDirection(layoutDirection());
}

bool TGlyphNavigator::IsMirrored(const std::array<int, kNavButtonCount> &lefts, TNavButtonSet visible)
{
    if (visible.IsEmpty())
        return false;
    return lefts[LowestVisible(visible)] > lefts[HighestVisible(visible)];
}

void TGlyphNavigator::Mirror(std::array<int, kNavButtonCount> &lefts, TNavButtonSet visible)
{
    int i = LowestVisible(visible);
    int j = HighestVisible(visible);
    while (i < j) {
        std::swap(lefts[i], lefts[j]);
        ++i;
        --j;
        while (i < kLastIndex && !Visible(visible, i))
            ++i;
        while (j > 0 && !Visible(visible, j))
            --j;
    }
}

bool TGlyphNavigator::IsMirrored() const
{
    std::array<int, kNavButtonCount> lefts{};
    for (int i = 0; i < kNavButtonCount; ++i)
        lefts[i] = Button(TNavigateBtn(i))->x();
    return IsMirrored(lefts, VisibleButtons());
}

void TGlyphNavigator::Mirror()
{
    std::array<int, kNavButtonCount> lefts{};
    for (int i = 0; i < kNavButtonCount; ++i)
        lefts[i] = Button(TNavigateBtn(i))->x();
    Mirror(lefts, VisibleButtons());
    for (int i = 0; i < kNavButtonCount; ++i) {
        TNavButton *button = Button(TNavigateBtn(i));
        if (button->x() != lefts[i])
            button->move(lefts[i], button->y());
    }
}

void TGlyphNavigator::Loaded()
{
    TDBNavigator::Loaded();
    if (UseRightToLeftAlignment() && !IsMirrored())
        Mirror();
}

// A fresh layout puts the buttons left to right, undoing any mirroring.
void TGlyphNavigator::ButtonsLaidOut()
{
    if (!IsLoading() && UseRightToLeftAlignment() && !IsMirrored())
        Mirror();
}

void TGlyphNavigator::BiDiModeChanged()
{
    const Qt::LayoutDirection mode = layoutDirection();
    for (int i = 0; i < kNavButtonCount; ++i)
        Button(TNavigateBtn(i))->setLayoutDirection(mode);
    const bool rightToLeft = UseRightToLeftAlignment();
    if (MirrorNeeded())
        Mirror();
    // The arrows follow the mode on their own record rather than the mirror
    // test, which cannot tell a mirrored bar of one visible button from an
    // unmirrored one. Glyphs set while loading already face the mode.
    if (IsLoading())
        m_arrowsReversed = rightToLeft;
    else if (m_arrowsReversed != rightToLeft) {
        SwapArrowGlyphs();
        m_arrowsReversed = rightToLeft;
    }
}

void TGlyphNavigator::SwapArrowGlyphs()
{
    auto swapGlyphs = [this](TNavigateBtn a, TNavigateBtn b) {
        const TBitmap temporary(Glyph(a));
        SetGlyph(a, Glyph(b));
        SetGlyph(b, temporary);
    };
    swapGlyphs(nbFirst, nbLast);
    swapGlyphs(nbPrior, nbNext);
}

void TGlyphNavigator::Paint(TCanvas &canvas)
{
    if (m_transparent && Flat())
        PaintParentBeneath(this, canvas);
    else
        TDBNavigator::Paint(canvas);
}

void TGlyphNavigator::changeEvent(QEvent *event)
{
    TDBNavigator::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        BiDiModeChanged();
}
