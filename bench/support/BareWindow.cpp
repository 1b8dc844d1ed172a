// A bare Qt window of the main window's size, shown and left to paint: what
// start-up costs the toolkit alone, for bench/startup_cost.cpp.
#include <QApplication>
#include <QWidget>

namespace {
constexpr int kMainWindowWidth = 699;
constexpr int kMainWindowHeight = 411;
} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(kMainWindowWidth, kMainWindowHeight);
    window.show();
    return application.exec();
}
