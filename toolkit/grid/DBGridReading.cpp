// What the grid tells beyond its picture: the current cell to assistive
// technology, the in-place editor's name, and the cells copied to the
// clipboard.

#include "toolkit/grid/DBGrid.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/db/DataSet.h"
#include "toolkit/grid/DBGridAccessible.h"
#include "toolkit/grid/DBGridInplaceEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QStringList>

QString TDBGrid::CellText(int displayRow, int dataCol) const
{
    TDataSet *ds = DataSet();
    TColumn *column = m_columns[dataCol];
    if (!ds || !column || !column->Field() || displayRow < 0 || displayRow >= ds->DisplayRowCount())
        return {};
    TDataSet::DisplayRowScope scope(*ds, displayRow);
    return scope.Read() ? column->Field()->DisplayText() : QString();
}

void TDBGrid::GoToCell(int displayRow, int dataCol)
{
    HandleInput([&] {
        MoveToDisplayRow(displayRow);
        MoveCol(dataCol + IndicatorOffset());
    });
}

void TDBGrid::HandleInput(const std::function<void()> &input)
{
    ++m_inputsInProgress;
    CallGuarded(input);
    --m_inputsInProgress;
    CallGuarded([this] { AnnounceCurrentCell(); });
}

// A reader hears the cell it stands on: the cell is announced as focused when
// it is another cell than last told, or shows another text. While the editor
// is shown it stands for its cell and is announced only when it moves, not
// as its text is typed. Only the active window speaks, so that a live-view
// change in a window behind the one in use does not take the reader away.
void TDBGrid::AnnounceCurrentCell()
{
    if (!QAccessible::isActive() || m_inputsInProgress > 0)
        return;
    TDataSet *ds = DataSet();
    TAnnouncedCell current;
    if (ds && ds->ActiveDisplayRow() >= 0 && SelectedColumn())
        current = {ds->ActiveDisplayRow(), SelectedIndex(), CellText(ds->ActiveDisplayRow(), SelectedIndex())};
    const bool moved = current.DisplayRow != m_announced.DisplayRow || current.DataCol != m_announced.DataCol;
    if (current == m_announced)
        return;
    m_announced = current;
    if (current.DisplayRow < 0 || !isVisible() || !isActiveWindow())
        return;
    if (EditorMode()) {
        if (moved && m_editor->hasFocus()) {
            QAccessibleEvent event(m_editor, QAccessible::Focus);
            QAccessible::updateAccessibility(&event);
        }
        return;
    }
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface *cell = table && table->tableInterface()
                                     ? table->tableInterface()->cellAt(current.DisplayRow, current.DataCol)
                                     : nullptr;
    if (!cell)
        return;
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

// Rows come and go by this program's edits and other programs' commits
// alike; a reader learns only that the table is to be read again.
void TDBGrid::AnnounceRowCount()
{
    if (!QAccessible::isActive())
        return;
    TDataSet *ds = DataSet();
    const int count = ds ? ds->DisplayRowCount() : 0;
    if (count == m_announcedRowCount)
        return;
    m_announcedRowCount = count;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

// Qt announces the grid itself once its focus-in handlers have run; the cell
// is told after that, so that it is what the reader is left on.
void TDBGrid::AnnounceCurrentCellAfterFocus()
{
    if (!QAccessible::isActive())
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!hasFocus())
                return;
            m_announced = {};
            CallGuarded([this] { AnnounceCurrentCell(); });
        },
        Qt::QueuedConnection);
}

// "Фамилия, запись 12": the column and the record the editor changes.
void TDBGrid::NameEditor()
{
    TDataSet *ds = DataSet();
    TColumn *column = SelectedColumn();
    if (!m_editor || !ds || !column)
        return;
    const int recNo = ds->RecNo();
    const QString record = recNo > 0 ? tr("record %1").arg(recNo) : tr("new record");
    const QString name = column->TitleCaption() + QStringLiteral(", ") + record;
    if (m_editor->accessibleName() != name)
        m_editor->setAccessibleName(name);
}

void TDBGrid::CopyToClipboard(bool wholeRow) const
{
    TDataSet *ds = DataSet();
    if (!ds || ds->ActiveDisplayRow() < 0)
        return;
    const int row = ds->ActiveDisplayRow();
    if (!wholeRow) {
        QGuiApplication::clipboard()->setText(CellText(row, SelectedIndex()));
        return;
    }
    QStringList texts;
    for (int col = 0; col < m_columns.Count(); ++col)
        texts << CellText(row, col);
    QGuiApplication::clipboard()->setText(texts.join(QLatin1Char('\t')));
}
