#pragma once

#include <QString>

// Whether the file at `path` lies on a disk of this machine (not a network
// share, not a user-space file system). Only such files are read through a
// memory mapping: a mapping of a shared file may miss another machine's
// writes, and a file system in user space may fail a mapped read with a
// signal instead of an error.
bool IsOnLocalFileSystem(const QString &path);
