#include "toolkit/controls/ComboBox.h"

TComboBox::TComboBox(QWidget *parent) : QComboBox(parent), TStandardControl(*this, clWindow, QPalette::Base, false)
{
    setEditable(true);
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    setEditable(style != csDropDownList);
    update();
}

void TComboBox::showPopup()
{
    m_droppedDown = true;
    QComboBox::showPopup();
}

void TComboBox::hidePopup()
{
    m_droppedDown = false;
    QComboBox::hidePopup();
}
