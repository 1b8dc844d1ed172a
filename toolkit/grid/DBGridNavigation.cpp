// Keys and the moves they make between the grid's cells and rows.

#include "toolkit/grid/DBGrid.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/db/DataSet.h"
#include "toolkit/grid/GridKeyMap.h"

#include <QKeyEvent>

#include <algorithm>
#include <cstdlib>

void TDBGrid::MoveToDisplayRow(int displayRow)
{
    TDataSet *ds = DataSet();
    if (!ds)
        return;
    const int count = ds->DisplayRowCount();
    if (count == 0)
        return;
    const int target = std::clamp(displayRow, 0, count - 1);
    const int active = ds->ActiveDisplayRow();
    if (target == active)
        return;
    if (ds->State() != dsInsert) {
        ds->SetRecNo(target + 1);
        return;
    }
    // Leaving the new row adds it to the records (post) or drops it
    // (cancel); the rows below it keep their place only in the first case.
    const int recordsBefore = ds->RecordCount();
    ds->CheckBrowseMode();
    const bool posted = ds->RecordCount() > recordsBefore;
    const int record = posted || target < active ? target : target - 1;
    ds->SetRecNo(record + 1);
}

void TDBGrid::MoveRows(int distance)
{
    TDataSet *ds = DataSet();
    if (!ds || distance == 0)
        return;
    const int active = std::max(0, ds->ActiveDisplayRow());
    const int target = std::clamp(active + distance, 0, std::max(0, ds->DisplayRowCount() - 1));
    const int oldTop = m_topRow;
    // A page step moves the rows in view with the current row, so that it
    // keeps its place on the screen.
    if (std::abs(distance) > 1)
        m_topRow += target - active;
    try {
        MoveToDisplayRow(target);
    } catch (...) {
        m_topRow = oldTop;
        InvalidateGrid();
        throw;
    }
    InvalidateGrid();
}

void TDBGrid::DownOrAppend()
{
    TDataSet *ds = DataSet();
    if (!ds)
        return;
    if (ds->ActiveDisplayRow() < ds->DisplayRowCount() - 1) {
        MoveRows(1);
        return;
    }
    if (!CanAppend())
        return;
    if (ds->State() == dsInsert && !ds->Modified() && !m_editorModified)
        return;
    ds->Append();
}

void TDBGrid::MoveCol(int col)
{
    if (ColCount() <= Geometry().FixedCols())
        return;
    col = std::clamp(col, Geometry().FixedCols(), ColCount() - 1);
    if (col == m_col && Geometry().ColumnSpan(col))
        return;
    const bool editing = EditorMode();
    WriteEditorToField();
    m_col = col;
    m_geometry.ScrollColumnIntoView(col);
    UpdateScrollBars();
    if (editing)
        ShowEditor(true);
    update();
    AnnounceCurrentCell();
}

void TDBGrid::TabTo(bool forward)
{
    TDataSet *ds = DataSet();
    const int first = Geometry().FixedCols();
    const int last = ColCount() - 1;
    if (forward && m_col < last) {
        MoveCol(m_col + 1);
    } else if (!forward && m_col > first) {
        MoveCol(m_col - 1);
    } else if (ds && forward) {
        DownOrAppend();
        MoveCol(first);
    } else if (ds && ds->ActiveDisplayRow() > 0) {
        MoveRows(-1);
        MoveCol(last);
    }
}

void TDBGrid::InsertRow()
{
    if (TDataSet *ds = DataSet(); ds && CanAppend())
        ds->Insert();
}

void TDBGrid::DeleteRow()
{
    TDataSet *ds = DataSet();
    if (!ds || m_readOnly || !ds->CanModify() || (ds->IsEmpty() && ds->State() != dsInsert))
        return;
    if ((m_options & dgConfirmDelete) && !ConfirmDeleteRecord())
        return;
    m_editorModified = false;
    HideEditor();
    ds->Delete();
}

bool TDBGrid::KeyDown(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    TDataSet *ds = DataSet();
    const int lastRow = ds ? ds->DisplayRowCount() - 1 : 0;
    const TGridKeyCommand command =
        GridKeyCommand(key, modifiers, {.RowSelect = bool(m_options & dgRowSelect), .Tabs = bool(m_options & dgTabs)});
    using enum TGridKeyCommand;
    switch (command) {
    case None: break;
    case Unused: return false;
    case PriorRow: MoveRows(-1); return true;
    case NextRowOrAppend: DownOrAppend(); return true;
    case PriorPage: MoveRows(-Geometry().WholeDataRows()); return true;
    case NextPage: MoveRows(Geometry().WholeDataRows()); return true;
    case FirstRow: MoveToDisplayRow(0); return true;
    case LastRow: MoveToDisplayRow(lastRow); return true;
    case FirstCol: MoveCol(Geometry().FixedCols()); return true;
    case LastCol: MoveCol(ColCount() - 1); return true;
    case PriorCol: MoveCol(m_col - 1); return true;
    case NextCol: MoveCol(m_col + 1); return true;
    case ScrollLeft: SetLeftCol(LeftCol() - 1); return true;
    case ScrollRight: SetLeftCol(LeftCol() + 1); return true;
    case TabForward:
    case TabBack: TabTo(command == TabForward); return true;
    case CopyCell:
    case CopyRow: CopyToClipboard(command == CopyRow); return true;
    case InsertRecord: InsertRow(); return true;
    case DeleteRecord: DeleteRow(); return true;
    case ToggleEditor: SetEditorMode(!EditorMode()); return true;
    case PostOrEdit:
        if (ds && (ds->State() == dsEdit || ds->State() == dsInsert))
            PostEditor();
        else
            StartEditing(QString());
        return true;
    case Cancel:
        if (!ds || ds->State() == dsBrowse)
            return false;
        CancelEditing();
        return true;
    }
    // A letter held with Ctrl, Alt or Meta is a command (a menu's accelerator
    // among them), never text: typed into the cell it would replace the value
    // and the next move would post it.
    const bool heldAsCommand = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!heldAsCommand && !text.isEmpty() && text.at(0).isPrint() && CanEditCell()) {
        StartEditing(text);
        return true;
    }
    return false;
}

bool TDBGrid::HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    bool used = true;
    HandleInput([&] { used = KeyDown(key, modifiers, text); });
    return used;
}

void TDBGrid::keyPressEvent(QKeyEvent *event)
{
    if (HandleKey(event->key(), event->modifiers(), event->text()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool TDBGrid::focusNextPrevChild(bool next)
{
    if ((m_options & dgTabs) && !(m_options & dgRowSelect))
        return false;
    return QWidget::focusNextPrevChild(next);
}
