#include "support/AccessibleEventLog.h"
#include "support/QtPrinters.h"

#include "forms/FindForm.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char *const kEdits[] = {"PhoneEdit",  "FamilyEdit", "StreetEdit", "HomeEdit",
                              "korpusEdit", "KvartEdit",  "OrganEdit"};

TEST(FindDialogAccessible, eachEditIsNamedByItsLabelAndTabIsHeardFromEditToEdit)
{
    TFindDialog dialog;
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&dialog);
    EXPECT_EQ(window->role(), QAccessible::Dialog);
    EXPECT_EQ(window->text(QAccessible::Name), dialog.Caption());

    QStringList labels;
    for (int i = 1; i <= 7; ++i)
        labels.append(dialog.findChild<QLabel *>(QStringLiteral("Label%1").arg(i))->text());
    QStringList names;
    for (const char *name : kEdits) {
        auto *edit = dialog.findChild<QLineEdit *>(QLatin1String(name));
        names.append(QAccessible::queryAccessibleInterface(edit)->text(QAccessible::Name));
    }
    EXPECT_EQ(names, labels);

    dialog.Show();
    QApplication::setActiveWindow(&dialog);
    auto *phone = dialog.findChild<QLineEdit *>(QLatin1String(kEdits[0]));
    phone->setFocus();
    TAccessibleEventLog log;
    QTest::keyClick(phone, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(log.Names(QAccessible::Focus), labels.mid(1, 2));
    dialog.Hide();
}

} // namespace
