#include "toolkit/grid/GridKeyMap.h"

TGridKeyCommand GridKeyCommand(int key, Qt::KeyboardModifiers modifiers, TGridKeyOptions options)
{
    using enum TGridKeyCommand;
    const bool ctrl = modifiers & Qt::ControlModifier;
    // Ctrl, or the selection of whole rows, turns Home and End into moves
    // between rows.
    const bool toRows = ctrl || options.RowSelect;
    switch (key) {
    case Qt::Key_Up: return PriorRow;
    case Qt::Key_Down: return NextRowOrAppend;
    case Qt::Key_PageUp: return ctrl ? FirstRow : PriorPage;
    case Qt::Key_PageDown: return ctrl ? LastRow : NextPage;
    case Qt::Key_Home: return toRows ? FirstRow : FirstCol;
    case Qt::Key_End: return toRows ? LastRow : LastCol;
    case Qt::Key_Left: return options.RowSelect ? ScrollLeft : PriorCol;
    case Qt::Key_Right: return options.RowSelect ? ScrollRight : NextCol;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!options.Tabs || options.RowSelect)
            return Unused;
        return key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier) ? TabForward : TabBack;
    case Qt::Key_C: {
        // Where whole rows are selected, the row is what is copied.
        const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
        if (held == (Qt::ControlModifier | Qt::ShiftModifier))
            return CopyRow;
        if (held == Qt::ControlModifier)
            return options.RowSelect ? CopyRow : CopyCell;
        return None;
    }
    case Qt::Key_Insert: return modifiers == Qt::NoModifier ? InsertRecord : Unused;
    case Qt::Key_Delete: return ctrl ? DeleteRecord : Unused;
    case Qt::Key_F2: return ToggleEditor;
    case Qt::Key_Return:
    case Qt::Key_Enter: return PostOrEdit;
    case Qt::Key_Escape: return Cancel;
    default: return None;
    }
}
