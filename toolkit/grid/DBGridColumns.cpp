#include "toolkit/grid/DBGridColumns.h"

void TColumn::SetFieldName(const QString &name)
{
    if (name == FFieldName)
        return;
    FFieldName = name;
    Changed();
}

void TColumn::SetTitleCaption(const QString &caption)
{
    if (caption == FTitleCaption)
        return;
    FTitleCaption = caption;
    Changed();
}

void TColumn::SetWidth(int width)
{
    if (width < 0 || width == FWidth)
        return;
    FWidth = width;
    Changed();
}

void TColumn::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Changed();
}

void TColumn::Changed()
{
    if (FOwner)
        FOwner->Changed();
}

TDBGridColumns::TDBGridColumns(std::function<void()> changed)
    : FChanged(std::move(changed))
{
}

TColumn *TDBGridColumns::Add()
{
    FItems.push_back(std::make_unique<TColumn>());
    FItems.back()->FOwner = this;
    Changed();
    return FItems.back().get();
}

TColumn *TDBGridColumns::Add(const QString &fieldName, int width)
{
    ++FUpdating;
    TColumn *column = Add();
    column->SetFieldName(fieldName);
    column->SetWidth(width);
    --FUpdating;
    Changed();
    return column;
}

void TDBGridColumns::Clear()
{
    FItems.clear();
    Changed();
}

TColumn *TDBGridColumns::operator[](int index) const
{
    return index >= 0 && index < Count() ? FItems[index].get() : nullptr;
}

void TDBGridColumns::BindFields(const std::function<TField *(const QString &)> &lookup)
{
    for (auto &column : FItems)
        column->FField = lookup(column->FFieldName);
}

void TDBGridColumns::Changed()
{
    if (FUpdating == 0 && FChanged)
        FChanged();
}
