#include "toolkit/Font.h"
#include "toolkit/SystemColors.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test binary runs inside one QApplication (offscreen platform under
// CTest), so that widgets, fonts and images behave as in the program.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RegisterBundledFonts();
    InstallApplicationPalette();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
