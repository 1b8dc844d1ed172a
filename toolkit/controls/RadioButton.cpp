#include "toolkit/controls/RadioButton.h"

#include "toolkit/controls/CheckBox.h"

TRadioButton::TRadioButton(QWidget *parent)
    : QRadioButton(parent)
    , TStandardControl(*this, clBtnFace, QPalette::Window, false)
{ }

void TRadioButton::SetAlignment(TAlignment alignment)
{
    if (alignment == taCenter || alignment == m_alignment)
        return;
    m_alignment = alignment;
    ApplyLayoutDirection();
}

Qt::LayoutDirection TRadioButton::LayoutDirection() const
{
    return BoxAtRightEdge(m_alignment, BiDiMode()) ? Qt::RightToLeft : Qt::LeftToRight;
}
