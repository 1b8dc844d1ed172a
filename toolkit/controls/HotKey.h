#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QKeySequenceEdit>

// A field that records the key combination typed into it, with the classic
// border (see TStandardControl).
class THotKey : public QKeySequenceEdit, public TStandardControl
{
    Q_OBJECT

public:
    explicit THotKey(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void BorderWidthChanged(int width) override;
};
