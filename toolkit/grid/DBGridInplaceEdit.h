#pragma once

#include <QLineEdit>

class TDBGrid;
class TLengthValidator;

// The grid's in-place editor: a frameless line edit over the current cell.
// Keys that move between cells or end the edit go to the grid; the rest edit
// the text. Input that would pass the length limit is refused whole.
class TDBGridInplaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDBGridInplaceEdit(TDBGrid &grid);

    qsizetype LengthLimit() const;
    void SetLengthLimit(qsizetype characters);
    // How long the text would have been after the input last refused.
    qsizetype RefusedLength() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TDBGrid &m_grid;
    TLengthValidator *m_lengthValidator;
};
