#pragma once

#include <QString>

// Checks, before SQLite touches it, that the file at `path` can be the
// program's database: it exists, is a non-empty SQLite file as long as its
// header says, and the file and its folder can be written (the rollback
// journal lives beside the file). Raises EDatabaseError with a message that
// names the file as `shownName` otherwise. Only reads the file.
void CheckDatabaseFile(const QString &path, const QString &shownName);
