#pragma once

#include <QString>

// Checks, before SQLite touches it, that the file at `path` can be the
// program's database: it exists, is a non-empty SQLite file, and the file and
// its folder can be written (the rollback journal lives beside the file).
// Raises EDatabaseError otherwise, whose message says why as the end of a
// sentence ("the file is empty ..."); a missing file is said to be missing
// from its folder, named in full. Only reads the file.
//
// Whether the file is whole is judged only after SQLite has opened it: a
// writer that died in the middle of a commit leaves a journal beside the
// file, and the file is whole again once SQLite has rolled it back.
void CheckDatabaseFile(const QString &path);

// After SQLite has read the file: why it is not whole (shorter than its
// header says), as a sentence for the person; empty when it is whole.
QString DatabaseFileDamage(const QString &path);
