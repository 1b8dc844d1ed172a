#pragma once

#include "toolkit/controls/DBNavigator.h"

#include <array>

// The record navigator bar of the directory's windows. It adds to the
// standard navigator a replaceable glyph for each button, a transparent mode
// that shows what lies beneath the bar, and mirroring for right-to-left
// layouts: the buttons' order is reversed and the arrows of first/last and
// prior/next point the other way.
class TGlyphNavigator : public TDBNavigator
{
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)

public:
    explicit TGlyphNavigator(QWidget *parent = nullptr);

    // Reading gives the button's glyph; writing copies the bitmap into it.
    const TBitmap &Glyph(TNavigateBtn button) const;
    void SetGlyph(TNavigateBtn button, const TBitmap &glyph);

    const TBitmap &GlyphFirst() const { return Glyph(nbFirst); }
    void SetGlyphFirst(const TBitmap &glyph) { SetGlyph(nbFirst, glyph); }
    const TBitmap &GlyphPrior() const { return Glyph(nbPrior); }
    void SetGlyphPrior(const TBitmap &glyph) { SetGlyph(nbPrior, glyph); }
    const TBitmap &GlyphNext() const { return Glyph(nbNext); }
    void SetGlyphNext(const TBitmap &glyph) { SetGlyph(nbNext, glyph); }
    const TBitmap &GlyphLast() const { return Glyph(nbLast); }
    void SetGlyphLast(const TBitmap &glyph) { SetGlyph(nbLast, glyph); }
    const TBitmap &GlyphInsert() const { return Glyph(nbInsert); }
    void SetGlyphInsert(const TBitmap &glyph) { SetGlyph(nbInsert, glyph); }
    const TBitmap &GlyphDelete() const { return Glyph(nbDelete); }
    void SetGlyphDelete(const TBitmap &glyph) { SetGlyph(nbDelete, glyph); }
    const TBitmap &GlyphEdit() const { return Glyph(nbEdit); }
    void SetGlyphEdit(const TBitmap &glyph) { SetGlyph(nbEdit, glyph); }
    const TBitmap &GlyphPost() const { return Glyph(nbPost); }
    void SetGlyphPost(const TBitmap &glyph) { SetGlyph(nbPost, glyph); }
    const TBitmap &GlyphCancel() const { return Glyph(nbCancel); }
    void SetGlyphCancel(const TBitmap &glyph) { SetGlyph(nbCancel, glyph); }
    const TBitmap &GlyphRefresh() const { return Glyph(nbRefresh); }
    void SetGlyphRefresh(const TBitmap &glyph) { SetGlyph(nbRefresh, glyph); }

    // Off by default. A change sets every button's transparency to the new
    // value. With Transparent and Flat both on the bar paints what lies
    // beneath it; otherwise it paints as a plain panel.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    // The bidirectional mode; setting it stops following the parent's.
    Qt::LayoutDirection BiDiMode() const { return layoutDirection(); }
    void SetBiDiMode(Qt::LayoutDirection mode);
    // Whether the bar follows its parent's mode; on by default.
    bool ParentBiDiMode() const;
    void SetParentBiDiMode(bool follow);
    bool UseRightToLeftAlignment() const { return layoutDirection() == Qt::RightToLeft; }

    // The first visible button (lowest index) lies right of the last one.
    bool IsMirrored() const;
    // Swaps the left positions of the visible buttons from both ends
    // inwards; mirroring twice restores the order.
    void Mirror();

    // The same two steps on bare left positions, indexed by button.
    static bool IsMirrored(const std::array<int, kNavButtonCount> &lefts, TNavButtonSet visible);
    static void Mirror(std::array<int, kNavButtonCount> &lefts, TNavButtonSet visible);

    void Loaded() override;

protected:
    void ButtonsLaidOut() override;
    void Paint(TCanvas &canvas) override;
    void changeEvent(QEvent *event) override;

private:
    void BiDiModeChanged();
    void SwapArrowGlyphs();
    bool MirrorNeeded() const { return UseRightToLeftAlignment() != IsMirrored(); }

    bool m_transparent = false;
    // Whether the arrow glyphs face right-to-left; follows the mode.
    bool m_arrowsReversed = false;
};
