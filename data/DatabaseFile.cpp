#include "data/DatabaseFile.h"

#include "toolkit/db/DatabaseError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3"; // 16 bytes with the closing NUL
constexpr int kPageSizeOffset = 16;
constexpr int kChangeCounterOffset = 24;
constexpr int kPageCountOffset = 28;
constexpr int kVersionValidForOffset = 92;
constexpr qint64 kSmallestPageSize = 512;
constexpr qint64 kLargestPageSize = 65536;

QString Tr(const char *text)
{
    return QCoreApplication::translate("DatabaseFile", text);
}

quint32 BigEndian32(const std::array<char, kHeaderSize> &header, int offset)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(header[offset + i]);
    return value;
}

qint64 PageSize(const std::array<char, kHeaderSize> &header)
{
    const qint64 field = (static_cast<unsigned char>(header[kPageSizeOffset]) << 8)
                         | static_cast<unsigned char>(header[kPageSizeOffset + 1]);
    return field == 1 ? kLargestPageSize : field;
}

// Raises EDatabaseError saying why nothing can be found at `path`: no file
// in its folder, a symbolic link to nothing or into a loop, a folder on the
// way that cannot be entered or is no folder.
void CheckReachable(const QString &path)
{
    namespace fs = std::filesystem;
    const fs::path name(QFile::encodeName(path).toStdString());
    std::error_code error;
    if (fs::exists(fs::status(name, error)))
        return;
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    if (error == std::errc::too_many_symbolic_link_levels)
        throw EDatabaseError(Tr("the file name is a symbolic link that leads round in a loop and reaches no file."));
    if (error == std::errc::permission_denied)
        throw EDatabaseError(Tr("the folder \"%1\" cannot be entered (access denied).").arg(folder));
    if (error == std::errc::not_a_directory)
        throw EDatabaseError(Tr("a part of the path \"%1\" is a file, not a folder.").arg(folder));
    std::error_code linkError;
    if (fs::is_symlink(fs::symlink_status(name, linkError))) {
        const QString target = QFile::decodeName(fs::read_symlink(name, linkError).c_str());
        throw EDatabaseError(Tr("the file name is a symbolic link to \"%1\", which does not exist.")
                                 .arg(QDir::toNativeSeparators(target)));
    }
    if (error == std::errc::no_such_file_or_directory)
        throw EDatabaseError(Tr("the file is not in the folder \"%1\".").arg(folder));
    throw EDatabaseError(Tr("the file cannot be reached (%1).").arg(QString::fromLocal8Bit(error.message())));
}

} // namespace

void CheckDatabaseFile(const QString &path)
{
    CheckReachable(path);
    const QFileInfo info(path);
    const auto fail = [](const char *reason) { throw EDatabaseError(Tr(reason)); };
    if (info.isDir())
        fail("it is a folder, not a file.");
    if (!info.isFile())
        fail("it is not a file.");
    if (info.size() == 0)
        fail("the file is empty (0 bytes); it holds no database.");

    // As with writing below: a file that nobody may read is refused even
    // for a user whose rights would let the program read it regardless.
    constexpr QFile::Permissions kAnyRead = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile file(path);
    if (!(info.permissions() & kAnyRead) || !file.open(QIODevice::ReadOnly))
        fail("the file cannot be read (access denied).");
    std::array<char, kHeaderSize> header{};
    const qint64 read = file.read(header.data(), kHeaderSize);
    if (read < kHeaderSize || std::memcmp(header.data(), kMagic, sizeof kMagic) != 0)
        fail("the file is not a database of this program.");

    const qint64 pageSize = PageSize(header);
    const bool pageSizeValid =
        pageSize >= kSmallestPageSize && pageSize <= kLargestPageSize && (pageSize & (pageSize - 1)) == 0;
    if (!pageSizeValid)
        fail("the file is damaged (its header is invalid).");

    // A file that nobody may write is read-only for every user, even for one
    // whose rights would let the program write over it regardless.
    constexpr QFile::Permissions kAnyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!info.isWritable() || !(info.permissions() & kAnyWrite))
        fail("the file is read-only, so changes could not be saved.");
    const QFileInfo folder(info.absolutePath());
    if (!folder.isWritable())
        fail("its folder is read-only, so changes could not be saved.");
}

QString DatabaseFileDamage(const QString &path)
{
    QFile file(path);
    std::array<char, kHeaderSize> header{};
    if (!file.open(QIODevice::ReadOnly) || file.read(header.data(), kHeaderSize) < kHeaderSize)
        return Tr("the file is truncated; part of the database is missing.");
    const qint64 size = file.size();
    const qint64 pageSize = PageSize(header);
    // The page count in the header is only trustworthy when the last writer
    // knew about it, which the matching counters say.
    const quint32 pageCount = BigEndian32(header, kPageCountOffset);
    const bool countValid =
        pageCount != 0 && BigEndian32(header, kChangeCounterOffset) == BigEndian32(header, kVersionValidForOffset);
    if ((countValid && size < qint64(pageCount) * pageSize) || size % pageSize != 0)
        return Tr("the file is truncated; part of the database is missing.");
    return {};
}
