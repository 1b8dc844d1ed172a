#include "toolkit/app/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

Qt::CursorShape OverrideShape()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}

TEST(WaitCursor, showsOnlyOnceTheOutermostStepHasLastedAndGoesWithIt)
{
    {
        const TWaitCursor longDelay(60'000);
        TWaitCursor::Tick();
        EXPECT_TRUE(TWaitCursor::Busy());
        EXPECT_FALSE(TWaitCursor::Showing());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    {
        const TWaitCursor outer(0);
        {
            // An inner step neither restarts the clock nor takes the cursor away.
            const TWaitCursor inner(60'000);
            TWaitCursor::Tick();
            EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
        }
        // Shown once: the end of the step takes it off the stack for good.
        TWaitCursor::Tick();
        EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    }
    EXPECT_FALSE(TWaitCursor::Busy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
