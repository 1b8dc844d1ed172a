// Cost of paging through a directory in the data grid: one PgDn step and a
// jump to the last row, each followed by the repaint it causes, on 1,000 and
// 1,000,000 rows of a database file made by tools/make_directory (kept in the
// temporary folder between runs). The work must not grow with the rows.
#include "data/ADOConnection.h"
#include "data/ADOTable.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/grid/DBGrid.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

const QStringList kFieldNames = {"Телефон", "Фамилия", "Улица", "Дом", "Корпус", "Квартира", "Организация"};
const int kWidths[] = {50, 140, 100, 28, 40, 52, 243};
constexpr TColor kStripeColor = RGB(204, 204, 153);

QString DirectoryFile(int rows)
{
    const QString path = QDir::temp().filePath(QStringLiteral("velirsk_grid_bench_%1.dat").arg(rows));
    if (!QFileInfo::exists(path)) {
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/make_directory");
        if (QProcess::execute(tool, {path, QString::number(rows)}) != 0)
            qFatal("cannot make %s with %s", qPrintable(path), qPrintable(tool));
    }
    return path;
}

// A grid as the main window shows it, with its striping handler, over a
// directory of `rows` records.
struct TPagingGrid {
    explicit TPagingGrid(int rows)
    {
        connection.SetConnectionString(QStringLiteral("Data Source=%1").arg(DirectoryFile(rows)));
        data.SetConnection(&connection);
        data.SetTableName(QStringLiteral("Велирск"));
        source.SetDataSet(&data);
        for (int k = 0; k < kFieldNames.size(); ++k)
            grid.Columns().Add(kFieldNames[k], kWidths[k]);
        grid.SetDataSource(&source);
        grid.OnDrawColumnCell = [this](TDBGrid *sender, const TRect &rect, int dataCol, TColumn *column,
                                       TGridDrawState state) {
            if (data.RecNo() % 2 == 1)
                sender->Canvas()->Brush().SetColor(kStripeColor);
            if (state & gdSelected) {
                sender->Canvas()->Brush().SetColor(clHighlight);
                sender->Canvas()->Font().SetColor(clHighlightText);
            }
            sender->DefaultDrawColumnCell(rect, dataCol, column, state);
        };
        grid.resize(691, 321);
        connection.Open();
        data.Open();
        image = QImage(grid.size(), QImage::Format_RGB32);
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&grid, &press);
    }

    void Paint() { grid.render(&image); }

    TADOConnection connection;
    TADOTable data;
    TDataSource source;
    TDBGrid grid;
    QImage image;
};

TPagingGrid &GridOf(int rows)
{
    static std::map<int, std::unique_ptr<TPagingGrid>> grids;
    auto &grid = grids[rows];
    if (!grid)
        grid = std::make_unique<TPagingGrid>(rows);
    return *grid;
}

void BM_PageDown(benchmark::State &state)
{
    TPagingGrid &g = GridOf(int(state.range(0)));
    g.Key(Qt::Key_Home, Qt::ControlModifier);
    for (auto _ : state) {
        if (g.data.RecNo() == g.data.RecordCount()) {
            state.PauseTiming();
            g.Key(Qt::Key_Home, Qt::ControlModifier);
            state.ResumeTiming();
        }
        g.Key(Qt::Key_PageDown);
        g.Paint();
    }
}

void BM_JumpToLast(benchmark::State &state)
{
    TPagingGrid &g = GridOf(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        g.Key(Qt::Key_Home, Qt::ControlModifier);
        g.Paint();
        state.ResumeTiming();
        g.Key(Qt::Key_End, Qt::ControlModifier);
        g.Paint();
    }
}

BENCHMARK(BM_PageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToLast)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
