#include "toolkit/controls/GroupBox.h"

TGroupBox::TGroupBox(QWidget *parent)
    : QGroupBox(parent)
    , TStandardControl(*this, clBtnFace, QPalette::Window, false)
{ }
