#include "toolkit/controls/Edit.h"

TEdit::TEdit(QWidget *parent) : QLineEdit(parent), TStandardControl(*this, clWindow, QPalette::Base, true)
{
    setFrame(false);
    BorderWidthChanged(NonClientWidth());
}

void TEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    PaintBorder();
}

void TEdit::BorderWidthChanged(int width)
{
    setTextMargins(width, width, width, width);
}
