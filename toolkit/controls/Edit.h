#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QLineEdit>

// A one-line edit field with the classic border (see TStandardControl). It
// takes text of any length: what is typed or pasted is never cut.
class TEdit : public QLineEdit, public TStandardControl
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void BorderWidthChanged(int width) override;
};
