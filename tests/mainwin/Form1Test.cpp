#include "components/FlatSkin.h"
#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatSkin/FlatSkinManager.h"
#include "components/GlyphNavigator.h"
#include "components/GridRoutine.h"
#include "data/DirectoryData.h"
#include "forms/DirectoryView.h"
#include "forms/FindForm.h"
#include "forms/Unit1.h"
#include "forms/Unit2.h"
#include "support/AccessibleEventLog.h"
#include "support/Input.h"
#include "support/QtPrinters.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace {

// The main window over a directory file of RowCount rows in a folder of its
// own, which is the working directory while the window lives.
class Form1Fixture : public ::testing::Test
{
protected:
    void Open(int rowCount)
    {
        ASSERT_TRUE(dir.isValid());
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(dir.filePath(QStringLiteral("velirsk.dat")).toUtf8().constData(), &db), SQLITE_OK);
        std::string sql = "CREATE TABLE \"Велирск\" (\"Телефон\" VARCHAR(10), \"Фамилия\" VARCHAR(50), "
                          "\"Улица\" VARCHAR(50), \"Дом\" VARCHAR(10), \"Корпус\" VARCHAR(10), "
                          "\"Квартира\" VARCHAR(10), \"Организация\" VARCHAR(100));";
        for (int i = 1; i <= rowCount; ++i)
            sql += "INSERT INTO \"Велирск\" VALUES ('" + std::to_string(1000 + i)
                   + "', 'Орлов', 'Садовая', '1', NULL, '" + std::to_string(i) + "', NULL);";
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        form = std::make_unique<TForm1>();
        form->DoCreate();
        form->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        form.reset();
        if (!previous.isEmpty())
            QDir::setCurrent(previous);
    }

    QString Panel(int index) const { return form->StatusBar1->Panel(index).Text; }
    QString FilePath() const { return dir.filePath(QStringLiteral("velirsk.dat")); }
    // Runs one statement on the file through a connection of its own, as
    // another program would; returns the first column of the first row.
    QString Sql(const QString &sql) const
    {
        sqlite3 *db = nullptr;
        sqlite3_open(FilePath().toUtf8().constData(), &db);
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr);
        QString result;
        if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
            result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return result;
    }
    // Types into the grid's current cell, as a person would.
    void TypeIntoGrid(const QString &text)
    {
        for (const QChar c : text) {
            QWidget *target = form->DBGrid1->InplaceEditor() ? form->DBGrid1->InplaceEditor() : form->DBGrid1;
            PressKey(target, 0, Qt::NoModifier, QString(c));
        }
    }
    QString EditorText() const
    {
        auto *editor = qobject_cast<QLineEdit *>(form->DBGrid1->InplaceEditor());
        return editor ? editor->text() : QString();
    }
    // "Выход" asks the application to end; the next test starts afresh.
    bool ChooseExit()
    {
        form->mnuExit->Click();
        const bool terminated = Application->Terminated();
        Application->Restart();
        return terminated;
    }
    TDataSet *Table() const { return form->Data->ADOTable1; }

    QTemporaryDir dir;
    QString previous;
    std::unique_ptr<TForm1> form;
};

TEST_F(Form1Fixture, laysOutTheControlsInTheClientAreaOfTheStoredSize)
{
    Open(3);
    EXPECT_EQ(form->size(), QSize(699, 411));
    EXPECT_EQ(form->ClientSize(), QSize(691, 365));
    EXPECT_EQ(form->GlyphNavigator1->geometry(), QRect(0, 0, 691, 25));
    EXPECT_EQ(form->DBGrid1->geometry(), QRect(0, 25, 691, 321));
    EXPECT_EQ(form->StatusBar1->geometry(), QRect(0, 346, 691, 19));
    EXPECT_EQ(form->GlyphNavigator1->VisibleButtons().Count(), 9);
    EXPECT_FALSE(form->GlyphNavigator1->VisibleButtons().Contains(nbRefresh));
    EXPECT_TRUE(form->GlyphNavigator1->Flat());
    EXPECT_EQ(form->GlyphNavigator1->Hints().value(7), QStringLiteral("Применить изминения"));
    EXPECT_EQ(form->StatusBar1->PanelCount(), 2);
    EXPECT_EQ(form->StatusBar1->Panel(0).Width, 150);
    EXPECT_EQ(form->StatusBar1->Panel(1).Width, 50);
    EXPECT_FALSE(form->StatusBar1->SimplePanel());
}

TEST_F(Form1Fixture, menuCarriesItsThreeImagedItems)
{
    Open(1);
    ASSERT_EQ(form->ImageList1->Count(), 3);
    EXPECT_EQ(form->MainMenu1->Items()->Count(), 3);
    const struct {
        TMenuItem *item;
        const char16_t *caption;
        int image;
    } expected[] = {{form->mnuExit, u"Выход", 0}, {form->mnuFind, u"Найти", 1}, {form->mnuAbout, u"О программе", 2}};
    for (const auto &e : expected) {
        EXPECT_EQ(e.item->Caption(), QString::fromUtf16(e.caption));
        EXPECT_EQ(e.item->ImageIndex(), e.image);
        // Every image has a transparent background and a picture on it.
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += form->ImageList1->IsOpaque(e.image, x, y);
        EXPECT_GT(opaque, 40);
        EXPECT_LT(opaque, 256);
    }
}

// The last column ends exactly at the grid's client edge, at the stored size
// and after the window is resized.
TEST_F(Form1Fixture, lastColumnFillsTheGridAfterEveryResize)
{
    Open(40);
    const QSize sizes[] = {{699, 411}, {900, 500}, {500, 300}, {699, 411}};
    for (const QSize &size : sizes) {
        form->resize(size);
        QApplication::processEvents();
        TDBGrid &grid = *form->DBGrid1;
        int right = 0;
        for (int col = 0; col < grid.ColCount(); ++col)
            right += grid.ColWidths(col) + grid.GridLineWidth();
        EXPECT_EQ(right, grid.ClientWidth()) << size.width() << "x" << size.height();
        EXPECT_EQ(ColumnFillWidth(grid, -1), grid.ColWidths(grid.ColCount() - 1));
        const QSize client = form->ClientSize();
        EXPECT_EQ(form->StatusBar1->geometry(), QRect(0, client.height() - 19, client.width(), 19));
        EXPECT_EQ(grid.geometry(), QRect(0, 25, client.width(), client.height() - 25 - 19));
    }
}

TEST_F(Form1Fixture, statusPanelsFollowTheTable)
{
    Open(3);
    EXPECT_EQ(Panel(0), QStringLiteral("В базе записей: 3"));
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № 1"));
    Table()->Next();
    Table()->Next();
    EXPECT_EQ(Panel(0), QStringLiteral("В базе записей: 3"));
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № 3"));
    Table()->Insert();
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № -1"));
    Table()->Cancel();
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № 3"));
}

// What a reader hears when another program deletes the row before the
// current one and then changes the current row's value.
TEST_F(Form1Fixture, aReaderHearsTheCellAndTheStatusAnotherProgramChanges)
{
    TAccessibleEventLog recorder;
    Open(3);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->DBGrid1)->text(QAccessible::Name),
              QStringLiteral("Записи справочника"));
    QApplication::setActiveWindow(form.get());
    form->DBGrid1->setFocus();
    Table()->Next();
    recorder.Clear();

    Sql(QStringLiteral("DELETE FROM \"Велирск\" WHERE \"Телефон\" = '1001'"));
    Table()->FollowStore();
    std::vector<TAccessibleEventLog::TEntry> focus = recorder.Of(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].row, 0);
    EXPECT_EQ(focus[0].name, QStringLiteral("1002"));
    EXPECT_EQ(recorder.Of(QAccessible::TableModelChanged).size(), 1u);
    QStringList told;
    for (const TAccessibleEventLog::TEntry &event : recorder.Of(QAccessible::NameChanged))
        told << event.name;
    EXPECT_EQ(told, (QStringList{QStringLiteral("В базе записей: 2"), QStringLiteral("Запись № 1")}));

    recorder.Clear();
    Sql(QStringLiteral("UPDATE \"Велирск\" SET \"Телефон\" = '2002' WHERE \"Телефон\" = '1002'"));
    Table()->FollowStore();
    focus = recorder.Of(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 1u) << "the current cell's text changed";
    EXPECT_EQ(focus[0].name, QStringLiteral("2002"));
    EXPECT_TRUE(recorder.Of(QAccessible::NameChanged).empty()) << "the count and number stayed";
}

TEST_F(Form1Fixture, emptyTableShowsZeroAndMinusOne)
{
    Open(0);
    EXPECT_EQ(Panel(0), QStringLiteral("В базе записей: 0"));
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № -1"));
}

// Odd record numbers are striped, the current cell is highlighted although
// the grid does not have the focus.
TEST_F(Form1Fixture, paintedGridShowsStripesAndTheSelectedCell)
{
    Open(4);
    TDBGrid &grid = *form->DBGrid1;
    grid.clearFocus();
    ASSERT_FALSE(grid.hasFocus());
    const QImage shot = grid.grab().toImage();
    const QPoint origin = grid.ClientRect().topLeft();
    const auto background = [&](int col, int row) {
        const TRect cell = grid.CellRect(col, row);
        return shot.pixelColor(origin + QPoint(cell.Right - 3, cell.Top + 1));
    };
    EXPECT_EQ(background(2, 1), ToQColor(DirectoryView::kStripeColor));
    EXPECT_EQ(background(2, 2), ToQColor(clWindow));
    EXPECT_EQ(background(2, 3), ToQColor(DirectoryView::kStripeColor));
    EXPECT_EQ(background(1, 1), ToQColor(clHighlight));
}

struct StripeCase {
    int recNo;
    bool selected;
    std::optional<TColor> brush;
    std::optional<TColor> font;
};

class StripedCellColors : public ::testing::TestWithParam<StripeCase>
{ };

TEST_P(StripedCellColors, selectionWinsOverTheStripeOfOddRecords)
{
    const DirectoryView::TCellColors colors = DirectoryView::StripedCellColors(GetParam().recNo, GetParam().selected);
    EXPECT_EQ(colors.Brush, GetParam().brush);
    EXPECT_EQ(colors.Font, GetParam().font);
}

INSTANTIATE_TEST_SUITE_P(RecordNumbers, StripedCellColors,
                         ::testing::Values(StripeCase{1, false, DirectoryView::kStripeColor, std::nullopt},
                                           StripeCase{2, false, std::nullopt, std::nullopt},
                                           StripeCase{-1, false, std::nullopt, std::nullopt},
                                           StripeCase{-3, false, std::nullopt, std::nullopt},
                                           StripeCase{0, false, std::nullopt, std::nullopt},
                                           StripeCase{3, true, clHighlight, clHighlightText},
                                           StripeCase{-1, true, clHighlight, clHighlightText}));

// The results window has no skin of its own: the main window's component
// adopts it, its navigator bar and the bar's buttons, not its grid.
TEST_F(Form1Fixture, resultsWindowIsSkinnedWithTheMainWindowsComponent)
{
    InstallFlatSkinManager();
    Open(1);
    auto results = std::make_unique<TForm2>();
    QApplication::processEvents();

    auto skinOf = [](QWidget *control) {
        TControlSubClass *record = TControlSubClass::Of(*control);
        return record ? record->FlatSkin() : nullptr;
    };
    EXPECT_EQ(skinOf(results->GlyphNavigator1), form->FlatSkin1);
    for (TNavigateBtn button : {nbFirst, nbPrior, nbNext, nbLast})
        EXPECT_EQ(skinOf(results->GlyphNavigator1->Button(button)), form->FlatSkin1) << button;
    EXPECT_EQ(skinOf(results->DBGrid1), nullptr);
    EXPECT_EQ(skinOf(form->GlyphNavigator1->Button(nbFirst)), form->FlatSkin1);

    results.reset();
    form.reset();
    SetFlatSkinManagerFactory({});
}

TEST_F(Form1Fixture, findOpensTheOneSearchDialogAndOnlyBringsItForward)
{
    Open(1);
    std::unique_ptr<TFindDialog> dialog(Application->CreateForm<TFindDialog>());
    form->mnuFind->Click();
    EXPECT_TRUE(dialog->isVisible());
    dialog->PhoneEdit->setText(QStringLiteral("2-40"));
    form->mnuFind->Click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->PhoneEdit->text(), QStringLiteral("2-40"));
    dialog->Hide();
}

// Quitting posts what is still in the grid's editor, whether the row was
// being edited or inserted, and the window then goes without touching a
// destroyed control (this crashed under the sanitizers and in the program).
TEST_F(Form1Fixture, quittingPostsTheEditorTextOfAnEditedOrInsertedRow)
{
    Open(3);
    form->DBGrid1->setFocus();
    PressKey(form->DBGrid1, Qt::Key_Right);
    TypeIntoGrid(QStringLiteral("Тестов"));
    ASSERT_EQ(EditorText(), QStringLiteral("Тестов"));
    EXPECT_TRUE(ChooseExit());
    EXPECT_EQ(Sql(QStringLiteral("SELECT \"Фамилия\" FROM \"Велирск\" WHERE rowid = 1")), QStringLiteral("Тестов"));

    Table()->Insert();
    TypeIntoGrid(QStringLiteral("Новый"));
    form.reset();
    EXPECT_EQ(Sql(QStringLiteral("SELECT count(*) FROM \"Велирск\" WHERE \"Фамилия\" = 'Новый'")), QStringLiteral("1"));
}

TEST_F(Form1Fixture, closingWithAPostedButUnleftRowEndsCleanly)
{
    Open(3);
    form->DBGrid1->setFocus();
    PressKey(form->DBGrid1, Qt::Key_Right);
    TypeIntoGrid(QStringLiteral("Табов"));
    PressKey(form->DBGrid1->InplaceEditor(), Qt::Key_Tab);
    ASSERT_EQ(Table()->State(), dsEdit);
    form->Close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(Table()->State(), dsBrowse);
    form.reset();
    EXPECT_EQ(Sql(QStringLiteral("SELECT \"Фамилия\" FROM \"Велирск\" WHERE rowid = 1")), QStringLiteral("Табов"));
}

// Another program changed the row while the person typed: the post fails,
// its message is shown, and the window stays with the typed text.
TEST_F(Form1Fixture, aFailedPostOnQuittingKeepsTheWindowAndTheEdit)
{
    Open(3);
    form->DBGrid1->setFocus();
    PressKey(form->DBGrid1, Qt::Key_Right);
    TypeIntoGrid(QStringLiteral("Мой"));
    Sql(QStringLiteral("UPDATE \"Велирск\" SET \"Фамилия\" = 'Чужой' WHERE rowid = 1"));
    TMessageBoxHook boxes;
    EXPECT_FALSE(ChooseExit());
    form->Close();
    EXPECT_FALSE(Application->Terminated());
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Requests()[0].icon, TMsgIcon::Error);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(Table()->State(), dsEdit);
    EXPECT_EQ(EditorText(), QStringLiteral("Мой"));
    EXPECT_EQ(Sql(QStringLiteral("SELECT \"Фамилия\" FROM \"Велирск\" WHERE rowid = 1")), QStringLiteral("Чужой"));
    Table()->Cancel();
}

TEST_F(Form1Fixture, aRowDeletedInTheSearchResultsLeavesTheMainGridAndItsCount)
{
    Open(3);
    Table()->Last();
    TDataSet *query = form->Data->ADOQuery1;
    form->Data->ADOQuery1->SQL()->Add(QStringLiteral("SELECT * FROM Велирск WHERE Квартира = '2'"));
    query->Open();
    query->Delete();
    EXPECT_EQ(Panel(0), QStringLiteral("В базе записей: 2"));
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № 2"));
    EXPECT_EQ(form->DBGrid1->DataSource()->DataSet()->FieldByName(QStringLiteral("Квартира"))->AsString(),
              QStringLiteral("3"));
}

TEST_F(Form1Fixture, noticesTellOfARowGoneUnderfootAndOfAnEditKeptAsANewRow)
{
    Open(4);
    Table()->SetRecNo(2);
    Sql(QStringLiteral("DELETE FROM Велирск WHERE Квартира = '2'"));
    ASSERT_TRUE(form->Data->ADOConnection1->FollowOtherWriters());
    EXPECT_EQ(form->NoticeText(), TForm1::RowDeletedElsewhereText());
    EXPECT_EQ(Panel(0), QStringLiteral("В базе записей: 3"));
    EXPECT_EQ(Panel(1), QStringLiteral("Запись № 2"));
    EXPECT_GT(form->StatusBar1->Panel(1).Width, 50) << "the record number stays readable beside the notice";

    // The row being edited goes through the results window: what was typed
    // stays as a new row, and the notice says so until the row is left.
    form->DBGrid1->setFocus();
    TypeIntoGrid(QStringLiteral("77"));
    TDataSet *query = form->Data->ADOQuery1;
    query->Close();
    form->Data->ADOQuery1->SQL()->Clear();
    form->Data->ADOQuery1->SQL()->Add(QStringLiteral("SELECT * FROM Велирск WHERE Квартира = '3'"));
    query->Open();
    query->Delete();
    EXPECT_EQ(form->NoticeText(), TForm1::EditKeptAsNewText());
    EXPECT_EQ(Table()->State(), dsInsert);
    EXPECT_EQ(EditorText(), QStringLiteral("77"));
    PressKey(form->DBGrid1->InplaceEditor(), Qt::Key_Return);
    EXPECT_EQ(Table()->State(), dsBrowse);
    EXPECT_EQ(form->NoticeText(), QString());
    EXPECT_EQ(form->StatusBar1->PanelCount(), 2);
    EXPECT_EQ(Sql(QStringLiteral("SELECT Телефон || '|' || Квартира FROM Велирск WHERE Телефон = '77'")),
              QStringLiteral("77|3"));
}

TEST(Form1About, sixNonEmptyLinesJoinedByLineFeedThenCarriageReturn)
{
    const QString text = TForm1::AboutText();
    const QStringList lines = text.split(QStringLiteral("\n\r"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("Телефонный справочник г. Велирск"));
    for (const QString &line : lines) {
        EXPECT_FALSE(line.trimmed().isEmpty());
        EXPECT_FALSE(line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')));
    }
    EXPECT_FALSE(text.contains(QStringLiteral("\r\n")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("http")));
    EXPECT_TRUE(lines[4].contains(QLatin1Char('@')));
}

TEST_F(Form1Fixture, aboutIsAPlainBoxCaptionedWithTheTitle)
{
    Open(1);
    TMessageBoxHook boxes;
    form->mnuAbout->Click();
    ASSERT_EQ(boxes.Count(), 1);
    const TMessageBoxRequest &box = boxes.Requests()[0];
    EXPECT_EQ(box.text, TForm1::AboutText());
    EXPECT_EQ(box.caption, Application->Title());
    EXPECT_EQ(box.icon, TMsgIcon::None);
    EXPECT_EQ(box.buttons, TMsgButtons::OK);
}

// The navigator bar is no tab stop: the grid keeps the keyboard from the
// start and through every click on the bar, the inserted row's "-" too.
TEST_F(Form1Fixture, gridHasTheKeyboardAtStartAndAfterEveryNavigatorClick)
{
    Open(5);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TDBGrid *grid = form->DBGrid1;
    const auto keyboardInGrid = [&] {
        QWidget *focus = QApplication::focusWidget();
        return focus == grid || (focus && grid->isAncestorOf(focus));
    };
    EXPECT_TRUE(keyboardInGrid());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(Table()->RecNo(), 2);

    const auto click = [&](TNavigateBtn button) {
        QTest::mouseClick(form->GlyphNavigator1->Button(button), Qt::LeftButton);
    };
    click(nbNext);
    EXPECT_TRUE(keyboardInGrid());
    click(nbInsert);
    EXPECT_TRUE(keyboardInGrid());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));
    EXPECT_TRUE(grid->EditorMode());
    TMessageBoxHook confirm(IDOK);
    click(nbDelete);
    EXPECT_EQ(Table()->State(), dsBrowse);
    EXPECT_TRUE(keyboardInGrid());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(Table()->RecNo(), 4);
}

} // namespace
