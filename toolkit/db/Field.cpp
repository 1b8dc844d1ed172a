#include "toolkit/db/Field.h"

#include "toolkit/db/DataSet.h"

namespace {
constexpr int kDefaultDisplayWidth = 20;
constexpr int kMaximumDisplayWidth = 255;
} // namespace

TField::TField(TDataSet *dataSet, const QString &fieldName, int index, int size)
    : m_dataSet(dataSet)
    , m_fieldName(fieldName)
    , m_index(index)
    , m_size(size)
    , m_displayWidth(size > 0 && size <= kMaximumDisplayWidth ? size : kDefaultDisplayWidth)
{ }

void TField::SetDisplayWidth(int characters)
{
    if (characters > 0)
        m_displayWidth = characters;
}

const TFieldValue &TField::Value() const
{
    return m_dataSet->FieldValue(m_index);
}

QString TField::AsString() const
{
    const TFieldValue &value = Value();
    return value ? *value : QString();
}

void TField::SetValue(const TFieldValue &value)
{
    m_dataSet->SetFieldValue(m_index, value);
}
