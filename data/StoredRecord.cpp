#include "data/StoredRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kVarintMaxBytes = 9;
constexpr quint64 kRealType = 7;
constexpr quint64 kOneType = 9;

template <typename T> int Order(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

int Rank(TStoredField::TKind kind)
{
    switch (kind) {
    case TStoredField::Null: return 0;
    case TStoredField::Integer:
    case TStoredField::Real: return 1;
    case TStoredField::Text: return 2;
    case TStoredField::Blob: return 3;
    }
    return 3;
}

quint64 BigEndian(const char *bytes, size_t size)
{
    quint64 value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

} // namespace

int CompareAsSorted(const TStoredField &a, const TStoredField &b)
{
    const int rank = Order(Rank(a.kind), Rank(b.kind));
    if (rank != 0)
        return rank;
    switch (a.kind) {
    case TStoredField::Null: return 0;
    case TStoredField::Integer:
    case TStoredField::Real:
        if (a.kind == TStoredField::Integer && b.kind == TStoredField::Integer)
            return Order(a.integer, b.integer);
        // A long double holds every 64-bit integer exactly.
        return Order(
            a.kind == TStoredField::Integer ? static_cast<long double>(a.integer) : static_cast<long double>(a.real),
            b.kind == TStoredField::Integer ? static_cast<long double>(b.integer) : static_cast<long double>(b.real));
    case TStoredField::Text:
    case TStoredField::Blob: {
        const size_t common = std::min(a.bytes.size(), b.bytes.size());
        const int bytes = common > 0 ? std::memcmp(a.bytes.data(), b.bytes.data(), common) : 0;
        return bytes != 0 ? (bytes < 0 ? -1 : 1) : Order(a.bytes.size(), b.bytes.size());
    }
    }
    return 0;
}

bool ReadLongStoredVarint(std::string_view bytes, size_t &pos, size_t end, quint64 &value)
{
    value = 0;
    for (int i = 0; i < kVarintMaxBytes; ++i) {
        if (pos >= end)
            return false;
        const auto byte = static_cast<unsigned char>(bytes[pos++]);
        if (i == kVarintMaxBytes - 1) {
            value = (value << 8) | byte;
            return true;
        }
        value = (value << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0)
            return true;
    }
    return true;
}

TStoredField TStoredRecord::NumberField(quint64 serialType, size_t offset) const
{
    const char *value = m_payload.data() + offset;
    TStoredField field;
    if (serialType == 0) {
        field.kind = TStoredField::Null;
    } else if (serialType < kRealType) {
        const size_t size = *ValueSize(serialType);
        const int unused = int(64 - 8 * size);
        field.kind = TStoredField::Integer;
        field.integer = qint64(BigEndian(value, size) << unused) >> unused;
    } else if (serialType == kRealType) {
        const quint64 bits = BigEndian(value, sizeof(double));
        double real = 0;
        std::memcpy(&real, &bits, sizeof real);
        // SQLite reads a stored NaN as NULL.
        field.kind = std::isnan(real) ? TStoredField::Null : TStoredField::Real;
        field.real = real;
    } else {
        field.kind = TStoredField::Integer;
        field.integer = serialType == kOneType ? 1 : 0;
    }
    return field;
}
