#pragma once

#include <QtGlobal>
#include <iterator>
#include <optional>
#include <string_view>

// One field of a row as the file stores it, its text or blob bytes seen in
// place.
// A search keeps the sort keys of every row it finds as these: the small
// members come last, so that they share one word.
struct TStoredField {
    enum TKind : quint8 { Null, Integer, Real, Text, Blob };

    qint64 integer = 0;
    double real = 0;
    std::string_view bytes;
    TKind kind = Null;
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
// and one byte is the common case; far from `end`, no byte needs a check.
bool ReadLongStoredVarint(std::string_view bytes, size_t &pos, size_t end, quint64 &value);
inline bool ReadStoredVarint(std::string_view bytes, size_t &pos, size_t end, quint64 &value)
{
    constexpr size_t kLongest = 9;
    if (pos < end && static_cast<unsigned char>(bytes[pos]) < 0x80) {
        value = static_cast<unsigned char>(bytes[pos++]);
        return true;
    }
    if (pos >= end || end - pos < kLongest)
        return ReadLongStoredVarint(bytes, pos, end, value);
    quint64 read = 0;
    for (size_t i = 0; i + 1 < kLongest; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[pos + i]);
        read = (read << 7) | (byte & 0x7F);
        if (byte < 0x80) {
            pos += i + 1;
            value = read;
            return true;
        }
    }
    value = (read << 8) | static_cast<unsigned char>(bytes[pos + kLongest - 1]);
    pos += kLongest;
    return true;
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

    // Fills `field` with the field of column `column`; false when the
    // record is malformed. (Filled in place: a scan asks for fields of
    // every row, and a returned copy costs more than the decoding.)
    bool Field(int column, TStoredField &field) const
    {
        if (m_malformed || column < 0)
            return false;
        size_t pos = m_headerStart;
        size_t body = m_headerEnd;
        for (int at = 0;; ++at) {
            if (pos == m_headerEnd) {
                field = TStoredField();
                field.absent = true;
                return true;
            }
            quint64 serialType = 0;
            if (!ReadStoredVarint(m_payload, pos, m_headerEnd, serialType))
                return false;
            const std::optional<size_t> size = ValueSize(serialType);
            if (!size || *size > m_payload.size() - body)
                return false;
            if (at == column) {
                FieldAt(serialType, body, *size, field);
                return true;
            }
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

    void FieldAt(quint64 serialType, size_t offset, size_t size, TStoredField &field) const
    {
        if (serialType < kFirstBlobType) {
            field = NumberField(serialType, offset);
            return;
        }
        field.kind = serialType % 2 == 1 ? TStoredField::Text : TStoredField::Blob;
        field.bytes = m_payload.substr(offset, size);
        field.absent = false;
    }
    // NULL, integers, reals and the constants 0 and 1.
    TStoredField NumberField(quint64 serialType, size_t offset) const;

    std::string_view m_payload;
    size_t m_headerStart = 0; // the first serial type
    size_t m_headerEnd = 0;   // the first value
    bool m_malformed = false;
};
