#include "toolkit/controls/CheckBox.h"

TCheckBox::TCheckBox(QWidget *parent)
    : QCheckBox(parent)
    , TStandardControl(*this, clBtnFace, QPalette::Window, false)
{ }

TCheckBoxState TCheckBox::State() const
{
    switch (checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    case Qt::Unchecked: break;
    }
    return cbUnchecked;
}

void TCheckBox::SetState(TCheckBoxState state)
{
    if (state == cbGrayed)
        setTristate(true);
    setCheckState(state == cbChecked ? Qt::Checked : state == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

void TCheckBox::SetAlignment(TAlignment alignment)
{
    if (alignment == taCenter || alignment == m_alignment)
        return;
    m_alignment = alignment;
    ApplyLayoutDirection();
}

Qt::LayoutDirection TCheckBox::LayoutDirection() const
{
    return BoxAtRightEdge(m_alignment, BiDiMode()) ? Qt::RightToLeft : Qt::LeftToRight;
}

bool BoxAtRightEdge(TAlignment alignment, TBiDiMode mode)
{
    return (mode == bdRightToLeft) == (alignment == taRightJustify);
}
