#include <QWidget>
#include <gtest/gtest.h>

TEST(Build, widgetsWorkOffscreen)
{
    QWidget w;
    w.resize(10, 10);
    EXPECT_EQ(w.width(), 10);
}
