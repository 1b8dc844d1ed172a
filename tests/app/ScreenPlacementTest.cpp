#include "toolkit/app/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    const char *what;
    QRect window;
    bool sizeable;
    QRect placed;
};

// A 1280 x 1024 screen at scale 2, and one with a 24-pixel panel at its top.
const QRect kHalvedScreen(0, 0, 640, 512);
const QRect kBelowPanel(0, 24, 1024, 744);

TEST(ScreenPlacement, theCaptionStaysInsideTheAvailableArea)
{
    const PlacementCase cases[] = {
        {"inside stays put", {85, 150, 300, 200}, true, {85, 150, 300, 200}},
        {"off the left comes in", {-58, 50, 300, 200}, false, {0, 50, 300, 200}},
        {"off the right comes in", {500, 50, 300, 200}, false, {340, 50, 300, 200}},
        {"above the top comes down", {10, -30, 300, 200}, false, {10, 0, 300, 200}},
        {"below the bottom comes up", {10, 400, 300, 200}, true, {10, 312, 300, 200}},
        {"a sizeable one too wide is narrowed", {-29, 50, 699, 411}, true, {0, 50, 640, 411}},
        {"a sizeable one too high is shortened", {85, 150, 300, 600}, true, {85, 0, 300, 512}},
        {"a fixed one too wide keeps its close box", {-29, 50, 699, 200}, false, {-59, 50, 699, 200}},
        {"a fixed one too high keeps its caption", {10, 100, 300, 600}, false, {10, 0, 300, 600}},
    };
    for (const PlacementCase &c : cases)
        EXPECT_EQ(FitCaptionOnScreen(c.window, kHalvedScreen, c.sizeable), c.placed) << c.what;
}

TEST(ScreenPlacement, aPanelOnTheScreenKeepsTheCaptionBelowIt)
{
    EXPECT_EQ(FitCaptionOnScreen({100, 0, 300, 200}, kBelowPanel, false), QRect(100, 24, 300, 200));
    EXPECT_EQ(FitCaptionOnScreen({100, 0, 300, 800}, kBelowPanel, false), QRect(100, 24, 300, 800));
    EXPECT_EQ(FitCaptionOnScreen({100, 0, 300, 800}, kBelowPanel, true), QRect(100, 24, 300, 744));
}

} // namespace
