#pragma once

#include <Qt>

// What a key pressed in the grid (or passed on by its in-place editor) asks
// of it. The grid carries a command out against its data set; whether it then
// counts as used may depend on the data set's state (Enter, Escape).
enum class TGridKeyCommand {
    None,   // no key of the grid: typed text may start an edit
    Unused, // a key of the grid that does nothing with these modifiers or options
    PriorRow,
    NextRowOrAppend,
    PriorPage,
    NextPage,
    FirstRow,
    LastRow,
    FirstCol,
    LastCol,
    PriorCol,
    NextCol,
    ScrollLeft,
    ScrollRight,
    TabForward,
    TabBack,
    CopyCell, // the current cell's text to the clipboard
    CopyRow,  // the current row's texts, tab-separated
    InsertRecord,
    DeleteRecord,
    ToggleEditor,
    PostOrEdit,
    Cancel,
};

struct TGridKeyOptions {
    // Whole rows are selected: the horizontal keys scroll and Home and End
    // go to the first and last rows.
    bool RowSelect = false;
    // Tab moves between cells instead of to the next control.
    bool Tabs = true;
};

TGridKeyCommand GridKeyCommand(int key, Qt::KeyboardModifiers modifiers, TGridKeyOptions options);
