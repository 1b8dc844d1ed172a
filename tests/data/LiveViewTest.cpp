#include "EngineDirectory.h"

#include "data/ADOConnection.h"
#include "data/ADOQuery.h"
#include "data/ADOTable.h"
#include "forms/SearchStatement.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/grid/DBGrid.h"

#include "support/Input.h"
#include "support/QtPrinters.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

// Another program writes to the file, or to the server's table, while the
// data sets show it; each look of the connection (FollowOtherWriters, which
// its timer runs a few times a second) brings them to the data as it now is.

class LiveView : public EngineTest
{ };

TEST_P(LiveView, theTableFollowsRowsDeletedAddedAndChangedElsewhere)
{
    EngineDirectory d(GetParam(), NumberedRows(10));
    int changes = 0;
    int deletedUnderfoot = 0;
    QObject::connect(&d.source, &TDataSource::DataChange, [&changes] { ++changes; });
    QObject::connect(&d.table, &TDataSet::CurrentRowDeletedElsewhere, [&deletedUnderfoot] { ++deletedUnderfoot; });
    d.table.SetRecNo(5);
    EXPECT_TRUE(d.NothingToFollow()) << "nothing was written yet";

    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон IN ('2', '3')"));
    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон) VALUES ('11'), ('12')"));
    d.Elsewhere(QStringLiteral("UPDATE Велирск SET Фамилия = 'Изменён' WHERE Телефон = '7'"));
    changes = 0;
    EXPECT_TRUE(d.Follow());
    EXPECT_GE(changes, 1);
    EXPECT_EQ(d.table.RecordCount(), 10);
    EXPECT_EQ(d.table.RecNo(), 3) << "the current row keeps its identity";
    EXPECT_EQ(d.Phone(), QStringLiteral("5"));
    EXPECT_EQ(d.Phones(), QStringLiteral("1,4,5,6,7,8,9,10,11,12"));
    d.table.SetRecNo(5);
    EXPECT_EQ(d.table.FieldByName(QStringLiteral("Фамилия"))->AsString(), QStringLiteral("Изменён"));
    EXPECT_EQ(deletedUnderfoot, 0);
    EXPECT_TRUE(d.NothingToFollow()) << "each commit is followed once";

    // Our own writes are not taken for another program's.
    d.table.Edit();
    d.table.FieldByName(QStringLiteral("Улица"))->SetAsString(QStringLiteral("Мира"));
    d.table.Post();
    EXPECT_TRUE(d.NothingToFollow());
}

TEST_P(LiveView, aCurrentRowDeletedElsewhereGivesWayToTheRowInItsPlace)
{
    EngineDirectory d(GetParam(), NumberedRows(6));
    int deletedUnderfoot = 0;
    QObject::connect(&d.table, &TDataSet::CurrentRowDeletedElsewhere, [&deletedUnderfoot] { ++deletedUnderfoot; });
    d.table.SetRecNo(3);
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '3'"));
    d.Follow();
    EXPECT_EQ(deletedUnderfoot, 1);
    EXPECT_EQ(d.table.RecNo(), 3);
    EXPECT_EQ(d.Phone(), QStringLiteral("4"));

    d.table.Last();
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '6'"));
    d.Follow();
    EXPECT_EQ(d.Phone(), QStringLiteral("5")) << "the last row gives way to the one before it";
    EXPECT_TRUE(d.table.Eof());

    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон) VALUES ('7')"));
    d.Follow();
    EXPECT_FALSE(d.table.Eof()) << "a row added after the last one can be reached";
    d.table.Next();
    EXPECT_EQ(d.Phone(), QStringLiteral("7"));

    d.Elsewhere(QStringLiteral("DELETE FROM Велирск"));
    d.Follow();
    EXPECT_EQ(d.table.RecordCount(), 0);
    EXPECT_EQ(d.table.RecNo(), -1);
    EXPECT_TRUE(d.table.Bof() && d.table.Eof());

    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон) VALUES ('8')"));
    d.Follow();
    EXPECT_EQ(d.table.RecNo(), 1);
    EXPECT_EQ(d.Phone(), QStringLiteral("8"));
}

TEST_P(LiveView, anEditOutlivesItsRowAndItsPostReportsTheConflict)
{
    EngineDirectory d(GetParam(), NumberedRows(5));
    TField *surname = d.table.FieldByName(QStringLiteral("Фамилия"));
    d.table.SetRecNo(3);
    d.table.Edit();
    surname->SetAsString(QStringLiteral("Набрано"));

    // Changed elsewhere: the typed text stays, the post is refused.
    d.Elsewhere(QStringLiteral("UPDATE Велирск SET Улица = 'Мира' WHERE Телефон = '3'"));
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '1'"));
    d.Follow();
    EXPECT_EQ(d.table.State(), dsEdit);
    EXPECT_EQ(d.table.RecNo(), 2);
    EXPECT_EQ(surname->AsString(), QStringLiteral("Набрано"));
    EXPECT_TRUE(DatabaseErrorOf([&] { d.table.Post(); }).contains(QStringLiteral("изменил")));
    EXPECT_EQ(surname->AsString(), QStringLiteral("Набрано"));

    // Deleted elsewhere: the edit stays shown where the row was.
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '3'"));
    d.Follow();
    EXPECT_EQ(d.table.State(), dsEdit);
    EXPECT_TRUE(d.table.EditedRowGone());
    EXPECT_EQ(d.table.RecordCount(), 3);
    EXPECT_EQ(d.table.RecNo(), -1);
    EXPECT_EQ(d.table.ActiveDisplayRow(), 1);
    EXPECT_EQ(Column(d.table, QStringLiteral("Фамилия")), (QStringList{"", "Набрано", "", ""}));
    EXPECT_TRUE(DatabaseErrorOf([&] { d.table.Next(); }).contains(QStringLiteral("удалил")));
    EXPECT_EQ(surname->AsString(), QStringLiteral("Набрано"));

    // Rows before it go too: it moves up with its neighbours.
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '2'"));
    d.Follow();
    EXPECT_EQ(d.table.ActiveDisplayRow(), 0);
    EXPECT_EQ(d.Phones(), QStringLiteral("3,4,5"));

    d.table.Cancel();
    EXPECT_EQ(d.table.State(), dsBrowse);
    EXPECT_EQ(d.table.DisplayRowCount(), 2);
    EXPECT_EQ(d.Phone(), QStringLiteral("4"));
    EXPECT_EQ(d.Rows(QStringLiteral("SELECT count(*) FROM Велирск WHERE Фамилия = 'Набрано'")), QStringList{"0"});
}

TEST_P(LiveView, aNewRowKeepsItsPlaceAmongRowsThatMove)
{
    EngineDirectory d(GetParam(), NumberedRows(6));
    d.table.SetRecNo(4);
    d.table.Insert();
    d.table.FieldByName(QStringLiteral("Телефон"))->SetAsString(QStringLiteral("новый"));
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон IN ('1', '2')"));
    d.Follow();
    EXPECT_EQ(d.table.State(), dsInsert);
    EXPECT_EQ(d.table.ActiveDisplayRow(), 1);
    EXPECT_EQ(d.Phones(), QStringLiteral("3,новый,4,5,6"));

    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '4'"));
    d.Follow();
    EXPECT_EQ(d.Phones(), QStringLiteral("3,новый,5,6")) << "the row it stood before is gone: the next one takes over";
    d.table.Post();
    EXPECT_EQ(d.table.RecordCount(), 4);
    EXPECT_EQ(d.Rows(QStringLiteral("SELECT count(*) FROM Велирск WHERE Телефон = 'новый'")), QStringList{"1"});
}

TEST_P(LiveView, resultsFollowByRunningTheSearchAgain)
{
    EngineDirectory d(GetParam(), {
                                      Record({"1", "Иванов", "Мира", "1", "NULL", "10", "NULL"}),
                                      Record({"2", "Иванова", "Мира", "1", "", "2", ""}),
                                      Record({"3", "Петров", "Мира", "1", "", "3", ""}),
                                  });
    d.Search({"", "иванов"});
    int followed = 0;
    QObject::connect(&d.query, &TDataSet::StoreFollowed, [&followed] { ++followed; });
    d.query.Last();
    const auto surnames = [&] { return Column(d.query, QStringLiteral("Фамилия")).join(u','); };
    EXPECT_EQ(surnames(), QStringLiteral("Иванов,Иванова"));

    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон, Фамилия, Квартира) VALUES ('4', 'Ивановский', '15')"));
    d.Elsewhere(QStringLiteral("UPDATE Велирск SET Фамилия = 'Иванишин' WHERE Телефон = '3'"));
    d.Follow();
    EXPECT_GE(followed, 1);
    EXPECT_EQ(surnames(), QStringLiteral("Иванов,Ивановский,Иванова")) << "in the order of the apartment, as text";
    EXPECT_EQ(d.query.RecNo(), 3);
    EXPECT_EQ(d.table.RecordCount(), 4) << "the table follows on the same look";

    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '2'"));
    d.Follow();
    EXPECT_EQ(surnames(), QStringLiteral("Иванов,Ивановский"));
    EXPECT_EQ(d.query.RecNo(), 2) << "the nearest row that remains";
}

TEST(LiveFile, aWriterHoldingTheFileDelaysTheLookWithoutWaitingForIt)
{
    EngineDirectory d(TSqlEngine::Sqlite, NumberedRows(3));
    d.connection.SetBusyTimeout(60000);
    d.Elsewhere(QStringLiteral("BEGIN EXCLUSIVE"));
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '1'"));
    EXPECT_FALSE(d.connection.FollowOtherWriters()) << "a lock ends the look at once; a wait would time this test out";
    EXPECT_EQ(d.connection.BusyTimeout(), 60000);
    EXPECT_EQ(d.table.RecordCount(), 3);
    d.Elsewhere(QStringLiteral("COMMIT"));
    EXPECT_TRUE(d.connection.FollowOtherWriters());
    EXPECT_EQ(d.table.RecordCount(), 2);
}

TEST_P(LiveView, theGridKeepsThePlaceTheColumnAndTheTypedText)
{
    EngineDirectory d(GetParam(), NumberedRows(200));
    TDBGrid grid;
    grid.resize(691, 321);
    grid.SetDataSource(&d.source);
    grid.show();
    d.table.SetRecNo(100);
    grid.SetSelectedIndex(1);
    const int line = d.table.ActiveDisplayRow() - grid.TopRow();
    ASSERT_GT(grid.TopRow(), 0);

    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE CAST(Телефон AS INTEGER) <= 5"));
    d.Follow();
    EXPECT_EQ(d.Phone(), QStringLiteral("100"));
    EXPECT_EQ(d.table.ActiveDisplayRow() - grid.TopRow(), line) << "the row stays on its line of the screen";
    EXPECT_EQ(grid.SelectedIndex(), 1);

    const auto key = [&grid](int key, const QString &text = {}) {
        PressKey(grid.InplaceEditor() ? grid.InplaceEditor() : &grid, key, Qt::NoModifier, text);
    };
    for (const QChar c : QStringLiteral("Набрано"))
        key(Qt::Key_unknown, QString(c));
    ASSERT_TRUE(grid.EditorMode());
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон IN ('99', '100')"));
    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон) VALUES ('201')"));
    d.Follow();
    auto *editor = qobject_cast<QLineEdit *>(grid.InplaceEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("Набрано"));
    EXPECT_EQ(d.table.RecordCount(), 194);
    EXPECT_TRUE(d.table.EditedRowGone());
    EXPECT_EQ(d.table.ActiveDisplayRow() - grid.TopRow(), line);
    key(Qt::Key_Escape);
    key(Qt::Key_Escape);
    EXPECT_EQ(d.table.State(), dsBrowse);
    EXPECT_EQ(d.Phone(), QStringLiteral("101"));
}

TEST_P(LiveView, aLongSearchRunsAgainInTheBackgroundAndIsFollowedWhenItsRowsAreIn)
{
    EngineDirectory d(GetParam(), {
                                      Record({"1", "Иванов", "Мира", "1", "", "10", ""}),
                                      Record({"2", "Иванова", "Мира", "1", "", "2", ""}),
                                      Record({"3", "Петров", "Мира", "1", "", "3", ""}),
                                  });
    d.query.SetForegroundListingLimit(-1);
    d.Search({"", "иванов"});
    d.query.Last();
    QSignalSpy followed(&d.query, &TDataSet::StoreFollowed);
    const auto surnames = [&] { return Column(d.query, QStringLiteral("Фамилия")).join(u','); };

    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон, Фамилия, Квартира) VALUES ('4', 'Ивановский', '15')"));
    EXPECT_TRUE(d.Follow());
    EXPECT_EQ(followed.count(), 0) << "the rows come in later";
    EXPECT_EQ(d.table.RecordCount(), 4) << "the table does not wait";
    ASSERT_TRUE(followed.wait(10000));
    EXPECT_EQ(surnames(), QStringLiteral("Иванов,Ивановский,Иванова"));
    EXPECT_EQ(d.query.RecNo(), 3);

    // A commit of this connection while the run goes on: the run may or may
    // not hold the deleted row, so it runs again before it is shown.
    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон, Фамилия, Квартира) VALUES ('5', 'Ивановских', '16')"));
    d.Follow();
    d.query.First();
    d.query.Delete();
    ASSERT_TRUE(followed.wait(10000));
    EXPECT_EQ(surnames(), QStringLiteral("Ивановский,Ивановских,Иванова"));
    EXPECT_FALSE(followed.wait(300)) << "one showing per run";

    // Commits of others during a run: one more run follows them.
    d.Elsewhere(QStringLiteral("INSERT INTO Велирск (Телефон, Фамилия, Квартира) VALUES ('6', 'Ивановцев', '17')"));
    d.Follow();
    d.Elsewhere(QStringLiteral("DELETE FROM Велирск WHERE Телефон = '2'"));
    d.Follow();
    while (surnames() != QStringLiteral("Ивановский,Ивановских,Ивановцев") && followed.wait(10000)) {
    }
    EXPECT_EQ(surnames(), QStringLiteral("Ивановский,Ивановских,Ивановцев"));
    d.query.Close();
}

INSTANTIATE_ENGINES(LiveView);
