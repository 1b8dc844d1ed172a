#include "components/FlatBtn.h"
#include "forms/FindForm.h"
#include "toolkit/app/Application.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Placement {
    const char *name;
    QRect geometry;
};

} // namespace

TEST(FindDialog, controlsSitWhereTheLayoutPutsThem)
{
    TFindDialog dialog;
    EXPECT_EQ(dialog.ClientSize(), QSize(434, 226));
    EXPECT_EQ(dialog.Caption(), QStringLiteral("Телефонный справочник г. Велирск | Поиск в базе данных"));
    EXPECT_EQ(dialog.BorderStyle(), bsDialog);
    EXPECT_EQ(dialog.FormStyle(), fsStayOnTop);
    EXPECT_TRUE(dialog.KeyPreview());
    EXPECT_EQ(dialog.GroupBox1->geometry(), QRect(0, 0, 433, 193));
    EXPECT_EQ(dialog.GroupBox1->title(), QStringLiteral("Условия поиска"));

    const Placement placements[] = {
        {"PhoneEdit", {96, 16, 329, 21}},   {"FamilyEdit", {96, 40, 329, 21}},  {"StreetEdit", {96, 64, 329, 21}},
        {"HomeEdit", {96, 88, 329, 21}},    {"korpusEdit", {96, 112, 329, 21}}, {"KvartEdit", {96, 136, 329, 21}},
        {"OrganEdit", {152, 160, 273, 21}}, {"Label1", {8, 16, 81, 13}},        {"Label7", {8, 160, 136, 13}},
        {"FindButton", {104, 200, 73, 26}},
    };
    for (const Placement &p : placements) {
        auto *control = dialog.findChild<QWidget *>(QLatin1String(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->geometry(), p.geometry) << p.name;
    }
    EXPECT_EQ(dialog.CancelButton->geometry().topLeft(), QPoint(264, 200));
    EXPECT_EQ(dialog.CancelButton->width(), 73);
}

TEST(FindDialog, tabOrderRunsFromTheButtonsThroughTheEditsTopToBottom)
{
    TFindDialog dialog;
    const QList<QWidget *> expected = {dialog.FindButton, dialog.CancelButton, dialog.PhoneEdit,
                                       dialog.FamilyEdit, dialog.StreetEdit,   dialog.HomeEdit,
                                       dialog.korpusEdit, dialog.KvartEdit,    dialog.OrganEdit};
    QList<QWidget *> order;
    QWidget *control = dialog.FindButton;
    do {
        if (control->focusPolicy() & Qt::TabFocus)
            order << control;
        control = control->nextInFocusChain();
    } while (control != dialog.FindButton && order.size() <= expected.size());
    EXPECT_EQ(order, expected);
}

TEST(FindDialog, showingEmptiesTheEditsButBringingForwardKeepsThem)
{
    TFindDialog dialog;
    dialog.FamilyEdit->setText(QStringLiteral("Иванов"));
    dialog.Show();
    EXPECT_TRUE(dialog.FamilyEdit->text().isEmpty());
    dialog.OrganEdit->setText(QStringLiteral("школа"));
    dialog.Show();
    EXPECT_EQ(dialog.OrganEdit->text(), QStringLiteral("школа"));
    EXPECT_EQ(dialog.Criteria(), QStringList({"", "", "", "", "", "", "школа"}));
    dialog.Hide();
}

TEST(FindDialog, enterAnywhereClicksFindAndStillReachesTheControl)
{
    TFindDialog dialog;
    dialog.Show();
    // The search itself is left out: only the click is counted.
    QObject::disconnect(dialog.FindButton, &TFlatGlyphButton::Clicked, nullptr, nullptr);
    QSignalSpy clicks(dialog.FindButton, &TFlatGlyphButton::Clicked);
    dialog.StreetEdit->setFocus();
    QSignalSpy returns(dialog.StreetEdit, &QLineEdit::returnPressed);
    QTest::keyClick(dialog.StreetEdit, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(returns.count(), 1);
    dialog.Hide();
}

TEST(FindDialog, escapeAnywhereClosesTheDialogAsItsCloseBoxDoes)
{
    TFindDialog dialog;
    dialog.Show();
    dialog.StreetEdit->setFocus();
    QTest::keyClick(dialog.StreetEdit, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(FindDialog, aBlueFrameOutlinesTheWholeWindowOverItsBorder)
{
    TFindDialog dialog;
    const QImage window = dialog.RenderNonClient();
    const QRgb blue = qRgb(0, 0, 255);
    const int w = window.width();
    const int h = window.height();
    // The 3-pixel pen is centred on the window's edge: two of its pixels
    // fall inside the window.
    for (int inset = 0; inset < 2; ++inset) {
        EXPECT_EQ(window.pixel(w / 2, inset), blue) << inset;
        EXPECT_EQ(window.pixel(inset, h / 2), blue) << inset;
        EXPECT_EQ(window.pixel(w - 1 - inset, h / 2), blue) << inset;
        EXPECT_EQ(window.pixel(w / 2, h - 1 - inset), blue) << inset;
    }
    EXPECT_NE(window.pixel(w / 2, h / 2), blue);
    EXPECT_NE(window.pixel(2, h / 2), blue);
}

TEST(FindDialog, enterOnAFocusedButtonIsThatButtonsOwnClickOnly)
{
    TFindDialog dialog;
    dialog.Show();
    QObject::disconnect(dialog.FindButton, &TFlatGlyphButton::Clicked, nullptr, nullptr);
    QObject::disconnect(dialog.CancelButton, &TFlatGlyphButton::Clicked, nullptr, nullptr);
    QSignalSpy finds(dialog.FindButton, &TFlatGlyphButton::Clicked);
    QSignalSpy cancels(dialog.CancelButton, &TFlatGlyphButton::Clicked);
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    dialog.FindButton->setFocus();
    QTest::keyClick(dialog.FindButton, Qt::Key_Return);
    EXPECT_EQ(finds.count(), 1);

    dialog.CancelButton->setFocus();
    QTest::keyClick(dialog.CancelButton, Qt::Key_Return);
    EXPECT_EQ(finds.count(), 1);
    EXPECT_EQ(cancels.count(), 1);
    dialog.Hide();
}
