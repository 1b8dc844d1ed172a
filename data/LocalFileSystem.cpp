#include "data/LocalFileSystem.h"

#include <QStorageInfo>

bool IsOnLocalFileSystem(const QString &path)
{
    const QStorageInfo storage(path);
    if (!storage.isValid())
        return false;
    const QByteArray type = storage.fileSystemType();
    for (const char *local :
         {"ext2", "ext3", "ext4", "xfs", "btrfs", "f2fs", "jfs", "reiserfs", "zfs", "tmpfs", "overlay"}) {
        if (type == local)
            return true;
    }
    return false;
}
