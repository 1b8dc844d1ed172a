#include "support/Input.h"

#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/grid/DBGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The grid over the directory table of a real database file, checked through
// a connection of its own, as another process would see the file.
class SqliteGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Sql("CREATE TABLE \"Велирск\" (\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), \"Улица\" VARCHAR(50), "
            "\"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), \"Квартира\" VARCHAR(10), \"Организация\" VARCHAR(100));"
            "INSERT INTO \"Велирск\" VALUES ('1001', 'Орлов', 'Садовая', '1', NULL, '10', NULL);"
            "INSERT INTO \"Велирск\" VALUES ('1002', 'Зайцев', 'Садовая', '2', NULL, '11', NULL);"
            "INSERT INTO \"Велирск\" VALUES ('1003', 'Лисин', 'Речная', '3', 'а', '12', NULL);");
        connection.SetConnectionString(
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Mode=Share Deny None").arg(Path()));
        table.SetConnection(&connection);
        table.SetTableName(QStringLiteral("Велирск"));
        source.SetDataSet(&table);
        grid.SetDataSource(&source);
        grid.resize(691, 321);
        connection.Open();
        table.Open();
    }

    QString Path() const { return dir.filePath("velirsk.dat"); }

    void Sql(const char *sql)
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(Path().toUtf8().constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    // Telephone and surname of every row of the file, in rowid order.
    QStringList FileRows()
    {
        QStringList rows;
        sqlite3 *db = nullptr;
        sqlite3_open(Path().toUtf8().constData(), &db);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT \"Телефон\", \"Фамилия\" FROM \"Велирск\" ORDER BY rowid", -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            auto text = [&](int column) {
                const auto *value = sqlite3_column_text(stmt, column);
                return value ? QString::fromUtf8(reinterpret_cast<const char *>(value)) : QStringLiteral("NULL");
            };
            rows << text(0) + "|" + text(1);
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

    QWidget *KeyTarget() { return grid.InplaceEditor() ? grid.InplaceEditor() : &grid; }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
    {
        PressKey(KeyTarget(), key, modifiers, text);
    }

    void Type(const QString &text)
    {
        for (QChar c : text)
            Key(Qt::Key_unknown, Qt::NoModifier, QString(c));
    }

    QTemporaryDir dir;
    TADOConnection connection;
    TADOTable table;
    TDataSource source;
    TDBGrid grid;
};

} // namespace

TEST_F(SqliteGridTest, editsAndNewRowsReachTheFile)
{
    ASSERT_EQ(grid.Columns().Count(), 7) << "columns made from the fields";
    Key(Qt::Key_Right);
    Type("Соколов");
    Key(Qt::Key_Down);
    EXPECT_EQ(FileRows(), (QStringList{"1001|Соколов", "1002|Зайцев", "1003|Лисин"}));

    Key(Qt::Key_Escape);
    Type("Х");
    Key(Qt::Key_Escape);
    EXPECT_EQ(FileRows()[1], "1002|Зайцев") << "escape leaves the file alone";

    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Home);
    Type("1004");
    Key(Qt::Key_Tab);
    Type("Волков");
    Key(Qt::Key_Return);
    EXPECT_EQ(FileRows(), (QStringList{"1001|Соколов", "1002|Зайцев", "1003|Лисин", "1004|Волков"}));
    EXPECT_EQ(table.RecordCount(), 4);

    Key(Qt::Key_Insert);
    Key(Qt::Key_Up);
    EXPECT_EQ(FileRows().size(), 4) << "an untouched new row never reaches the file";
}

// A surname declared VARCHAR(50) takes what fits: a paste that would pass
// the size is refused whole with a message, one key too many only beeps,
// and a value stored longer by another program is edited whole, never cut.
TEST_F(SqliteGridTest, theDeclaredSizeRefusesInputWholeAndNeverCutsAStoredValue)
{
    constexpr int kDeclaredSurname = 50;
    constexpr int kStoredLonger = 40000;
    Sql("UPDATE \"Велирск\" SET \"Фамилия\" = replace(hex(zeroblob(20000)), '0', 'ж') WHERE rowid = 2;");
    table.Refresh();
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    auto *editor = qobject_cast<QLineEdit *>(grid.InplaceEditor());
    Key(Qt::Key_End);
    QApplication::clipboard()->setText(QString(kDeclaredSurname, QChar(u'я')));
    {
        TMessageBoxHook boxes;
        Key(Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents();
        ASSERT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(boxes.Requests()[0].text.contains(QStringLiteral("50"))) << boxes.Requests()[0].text.toStdString();
        EXPECT_TRUE(boxes.Requests()[0].text.contains(QStringLiteral("55"))) << boxes.Requests()[0].text.toStdString();
        EXPECT_EQ(editor->text(), QStringLiteral("Орлов"));

        Type(QString(kDeclaredSurname - 5, QChar(u'ы')));
        Type(QStringLiteral("ъ"));
        QCoreApplication::processEvents();
        EXPECT_EQ(boxes.Count(), 1) << "a key past the size is refused without a message";
        Key(Qt::Key_Return);
    }
    EXPECT_EQ(FileRows()[0], "1001|Орлов" + QString(kDeclaredSurname - 5, QChar(u'ы')));

    TMessageBoxHook boxes;
    Key(Qt::Key_Down);
    Key(Qt::Key_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->property("text").toString().size(), kStoredLonger);
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(FileRows()[1], "1002|" + QString(kStoredLonger - 1, QChar(u'ж')));
}

// A field that declares no size carries a paste of any length to the file.
TEST_F(SqliteGridTest, aFieldWithoutADeclaredSizeTakesAPasteWhole)
{
    constexpr int kPastedLength = 100000;
    table.Close();
    Sql("DROP TABLE \"Велирск\";"
        "CREATE TABLE \"Велирск\" (\"Телефон\" TEXT, \"Фамилия\" TEXT, \"Улица\" TEXT, \"Дом\" TEXT, "
        "\"Корпус\" TEXT, \"Квартира\" TEXT, \"Организация\" TEXT);"
        "INSERT INTO \"Велирск\" VALUES ('1001', 'Орлов', 'Садовая', '1', NULL, '10', NULL);");
    table.Open();
    TMessageBoxHook boxes;
    QApplication::clipboard()->setText(QString(kPastedLength, QChar(u'ж')));
    Key(Qt::Key_Right);
    Key(Qt::Key_F2);
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.Count(), 0);
    EXPECT_EQ(FileRows(), QStringList{"1001|" + QString(kPastedLength, QChar(u'ж'))});
}

TEST_F(SqliteGridTest, leavingTheGridDropsAnUntouchedNewRow)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *other = new QLineEdit(&window);
    grid.setParent(&window);
    layout->addWidget(&grid);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    grid.setFocus();
    Key(Qt::Key_Insert);
    ASSERT_EQ(table.State(), dsInsert);
    other->setFocus();
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(FileRows().size(), 3);
    grid.setParent(nullptr);
}

TEST_F(SqliteGridTest, ctrlDeleteRemovesTheRowFromTheFileOnOk)
{
    Key(Qt::Key_Down);
    {
        TMessageBoxHook hook(IDCANCEL);
        Key(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(hook.Count(), 1);
    }
    EXPECT_EQ(FileRows().size(), 3);
    TMessageBoxHook hook(IDOK);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(hook.Count(), 1);
    EXPECT_EQ(FileRows(), (QStringList{"1001|Орлов", "1003|Лисин"}));
    EXPECT_EQ(table.RecNo(), 2);
}
