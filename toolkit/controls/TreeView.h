#pragma once

#include "toolkit/controls/BorderedScrollArea.h"

#include <QTreeWidget>

// A tree of items with the classic border.
class TTreeView : public TBorderedScrollArea<QTreeWidget>
{
    Q_OBJECT

public:
    explicit TTreeView(QWidget *parent = nullptr)
        : TBorderedScrollArea(parent)
    {
        setHeaderHidden(true);
    }
};
