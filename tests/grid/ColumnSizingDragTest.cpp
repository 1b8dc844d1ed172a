#include "toolkit/grid/ColumnSizingDrag.h"

#include "toolkit/grid/DBGridPainter.h"

#include <gtest/gtest.h>

TEST(ColumnSizingDrag, theLineFollowsThePointerButNeverLeavesTheColumnNarrowerThanTheLeast)
{
    TColumnSizingDrag drag;
    EXPECT_FALSE(drag.Active());

    // Column 3 starts at x 200 and is 100 wide; the press is 2 pixels right
    // of its border.
    drag.Begin(3, 302, 100, 300);
    EXPECT_TRUE(drag.Active());
    EXPECT_EQ(drag.Col(), 3);
    EXPECT_EQ(drag.LineX(), 300);

    drag.MoveTo(322, 200);
    EXPECT_EQ(drag.LineX(), 320);
    drag.MoveTo(50, 200);
    EXPECT_EQ(drag.LineX(), 200 + kMinSizedColumnWidth);
    drag.MoveTo(282, 150);
    EXPECT_EQ(drag.LineX(), 230) << "the line stays with the column when it scrolled";

    const TColumnSizingDrag::TResult sized = drag.Finish(252);
    EXPECT_EQ(sized.Col, 3);
    EXPECT_EQ(sized.Width, 50);
    EXPECT_FALSE(drag.Active());
    EXPECT_EQ(drag.Col(), -1);

    drag.Begin(1, 10, 20, 30);
    EXPECT_EQ(drag.Finish(-100).Width, kMinSizedColumnWidth);
}
