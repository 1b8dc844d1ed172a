#pragma once

#include "toolkit/controls/StandardControl.h"

#include <QPushButton>

// A push button in the platform's classic look; the default button acts on
// Enter and shows a bold caption.
class TButton : public QPushButton, public TStandardControl
{
    Q_OBJECT

public:
    explicit TButton(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption) { setText(caption); }
    bool Default() const { return isDefault(); }
    void SetDefault(bool on) { setDefault(on); }
};
