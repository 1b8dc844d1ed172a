#include "toolkit/gdi/Font.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// The one entry point of every benchmark: a widget application offscreen
// (unless a platform is chosen), with the fonts the layouts name.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterBundledFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
