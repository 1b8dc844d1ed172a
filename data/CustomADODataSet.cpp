#include "data/CustomADODataSet.h"

#include "data/ADOConnection.h"
#include "data/SqlDialect.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseError.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <algorithm>
#include <limits>
#include <unordered_map>
#include <sqlite3.h>

namespace {

// Rows kept by the read cache: a grid shows a few dozen at a time.
constexpr size_t kCacheSlots = 512;

QString Tr(const char *text)
{
    return TCustomADODataSet::tr(text);
}

int DeclaredLength(const QString &declaredType)
{
    static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch match = length.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

// Whether a column still holds exactly a value read from it (its storage
// class and its bytes), that value being bound as parameter `parameter`.
QString ColumnHolds(const QString &column, TStoredValue::TStorageClass storageClass, int parameter)
{
    const QString quoted = QuoteSqlName(column);
    switch (storageClass) {
    case TStoredValue::Null:
        return QStringLiteral("%1 IS ?%2").arg(quoted, QString::number(parameter));
    case TStoredValue::Integer:
        return QStringLiteral("(typeof(%1) = 'integer' AND %1 = ?%2)").arg(quoted, QString::number(parameter));
    case TStoredValue::Real:
        return QStringLiteral("(typeof(%1) = 'real' AND %1 = ?%2)").arg(quoted, QString::number(parameter));
    case TStoredValue::Text:
        return QStringLiteral("(typeof(%1) = 'text' AND CAST(%1 AS BLOB) = CAST(?%2 AS BLOB))").arg(quoted, QString::number(parameter));
    case TStoredValue::Blob:
        return QStringLiteral("(typeof(%1) = 'blob' AND %1 = ?%2)").arg(quoted, QString::number(parameter));
    }
    return {};
}

} // namespace

TCustomADODataSet::TCustomADODataSet(QObject *parent) : TDataSet(parent)
{
    connect(&m_background, &TBackgroundCursor::Listed, this, &TCustomADODataSet::BackgroundListed);
    connect(&m_background, &TBackgroundCursor::Failed, this, [this](const QString &message) {
        if (m_connection)
            m_connection->ReportFollowFailure(message);
    });
}

TCustomADODataSet::~TCustomADODataSet()
{
    CloseForDestruction();
    if (m_connection)
        m_connection->RemoveDataSet(this);
}

void TCustomADODataSet::SetConnection(TADOConnection *connection)
{
    if (connection == m_connection)
        return;
    Close();
    if (m_connection)
        m_connection->RemoveDataSet(this);
    m_connection = connection;
    if (m_connection)
        m_connection->AddDataSet(this);
}

void TCustomADODataSet::DetachFromConnection() noexcept
{
    CloseForDestruction();
    m_connection = nullptr;
}

sqlite3 *TCustomADODataSet::Db() const
{
    return m_connection ? m_connection->Handle() : nullptr;
}

std::vector<TDataSet::TFieldDef> TCustomADODataSet::InternalOpen()
{
    if (!m_connection)
        throw EDatabaseError(Tr("%1: the data set has no connection.").arg(objectName()));
    m_connection->Open();
    m_source = CursorSource();
    std::vector<TFieldDef> defs;
    m_columns.clear();
    try {
        const bool traceable = !m_source.table.isEmpty();
        if (traceable)
            CheckRowNumbers();
        TSqliteStatement described(Db(), traceable ? m_source.readerSql : m_source.cursorSql);
        for (int column = 0; column < described.ColumnCount(); ++column) {
            const bool ownColumn = traceable
                                   && described.ColumnOriginTable(column).compare(m_source.table, Qt::CaseInsensitive) == 0;
            m_columns << (ownColumn ? described.ColumnOriginName(column) : QString());
            defs.push_back({described.ColumnName(column), DeclaredLength(described.ColumnDeclaredType(column)), !ownColumn});
        }
        if (traceable)
            m_reader = std::move(described);
        m_nullRecord.assign(defs.size(), std::nullopt);
        m_cache.assign(kCacheSlots, {});
        LoadCursor();
    } catch (...) {
        InternalClose();
        throw;
    }
    return defs;
}

// Rows are found again by their rowid: a table without one, or whose column
// named rowid hides it, cannot be edited safely and is refused plainly.
void TCustomADODataSet::CheckRowNumbers() const
{
    TSqliteStatement hidden(Db(), QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE lower(name) = 'rowid'"));
    hidden.Bind(1, TFieldValue(m_source.table));
    if (hidden.Step()) {
        throw EDatabaseError(Tr("The table \"%1\" cannot be shown: its column \"%2\" has the name the program needs "
                                "for numbering the rows.")
                                 .arg(m_source.table, *hidden.Value(0)));
    }
    sqlite3_stmt *probe = nullptr;
    const QByteArray sql = QStringLiteral("SELECT rowid FROM %1").arg(QuoteSqlName(m_source.table)).toUtf8();
    const int rc = sqlite3_prepare_v2(Db(), sql.constData(), int(sql.size()), &probe, nullptr);
    sqlite3_finalize(probe);
    if (rc != SQLITE_OK) {
        throw EDatabaseError(Tr("The table \"%1\" cannot be shown: it is made without row numbers (WITHOUT ROWID), "
                                "by which the program finds a row again when it is changed.")
                                 .arg(m_source.table));
    }
}

// Replaces the rows only once the new ones are read, so that a failure
// leaves the cursor as it was.
void TCustomADODataSet::LoadCursor()
{
    const TWaitCursor wait;
    if (m_source.wholeTable) {
        StartTableListing();
        return;
    }
    TSqliteStatement cursor(Db(), m_source.cursorSql);
    if (!m_source.table.isEmpty()) {
        QElapsedTimer listing;
        listing.start();
        std::vector<qint64> rowids;
        while (cursor.Step())
            rowids.push_back(cursor.Int64(0));
        rowids.shrink_to_fit();
        m_rowids.Assign(std::move(rowids));
        m_lastListingMs = listing.elapsed();
        return;
    }
    const int columns = cursor.ColumnCount();
    std::vector<TRecord> rows;
    while (cursor.Step()) {
        TRecord row(columns);
        for (int column = 0; column < columns; ++column)
            row[column] = cursor.Value(column);
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
}

void TCustomADODataSet::StartTableListing()
{
    const QString table = QuoteSqlName(m_source.table);
    qint64 highest = 0;
    qint64 rows = 0;
    RunRead([&] {
        TSqliteStatement last(Db(), QStringLiteral("SELECT max(rowid) FROM %1").arg(table));
        last.Step();
        highest = last.Int64(0);
        TSqliteStatement count(Db(), QStringLiteral("SELECT count(*) FROM %1").arg(table));
        count.Step();
        rows = count.Int64(0);
    });
    if (rows > std::numeric_limits<int>::max())
        throw EDatabaseError(Tr("The table \"%1\" has too many rows to be shown.").arg(m_source.table));
    const QString ascending =
        QStringLiteral("SELECT rowid FROM %1 WHERE rowid > ?1 AND rowid < ?2 ORDER BY rowid LIMIT ?3").arg(table);
    const QString descending =
        QStringLiteral("SELECT rowid FROM %1 WHERE rowid > ?1 AND rowid < ?2 ORDER BY rowid DESC LIMIT ?3").arg(table);
    m_rowids.Start(int(rows), highest, [this, ascending, descending](qint64 after, qint64 before, int limit, bool backwards,
                                                                    std::vector<qint64> &out) {
        TSqliteStatement list(Db(), backwards ? descending : ascending);
        list.Bind(1, after);
        list.Bind(2, before);
        list.Bind(3, qint64(limit));
        while (list.Step())
            out.push_back(list.Int64(0));
    });
}

void TCustomADODataSet::RunRead(const std::function<void()> &work) const
{
    const TWaitCursor wait;
    sqlite3 *db = Db();
    const int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        ThrowSqliteError(db, rc);
    try {
        work();
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

void TCustomADODataSet::InternalClose()
{
    m_background.Cancel();
    m_listedAfresh.reset();
    m_followAgain = false;
    m_lastListingMs = 0;
    m_reader = TSqliteStatement();
    m_rowids.Clear();
    m_rows = {};
    m_cache = {};
    m_columns.clear();
    m_editStored.clear();
}

int TCustomADODataSet::InternalRecordCount() const
{
    return m_source.table.isEmpty() ? int(m_rows.size()) : m_rowids.Count();
}

TCustomADODataSet::TCacheSlot &TCustomADODataSet::Slot(qint64 rowid) const
{
    return m_cache[static_cast<quint64>(rowid) % kCacheSlots];
}

void TCustomADODataSet::Forget(qint64 rowid)
{
    TCacheSlot &slot = Slot(rowid);
    if (slot.rowid == rowid)
        slot.filled = false;
}

const TRecord &TCustomADODataSet::InternalGetRecord(int index) const
{
    if (m_source.table.isEmpty())
        return m_rows[index];
    qint64 rowid;
    try {
        rowid = m_rowids.At(index);
    } catch (const EDatabaseError &) {
        return m_nullRecord;
    }
    TCacheSlot &slot = Slot(rowid);
    if (slot.filled && slot.rowid == rowid)
        return slot.record;
    // A row that another process deleted reads as NULLs. A read that fails
    // (a lock held past the timeout) also shows NULLs but is not cached, so
    // the next paint tries again.
    TRecord record = m_nullRecord;
    TStoredRecord stored(record.size());
    try {
        m_reader.Reset();
        m_reader.Bind(1, rowid);
        if (m_reader.Step()) {
            for (int column = 0; column < int(record.size()); ++column) {
                stored[column] = m_reader.Stored(column);
                record[column] = stored[column].Shown();
            }
        }
        m_reader.Reset();
    } catch (const EDatabaseError &) {
        m_reader.Reset();
        return m_nullRecord;
    }
    slot.rowid = rowid;
    slot.filled = true;
    slot.record = std::move(record);
    slot.stored = std::move(stored);
    return slot.record;
}

TCustomADODataSet::TStoredRecord TCustomADODataSet::StoredRecord(int index) const
{
    const qint64 rowid = m_rowids.At(index);
    InternalGetRecord(index);
    const TCacheSlot &slot = Slot(rowid);
    if (slot.filled && slot.rowid == rowid)
        return slot.stored;
    return TStoredRecord(m_columns.size());
}

QString TCustomADODataSet::StillAsRead(const TStoredRecord &stored, int firstParameter) const
{
    QString checks;
    int parameter = firstParameter;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (!m_columns[field].isEmpty())
            checks += QStringLiteral(" AND ") + ColumnHolds(m_columns[field], stored[field].storageClass, parameter++);
    }
    return checks;
}

void TCustomADODataSet::BindStored(TSqliteStatement &statement, const TStoredRecord &stored, int firstParameter) const
{
    int parameter = firstParameter;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (!m_columns[field].isEmpty())
            statement.Bind(parameter++, stored[field]);
    }
}

void TCustomADODataSet::RunWrite(const std::function<void()> &work)
{
    const TWaitCursor wait;
    sqlite3 *db = Db();
    const auto lockedError = [&] {
        return EDatabaseError(Tr("The database is locked by another user or program, so the change was not saved. "
                                 "Nothing was lost: try again in a moment."));
    };
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if (IsBusyCode(rc))
            throw lockedError();
        ThrowSqliteError(db, rc);
    }
    try {
        work();
        rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            if (IsBusyCode(rc))
                throw lockedError();
            ThrowSqliteError(db, rc);
        }
        m_connection->NoteOwnCommit();
    } catch (...) {
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void TCustomADODataSet::ThrowRowConflict(qint64 rowid, bool deleting)
{
    TSqliteStatement exists(Db(), QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?1").arg(QuoteSqlName(m_source.table)));
    exists.Bind(1, rowid);
    const bool present = exists.Step();
    if (deleting) {
        // The row is shown afresh, so that the person decides on what it holds now.
        Forget(rowid);
        throw EDatabaseError(present ? Tr("The row was not deleted because another user changed it after it was read. "
                                          "It now shows what it holds; delete it again if it is still to go.")
                                     : Tr("The row was not deleted because another user has already deleted it."));
    }
    throw EDatabaseError(present ? Tr("The row was not saved because another user changed it after it was read. "
                                      "What you typed is still in the row; cancel the edit (Esc or the \"Отмена\" "
                                      "button) to see the row as it is now.")
                                 : Tr("The row was not saved because another user deleted it after it was read. "
                                      "What you typed is still in the row; cancel the edit (Esc or the \"Отмена\" "
                                      "button) to let it go."));
}

void TCustomADODataSet::InternalEdit(int index)
{
    if (m_source.table.isEmpty()) {
        m_editStored.clear();
        return;
    }
    m_editRowid = m_rowids.At(index);
    m_editStored = StoredRecord(index);
}

void TCustomADODataSet::InternalUpdate(int, const TRecord &original, const TRecord &values)
{
    const qint64 rowid = m_editRowid;
    QStringList assignments;
    std::vector<TFieldValue> changed;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (m_columns[field].isEmpty() || values[field] == original[field])
            continue;
        changed.push_back(values[field]);
        assignments << QStringLiteral("%1 = ?%2").arg(QuoteSqlName(m_columns[field]), QString::number(changed.size() + 1));
    }
    if (assignments.isEmpty())
        return;
    const int firstCheck = int(changed.size()) + 2;
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?1%3")
                            .arg(QuoteSqlName(m_source.table), assignments.join(QStringLiteral(", ")),
                                 StillAsRead(m_editStored, firstCheck));
    RunWrite([&] {
        TSqliteStatement update(Db(), sql);
        update.Bind(1, rowid);
        for (int i = 0; i < int(changed.size()); ++i)
            update.Bind(i + 2, changed[i]);
        BindStored(update, m_editStored, firstCheck);
        update.Step();
        if (sqlite3_changes(Db()) != 1)
            ThrowRowConflict(rowid, false);
    });
    Forget(rowid);
}

void TCustomADODataSet::InternalInsert(int index, const TRecord &values)
{
    // The new row's neighbour must be listed for its position to be known.
    if (index < m_rowids.Count())
        m_rowids.At(index);
    QStringList columns;
    QStringList placeholders;
    std::vector<TFieldValue> parameters;
    for (int field = 0; field < int(m_columns.size()); ++field) {
        if (m_columns[field].isEmpty())
            continue;
        columns << QuoteSqlName(m_columns[field]);
        parameters.push_back(values[field]);
        placeholders << QStringLiteral("?%1").arg(parameters.size());
    }
    const QString table = QuoteSqlName(m_source.table);
    const QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                .arg(table, columns.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
    qint64 rowid = 0;
    RunWrite([&] {
        TSqliteStatement insert(Db(), sql);
        for (int i = 0; i < int(parameters.size()); ++i)
            insert.Bind(i + 1, parameters[i]);
        insert.Step();
        rowid = sqlite3_last_insert_rowid(Db());
    });
    Forget(rowid);
    m_rowids.Insert(index, rowid);
}

void TCustomADODataSet::InternalDelete(int index)
{
    const qint64 rowid = m_rowids.At(index);
    const TStoredRecord read = StoredRecord(index);
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?1%2").arg(QuoteSqlName(m_source.table), StillAsRead(read, 2));
    RunWrite([&] {
        TSqliteStatement remove(Db(), sql);
        remove.Bind(1, rowid);
        BindStored(remove, read, 2);
        remove.Step();
        if (sqlite3_changes(Db()) != 1)
            ThrowRowConflict(rowid, true);
    });
    Forget(rowid);
    m_rowids.Erase(index);
    m_connection->RowDeleted(this, m_source.table, rowid);
}

void TCustomADODataSet::ForgetDeletedRow(const QString &table, qint64 rowid)
{
    if (!Active() || m_source.table.compare(table, Qt::CaseInsensitive) != 0)
        return;
    const std::optional<int> position = m_rowids.Remove(rowid);
    if (!position)
        return;
    Forget(rowid);
    RowRemoved(*position);
}

int TCustomADODataSet::InternalRefresh(int index)
{
    std::optional<qint64> current;
    if (!m_source.table.isEmpty() && index >= 0)
        current = m_rowids.At(index);
    LoadCursor();
    m_cache.assign(kCacheSlots, {});
    const int count = InternalRecordCount();
    if (current && m_source.wholeTable) {
        // In rowid order the row's position is the number of rows before it.
        TSqliteStatement before(Db(), QStringLiteral("SELECT count(*) FROM %1 WHERE rowid < ?1").arg(QuoteSqlName(m_source.table)));
        before.Bind(1, *current);
        before.Step();
        const qint64 position = before.Int64(0);
        if (position < count && m_rowids.At(int(position)) == *current)
            return int(position);
    } else if (current) {
        for (int i = 0; i < count; ++i) {
            if (m_rowids.At(i) == *current)
                return i;
        }
    }
    return std::min(std::max(index, 0), count - 1);
}

std::vector<TDataSet::TRowPlace> TCustomADODataSet::InternalFollowStore(const std::vector<int> &indexes)
{
    std::vector<TRowPlace> places;
    if (m_source.table.isEmpty()) {
        LoadCursor();
        for (const int index : indexes)
            places.push_back({std::min(index, int(m_rows.size())), false});
    } else {
        places = m_source.wholeTable ? FollowTable(indexes) : FollowQuery(indexes);
    }
    // Cells changed elsewhere show their new values.
    m_cache.assign(kCacheSlots, {});
    return places;
}

// In rowid order a row's place is the number of rows before it, whether or
// not it is still there: the listing from the nearer end finds it.
std::vector<TDataSet::TRowPlace> TCustomADODataSet::FollowTable(const std::vector<int> &indexes)
{
    std::vector<std::pair<qint64, bool>> rows;  // rowid, nearer the back
    for (const int index : indexes)
        rows.emplace_back(m_rowids.At(index), index > m_rowids.Count() / 2);
    StartTableListing();
    std::vector<TRowPlace> places;
    for (const auto &[rowid, fromBack] : rows) {
        const TRowidList::TPlace place = m_rowids.PlaceOf(rowid, fromBack);
        places.push_back({place.position, !place.present});
    }
    return places;
}

// The query runs again. A row that is gone is placed by its old neighbours:
// the nearest following one still found, else the nearest preceding one.
std::vector<TDataSet::TRowPlace> TCustomADODataSet::FollowQuery(const std::vector<int> &indexes)
{
    constexpr int kNeighboursLooked = 64;
    // Per row of interest, its old rowid first, then the following
    // neighbours, then the preceding ones from the nearest.
    std::vector<std::vector<qint64>> candidates;
    std::vector<int> following;
    const int oldCount = m_rowids.Count();
    for (const int index : indexes) {
        std::vector<qint64> row{m_rowids.At(index)};
        for (int next = index + 1; next < std::min(oldCount, index + 1 + kNeighboursLooked); ++next)
            row.push_back(m_rowids.At(next));
        following.push_back(int(row.size()) - 1);
        for (int previous = index - 1; previous >= std::max(0, index - kNeighboursLooked); --previous)
            row.push_back(m_rowids.At(previous));
        candidates.push_back(std::move(row));
    }
    if (m_listedAfresh) {
        m_rowids.Assign(std::move(*m_listedAfresh));
        m_listedAfresh.reset();
    } else {
        LoadCursor();
    }

    std::unordered_map<qint64, int> found;
    for (const auto &row : candidates) {
        for (const qint64 rowid : row)
            found.emplace(rowid, -1);
    }
    const int count = m_rowids.Count();
    for (int i = 0; i < count && !found.empty(); ++i) {
        const auto at = found.find(m_rowids.At(i));
        if (at != found.end() && at->second < 0)
            at->second = i;
    }
    std::vector<TRowPlace> places;
    for (size_t k = 0; k < candidates.size(); ++k) {
        const std::vector<qint64> &row = candidates[k];
        TRowPlace place{std::min(indexes[k], count), true};
        for (size_t c = 0; c < row.size(); ++c) {
            const int at = found[row[c]];
            if (at < 0)
                continue;
            const bool preceding = int(c) > following[k];
            place = {preceding ? at + 1 : at, c != 0};
            break;
        }
        places.push_back(place);
    }
    return places;
}

void TCustomADODataSet::FollowOtherWriters()
{
    if (!Active())
        return;
    const bool longQuery = !m_source.table.isEmpty() && !m_source.wholeTable && m_lastListingMs > m_foregroundListingMs;
    if (!longQuery) {
        FollowStore();
        return;
    }
    if (m_background.Running())
        m_followAgain = true;
    else
        StartBackgroundListing();
}

void TCustomADODataSet::StartBackgroundListing()
{
    m_followAgain = false;
    m_ownCommitsAtRun = m_connection->OwnCommits();
    m_background.Start(m_connection->FileName(), m_source.cursorSql);
}

void TCustomADODataSet::BackgroundListed(const std::shared_ptr<std::vector<qint64>> &rowids)
{
    if (!Active() || !m_connection)
        return;
    // Rows this connection deleted or added meanwhile may be missing from
    // the run, or be in it still: it is not shown.
    if (m_connection->OwnCommits() != m_ownCommitsAtRun) {
        StartBackgroundListing();
        return;
    }
    m_listedAfresh = rowids;
    try {
        FollowStore();
    } catch (const EDatabaseError &error) {
        m_listedAfresh.reset();
        m_connection->ReportFollowFailure(error.Message());
    }
    if (m_followAgain)
        StartBackgroundListing();
}

void TCustomADODataSet::InternalKnowRow(int index)
{
    if (!m_source.table.isEmpty())
        m_rowids.At(index);
}

void TCustomADODataSet::InternalCancel(int index)
{
    if (!m_source.table.isEmpty() && index >= 0 && index < m_rowids.Count())
        Forget(m_rowids.At(index));
}

bool TCustomADODataSet::InternalCanModify() const
{
    return !m_source.table.isEmpty() && Db() && sqlite3_db_readonly(Db(), "main") == 0;
}
