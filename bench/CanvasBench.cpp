#include "toolkit/gdi/Canvas.h"

#include <benchmark/benchmark.h>

namespace {

// The size of the main window's grid: what one repaint of it composes.
constexpr int kGridWidth = 691;
constexpr int kGridHeight = 321;

void FillGrid(benchmark::State &state)
{
    QImage image(kGridWidth, kGridHeight, QImage::Format_RGB32);
    TCanvas canvas(&image);
    canvas.Brush().SetColor(clBtnFace);
    for (auto _ : state)
        canvas.FillRect({0, 0, kGridWidth, kGridHeight});
}
BENCHMARK(FillGrid);

void CopyGrid(benchmark::State &state)
{
    QImage from(kGridWidth, kGridHeight, QImage::Format_RGB32), to(kGridWidth, kGridHeight, QImage::Format_RGB32);
    from.fill(Qt::white);
    TCanvas source(&from), target(&to);
    for (auto _ : state)
        target.BitBlt(0, 0, kGridWidth, kGridHeight, source, 0, 0, SRCCOPY);
}
BENCHMARK(CopyGrid);

void GridRowText(benchmark::State &state)
{
    QImage image(kGridWidth, 20, QImage::Format_RGB32);
    TCanvas canvas(&image);
    canvas.Brush().SetStyle(bsClear);
    const QString cells[] = {QStringLiteral("21-45-67"),
                             QString::fromUtf8("Иванов"),
                             QString::fromUtf8("Ленина"),
                             QStringLiteral("12"),
                             QStringLiteral("3"),
                             QStringLiteral("45"),
                             QString::fromUtf8("Велирский завод")};
    for (auto _ : state) {
        int x = 0;
        for (const QString &cell : cells) {
            TRect r(x, 0, x + 90, 18);
            canvas.DrawText(cell, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            x += 90;
        }
    }
}
BENCHMARK(GridRowText);

void SmallEllipses(benchmark::State &state)
{
    QImage image(16, 16, QImage::Format_RGB32);
    TCanvas canvas(&image);
    for (auto _ : state)
        canvas.Ellipse(0, 0, 13, 13);
}
BENCHMARK(SmallEllipses);

} // namespace
