#include "SqliteFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

SqliteFixture::SqliteFixture()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString SqliteFixture::Path(const QString &fileName) const
{
    return m_dir.filePath(fileName);
}

QString SqliteFixture::ConnectionString(const QString &fileName) const
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Mode=Share Deny None").arg(Path(fileName));
}

void SqliteFixture::CreateDirectory(const std::vector<TRecord> &rows, const QString &fileName) const
{
    OtherConnection db(Path(fileName));
    db.Execute(QStringLiteral("CREATE TABLE \"Велирск\" (\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), "
                              "\"Улица\" VARCHAR(50), \"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), "
                              "\"Квартира\" VARCHAR(10), \"Организация\" VARCHAR(100))"));
    db.Execute(QStringLiteral("BEGIN"));
    for (const TRecord &row : rows) {
        QStringList values;
        for (const TFieldValue &value : row)
            values << (value ? u'\'' + QString(*value).replace(u'\'', QStringLiteral("''")) + u'\''
                             : QStringLiteral("NULL"));
        db.Execute(QStringLiteral("INSERT INTO \"Велирск\" VALUES (%1)").arg(values.join(u',')));
    }
    db.Execute(QStringLiteral("COMMIT"));
}

void SqliteFixture::WriteFile(const QByteArray &bytes, const QString &fileName) const
{
    QFile file(Path(fileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray SqliteFixture::Checksum(const QString &fileName) const
{
    QFile file(Path(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList SqliteFixture::Files() const
{
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

SqliteFixture::OtherConnection::OtherConnection(const QString &path)
{
    EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              nullptr),
              SQLITE_OK);
}

void SqliteFixture::OtherConnection::SetBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

SqliteFixture::OtherConnection::~OtherConnection()
{
    sqlite3_close(m_db);
}

void SqliteFixture::OtherConnection::Execute(const QString &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql.toStdString();
    sqlite3_free(error);
}

QStringList SqliteFixture::OtherConnection::Rows(const QString &sql)
{
    QStringList rows;
    sqlite3_stmt *statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr), SQLITE_OK)
        << sqlite3_errmsg(m_db);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList values;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
            values << (text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
        }
        rows << values.join(u'|');
    }
    sqlite3_finalize(statement);
    return rows;
}

TRecord Record(const QStringList &values)
{
    TRecord record;
    for (const QString &value : values)
        record.push_back(value == u"NULL" ? TFieldValue() : TFieldValue(value));
    return record;
}
