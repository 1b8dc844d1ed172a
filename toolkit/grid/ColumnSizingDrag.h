#pragma once

// A column border dragged with the mouse in the grid's titles. While the
// drag lasts the grid shows an inverted line where the border would go; the
// width is applied only when the button goes up. No width goes below
// kMinSizedColumnWidth, however far left the pointer moves.
class TColumnSizingDrag
{
public:
    struct TResult {
        int Col = -1;
        int Width = 0;
    };

    bool Active() const { return m_col >= 0; }
    // Grid column being sized, -1 when no drag is in progress.
    int Col() const { return m_col; }
    // Client x of the line that shows the border's new place.
    int LineX() const { return m_lineX; }

    // Starts sizing grid column `col`, `width` wide and ending at `lineX`,
    // with the pointer at `x`.
    void Begin(int col, int x, int width, int lineX);
    // The pointer moved to `x`; the column starts at `colStart`.
    void MoveTo(int x, int colStart);
    // Ends the drag with the pointer at `x` and returns the width chosen.
    TResult Finish(int x);

private:
    int WidthAt(int x) const;

    int m_col = -1;
    int m_startX = 0;
    int m_startWidth = 0;
    int m_lineX = 0;
};
