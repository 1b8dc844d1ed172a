#include "support/AccessibleEventLog.h"

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

QStringList NameChanges(TAccessibleEventLog &recorder)
{
    QStringList names;
    for (const TAccessibleEventLog::TEntry &event : recorder.Of(QAccessible::NameChanged))
        names << event.name;
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
    EXPECT_EQ(iface->role(), QAccessible::StatusBar);
    EXPECT_EQ(PanelNames(iface), (QStringList{"В базе записей: 12", "Запись № 3"}));
    QAccessibleInterface *second = iface->child(1);
    EXPECT_EQ(second->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->indexOfChild(second), 1);
    const QPoint centre = bar.mapToGlobal(bar.PanelRect(1).center());
    EXPECT_EQ(iface->childAt(centre.x(), centre.y()), second);

    bar.SetSimpleText(QStringLiteral("Поиск…"));
    bar.SetSimplePanel(true);
    EXPECT_EQ(PanelNames(iface), QStringList{"Поиск…"}) << "the simple panel hides the others";
    bar.SetSimplePanel(false);
    bar.RemovePanel(0);
    EXPECT_EQ(PanelNames(iface), QStringList{"Запись № 3"});
    EXPECT_FALSE(second->isValid());
}

TEST(StatusBarAccessible, aChangedTextIsToldOnceAndOnlyForTheShownPanels)
{
    TAccessibleEventLog recorder;
    TStatusBar bar;
    bar.AddPanel(150, QStringLiteral("В базе записей: 12"));
    bar.AddPanel(50, QStringLiteral("Запись № 3"));
    recorder.Clear();
    bar.SetPanelText(1, QStringLiteral("Запись № 4"));
    bar.SetPanelText(1, QStringLiteral("Запись № 4"));
    EXPECT_EQ(NameChanges(recorder), QStringList{"Запись № 4"});

    bar.SetSimplePanel(true);
    bar.SetPanelText(0, QStringLiteral("В базе записей: 13"));
    bar.SetSimpleText(QStringLiteral("Поиск…"));
    EXPECT_EQ(NameChanges(recorder), QStringList{"Поиск…"}) << "a hidden panel is not read out";
}

} // namespace
