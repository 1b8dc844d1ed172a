#include "support/AccessibleEventLog.h"
#include "support/QtPrinters.h"

#include "toolkit/app/Form.h"
#include "toolkit/app/MessageBody.h"
#include "toolkit/app/MessageForm.h"

#include <QAccessible>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QAccessibleInterface *Of(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

TEST(FormAccessible, aFormIsAWindowNamedByItsCaptionInTheRoleOfItsBorder)
{
    TForm form;
    form.SetCaption(QStringLiteral("Телефонный справочник г. Велирск"));
    QAccessibleInterface *window = Of(&form);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Телефонный справочник г. Велирск"));
    form.SetBorderStyle(bsDialog);
    EXPECT_EQ(window->role(), QAccessible::Dialog);

    form.Show();
    TAccessibleEventLog log;
    form.SetCaption(QStringLiteral("Найдено записей: 3"));
    EXPECT_EQ(log.Names(QAccessible::NameChanged), QStringList{QStringLiteral("Найдено записей: 3")});
}

TEST(FormAccessible, aMessageBoxIsAnAlertWhoseTextIsReadBeforeItsButtons)
{
    const TMessageBoxRequest question{QStringLiteral("Удалить запись?\r\nЕё не вернуть."),
                                      QStringLiteral("Подтверждение"), TMsgIcon::Question, TMsgButtons::OKCancel};
    TMessageForm box(question);
    QAccessibleInterface *alert = Of(&box);
    EXPECT_EQ(alert->role(), QAccessible::AlertMessage);
    EXPECT_EQ(alert->text(QAccessible::Name), QStringLiteral("Подтверждение"));
    EXPECT_EQ(alert->text(QAccessible::Description), QStringLiteral("Удалить запись?\nЕё не вернуть."));

    QAccessibleInterface *client = Of(box.ClientArea());
    ASSERT_EQ(client->childCount(), 3);
    EXPECT_EQ(client->child(0)->object(), box.Body());
    EXPECT_EQ(client->child(0)->role(), QAccessible::StaticText);
    EXPECT_EQ(client->child(0)->text(QAccessible::Name), QStringLiteral("Удалить запись?\nЕё не вернуть."));
    EXPECT_EQ(client->child(1)->role(), QAccessible::Button);
    EXPECT_EQ(client->child(1)->text(QAccessible::Name), box.Button(IDOK)->text());
    EXPECT_EQ(client->child(2)->text(QAccessible::Name), box.Button(IDCANCEL)->text());
}

} // namespace
