#include "toolkit/controls/HotKey.h"

#include <QLayout>
#include <QLineEdit>

THotKey::THotKey(QWidget *parent)
    : QKeySequenceEdit(parent)
    , TStandardControl(*this, clWindow, QPalette::Base, true)
{
    // The border is the field's own; the line edit inside shows only the text.
    if (auto *line = findChild<QLineEdit *>())
        line->setFrame(false);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    BorderWidthChanged(NonClientWidth());
}

void THotKey::paintEvent(QPaintEvent *event)
{
    QKeySequenceEdit::paintEvent(event);
    PaintBorder();
}

void THotKey::BorderWidthChanged(int width)
{
    if (layout())
        layout()->setContentsMargins(width, width, width, width);
}
