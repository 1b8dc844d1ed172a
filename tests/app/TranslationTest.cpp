#include "toolkit/app/Translation.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList CaptionsOf(QMenu &menu)
{
    QStringList captions;
    for (const QAction *action : menu.actions())
        if (!action->isSeparator())
            captions << action->text().section(QLatin1Char('\t'), 0, 0);
    return captions;
}

} // namespace

// The test program installs Qt's catalogue as the program does.
TEST(Translation, qtsOwnEditMenuSpeaksRussian)
{
    QLineEdit edit(QStringLiteral("Велирск"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    const QStringList expected{QStringLiteral("&Отменить действие"), QStringLiteral("&Повторить действие"),
                               QStringLiteral("&Вырезать"),          QStringLiteral("&Копировать"),
                               QStringLiteral("В&ставить"),          QStringLiteral("Удалить"),
                               QStringLiteral("Выделить всё")};
    EXPECT_EQ(CaptionsOf(*menu), expected);
}

TEST(Translation, aMissingQtCatalogueIsReportedAndChangesNothing)
{
    const QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    EXPECT_FALSE(InstallQtTranslation(empty.path()));
    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    EXPECT_TRUE(CaptionsOf(*menu).contains(QStringLiteral("&Копировать")));
}
