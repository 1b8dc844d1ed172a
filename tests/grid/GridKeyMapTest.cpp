#include "toolkit/grid/GridKeyMap.h"

#include <gtest/gtest.h>

namespace {

using enum TGridKeyCommand;

struct TKeyCase {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    TGridKeyOptions Options;
    TGridKeyCommand Expected;
};

constexpr TGridKeyOptions kCells{};
constexpr TGridKeyOptions kRows{.RowSelect = true};
constexpr TGridKeyOptions kNoTabs{.Tabs = false};

TEST(GridKeyMap, selectingWholeRowsTurnsTheColumnKeysIntoRowsAndScrolling)
{
    const TKeyCase cases[] = {
        {Qt::Key_Home, Qt::NoModifier, kCells, FirstCol}, {Qt::Key_Home, Qt::NoModifier, kRows, FirstRow},
        {Qt::Key_End, Qt::NoModifier, kCells, LastCol},   {Qt::Key_End, Qt::NoModifier, kRows, LastRow},
        {Qt::Key_Left, Qt::NoModifier, kCells, PriorCol}, {Qt::Key_Left, Qt::NoModifier, kRows, ScrollLeft},
        {Qt::Key_Right, Qt::NoModifier, kCells, NextCol}, {Qt::Key_Right, Qt::NoModifier, kRows, ScrollRight},
        {Qt::Key_Tab, Qt::NoModifier, kRows, Unused},     {Qt::Key_Up, Qt::NoModifier, kRows, PriorRow},
    };
    for (const TKeyCase &c : cases)
        EXPECT_EQ(GridKeyCommand(c.Key, c.Modifiers, c.Options), c.Expected)
            << "key " << c.Key << (c.Options.RowSelect ? " selecting rows" : " selecting cells");
}

TEST(GridKeyMap, modifiersDecideBetweenCellsRowsAndKeysLeftToOthers)
{
    const TKeyCase cases[] = {
        {Qt::Key_Home, Qt::ControlModifier, kCells, FirstRow},
        {Qt::Key_PageDown, Qt::ControlModifier, kCells, LastRow},
        {Qt::Key_PageDown, Qt::NoModifier, kCells, NextPage},
        {Qt::Key_Tab, Qt::NoModifier, kCells, TabForward},
        {Qt::Key_Tab, Qt::ShiftModifier, kCells, TabBack},
        {Qt::Key_Backtab, Qt::ShiftModifier, kCells, TabBack},
        {Qt::Key_Tab, Qt::NoModifier, kNoTabs, Unused},
        {Qt::Key_Insert, Qt::NoModifier, kCells, InsertRecord},
        {Qt::Key_Insert, Qt::ShiftModifier, kCells, Unused},
        {Qt::Key_Delete, Qt::NoModifier, kCells, Unused},
        {Qt::Key_Delete, Qt::ControlModifier, kCells, DeleteRecord},
        {Qt::Key_Enter, Qt::KeypadModifier, kCells, PostOrEdit},
        {Qt::Key_A, Qt::NoModifier, kCells, None},
        {Qt::Key_A, Qt::ControlModifier, kCells, None},
    };
    for (const TKeyCase &c : cases)
        EXPECT_EQ(GridKeyCommand(c.Key, c.Modifiers, c.Options), c.Expected)
            << "key " << c.Key << " modifiers " << c.Modifiers.toInt();
}

} // namespace
