#include "support/AccessibleEventLog.h"
#include "support/NavigatorFixtures.h"
#include "support/QtPrinters.h"

#include "components/GlyphNavigator.h"

#include <QAccessible>
#include <gtest/gtest.h>

namespace {

const QStringList kHints = {QStringLiteral("Первая запись"), QStringLiteral("Предыдущая запись"),
                            QStringLiteral("Следующая запись"), QStringLiteral("Последняя запись")};

QAccessibleInterface *Of(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

void Press(QAccessibleInterface *button)
{
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The four-button bar of the results window over three rows.
struct AccessibleNavigatorFixture : ::testing::Test {
    TMemorySource data{3};
    TGlyphNavigator bar;

    void SetUp() override
    {
        bar.SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast});
        bar.SetHints(kHints);
        bar.SetDataSource(&data.source);
        bar.resize(100, 25);
        bar.show();
    }
};

TEST_F(AccessibleNavigatorFixture, buttonsAreNamedByTheirHintsAndPressLikeAClick)
{
    for (int i = 0; i < kHints.size(); ++i) {
        QAccessibleInterface *button = Of(bar.Button(TNavigateBtn(i)));
        EXPECT_EQ(button->role(), QAccessible::Button);
        EXPECT_EQ(button->text(QAccessible::Name), kHints[i]);
    }
    QAccessibleInterface *first = Of(bar.Button(nbFirst));
    QAccessibleInterface *next = Of(bar.Button(nbNext));
    EXPECT_TRUE(first->state().disabled) << "on the first row";
    EXPECT_TRUE(first->actionInterface()->actionNames().isEmpty());

    TAccessibleEventLog log;
    Press(next);
    EXPECT_EQ(data.dataSet.RecNo(), 2);
    EXPECT_FALSE(first->state().disabled);
    EXPECT_TRUE(log.Names(QAccessible::StateChanged).contains(kHints[0])) << "the change is heard";

    Press(Of(bar.Button(nbLast)));
    EXPECT_TRUE(next->state().disabled);
    Press(next);
    EXPECT_EQ(data.dataSet.RecNo(), 3) << "a disabled button does not act";
}

TEST(SpeedButtonAccessible, aCaptionWinsOverTheHintWhichDescribesIt)
{
    TSpeedButton button;
    button.SetHint(QStringLiteral("Сохранить изменения"));
    QAccessibleInterface *face = Of(&button);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Сохранить изменения"));
    EXPECT_EQ(face->text(QAccessible::Description), QString());
    button.SetCaption(QStringLiteral("&Сохранить"));
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Сохранить"));
    EXPECT_EQ(face->text(QAccessible::Description), QStringLiteral("Сохранить изменения"));
    button.SetDown(true);
    EXPECT_TRUE(face->state().pressed);
}

} // namespace
