// Cost of painting the data grid when one cell holds a very long text (a
// legacy organisation field of up to a million characters): the paint must
// cost about the same whatever the length.
#include "toolkit/db/DataSource.h"
#include "toolkit/db/MemoryDataSet.h"
#include "toolkit/grid/DBGrid.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PaintLongCell(benchmark::State &state)
{
    TMemoryDataSet data;
    TDataSource source;
    TDBGrid grid;
    data.SetFieldNames({QStringLiteral("Телефон"), QStringLiteral("Организация")});
    data.SetRows({{QStringLiteral("2-40-15"), QString(int(state.range(0)), QChar(u'ж'))},
                  {QStringLiteral("2-40-16"), QStringLiteral("Школа № 1")}});
    data.Open();
    grid.Columns().Add(QStringLiteral("Телефон"), 50);
    grid.Columns().Add(QStringLiteral("Организация"), 243);
    grid.resize(691, 321);
    source.SetDataSet(&data);
    grid.SetDataSource(&source);
    QImage image(grid.size(), QImage::Format_RGB32);
    for (auto _ : state)
        grid.render(&image);
}

BENCHMARK(BM_PaintLongCell)->Arg(100)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
