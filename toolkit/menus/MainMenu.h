#pragma once

#include "toolkit/menus/MenuBase.h"

#include <QPointer>

class TMenuBar;

// The menu of a form, drawn as a bar in the band below the form's caption.
class TMainMenu : public TMenu
{
public:
    explicit TMainMenu(QWidget *owner);
    ~TMainMenu() override;

    bool IsMainMenu() const override { return true; }
    // The bar widget; the form places it and keeps it TMenuBar::Height high.
    TMenuBar *Bar() const;

private:
    QPointer<TMenuBar> m_bar; // a child of the owner: gone if the owner went first
};
