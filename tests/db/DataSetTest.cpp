#include "toolkit/db/DataLink.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/db/MemoryDataSet.h"

#include "support/QtPrinters.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

std::vector<TRecord> Rows(int count)
{
    std::vector<TRecord> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({QString::number(i), QStringLiteral("name %1").arg(i)});
    return rows;
}

struct Fixture {
    explicit Fixture(int count)
    {
        set.SetFieldNames({QStringLiteral("id"), QStringLiteral("name")});
        set.SetRows(Rows(count));
        source.SetDataSet(&set);
    }
    TMemoryDataSet set;
    TDataSource source;
};

// Records every hook and signal in order, as one string per event.
class RecordingLink : public TDataLink
{
public:
    QStringList events;

protected:
    void ActiveChanged() override { events << QStringLiteral("active"); }
    void DataSetChanged() override { events << QStringLiteral("changed"); }
    void DataSetScrolled(int distance) override { events << QStringLiteral("scrolled %1").arg(distance); }
    void RecordChanged(TField *field) override
    {
        events << QStringLiteral("record ") + (field ? field->FieldName() : QStringLiteral("-"));
    }
    void EditingChanged() override { events << QStringLiteral("editing %1").arg(Editing()); }
    void UpdateData() override { events << QStringLiteral("update"); }
};

} // namespace

TEST(DataSet, recordNumbersAndCountsInEveryState)
{
    Fixture empty(0);
    EXPECT_EQ(empty.set.RecNo(), -1);
    empty.set.Open();
    EXPECT_EQ(empty.set.RecordCount(), 0);
    EXPECT_EQ(empty.set.RecNo(), -1);
    EXPECT_TRUE(empty.set.Bof() && empty.set.Eof());
    empty.set.Append();
    EXPECT_EQ(empty.set.RecNo(), -1);
    EXPECT_EQ(empty.set.DisplayRowCount(), 1);
    empty.set.Fields(0)->SetAsString(QStringLiteral("x"));
    empty.set.Post();
    EXPECT_EQ(empty.set.RecordCount(), 1);
    EXPECT_EQ(empty.set.RecNo(), 1);

    Fixture f(3);
    f.set.Open();
    EXPECT_EQ(f.set.RecNo(), 1);
    f.set.Last();
    EXPECT_EQ(f.set.RecNo(), 3);
    f.set.Insert();
    EXPECT_EQ(f.set.RecNo(), -1);
    EXPECT_EQ(f.set.RecordCount(), 3);
    f.set.Cancel();
    EXPECT_EQ(f.set.RecNo(), 3);
    f.set.Edit();
    EXPECT_EQ(f.set.RecNo(), 3);
}

TEST(DataSet, bofAndEofFollowTheMoves)
{
    Fixture f(2);
    f.set.Open();
    EXPECT_TRUE(f.set.Bof());
    EXPECT_FALSE(f.set.Eof());
    f.set.Next();
    EXPECT_FALSE(f.set.Bof());
    EXPECT_FALSE(f.set.Eof()) << "reaching the last row is not yet the end";
    f.set.Next();
    EXPECT_TRUE(f.set.Eof());
    EXPECT_EQ(f.set.RecNo(), 2);
    f.set.Prior();
    EXPECT_FALSE(f.set.Eof());
    f.set.Last();
    EXPECT_TRUE(f.set.Eof());
    EXPECT_EQ(f.set.MoveBy(-5), -1);
    EXPECT_TRUE(f.set.Bof());
    f.set.SetRecNo(2);
    EXPECT_FALSE(f.set.Bof() || f.set.Eof());
    EXPECT_EQ(f.set.RecNo(), 2);
}

TEST(DataSet, insertAppendPostCancelDelete)
{
    Fixture f(3);
    f.set.Open();
    f.set.SetRecNo(2);
    f.set.Insert();
    f.set.FieldByName(QStringLiteral("NAME"))->SetAsString(QStringLiteral("new"));
    f.set.Post();
    EXPECT_EQ(f.set.RecNo(), 2);
    EXPECT_EQ(f.set.RecordCount(), 4);
    EXPECT_EQ(f.set.Rows()[1][1], QStringLiteral("new"));
    EXPECT_EQ(f.set.Rows()[1][0], std::nullopt) << "an untouched field of a new row is NULL";

    f.set.Append();
    EXPECT_EQ(f.set.ActiveDisplayRow(), 4);
    f.set.Fields(1)->SetAsString(QString());
    f.set.Post();
    EXPECT_EQ(f.set.RecNo(), 5);
    ASSERT_TRUE(f.set.Fields(1)->Value().has_value()) << "the empty text is not NULL";
    EXPECT_TRUE(f.set.Fields(1)->Value()->isEmpty());

    f.set.Edit();
    f.set.Fields(1)->Clear();
    EXPECT_TRUE(f.set.Fields(1)->IsNull());
    f.set.Cancel();
    EXPECT_FALSE(f.set.Fields(1)->IsNull());

    f.set.Delete();
    EXPECT_EQ(f.set.RecordCount(), 4);
    EXPECT_EQ(f.set.RecNo(), 4) << "deleting the last row makes the new last row current";
    f.set.First();
    f.set.Delete();
    EXPECT_TRUE(f.set.Fields(0)->IsNull());
    EXPECT_EQ(f.set.Fields(1)->AsString(), QStringLiteral("new"));
}

TEST(DataSet, leavingARowPostsItOrDropsAnUntouchedInsert)
{
    Fixture f(3);
    f.set.Open();
    f.set.Edit();
    f.set.Fields(1)->SetAsString(QStringLiteral("changed"));
    f.set.Next();
    EXPECT_EQ(f.set.State(), dsBrowse);
    EXPECT_EQ(f.set.Rows()[0][1], QStringLiteral("changed"));

    f.set.Insert();
    f.set.Next();
    EXPECT_EQ(f.set.RecordCount(), 3) << "an untouched new row is not posted";
    EXPECT_EQ(f.set.RecNo(), 3);
}

TEST(DataSet, failedPostKeepsTheEdit)
{
    Fixture f(2);
    f.set.Open();
    f.set.Edit();
    f.set.Fields(1)->SetAsString(QStringLiteral("typed"));
    f.set.FailNextWrite(QStringLiteral("locked"));
    EXPECT_THROW(f.set.Next(), EDatabaseError);
    EXPECT_EQ(f.set.State(), dsEdit);
    EXPECT_EQ(f.set.RecNo(), 1);
    EXPECT_EQ(f.set.Fields(1)->AsString(), QStringLiteral("typed"));
    f.set.Post();
    EXPECT_EQ(f.set.Rows()[0][1], QStringLiteral("typed"));
}

TEST(DataSet, misuseRaisesDatabaseErrors)
{
    Fixture f(1);
    EXPECT_THROW(f.set.First(), EDatabaseError);
    f.set.Open();
    EXPECT_THROW(f.set.Fields(0)->SetAsString(QStringLiteral("x")), EDatabaseError);
    EXPECT_THROW(f.set.FieldByName(QStringLiteral("missing")), EDatabaseError);
    EXPECT_EQ(f.set.FindField(QStringLiteral("missing")), nullptr);
    f.set.Close();
    f.set.SetReadOnly(true);
    f.set.Open();
    EXPECT_THROW(f.set.Edit(), EDatabaseError);
    EXPECT_THROW(f.set.Insert(), EDatabaseError);
    EXPECT_THROW(f.set.Delete(), EDatabaseError);
    Fixture empty(0);
    empty.set.Open();
    EXPECT_THROW(empty.set.Delete(), EDatabaseError);
}

TEST(DataSet, displayRowScopeAnswersForThePaintedRow)
{
    Fixture f(4);
    RecordingLink link;
    link.SetDataSource(&f.source);
    f.set.Open();
    f.set.SetRecNo(2);
    link.events.clear();
    {
        TDataSet::DisplayRowScope scope(f.set, 3);
        EXPECT_EQ(f.set.RecNo(), 4);
        EXPECT_EQ(f.set.Fields(0)->AsString(), QStringLiteral("4"));
        {
            TDataSet::DisplayRowScope inner(f.set, 0);
            EXPECT_EQ(f.set.RecNo(), 1);
        }
        EXPECT_EQ(f.set.RecNo(), 4);
        TDataSet::DisplayRowScope outside(f.set, 9);
        EXPECT_TRUE(f.set.Fields(0)->IsNull());
    }
    EXPECT_EQ(f.set.RecNo(), 2);
    EXPECT_TRUE(link.events.isEmpty());

    // While inserting at row 2 the grid shows five rows, the new one second.
    f.set.Insert();
    f.set.Fields(1)->SetAsString(QStringLiteral("typed"));
    ASSERT_EQ(f.set.DisplayRowCount(), 5);
    const QStringList expectedNames{QStringLiteral("name 1"), QStringLiteral("typed"), QStringLiteral("name 2"),
                                    QStringLiteral("name 3"), QStringLiteral("name 4")};
    const QList<int> expectedNumbers{1, -1, 2, 3, 4};
    for (int row = 0; row < 5; ++row) {
        TDataSet::DisplayRowScope scope(f.set, row);
        EXPECT_EQ(f.set.Fields(1)->AsString(), expectedNames[row]) << row;
        EXPECT_EQ(f.set.RecNo(), expectedNumbers[row]) << row;
    }
}

TEST(DataSet, notificationsComeInOrder)
{
    Fixture f(3);
    RecordingLink link;
    link.SetDataSource(&f.source);
    QStringList signalLog;
    QObject::connect(&f.source, &TDataSource::DataChange, [&](TField *field) {
        signalLog << QStringLiteral("data ") + (field ? field->FieldName() : QStringLiteral("-"));
    });
    QObject::connect(&f.source, &TDataSource::StateChange, [&] { signalLog << QStringLiteral("state"); });

    struct Step {
        std::function<void()> action;
        QStringList linkEvents;
        QStringList signalEvents;
    };
    const QString dash = QStringLiteral("data -");
    const QList<Step> steps{
        {[&] { f.set.Open(); }, {"active", "changed"}, {"state", dash}},
        {[&] { f.set.Next(); }, {"scrolled 1"}, {dash}},
        {[&] { f.set.Next(); }, {"scrolled 1"}, {dash}},
        {[&] { f.set.Next(); }, {"scrolled 0"}, {dash}},
        {[&] { f.set.Next(); }, {}, {}},
        {[&] { f.set.First(); }, {"scrolled -2"}, {dash}},
        {[&] { f.set.Edit(); }, {"editing 1", "record -"}, {"state", dash}},
        {[&] { f.set.Fields(1)->SetAsString("x"); }, {"record name"}, {"data name"}},
        {[&] { f.set.Post(); }, {"update", "editing 0", "changed"}, {"state", dash}},
        {[&] { f.set.Insert(); }, {"editing 1", "changed"}, {"state", dash}},
        {[&] { f.set.Cancel(); }, {"editing 0", "changed"}, {"state", dash}},
        {[&] { f.set.Delete(); }, {"changed"}, {dash}},
        {[&] { f.set.Refresh(); }, {"changed"}, {dash}},
        {[&] { f.set.Close(); }, {"active"}, {"state"}},
    };
    int index = 0;
    for (const Step &step : steps) {
        link.events.clear();
        signalLog.clear();
        step.action();
        EXPECT_EQ(link.events, step.linkEvents) << "step " << index;
        EXPECT_EQ(signalLog, step.signalEvents) << "step " << index;
        ++index;
    }
}

TEST(DataSet, sourcesAndLinksDetachSafely)
{
    RecordingLink link;
    auto source = std::make_unique<TDataSource>();
    {
        TMemoryDataSet set;
        set.SetFieldNames({QStringLiteral("a")});
        source->SetDataSet(&set);
        link.SetDataSource(source.get());
        set.Open();
        EXPECT_TRUE(link.Active());
        source->SetEnabled(false);
        EXPECT_FALSE(link.Active());
        EXPECT_EQ(source->State(), dsInactive);
        source->SetEnabled(true);
        EXPECT_TRUE(link.Active());
    }
    EXPECT_EQ(source->DataSet(), nullptr);
    EXPECT_FALSE(link.Active());
    source.reset();
    EXPECT_EQ(link.DataSource(), nullptr);
}
