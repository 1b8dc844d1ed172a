#include "toolkit/controls/ComboBox.h"

#include <QPainter>
#include <QStyleOptionComboBox>

TComboBox::TComboBox(QWidget *parent)
    : QComboBox(parent)
    , TStandardControl(*this, clWindow, QPalette::Base, false)
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

// Between its sunken edge and the text the classic field shows its own
// colour, where Qt leaves a ring of button face; the ring's side toward the
// button (the right, or the left right to left) belongs to the button.
void TComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool rightToLeft = option.direction == Qt::RightToLeft;
    const QRect ring = rightToLeft ? field.adjusted(0, -1, 1, 1) : field.adjusted(-1, -1, 0, 1);
    const QColor color = ToQColor(Color());
    QPainter painter(this);
    painter.fillRect(QRect(ring.left(), ring.top(), ring.width(), 1), color);
    painter.fillRect(QRect(rightToLeft ? ring.right() : ring.left(), ring.top(), 1, ring.height()), color);
    painter.fillRect(QRect(ring.left(), ring.bottom(), ring.width(), 1), color);
}
