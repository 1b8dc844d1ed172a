#include "toolkit/app/Application.h"

#include <gtest/gtest.h>

// Every test binary runs inside one application object (offscreen platform
// under CTest), so that widgets, fonts, images and the handling of escaping
// exceptions behave as in the program.
int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
