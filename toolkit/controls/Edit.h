#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QLineEdit>

// A one-line edit field with the classic border (see TStandardControl).
class TEdit : public QLineEdit, public TStandardControl
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void BorderWidthChanged(int width) override;
};
