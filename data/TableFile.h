#pragma once

#include "data/StoredRecord.h"

#include <QtGlobal>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_file;

// The tables of a SQLite file read page by page in place, from the engine's
// own memory map of it, with no statement and no row program in between.
//
// The caller holds a read transaction on the connection for as long as the
// pages are read: no other connection can then change the file, so the pages
// are the version that the transaction reads. Only the rollback-journal
// form is read (in WAL the latest pages may lie outside the file), text only
// in UTF-8, records only of the current schema format.
//
// Nothing in the file is trusted: a page number, cell, length or record out
// of place ends the walk as malformed, and the caller reads the table through
// the engine instead, which says what is wrong.
class TTableFile
{
public:
    // The whole main file of `db` as the engine maps it; nothing when it is
    // not mapped whole (a network file, a file past the map's limit) or of a
    // form not read here.
    static std::unique_ptr<TTableFile> Map(sqlite3 *db);
    ~TTableFile();
    TTableFile(const TTableFile &) = delete;
    TTableFile &operator=(const TTableFile &) = delete;

    // A leaf page of a table: its rows, in rowid order, are its cells.
    struct TLeaf {
        std::string_view page;
        size_t pointers = 0; // where the cell pointer array starts
        quint32 cells = 0;
    };
    // The leaf pages of the table whose tree begins at page `root`, in the
    // table's order; nothing when the tree is malformed.
    std::optional<std::vector<quint32>> LeafPages(quint32 root) const;
    // Leaf page `number`; nothing when it is not one.
    std::optional<TLeaf> Leaf(quint32 number) const;
    // Brings page `number` towards the processor: pages lie apart in
    // memory, where the processor does not look ahead by itself.
    void Prefetch(quint32 number) const;

    // The row of the leaf's cell `index`: false when the cell is malformed.
    // `inPlace` tells whether the record lies in the map (valid as long as
    // this object) or was put together in `spilled` from overflow pages.
    // Inline: a scan reads every row.
    bool ReadRow(const TLeaf &leaf, quint32 index, quint64 &rowid, std::string_view &record, bool &inPlace,
                 std::string &spilled) const
    {
        const std::string_view page = leaf.page;
        size_t pos = size_t(static_cast<unsigned char>(page[leaf.pointers + 2 * size_t(index)])) << 8
                     | static_cast<unsigned char>(page[leaf.pointers + 2 * size_t(index) + 1]);
        if (pos < leaf.pointers + 2 * size_t(leaf.cells) || pos >= page.size())
            return false;
        quint64 payloadSize = 0;
        if (!ReadStoredVarint(page, pos, page.size(), payloadSize) || !ReadStoredVarint(page, pos, page.size(), rowid))
            return false;
        if (payloadSize > m_mostLocal) {
            inPlace = false;
            return ReadSpilledRecord(page, pos, payloadSize, record, spilled);
        }
        if (payloadSize > page.size() - pos)
            return false;
        record = page.substr(pos, size_t(payloadSize));
        inPlace = true;
        return true;
    }

    // The pages of `bytes`, a file's image, read as above: for tests and fuzzing.
    static std::unique_ptr<TTableFile> FromImage(std::string_view bytes);

private:
    TTableFile(sqlite3_file *file, const char *bytes, qint64 size);
    bool ReadHeader();
    // The page's usable bytes; empty when the number is out of range.
    std::string_view Page(quint32 number) const;
    // Where the b-tree header of a page starts: past the file's header on page 1.
    size_t HeaderOf(std::string_view page) const;
    // A record that continues on overflow pages, beginning at `pos`.
    bool ReadSpilledRecord(std::string_view page, size_t pos, quint64 payloadSize, std::string_view &record,
                           std::string &spilled) const;

    sqlite3_file *m_file = nullptr; // given back to the engine when done
    const char *m_bytes = nullptr;
    qint64 m_size = 0;
    size_t m_pageSize = 0;
    size_t m_usableSize = 0;
    quint64 m_mostLocal = 0; // the largest record that lies whole in its leaf
    quint32 m_pageCount = 0;
};
