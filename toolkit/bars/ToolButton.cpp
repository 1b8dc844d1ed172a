#include "toolkit/bars/ToolButton.h"

#include "toolkit/bars/ToolBar.h"
#include "toolkit/menus/MenuItem.h"

TToolButton::TToolButton(TToolBar *toolBar)
    : QObject(toolBar)
    , m_toolBar(toolBar)
{
    if (m_toolBar)
        m_toolBar->Insert(this);
}

TToolButton::~TToolButton()
{
    if (m_toolBar)
        m_toolBar->Remove(this);
}

int TToolButton::Index() const
{
    return m_toolBar ? m_toolBar->IndexOf(this) : -1;
}

void TToolButton::Changed(bool relayout)
{
    if (!m_toolBar)
        return;
    if (relayout)
        m_toolBar->Relayout();
    m_toolBar->update();
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed(true);
}

void TToolButton::SetImageIndex(int index)
{
    if (m_imageIndex == index)
        return;
    m_imageIndex = index;
    Changed(false);
}

void TToolButton::SetDown(bool down)
{
    if (m_down == down)
        return;
    m_down = down;
    Changed(false);
}

void TToolButton::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Changed(false);
}

void TToolButton::SetIndeterminate(bool indeterminate)
{
    if (m_indeterminate == indeterminate)
        return;
    m_indeterminate = indeterminate;
    Changed(false);
}

void TToolButton::SetCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Changed(true);
}

void TToolButton::SetBiDiMode(TBiDiMode mode)
{
    if (m_biDiMode == mode)
        return;
    m_biDiMode = mode;
    Changed(false);
}

void TToolButton::SetWidth(int width)
{
    if (width < 0 || m_width == width)
        return;
    m_width = width;
    Changed(IsSeparator());
}

void TToolButton::SetMenuItem(TMenuItem *item)
{
    if (m_menuItem == item)
        return;
    m_menuItem = item;
    Changed(false);
}

void TToolButton::SetDropdownMenu(TPopupMenu *menu)
{
    m_dropdownMenu = menu;
}

void TToolButton::Click()
{
    if (!m_enabled || IsSeparator())
        return;
    if (m_style == tbsCheck)
        SetDown(!m_down);
    emit Clicked();
    if (m_menuItem)
        m_menuItem->Click();
}
