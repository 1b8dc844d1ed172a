#pragma once

#include <QtGlobal>
#include <iterator>
#include <optional>
#include <string_view>

// One field of a row as the file stores it, its text or blob bytes seen in
// place.
struct TStoredField {
    enum TKind { Null, Integer, Real, Text, Blob };

    TKind kind = Null;
    qint64 integer = 0;
    double real = 0;
    std::string_view bytes;
    // The record ends before this column: the column was added after the
    // row was written, and reads as its default (NULL when it has none).
    bool absent = false;
};

// The order SQLite's sorter gives two fields under the BINARY collation:
// NULL first, then numbers by value (integers and reals compared exactly),
// then text and then blobs by their bytes. Below, at or above zero.
int CompareAsSorted(const TStoredField &a, const TStoredField &b);

// Reads a SQLite variable-length integer at `pos`, moving past it; false
// when it runs past `end`. Inline: it is read for every field of every row,
// and one byte is the common case.
bool ReadLongStoredVarint(std::string_view bytes, size_t &pos, size_t end, quint64 &value);
inline bool ReadStoredVarint(std::string_view bytes, size_t &pos, size_t end, quint64 &value)
{
    if (pos < end && static_cast<unsigned char>(bytes[pos]) < 0x80) {
        value = static_cast<unsigned char>(bytes[pos++]);
        return true;
    }
    return ReadLongStoredVarint(bytes, pos, end, value);
}

// The fields of one row's record (SQLite's record format: a header of
// serial types, then the values). Inline: a scan asks for a field of every row, and a table has
// few columns, so each field is found from the header's start.
class TStoredRecord
{
public:
    // Starts on a record; the bytes must stay valid while its fields are used.
    void Reset(std::string_view payload)
    {
        m_payload = payload;
        size_t pos = 0;
        quint64 headerSize = 0;
        m_malformed = !ReadStoredVarint(payload, pos, payload.size(), headerSize) || headerSize < pos
                      || headerSize > payload.size();
        m_headerStart = pos;
        m_headerEnd = size_t(headerSize);
    }

    // Nothing when the record is malformed.
    std::optional<TStoredField> Field(int column) const
    {
        if (m_malformed || column < 0)
            return std::nullopt;
        size_t pos = m_headerStart;
        size_t body = m_headerEnd;
        for (int field = 0;; ++field) {
            if (pos == m_headerEnd) {
                TStoredField absent;
                absent.absent = true;
                return absent;
            }
            quint64 serialType = 0;
            if (!ReadStoredVarint(m_payload, pos, m_headerEnd, serialType))
                return std::nullopt;
            const std::optional<size_t> size = ValueSize(serialType);
            if (!size || *size > m_payload.size() - body)
                return std::nullopt;
            if (field == column)
                return FieldAt(serialType, body, *size);
            body += *size;
        }
    }

private:
    static constexpr quint64 kFirstBlobType = 12;

    // The value's size in the body; nothing for the two reserved types.
    static std::optional<size_t> ValueSize(quint64 serialType)
    {
        static constexpr size_t kNumberSizes[] = {0, 1, 2, 3, 4, 6, 8, 8, 0, 0};
        if (serialType >= kFirstBlobType)
            return size_t((serialType - kFirstBlobType) / 2);
        if (serialType < std::size(kNumberSizes))
            return kNumberSizes[serialType];
        return std::nullopt;
    }

    TStoredField FieldAt(quint64 serialType, size_t offset, size_t size) const
    {
        if (serialType < kFirstBlobType)
            return NumberField(serialType, offset);
        TStoredField field;
        field.kind = serialType % 2 == 1 ? TStoredField::Text : TStoredField::Blob;
        field.bytes = m_payload.substr(offset, size);
        return field;
    }
    // NULL, integers, reals and the constants 0 and 1.
    TStoredField NumberField(quint64 serialType, size_t offset) const;

    std::string_view m_payload;
    size_t m_headerStart = 0; // the first serial type
    size_t m_headerEnd = 0;   // the first value
    bool m_malformed = false;
};
