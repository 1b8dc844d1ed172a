#include "toolkit/grid/DBGridColumns.h"

void TColumn::SetFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    Changed();
}

void TColumn::SetTitleCaption(const QString &caption)
{
    if (caption == m_titleCaption)
        return;
    m_titleCaption = caption;
    Changed();
}

void TColumn::SetWidth(int width)
{
    if (width < 0 || width == m_width)
        return;
    m_width = width;
    Changed();
}

void TColumn::SetAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    Changed();
}

void TColumn::Changed()
{
    if (m_owner)
        m_owner->Changed();
}

TDBGridColumns::TDBGridColumns(std::function<void()> changed)
    : m_changed(std::move(changed))
{ }

TColumn *TDBGridColumns::Add()
{
    m_items.push_back(std::make_unique<TColumn>());
    m_items.back()->m_owner = this;
    Changed();
    return m_items.back().get();
}

TColumn *TDBGridColumns::Add(const QString &fieldName, int width)
{
    ++m_updating;
    TColumn *column = Add();
    column->SetFieldName(fieldName);
    column->SetWidth(width);
    --m_updating;
    Changed();
    return column;
}

void TDBGridColumns::Clear()
{
    m_items.clear();
    Changed();
}

TColumn *TDBGridColumns::operator[](int index) const
{
    return index >= 0 && index < Count() ? m_items[index].get() : nullptr;
}

void TDBGridColumns::BindFields(const std::function<TField *(const QString &)> &lookup)
{
    for (auto &column : m_items)
        column->m_field = lookup(column->m_fieldName);
}

void TDBGridColumns::Changed()
{
    if (m_updating == 0 && m_changed)
        m_changed();
}
