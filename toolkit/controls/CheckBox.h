#pragma once

#include "toolkit/controls/StandardControl.h"
#include "toolkit/db/Field.h"

#include <QCheckBox>

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box in the platform's classic look. Alignment places the caption:
// taRightJustify (the default) to the right of the box, taLeftJustify to
// its left; right to left mirrors both.
class TCheckBox : public QCheckBox, public TStandardControl
{
    Q_OBJECT

public:
    explicit TCheckBox(QWidget *parent = nullptr);

    TCheckBoxState State() const;
    void SetState(TCheckBoxState state);
    bool Checked() const { return State() == cbChecked; }
    TAlignment Alignment() const { return m_alignment; }
    // taCenter is ignored.
    void SetAlignment(TAlignment alignment);

protected:
    Qt::LayoutDirection LayoutDirection() const override;

private:
    TAlignment m_alignment = taRightJustify;
};

// Whether a check box or radio button whose caption is aligned so, in the
// given reading direction, has its box at the right edge.
bool BoxAtRightEdge(TAlignment alignment, TBiDiMode mode);
