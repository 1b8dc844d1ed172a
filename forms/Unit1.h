#pragma once

#include "toolkit/Form.h"

// The main window. Closing it ends the program.
class TForm1 : public TForm
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
};
