// The in-place editor over the current cell: when it shows, what it writes
// to the field, and posting or cancelling the row it edits.

#include "toolkit/grid/DBGrid.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/controls/LengthValidator.h"
#include "toolkit/db/DataLink.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/grid/DBGridInplaceEdit.h"
#include "toolkit/grid/DBGridPainter.h"

#include <QApplication>

#include <algorithm>

bool TDBGrid::EditorMode() const
{
    return m_editor && !m_editor->isHidden();
}

QWidget *TDBGrid::InplaceEditor() const
{
    return EditorMode() ? m_editor : nullptr;
}

void TDBGrid::SetEditorMode(bool on)
{
    if (on == EditorMode())
        return;
    if (on)
        StartEditing(QString());
    else {
        WriteEditorToField();
        HideEditor();
    }
}

bool TDBGrid::CanEditCell() const
{
    TDataSet *ds = DataSet();
    TColumn *column = SelectedColumn();
    return (m_options & dgEditing) && !(m_options & dgRowSelect) && !m_readOnly && ds && ds->CanModify() && column
           && column->Field() && !column->Field()->ReadOnly();
}

bool TDBGrid::CanAppend() const
{
    TDataSet *ds = DataSet();
    return (m_options & dgEditing) && !m_readOnly && ds && ds->CanModify();
}

void TDBGrid::StartEditing(const QString &typed)
{
    if (!CanEditCell())
        return;
    if (!m_dataLink->Edit())
        return;
    ShowEditor(typed.isEmpty());
    if (!typed.isEmpty()) {
        m_editor->setText(typed);
        m_editorModified = true;
    }
}

TDBGridInplaceEdit &TDBGrid::Editor()
{
    if (!m_editor) {
        m_editor = new TDBGridInplaceEdit(*this);
        connect(m_editor, &QLineEdit::textEdited, this, [this] { EditorTextEdited(); });
        // The line edit signals before it undoes the refused input.
        connect(
            m_editor, &QLineEdit::inputRejected, this, [this] { EditorInputRefused(); }, Qt::QueuedConnection);
    }
    return *m_editor;
}

// A field's declared size limits what the person types or pastes, as
// editors of such fields always did; a value stored longer by another program
// is never cut, and may be shortened. A field declaring no size takes any
// length.
qsizetype TDBGrid::EditorLengthLimit(const TField &field)
{
    if (field.Size() <= 0)
        return kNoLengthLimit;
    return std::max<qsizetype>(field.Size(), field.AsString().size());
}

// A single character past the limit is refused as an edit field refuses a
// key; longer input is refused with a message, so that no text is lost
// unseen.
void TDBGrid::EditorInputRefused()
{
    if (!EditorMode())
        return;
    const qsizetype refused = m_editor->RefusedLength();
    if (refused - m_editor->text().size() <= 1) {
        QApplication::beep();
        return;
    }
    CallGuarded([&] {
        throw EDatabaseError(tr("This field holds at most %1 characters; with the inserted text it would have %2. "
                                "The text was not inserted.")
                                 .arg(QString::number(m_editor->LengthLimit()), QString::number(refused)));
    });
}

void TDBGrid::ShowEditor(bool selectAll)
{
    TColumn *column = SelectedColumn();
    if (!column)
        return;
    Editor();
    m_editor->setFont(m_font.ToScreenQFont(devicePixelRatioF()));
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, ToQColor(m_color));
    palette.setColor(QPalette::Text, ToQColor(m_font.Color()));
    m_editor->setPalette(palette);
    m_editor->setAlignment(column->Alignment() == taRightJustify ? Qt::AlignRight
                           : column->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft);
    m_editor->SetLengthLimit(column->Field() ? EditorLengthLimit(*column->Field()) : kNoLengthLimit);
    m_editor->setText(column->Field() ? column->Field()->AsString() : QString());
    m_editorModified = false;
    NameEditor();
    m_editor->show();
    PlaceEditor();
    if (selectAll)
        m_editor->selectAll();
    m_editor->setFocus();
    update();
}

void TDBGrid::HideEditor()
{
    if (!EditorMode())
        return;
    const bool hadFocus = m_editor->hasFocus();
    m_editorModified = false;
    m_editor->hide();
    if (hadFocus)
        setFocus();
    update();
}

void TDBGrid::PlaceEditor()
{
    if (!EditorMode())
        return;
    TDataSet *ds = DataSet();
    const int row = ds ? Geometry().FixedRows() + ds->ActiveDisplayRow() - m_topRow : -1;
    const TRect cell = CellRect(m_col, row);
    if (cell.IsEmpty()) {
        m_editor->setGeometry(0, 0, 0, 0);
        return;
    }
    const int right = std::min(cell.Right, Geometry().ClientWidth());
    m_editor->setGeometry(kGridBorderWidth + cell.Left, kGridBorderWidth + cell.Top, right - cell.Left, cell.Height());
}

void TDBGrid::EditorTextEdited()
{
    m_editorModified = true;
}

void TDBGrid::WriteEditorToField()
{
    TDataSet *ds = DataSet();
    TColumn *column = SelectedColumn();
    if (!m_editorModified || !EditorMode() || !ds || !column || !column->Field())
        return;
    if (ds->State() != dsEdit && ds->State() != dsInsert)
        return;
    m_writingEditor = true;
    try {
        column->Field()->SetAsString(m_editor->text());
    } catch (...) {
        m_writingEditor = false;
        throw;
    }
    m_writingEditor = false;
    m_editorModified = false;
}

void TDBGrid::PostEditor()
{
    TDataSet *ds = DataSet();
    if (ds && (ds->State() == dsEdit || ds->State() == dsInsert))
        ds->CheckBrowseMode();
    HideEditor();
}

void TDBGrid::CancelEditing()
{
    m_editorModified = false;
    HideEditor();
    if (TDataSet *ds = DataSet())
        ds->Cancel();
}

void TDBGrid::FocusLeft()
{
    QWidget *focus = QApplication::focusWidget();
    if (focus == this || (m_editor && focus == m_editor))
        return;
    TDataSet *ds = DataSet();
    if ((m_options & dgCancelOnExit) && ds && ds->State() == dsInsert && !ds->Modified() && !m_editorModified)
        CallGuarded([this] { CancelEditing(); });
    update();
}
