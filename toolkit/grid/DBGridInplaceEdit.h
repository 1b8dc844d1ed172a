#pragma once

#include <QLineEdit>

class TDBGrid;

// The grid's in-place editor: a frameless line edit over the current cell.
// Keys that move between cells or end the edit go to the grid; the rest edit
// the text.
class TDBGridInplaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDBGridInplaceEdit(TDBGrid &grid);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TDBGrid &m_grid;
};
