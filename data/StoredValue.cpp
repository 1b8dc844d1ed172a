#include "data/StoredValue.h"

#include "data/LegacyText.h"

TFieldValue TStoredValue::Shown() const
{
    if (storageClass == Null)
        return std::nullopt;
    return DecodeStoredText(bytes);
}
