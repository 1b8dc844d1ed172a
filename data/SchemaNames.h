#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Names of a database's tables and columns, looked up as the directory's
// first engine looked them up: without regard to case, Cyrillic letters
// included. SQLite folds only Latin letters in names, and the server only
// the Latin letters of unquoted names, so a name written "Велирск" must be
// found here and then put to the engine exactly as stored.
class TSchemaNames
{
public:
    void Add(const QString &name);

    // The stored names that `name` stands for: the one spelled exactly so
    // when there is one, else every one that differs from it in case alone.
    // More than one is a real ambiguity.
    QStringList Matches(const QString &name) const;

    // The statement of the program's dialect with each name that holds
    // other than Latin letters and is stored in another spelling put as
    // stored (in brackets); a name with several such spellings stays as
    // written, for the engine to refuse.
    QString Respell(const QString &statement) const;

private:
    QHash<QString, QStringList> m_byFoldedName;
};
