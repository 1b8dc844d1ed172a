#pragma once

#include "toolkit/Form.h"

// The results window: shown modally after a search; closing only hides it.
class TForm2 : public TForm
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);
};
