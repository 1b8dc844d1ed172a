#include "toolkit/controls/ProgressBar.h"

TProgressBar::TProgressBar(QWidget *parent)
    : QProgressBar(parent)
    , TStandardControl(*this, clBtnFace, QPalette::Window, false)
{
    setTextVisible(false);
}
