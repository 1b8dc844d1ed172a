#pragma once

#include "toolkit/Form.h"

// The search dialog: a stay-on-top dialog that closing only hides.
class TFindDialog : public TForm
{
    Q_OBJECT

public:
    explicit TFindDialog(QWidget *parent = nullptr);
};
