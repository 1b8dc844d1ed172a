#pragma once

#include "toolkit/controls/BorderedScrollArea.h"

#include <QPlainTextEdit>

// A multi-line edit field with the classic border.
class TMemo : public TBorderedScrollArea<QPlainTextEdit>
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *parent = nullptr)
        : TBorderedScrollArea(parent)
    { }
};
