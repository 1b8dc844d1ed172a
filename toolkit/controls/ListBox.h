#pragma once

#include "toolkit/controls/BorderedScrollArea.h"

#include <QListWidget>

// A list of strings with the classic border.
class TListBox : public TBorderedScrollArea<QListWidget>
{
    Q_OBJECT

public:
    explicit TListBox(QWidget *parent = nullptr)
        : TBorderedScrollArea(parent)
    { }
};
