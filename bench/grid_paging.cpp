// Cost of paging through a directory in the data grid: one PgDn step and a
// jump to the last row, each followed by the repaint it causes, on 1,000 and
// 1,000,000 rows of a database file made by tools/make_directory (kept in the
// temporary folder between runs). The work must not grow with the rows.
#include "support/BenchGrid.h"
#include "toolkit/gdi/Font.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

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
struct TPagingGrid : TBenchGrid {
    explicit TPagingGrid(int rows)
        : TBenchGrid(QStringLiteral("Data Source=%1").arg(DirectoryFile(rows)))
    {
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
        connection.Open();
        data.Open();
    }
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
    PageDownThroughTable(state, GridOf(int(state.range(0))));
}

void BM_JumpToLast(benchmark::State &state)
{
    JumpFromFirstToLast(state, GridOf(int(state.range(0))));
}

BENCHMARK(BM_PageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpToLast)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
