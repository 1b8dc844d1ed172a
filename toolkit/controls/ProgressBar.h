#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QProgressBar>

// A bar that fills from Min to Max as Position grows, in the platform's
// classic look.
class TProgressBar : public QProgressBar, public TStandardControl
{
    Q_OBJECT

public:
    explicit TProgressBar(QWidget *parent = nullptr);

    int Position() const { return value(); }
    void SetPosition(int position) { setValue(position); }
};
