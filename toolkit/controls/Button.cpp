#include "toolkit/controls/Button.h"

TButton::TButton(QWidget *parent)
    : QPushButton(parent)
    , TStandardControl(*this, clBtnFace, QPalette::Button, false)
{ }
