#include "support/AccessibilityRecorder.h"

#include "toolkit/controls/StatusBar.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QStringList PanelNames(QAccessibleInterface *bar)
{
    QStringList names;
    for (int i = 0; i < bar->childCount(); ++i)
        names << bar->child(i)->text(QAccessible::Name);
    return names;
}

QStringList NameChanges(TAccessibilityRecorder &recorder)
{
    QStringList names;
    for (const TAccessibilityRecorder::TEvent &event : recorder.Of(QAccessible::NameChanged))
        names << event.Name;
    recorder.Clear();
    return names;
}

TEST(StatusBarAccessible, panelsAreTextsNamedByWhatTheyShow)
{
    TStatusBar bar;
    bar.resize(300, TStatusBar::kDefaultHeight);
    bar.AddPanel(150, QStringLiteral("В базе записей: 12"));
    bar.AddPanel(50, QStringLiteral("Запись № 3"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&bar);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StatusBar);
    EXPECT_EQ(PanelNames(iface), (QStringList{"В базе записей: 12", "Запись № 3"}));
    QAccessibleInterface *second = iface->child(1);
    EXPECT_EQ(second->role(), QAccessible::StaticText);
    EXPECT_EQ(second->parent(), iface);
    EXPECT_EQ(iface->indexOfChild(second), 1);
    EXPECT_EQ(iface->child(1), second) << "a panel asked for again is the same object";
    EXPECT_EQ(iface->childAt(bar.mapToGlobal(bar.PanelRect(1).center()).x(),
                             bar.mapToGlobal(bar.PanelRect(1).center()).y()),
              second);

    bar.AddPanel(100, QStringLiteral("Запись удалена"));
    EXPECT_EQ(iface->childCount(), 3);
    bar.RemovePanel(2);
    EXPECT_EQ(iface->childCount(), 2);

    bar.SetSimpleText(QStringLiteral("Поиск…"));
    bar.SetSimplePanel(true);
    EXPECT_EQ(PanelNames(iface), QStringList{"Поиск…"}) << "the simple panel hides the others";
    bar.SetSimplePanel(false);
    EXPECT_EQ(second->text(QAccessible::Name), "Запись № 3");
}

TEST(StatusBarAccessible, aChangedTextIsToldOnceAndOnlyForTheShownPanels)
{
    TAccessibilityRecorder recorder;
    if (!recorder.Listening())
        GTEST_SKIP() << TAccessibilityRecorder::kNoReaderHere;
    TStatusBar bar;
    bar.AddPanel(150, QStringLiteral("В базе записей: 12"));
    bar.AddPanel(50, QStringLiteral("Запись № 3"));
    recorder.Clear();

    bar.SetPanelText(1, QStringLiteral("Запись № 4"));
    EXPECT_EQ(NameChanges(recorder), QStringList{"Запись № 4"});
    bar.SetPanelText(1, QStringLiteral("Запись № 4"));
    bar.SetPanelText(0, QStringLiteral("В базе записей: 12"));
    EXPECT_TRUE(NameChanges(recorder).isEmpty()) << "nothing changed";

    bar.SetSimplePanel(true);
    bar.SetPanelText(0, QStringLiteral("В базе записей: 13"));
    bar.SetSimpleText(QStringLiteral("Поиск…"));
    EXPECT_EQ(NameChanges(recorder), QStringList{"Поиск…"}) << "a hidden panel is not read out";
}

} // namespace
