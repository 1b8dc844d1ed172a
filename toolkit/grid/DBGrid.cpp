#include "toolkit/grid/DBGrid.h"

#include "toolkit/grid/GridBorders.h"
#include "toolkit/app/ErrorReporting.h"
#include "toolkit/grid/DBGridInplaceEdit.h"
#include "toolkit/grid/DBGridPainter.h"
#include "toolkit/grid/GridKeyMap.h"
#include "toolkit/db/DataLink.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/DatabaseError.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/gdi/SystemColors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

// Widest column the grid makes for a field when it builds its own columns.
constexpr int kMaxDefaultColumnChars = 40;
constexpr int kWheelStepDegrees = 120;

} // namespace

class TDBGrid::TGridDataLink : public TDataLink
{
public:
    explicit TGridDataLink(TDBGrid &grid)
        : m_grid(grid)
    {
    }

protected:
    void ActiveChanged() override { m_grid.LinkActiveChanged(); }
    void DataSetChanged() override { m_grid.LinkDataSetChanged(); }
    void DataSetScrolled(int) override { m_grid.LinkScrolled(); }
    void RecordChanged(TField *field) override { m_grid.LinkRecordChanged(field); }
    void EditingChanged() override { m_grid.LinkEditingChanged(); }
    void UpdateData() override { m_grid.LinkUpdateData(); }

private:
    TDBGrid &m_grid;
};

TDBGrid::TDBGrid(QWidget *parent)
    : QWidget(parent),
      m_dataLink(std::make_unique<TGridDataLink>(*this)),
      m_columns([this] { LayoutChanged(); }),
      m_color(clWindow),
      m_fixedColor(clBtnFace),
      m_measureImage(1, 1, QImage::Format_RGB32),
      m_measureCanvas(&m_measureImage),
      m_scrollBars(
          *this, [this](int row) { CallGuarded([&] { MoveToDisplayRow(row); }); },
          [this](int col) { SetLeftCol(col); })
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_canvas = &m_measureCanvas;
    m_font.OnChange = [this] { LayoutChanged(); };
    m_titleFont.OnChange = [this] { LayoutChanged(); };
    LayoutChanged();
}

TDBGrid::~TDBGrid()
{
    m_dataLink->SetDataSource(nullptr);
}

TDataSource *TDBGrid::DataSource() const
{
    return m_dataLink->DataSource();
}

void TDBGrid::SetDataSource(TDataSource *source)
{
    m_dataLink->SetDataSource(source);
}

TDataSet *TDBGrid::DataSet() const
{
    return m_dataLink->Active() ? m_dataLink->DataSet() : nullptr;
}

void TDBGrid::SetOptions(TDBGridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    if (m_options & dgRowSelect)
        HideEditor();
    LayoutChanged();
}

void TDBGrid::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_dataLink->SetReadOnly(readOnly);
}

void TDBGrid::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TDBGrid::SetFixedColor(TColor color)
{
    if (color == m_fixedColor)
        return;
    m_fixedColor = color;
    update();
}

void TDBGrid::SetSelectedIndex(int dataCol)
{
    MoveCol(dataCol + IndicatorOffset());
}

void TDBGrid::SetColWidths(int col, int width)
{
    if (TColumn *column = m_columns[col - IndicatorOffset()])
        column->SetWidth(width);
}

void TDBGrid::SetLeftCol(int col)
{
    m_geometry.SetLeftCol(std::min(col, Geometry().MaxLeftCol()));
    UpdateScrollBars();
    PlaceEditor();
    update();
}

// ---------------------------------------------------------------- layout

void TDBGrid::LayoutChanged()
{
    TDataSet *ds = DataSet();
    m_columns.BindFields([ds](const QString &name) { return ds ? ds->FindField(name) : nullptr; });
    const bool indicator = m_options & dgIndicator;
    std::vector<int> widths;
    if (indicator)
        widths.push_back(kIndicatorColumnWidth);
    for (int i = 0; i < m_columns.Count(); ++i)
        widths.push_back(m_columns[i]->Width());
    m_geometry.SetColumnWidths(std::move(widths));
    m_geometry.SetIndicatorShown(indicator);
    m_geometry.SetFixedCols(indicator ? 1 : 0);
    m_geometry.SetFixedRows(m_options & dgTitles ? 1 : 0);
    // Fixed cells are always framed by lines; the options switch the lines
    // between data cells.
    m_geometry.SetLines(true, m_options & dgColLines, true, m_options & dgRowLines);
    m_geometry.SetColSizing(m_options & dgColumnResize);

    int textHeight = m_font.Metrics().Height;
    if (m_options & dgTitles)
        textHeight = std::max(textHeight, m_titleFont.Metrics().Height);
    m_geometry.SetDefaultRowHeight(textHeight + kRowTextPadding +
                                  (m_options & dgRowLines ? Geometry().GridLineWidth() : 0));

    m_col = std::clamp(m_col, Geometry().FixedCols(), std::max(Geometry().FixedCols(), ColCount() - 1));
    UpdateClientArea();
    SyncWindow();
    UpdateScrollBars();
    PlaceEditor();
    update();
}

const TGridGeometry &TDBGrid::Geometry() const
{
    if (m_laidOutSize != size())
        UpdateClientArea();
    return m_geometry;
}

void TDBGrid::UpdateClientArea() const
{
    m_laidOutSize = size();
    const QRect inner = rect().adjusted(kGridBorderWidth, kGridBorderWidth, -kGridBorderWidth, -kGridBorderWidth);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int clientWidth = std::max(0, inner.width() - barWidth);

    // The horizontal bar shows while some column cannot be brought into view
    // whole from the first left column on; only the client height depends on it.
    m_geometry.SetClientSize(clientWidth, inner.height());
    m_geometry.SetLeftCol(std::min(m_geometry.LeftCol(), m_geometry.MaxLeftCol()));
    const bool horzBar = m_geometry.MaxLeftCol() > m_geometry.FixedCols();
    const int clientHeight = std::max(0, inner.height() - (horzBar ? barHeight : 0));
    m_geometry.SetClientSize(clientWidth, clientHeight);

    m_scrollBars.Place(QRect(inner.topLeft(), QSize(clientWidth, clientHeight)), horzBar);
}

void TDBGrid::UpdateScrollBars()
{
    std::optional<TGridScrollBars::TRowRange> rows;
    if (TDataSet *ds = DataSet())
        rows = TGridScrollBars::TRowRange{ds->DisplayRowCount(), Geometry().WholeDataRows(), ds->ActiveDisplayRow()};
    m_scrollBars.ShowPosition(rows, {Geometry().FixedCols(), Geometry().MaxLeftCol(), Geometry().VisibleColCount(),
                                     LeftCol()});
}

// Keeps the current row in view and the rows in view filled as far as the
// data set allows.
void TDBGrid::SyncWindow()
{
    TDataSet *ds = DataSet();
    if (!ds) {
        m_topRow = 0;
        return;
    }
    const int count = ds->DisplayRowCount();
    const int active = ds->ActiveDisplayRow();
    const int whole = Geometry().WholeDataRows();
    if (active >= 0) {
        if (active < m_topRow)
            m_topRow = active;
        else if (active >= m_topRow + whole)
            m_topRow = active - whole + 1;
    }
    m_topRow = std::clamp(m_topRow, 0, std::max(0, count - whole));
}

void TDBGrid::InvalidateGrid()
{
    SyncWindow();
    UpdateScrollBars();
    PlaceEditor();
    update();
}

int TDBGrid::RowsInView() const
{
    TDataSet *ds = DataSet();
    const int rows = ds ? std::min(Geometry().VisibleDataRows(), ds->DisplayRowCount() - m_topRow) : 0;
    // An empty set shows the titles alone, unless typing into an empty row
    // there starts the first record.
    const int emptyRow = CanAppend() ? 1 : 0;
    return std::max(rows, std::min(emptyRow, Geometry().VisibleDataRows()));
}

TRect TDBGrid::CellRect(int col, int row) const
{
    const auto span = Geometry().ColumnSpan(col);
    if (!span || row < 0 || row >= Geometry().FixedRows() + Geometry().VisibleDataRows())
        return {};
    const TGridSpan rows = Geometry().RowSpan(row);
    return {span->Start, rows.Start, span->End, rows.End};
}

QPoint TDBGrid::ClientFromWidget(QPoint widgetPos) const
{
    return widgetPos - QPoint(kGridBorderWidth, kGridBorderWidth);
}

QRect TDBGrid::ClientRect() const
{
    return QRect(kGridBorderWidth, kGridBorderWidth, Geometry().ClientWidth(), Geometry().ClientHeight());
}

// ---------------------------------------------------------------- data link

void TDBGrid::LinkActiveChanged()
{
    HideEditor();
    if (TDataSet *ds = DataSet()) {
        if (m_columns.Count() == 0 || m_defaultColumns) {
            m_defaultColumns = true;
            const int charWidth = m_font.Metrics().AveCharWidth;
            m_columns.Clear();
            for (int i = 0; i < ds->FieldCount(); ++i) {
                TField *field = ds->Fields(i);
                const int chars = std::min(field->DisplayWidth(), kMaxDefaultColumnChars);
                m_columns.Add(field->FieldName(), chars * charWidth + 2 * kCellTextMargin);
            }
        }
    } else {
        if (m_defaultColumns)
            m_columns.Clear();
        m_defaultColumns = false;
    }
    m_topRow = 0;
    LayoutChanged();
}

void TDBGrid::LinkDataSetChanged()
{
    TDataSet *ds = DataSet();
    if (ds && ds->State() == dsBrowse)
        HideEditor();
    InvalidateGrid();
}

void TDBGrid::LinkScrolled()
{
    HideEditor();
    InvalidateGrid();
}

void TDBGrid::LinkRecordChanged(TField *field)
{
    TColumn *column = SelectedColumn();
    if (!m_writingEditor && !m_editorModified && EditorMode() && column &&
        (field == nullptr || field == column->Field()))
        m_editor->setText(column->Field() ? column->Field()->AsString() : QString());
    update();
}

void TDBGrid::LinkEditingChanged()
{
    if (!m_dataLink->Editing())
        HideEditor();
    update();
}

void TDBGrid::LinkUpdateData()
{
    WriteEditorToField();
}

// ---------------------------------------------------------------- editing

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
    return (m_options & dgEditing) && !(m_options & dgRowSelect) && !m_readOnly && ds && ds->CanModify() && column &&
           column->Field() && !column->Field()->ReadOnly();
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
    CheckEditorCanHold();
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
    }
    return *m_editor;
}

// The editor would silently cut a longer text; such a cell stays read-only.
void TDBGrid::CheckEditorCanHold()
{
    TColumn *column = SelectedColumn();
    const qsizetype length = column && column->Field() ? column->Field()->AsString().size() : 0;
    if (length <= Editor().maxLength())
        return;
    HideEditor();
    throw EDatabaseError(tr("This value is %1 characters long, longer than the grid can edit (%2 characters). "
                            "It is left as it is; the cell can be read but not changed here.")
                             .arg(QString::number(length), QString::number(Editor().maxLength())));
}

void TDBGrid::ShowEditor(bool selectAll)
{
    TColumn *column = SelectedColumn();
    if (!column)
        return;
    CheckEditorCanHold();
    Editor();
    m_editor->setFont(m_font.ToQFont());
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, ToQColor(m_color));
    palette.setColor(QPalette::Text, ToQColor(m_font.Color()));
    m_editor->setPalette(palette);
    m_editor->setAlignment(column->Alignment() == taRightJustify ? Qt::AlignRight
                          : column->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                : Qt::AlignLeft);
    m_editor->setText(column->Field() ? column->Field()->AsString() : QString());
    m_editorModified = false;
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

// ---------------------------------------------------------------- moving

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
    case None:
        break;
    case Unused:
        return false;
    case PriorRow:
        MoveRows(-1);
        return true;
    case NextRowOrAppend:
        DownOrAppend();
        return true;
    case PriorPage:
        MoveRows(-Geometry().WholeDataRows());
        return true;
    case NextPage:
        MoveRows(Geometry().WholeDataRows());
        return true;
    case FirstRow:
        MoveToDisplayRow(0);
        return true;
    case LastRow:
        MoveToDisplayRow(lastRow);
        return true;
    case FirstCol:
        MoveCol(Geometry().FixedCols());
        return true;
    case LastCol:
        MoveCol(ColCount() - 1);
        return true;
    case PriorCol:
        MoveCol(m_col - 1);
        return true;
    case NextCol:
        MoveCol(m_col + 1);
        return true;
    case ScrollLeft:
        SetLeftCol(LeftCol() - 1);
        return true;
    case ScrollRight:
        SetLeftCol(LeftCol() + 1);
        return true;
    case TabForward:
    case TabBack:
        TabTo(command == TabForward);
        return true;
    case InsertRecord:
        InsertRow();
        return true;
    case DeleteRecord:
        DeleteRow();
        return true;
    case ToggleEditor:
        SetEditorMode(!EditorMode());
        return true;
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
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (!ctrl && !text.isEmpty() && text.at(0).isPrint() && CanEditCell()) {
        StartEditing(text);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- events

bool TDBGrid::HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    bool used = true;
    CallGuarded([&] { used = KeyDown(key, modifiers, text); });
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

void TDBGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TDBGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    FocusLeft();
}

int TDBGrid::SizingColumnAt(QPoint client) const
{
    const int col = ColumnBorderAt(*this, client.x(), client.y());
    return col >= Geometry().FixedCols() ? col : -1;
}

void TDBGrid::mousePressEvent(QMouseEvent *event)
{
    CallGuarded([&] { MouseDown(event); });
}

void TDBGrid::MouseDown(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (!hasFocus() && !EditorMode())
        setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    if (const int col = SizingColumnAt(client); col >= 0) {
        m_sizing.Begin(col, client.x(), ColWidths(col), Geometry().ColumnSpan(col)->End);
        update();
        return;
    }
    TDataSet *ds = DataSet();
    const int row = Geometry().RowAt(client.y());
    const int col = Geometry().ColumnAt(client.x());
    if (!ds || row < Geometry().FixedRows() || client.x() < 0 || client.x() >= Geometry().ClientWidth())
        return;
    const int displayRow = m_topRow + row - Geometry().FixedRows();
    if (displayRow >= ds->DisplayRowCount())
        return;
    const bool onCurrentCell = displayRow == ds->ActiveDisplayRow() && col == m_col;
    MoveToDisplayRow(displayRow);
    if (col >= Geometry().FixedCols())
        MoveCol(col);
    if (onCurrentCell && !EditorMode())
        StartEditing(QString());
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A quick second press sizes like any other.
    mousePressEvent(event);
}

void TDBGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (m_sizing.Active()) {
        m_sizing.MoveTo(client.x(), Geometry().ColumnSpan(m_sizing.Col())->Start);
        update();
        return;
    }
    setCursor(SizingColumnAt(client) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TDBGrid::FinishSizing(int x)
{
    const TColumnSizingDrag::TResult sized = m_sizing.Finish(x);
    SetColWidths(sized.Col, sized.Width);
    update();
}

void TDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (m_sizing.Active() && event->button() == Qt::LeftButton)
        FinishSizing(client.x());
    if (OnMouseUp)
        CallGuarded([&] { OnMouseUp(this, event->button(), event->modifiers(), client.x(), client.y()); });
}

void TDBGrid::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / kWheelStepDegrees;
    if (steps != 0)
        CallGuarded([&] { MoveRows(-steps); });
    event->accept();
}

void TDBGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UpdateClientArea();
    InvalidateGrid();
}

// ---------------------------------------------------------------- painting

void TDBGrid::paintEvent(QPaintEvent *)
{
    if (m_backBuffer.size() != size())
        m_backBuffer = QImage(size(), QImage::Format_RGB32);
    TCanvas canvas(&m_backBuffer);
    m_canvas = &canvas;
    PaintGrid(canvas);
    m_canvas = &m_measureCanvas;
    QPainter(this).drawImage(0, 0, m_backBuffer);
}

void TDBGrid::PaintGrid(TCanvas &canvas)
{
    PaintSunkenBorder(canvas, {0, 0, width(), height()});
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(TRect::FromQRect(rect().adjusted(kGridBorderWidth, kGridBorderWidth, -kGridBorderWidth,
                                                     -kGridBorderWidth)));

    canvas.Save();
    canvas.SetOrigin(kGridBorderWidth, kGridBorderWidth);
    canvas.SetClipRect({0, 0, Geometry().ClientWidth(), Geometry().ClientHeight()});
    canvas.Brush().SetColor(m_color);
    canvas.FillRect({0, 0, Geometry().ClientWidth(), Geometry().ClientHeight()});
    PaintTitleRow(canvas);
    PaintDataRows(canvas);
    if (m_sizing.Active())
        canvas.InvertRect({m_sizing.LineX(), 0, m_sizing.LineX() + kSizingLineWidth, Geometry().ClientHeight()});
    canvas.Restore();
}

void TDBGrid::PaintCellLines(TCanvas &canvas, const TRect &cell, bool fixed)
{
    const int vline = Geometry().VertLineWidth();
    const int hline = Geometry().HorzLineWidth();
    const bool vertShown = fixed || (m_options & dgColLines);
    const bool horzShown = fixed || (m_options & dgRowLines);
    const TColor lineColor = fixed ? FixedLineColor() : DataLineColor(m_color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(vertShown ? lineColor : m_color);
    canvas.FillRect({cell.Right, cell.Top, cell.Right + vline, cell.Bottom + hline});
    canvas.Brush().SetColor(horzShown ? lineColor : m_color);
    canvas.FillRect({cell.Left, cell.Bottom, cell.Right + vline, cell.Bottom + hline});
}

void TDBGrid::PaintTitleRow(TCanvas &canvas)
{
    if (Geometry().FixedRows() == 0)
        return;
    for (int col = 0; col < ColCount(); ++col) {
        const TRect cell = CellRect(col, 0);
        if (cell.IsEmpty())
            continue;
        if (col < Geometry().FixedCols()) {
            PaintFixedCell(canvas, cell, m_fixedColor);
        } else {
            canvas.SetFont(m_titleFont);
            PaintTitleCell(canvas, cell, m_fixedColor, m_columns[col - IndicatorOffset()]->TitleCaption());
        }
        PaintCellLines(canvas, cell, true);
    }
}

void TDBGrid::PaintDataRows(TCanvas &canvas)
{
    TDataSet *ds = DataSet();
    const int active = ds ? ds->ActiveDisplayRow() : -1;
    const TDataSetState state = ds ? ds->State() : dsInactive;
    const int rows = RowsInView();
    for (int i = 0; i < rows; ++i) {
        const int displayRow = m_topRow + i;
        const int row = Geometry().FixedRows() + i;
        const bool current = displayRow == active;
        const bool hasRow = ds && displayRow < ds->DisplayRowCount();
        if (IndicatorShown()) {
            const TRect cell = CellRect(0, row);
            TIndicatorMark mark = TIndicatorMark::None;
            if (current)
                mark = state == dsEdit     ? TIndicatorMark::Editing
                       : state == dsInsert ? TIndicatorMark::Inserting
                                           : TIndicatorMark::Current;
            PaintIndicatorCell(canvas, cell, m_fixedColor, mark);
            PaintCellLines(canvas, cell, true);
        }
        std::optional<TDataSet::DisplayRowScope> scope;
        if (hasRow)
            scope.emplace(*ds, displayRow);
        for (int col = Geometry().FixedCols(); col < ColCount(); ++col) {
            const TRect cell = CellRect(col, row);
            if (cell.IsEmpty())
                continue;
            PaintDataCell(canvas, cell, col, current, hasRow);
            PaintCellLines(canvas, cell, false);
        }
    }
}

void TDBGrid::PaintDataCell(TCanvas &canvas, const TRect &cell, int col, bool currentRow, bool hasRow)
{
    // The selected state follows the current cell (or row) alone, whichever
    // window has the focus; the focused state adds the grid's own focus.
    TGridDrawState state;
    if (currentRow && hasRow && ((m_options & dgRowSelect) || col == m_col))
        state |= gdSelected;
    if ((state & gdSelected) && col == m_col && hasFocus())
        state |= gdFocused;

    canvas.SetFont(m_font);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(state & gdSelected ? clHighlight : m_color);
    if (state & gdSelected)
        canvas.Font().SetColor(clHighlightText);

    const int dataCol = col - IndicatorOffset();
    TColumn *column = m_columns[dataCol];
    if (!hasRow) {
        canvas.FillRect(cell);
        return;
    }
    if (OnDrawColumnCell)
        OnDrawColumnCell(this, cell, dataCol, column, state);
    else
        DefaultDrawColumnCell(cell, dataCol, column, state);
    if ((state & gdFocused) && !(m_options & dgRowSelect) && !EditorMode())
        canvas.DrawFocusRect(cell);
}

void TDBGrid::DefaultDrawColumnCell(const TRect &rect, int, TColumn *column, TGridDrawState)
{
    const QString text = column && column->Field() ? column->Field()->DisplayText() : QString();
    PaintCellText(*m_canvas, rect, column ? column->Alignment() : taLeftJustify, text);
}
