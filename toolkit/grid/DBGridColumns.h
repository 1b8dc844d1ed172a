#pragma once

#include "toolkit/db/Field.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// One column of a data grid: the field it shows, its title, width and the
// alignment of its text.
class TColumn
{
public:
    static constexpr int kDefaultWidth = 64;

    const QString &FieldName() const { return m_fieldName; }
    void SetFieldName(const QString &name);
    // The title is the field name until one is set.
    QString TitleCaption() const { return m_titleCaption.isEmpty() ? m_fieldName : m_titleCaption; }
    void SetTitleCaption(const QString &caption);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    // The field of the grid's data set with FieldName, or null while the data
    // set is closed or has no such field.
    TField *Field() const { return m_field; }

private:
    friend class TDBGridColumns;
    void Changed();

    class TDBGridColumns *m_owner = nullptr;
    QString m_fieldName;
    QString m_titleCaption;
    int m_width = kDefaultWidth;
    TAlignment m_alignment = taLeftJustify;
    TField *m_field = nullptr;
};

// The ordered column list of a grid. Every change of a column reports to the
// owner so that the grid re-lays itself out.
class TDBGridColumns
{
public:
    explicit TDBGridColumns(std::function<void()> changed);
    TDBGridColumns(const TDBGridColumns &) = delete;
    TDBGridColumns &operator=(const TDBGridColumns &) = delete;

    TColumn *Add();
    TColumn *Add(const QString &fieldName, int width);
    void Clear();
    int Count() const { return int(m_items.size()); }
    TColumn *operator[](int index) const;
    TColumn *Items(int index) const { return (*this)[index]; }

    // Looks every column's field up again (after the data set opens or
    // closes); `lookup` answers null for unknown names.
    void BindFields(const std::function<TField *(const QString &)> &lookup);

private:
    friend class TColumn;
    void Changed();

    std::vector<std::unique_ptr<TColumn>> m_items;
    std::function<void()> m_changed;
    int m_updating = 0;
};
