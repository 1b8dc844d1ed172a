#include "toolkit/menus/MainMenu.h"

#include "toolkit/menus/MenuBar.h"

TMainMenu::TMainMenu(QWidget *owner)
    : TMenu(owner)
{
    m_bar = new TMenuBar(this, owner);
}

TMainMenu::~TMainMenu()
{
    delete m_bar.data();
}

TMenuBar *TMainMenu::Bar() const
{
    return m_bar.data();
}
