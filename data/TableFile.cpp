#include "data/TableFile.h"

#include "data/StoredRecord.h"

#include <sqlite3.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr size_t kFileHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3";
constexpr size_t kPageSizeAt = 16;
constexpr size_t kWriteVersionAt = 18;
constexpr size_t kReadVersionAt = 19;
constexpr size_t kReservedAt = 20;
constexpr size_t kChangeCounterAt = 24;
constexpr size_t kPageCountAt = 28;
constexpr size_t kSchemaFormatAt = 44;
constexpr size_t kEncodingAt = 56;
constexpr size_t kVersionValidForAt = 92;
constexpr unsigned kRollbackJournal = 1;
constexpr quint32 kCurrentSchemaFormat = 4;
constexpr quint32 kUtf8 = 1;
constexpr size_t kSmallestPage = 512;
constexpr size_t kLargestPage = 65536;
constexpr size_t kSmallestUsable = 480;

constexpr unsigned char kInteriorTablePage = 0x05;
constexpr unsigned char kLeafTablePage = 0x0D;
constexpr size_t kLeafHeaderSize = 8;
constexpr size_t kInteriorHeaderSize = 12;
constexpr size_t kCellCountAt = 3;
constexpr size_t kRightChildAt = 8;
// The engine's own limit: a deeper tree is damaged.
constexpr size_t kMaxDepth = 20;
constexpr size_t kCacheLine = 64;
// Records above this are left to the engine.
constexpr quint64 kLargestRecord = quint64(1) << 30;

quint32 BigEndian16(std::string_view bytes, size_t at)
{
    return quint32(static_cast<unsigned char>(bytes[at])) << 8 | static_cast<unsigned char>(bytes[at + 1]);
}

quint32 BigEndian32(std::string_view bytes, size_t at)
{
    return BigEndian16(bytes, at) << 16 | BigEndian16(bytes, at + 2);
}

} // namespace

TTableFile::TTableFile(sqlite3_file *file, const char *bytes, qint64 size)
    : m_file(file)
    , m_bytes(bytes)
    , m_size(size)
{ }

TTableFile::~TTableFile()
{
    if (m_file)
        m_file->pMethods->xUnfetch(m_file, 0, const_cast<char *>(m_bytes));
}

std::unique_ptr<TTableFile> TTableFile::Map(sqlite3 *db)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods
        || file->pMethods->iVersion < 3 || !file->pMethods->xFetch)
        return nullptr;
    sqlite3_int64 size = 0;
    if (file->pMethods->xFileSize(file, &size) != SQLITE_OK || size < qint64(kFileHeaderSize)
        || size > std::numeric_limits<int>::max())
        return nullptr;
    void *bytes = nullptr;
    if (file->pMethods->xFetch(file, 0, int(size), &bytes) != SQLITE_OK || !bytes)
        return nullptr;
    std::unique_ptr<TTableFile> map(new TTableFile(file, static_cast<const char *>(bytes), size));
    return map->ReadHeader() ? std::move(map) : nullptr;
}

std::unique_ptr<TTableFile> TTableFile::FromImage(std::string_view bytes)
{
    std::unique_ptr<TTableFile> map(new TTableFile(nullptr, bytes.data(), qint64(bytes.size())));
    return bytes.size() >= kFileHeaderSize && map->ReadHeader() ? std::move(map) : nullptr;
}

bool TTableFile::ReadHeader()
{
    const std::string_view header(m_bytes, kFileHeaderSize);
    if (std::memcmp(header.data(), kMagic, sizeof kMagic) != 0)
        return false;
    const quint32 pageSizeField = BigEndian16(header, kPageSizeAt);
    m_pageSize = pageSizeField == 1 ? kLargestPage : pageSizeField;
    if (m_pageSize < kSmallestPage || m_pageSize > kLargestPage || (m_pageSize & (m_pageSize - 1)) != 0)
        return false;
    if (static_cast<unsigned char>(header[kWriteVersionAt]) != kRollbackJournal
        || static_cast<unsigned char>(header[kReadVersionAt]) != kRollbackJournal)
        return false;
    m_usableSize = m_pageSize - static_cast<unsigned char>(header[kReservedAt]);
    m_mostLocal = m_usableSize - 35;
    if (m_usableSize < kSmallestUsable || BigEndian32(header, kSchemaFormatAt) != kCurrentSchemaFormat
        || BigEndian32(header, kEncodingAt) != kUtf8)
        return false;
    // The count in the header holds only when the version that wrote it
    // also wrote the change counter; otherwise the file's size tells.
    const quint32 counted = BigEndian32(header, kPageCountAt);
    const bool countValid =
        counted != 0 && BigEndian32(header, kChangeCounterAt) == BigEndian32(header, kVersionValidForAt);
    const quint64 pages = countValid ? counted : quint64(m_size) / m_pageSize;
    if (pages == 0 || pages * m_pageSize > quint64(m_size))
        return false;
    m_pageCount = quint32(pages);
    return true;
}

std::string_view TTableFile::Page(quint32 number) const
{
    if (number < 1 || number > m_pageCount)
        return {};
    return {m_bytes + size_t(number - 1) * m_pageSize, m_usableSize};
}

bool TTableFile::ReadSpilledRecord(std::string_view page, size_t pos, quint64 payloadSize, std::string_view &record,
                                   std::string &spilled) const
{
    if (payloadSize > kLargestRecord)
        return false;
    // How much of a record stays on its leaf: the engine's rule.
    const quint64 usable = m_usableSize;
    const quint64 leastLocal = (usable - 12) * 32 / 255 - 23;
    const quint64 spill = leastLocal + (payloadSize - leastLocal) % (usable - 4);
    const quint64 local = spill <= m_mostLocal ? spill : leastLocal;
    if (local + 4 > page.size() - pos)
        return false;
    spilled.assign(page.substr(pos, size_t(local)));
    quint32 next = BigEndian32(page, pos + size_t(local));
    quint64 remaining = payloadSize - local;
    while (remaining > 0) {
        const std::string_view overflow = Page(next);
        if (overflow.empty())
            return false;
        const size_t chunk = size_t(std::min<quint64>(remaining, usable - 4));
        spilled.append(overflow.substr(4, chunk));
        remaining -= chunk;
        next = BigEndian32(overflow, 0);
    }
    record = spilled;
    return true;
}

size_t TTableFile::HeaderOf(std::string_view page) const
{
    return page.data() == m_bytes ? kFileHeaderSize : 0;
}

std::optional<TTableFile::TLeaf> TTableFile::Leaf(quint32 number) const
{
    const std::string_view page = Page(number);
    const size_t header = HeaderOf(page);
    if (page.empty() || header + kLeafHeaderSize > page.size()
        || static_cast<unsigned char>(page[header]) != kLeafTablePage)
        return std::nullopt;
    const TLeaf leaf{page, header + kLeafHeaderSize, BigEndian16(page, header + kCellCountAt)};
    if (leaf.pointers + 2 * size_t(leaf.cells) > page.size())
        return std::nullopt;
    return leaf;
}

void TTableFile::Prefetch(quint32 number) const
{
    const std::string_view page = Page(number);
    for (size_t line = 0; line < page.size(); line += kCacheLine)
        __builtin_prefetch(page.data() + line);
}

std::optional<std::vector<quint32>> TTableFile::LeafPages(quint32 root) const
{
    struct TInterior {
        std::string_view page;
        size_t pointers = 0;
        quint32 cells = 0;
        quint32 next = 0; // the next child; `cells` stands for the right child
    };
    std::vector<TInterior> path;
    path.reserve(kMaxDepth);
    std::vector<quint32> leaves;
    quint64 pagesSeen = 0;
    // Goes down to page `number`: a leaf is listed, an interior page entered.
    const auto reach = [&](quint32 number) {
        const std::string_view page = Page(number);
        if (page.empty() || path.size() >= kMaxDepth || ++pagesSeen > m_pageCount)
            return false;
        const size_t header = HeaderOf(page);
        if (header + kInteriorHeaderSize > page.size())
            return false;
        const auto type = static_cast<unsigned char>(page[header]);
        if (type == kLeafTablePage) {
            leaves.push_back(number);
            return true;
        }
        if (type != kInteriorTablePage)
            return false;
        const TInterior level{page, header + kInteriorHeaderSize, BigEndian16(page, header + kCellCountAt)};
        if (level.pointers + 2 * size_t(level.cells) > page.size())
            return false;
        path.push_back(level);
        return true;
    };
    if (!reach(root))
        return std::nullopt;
    while (!path.empty()) {
        TInterior &level = path.back();
        if (level.next > level.cells) {
            path.pop_back();
            continue;
        }
        quint32 child = 0;
        if (level.next == level.cells) {
            child = BigEndian32(level.page, HeaderOf(level.page) + kRightChildAt);
        } else {
            const size_t cell = BigEndian16(level.page, level.pointers + 2 * size_t(level.next));
            if (cell < level.pointers + 2 * size_t(level.cells) || cell + 4 > level.page.size())
                return std::nullopt;
            child = BigEndian32(level.page, cell);
        }
        ++level.next;
        if (!reach(child))
            return std::nullopt;
    }
    return leaves;
}
