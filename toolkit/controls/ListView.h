#pragma once

#include "toolkit/controls/BorderedScrollArea.h"

#include <QTreeWidget>

// A list of items in columns with the classic border.
class TListView : public TBorderedScrollArea<QTreeWidget>
{
    Q_OBJECT

public:
    explicit TListView(QWidget *parent = nullptr)
        : TBorderedScrollArea(parent)
    {
        setRootIsDecorated(false);
    }
};
