#include "toolkit/controls/Edit.h"

#include "toolkit/controls/LengthValidator.h"

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
    , TStandardControl(*this, clWindow, QPalette::Base, true)
{
    setMaxLength(kNoLengthLimit);
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
