#include "toolkit/grid/DBGrid.h"

#include "components/GridRoutine.h"
#include "toolkit/app/Application.h"
#include "toolkit/grid/DBGridInplaceEdit.h"
#include "toolkit/grid/DBGridPainter.h"
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
constexpr int MaxDefaultColumnChars = 40;
constexpr int WheelStepDegrees = 120;

// Qt does not carry exceptions through its event delivery: a data-set error
// raised by a key, a click or a scroll is shown by the application's handler
// right here, and the grid stays as the failed operation left it.
template <class Action>
void Guarded(Action &&action)
{
    if (Application)
        Application->Guarded(std::forward<Action>(action));
    else
        action();
}

} // namespace

class TDBGrid::TGridDataLink : public TDataLink
{
public:
    explicit TGridDataLink(TDBGrid &grid)
        : FGrid(grid)
    {
    }

protected:
    void ActiveChanged() override { FGrid.LinkActiveChanged(); }
    void DataSetChanged() override { FGrid.LinkDataSetChanged(); }
    void DataSetScrolled(int) override { FGrid.LinkScrolled(); }
    void RecordChanged(TField *field) override { FGrid.LinkRecordChanged(field); }
    void EditingChanged() override { FGrid.LinkEditingChanged(); }
    void UpdateData() override { FGrid.LinkUpdateData(); }

private:
    TDBGrid &FGrid;
};

TDBGrid::TDBGrid(QWidget *parent)
    : QWidget(parent),
      FDataLink(std::make_unique<TGridDataLink>(*this)),
      FColumns([this] { LayoutChanged(); }),
      FColor(clWindow),
      FFixedColor(clBtnFace),
      FMeasureImage(1, 1, QImage::Format_RGB32),
      FMeasureCanvas(&FMeasureImage)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    FCanvas = &FMeasureCanvas;
    FFont.OnChange = [this] { LayoutChanged(); };
    FTitleFont.OnChange = [this] { LayoutChanged(); };

    FVertScrollBar = new QScrollBar(Qt::Vertical, this);
    FHorzScrollBar = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar *bar : {FVertScrollBar, FHorzScrollBar})
        bar->setFocusPolicy(Qt::NoFocus);
    FHorzScrollBar->hide();
    connect(FVertScrollBar, &QScrollBar::valueChanged, this, [this](int row) {
        if (!FUpdatingScrollBars)
            Guarded([&] { MoveToDisplayRow(row); });
    });
    connect(FHorzScrollBar, &QScrollBar::valueChanged, this, [this](int col) {
        if (!FUpdatingScrollBars)
            SetLeftCol(col);
    });
    LayoutChanged();
}

TDBGrid::~TDBGrid()
{
    FDataLink->SetDataSource(nullptr);
}

TDataSource *TDBGrid::DataSource() const
{
    return FDataLink->DataSource();
}

void TDBGrid::SetDataSource(TDataSource *source)
{
    FDataLink->SetDataSource(source);
}

TDataSet *TDBGrid::DataSet() const
{
    return FDataLink->Active() ? FDataLink->DataSet() : nullptr;
}

void TDBGrid::SetOptions(TDBGridOptions options)
{
    if (options == FOptions)
        return;
    FOptions = options;
    if (FOptions & dgRowSelect)
        HideEditor();
    LayoutChanged();
}

void TDBGrid::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    FDataLink->SetReadOnly(readOnly);
}

void TDBGrid::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TDBGrid::SetFixedColor(TColor color)
{
    if (color == FFixedColor)
        return;
    FFixedColor = color;
    update();
}

void TDBGrid::SetSelectedIndex(int dataCol)
{
    MoveCol(dataCol + IndicatorOffset());
}

void TDBGrid::SetColWidths(int col, int width)
{
    if (TColumn *column = FColumns[col - IndicatorOffset()])
        column->SetWidth(width);
}

void TDBGrid::SetLeftCol(int col)
{
    FGeometry.SetLeftCol(std::min(col, Geometry().MaxLeftCol()));
    UpdateScrollBars();
    PlaceEditor();
    update();
}

// ---------------------------------------------------------------- layout

void TDBGrid::LayoutChanged()
{
    TDataSet *ds = DataSet();
    FColumns.BindFields([ds](const QString &name) { return ds ? ds->FindField(name) : nullptr; });
    const bool indicator = FOptions & dgIndicator;
    std::vector<int> widths;
    if (indicator)
        widths.push_back(IndicatorColumnWidth);
    for (int i = 0; i < FColumns.Count(); ++i)
        widths.push_back(FColumns[i]->Width());
    FGeometry.SetColumnWidths(std::move(widths));
    FGeometry.SetIndicatorShown(indicator);
    FGeometry.SetFixedCols(indicator ? 1 : 0);
    FGeometry.SetFixedRows(FOptions & dgTitles ? 1 : 0);
    // Fixed cells are always framed by lines; the options switch the lines
    // between data cells.
    FGeometry.SetLines(true, FOptions & dgColLines, true, FOptions & dgRowLines);
    FGeometry.SetColSizing(FOptions & dgColumnResize);

    int textHeight = FFont.Metrics().Height;
    if (FOptions & dgTitles)
        textHeight = std::max(textHeight, FTitleFont.Metrics().Height);
    FGeometry.SetDefaultRowHeight(textHeight + RowTextPadding +
                                  (FOptions & dgRowLines ? Geometry().GridLineWidth() : 0));

    FCol = std::clamp(FCol, Geometry().FixedCols(), std::max(Geometry().FixedCols(), ColCount() - 1));
    UpdateClientArea();
    SyncWindow();
    UpdateScrollBars();
    PlaceEditor();
    update();
}

const TGridGeometry &TDBGrid::Geometry() const
{
    if (FLaidOutSize != size())
        UpdateClientArea();
    return FGeometry;
}

void TDBGrid::UpdateClientArea() const
{
    FLaidOutSize = size();
    const QRect inner = rect().adjusted(GridBorderWidth, GridBorderWidth, -GridBorderWidth, -GridBorderWidth);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    const int clientWidth = std::max(0, inner.width() - barWidth);

    // The horizontal bar shows while some column cannot be brought into view
    // whole from the first left column on; only the client height depends on it.
    FGeometry.SetClientSize(clientWidth, inner.height());
    FGeometry.SetLeftCol(std::min(FGeometry.LeftCol(), FGeometry.MaxLeftCol()));
    const bool horzBar = FGeometry.MaxLeftCol() > FGeometry.FixedCols();
    const int clientHeight = std::max(0, inner.height() - (horzBar ? barHeight : 0));
    FGeometry.SetClientSize(clientWidth, clientHeight);

    FVertScrollBar->setGeometry(inner.left() + clientWidth, inner.top(), barWidth, clientHeight);
    FHorzScrollBar->setGeometry(inner.left(), inner.top() + clientHeight, clientWidth, barHeight);
    FHorzScrollBar->setVisible(horzBar);
}

void TDBGrid::UpdateScrollBars()
{
    FUpdatingScrollBars = true;
    if (TDataSet *ds = DataSet()) {
        FVertScrollBar->setRange(0, std::max(0, ds->DisplayRowCount() - 1));
        FVertScrollBar->setPageStep(Geometry().WholeDataRows());
        FVertScrollBar->setValue(std::max(0, ds->ActiveDisplayRow()));
        FVertScrollBar->setEnabled(ds->DisplayRowCount() > 1);
    } else {
        FVertScrollBar->setRange(0, 0);
        FVertScrollBar->setEnabled(false);
    }
    FHorzScrollBar->setRange(Geometry().FixedCols(), Geometry().MaxLeftCol());
    FHorzScrollBar->setPageStep(std::max(1, Geometry().VisibleColCount()));
    FHorzScrollBar->setValue(LeftCol());
    FUpdatingScrollBars = false;
}

// Keeps the current row in view and the rows in view filled as far as the
// data set allows.
void TDBGrid::SyncWindow()
{
    TDataSet *ds = DataSet();
    if (!ds) {
        FTopRow = 0;
        return;
    }
    const int count = ds->DisplayRowCount();
    const int active = ds->ActiveDisplayRow();
    const int whole = Geometry().WholeDataRows();
    if (active >= 0) {
        if (active < FTopRow)
            FTopRow = active;
        else if (active >= FTopRow + whole)
            FTopRow = active - whole + 1;
    }
    FTopRow = std::clamp(FTopRow, 0, std::max(0, count - whole));
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
    const int rows = ds ? std::min(Geometry().VisibleDataRows(), ds->DisplayRowCount() - FTopRow) : 0;
    // An empty or closed data set still shows one empty row.
    return std::max(rows, std::min(1, Geometry().VisibleDataRows()));
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
    return widgetPos - QPoint(GridBorderWidth, GridBorderWidth);
}

QRect TDBGrid::ClientRect() const
{
    return QRect(GridBorderWidth, GridBorderWidth, Geometry().ClientWidth(), Geometry().ClientHeight());
}

// ---------------------------------------------------------------- data link

void TDBGrid::LinkActiveChanged()
{
    HideEditor();
    if (TDataSet *ds = DataSet()) {
        if (FColumns.Count() == 0 || FDefaultColumns) {
            FDefaultColumns = true;
            const int charWidth = FFont.Metrics().AveCharWidth;
            FColumns.Clear();
            for (int i = 0; i < ds->FieldCount(); ++i) {
                TField *field = ds->Fields(i);
                const int chars = std::min(field->DisplayWidth(), MaxDefaultColumnChars);
                FColumns.Add(field->FieldName(), chars * charWidth + 2 * CellTextMargin);
            }
        }
    } else {
        if (FDefaultColumns)
            FColumns.Clear();
        FDefaultColumns = false;
    }
    FTopRow = 0;
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
    if (!FWritingEditor && !FEditorModified && EditorMode() && column &&
        (field == nullptr || field == column->Field()))
        FEditor->setText(column->Field() ? column->Field()->AsString() : QString());
    update();
}

void TDBGrid::LinkEditingChanged()
{
    if (!FDataLink->Editing())
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
    return FEditor && !FEditor->isHidden();
}

QWidget *TDBGrid::InplaceEditor() const
{
    return EditorMode() ? FEditor : nullptr;
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
    return (FOptions & dgEditing) && !(FOptions & dgRowSelect) && !FReadOnly && ds && ds->CanModify() && column &&
           column->Field() && !column->Field()->ReadOnly();
}

bool TDBGrid::CanAppend() const
{
    TDataSet *ds = DataSet();
    return (FOptions & dgEditing) && !FReadOnly && ds && ds->CanModify();
}

void TDBGrid::StartEditing(const QString &typed)
{
    if (!CanEditCell())
        return;
    CheckEditorCanHold();
    if (!FDataLink->Edit())
        return;
    ShowEditor(typed.isEmpty());
    if (!typed.isEmpty()) {
        FEditor->setText(typed);
        FEditorModified = true;
    }
}

TDBGridInplaceEdit &TDBGrid::Editor()
{
    if (!FEditor) {
        FEditor = new TDBGridInplaceEdit(*this);
        connect(FEditor, &QLineEdit::textEdited, this, [this] { EditorTextEdited(); });
    }
    return *FEditor;
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
    FEditor->setFont(FFont.ToQFont());
    QPalette palette = FEditor->palette();
    palette.setColor(QPalette::Base, ToQColor(FColor));
    palette.setColor(QPalette::Text, ToQColor(FFont.Color()));
    FEditor->setPalette(palette);
    FEditor->setAlignment(column->Alignment() == taRightJustify ? Qt::AlignRight
                          : column->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                : Qt::AlignLeft);
    FEditor->setText(column->Field() ? column->Field()->AsString() : QString());
    FEditorModified = false;
    FEditor->show();
    PlaceEditor();
    if (selectAll)
        FEditor->selectAll();
    FEditor->setFocus();
    update();
}

void TDBGrid::HideEditor()
{
    if (!EditorMode())
        return;
    const bool hadFocus = FEditor->hasFocus();
    FEditorModified = false;
    FEditor->hide();
    if (hadFocus)
        setFocus();
    update();
}

void TDBGrid::PlaceEditor()
{
    if (!EditorMode())
        return;
    TDataSet *ds = DataSet();
    const int row = ds ? Geometry().FixedRows() + ds->ActiveDisplayRow() - FTopRow : -1;
    const TRect cell = CellRect(FCol, row);
    if (cell.IsEmpty()) {
        FEditor->setGeometry(0, 0, 0, 0);
        return;
    }
    const int right = std::min(cell.Right, Geometry().ClientWidth());
    FEditor->setGeometry(GridBorderWidth + cell.Left, GridBorderWidth + cell.Top, right - cell.Left, cell.Height());
}

void TDBGrid::EditorTextEdited()
{
    FEditorModified = true;
}

void TDBGrid::WriteEditorToField()
{
    TDataSet *ds = DataSet();
    TColumn *column = SelectedColumn();
    if (!FEditorModified || !EditorMode() || !ds || !column || !column->Field())
        return;
    if (ds->State() != dsEdit && ds->State() != dsInsert)
        return;
    FWritingEditor = true;
    try {
        column->Field()->SetAsString(FEditor->text());
    } catch (...) {
        FWritingEditor = false;
        throw;
    }
    FWritingEditor = false;
    FEditorModified = false;
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
    FEditorModified = false;
    HideEditor();
    if (TDataSet *ds = DataSet())
        ds->Cancel();
}

void TDBGrid::FocusLeft()
{
    QWidget *focus = QApplication::focusWidget();
    if (focus == this || (FEditor && focus == FEditor))
        return;
    TDataSet *ds = DataSet();
    if ((FOptions & dgCancelOnExit) && ds && ds->State() == dsInsert && !ds->Modified() && !FEditorModified)
        Guarded([this] { CancelEditing(); });
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
    const int oldTop = FTopRow;
    // A page step moves the rows in view with the current row, so that it
    // keeps its place on the screen.
    if (std::abs(distance) > 1)
        FTopRow += target - active;
    try {
        MoveToDisplayRow(target);
    } catch (...) {
        FTopRow = oldTop;
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
    if (ds->State() == dsInsert && !ds->Modified() && !FEditorModified)
        return;
    ds->Append();
}

void TDBGrid::MoveCol(int col)
{
    if (ColCount() <= Geometry().FixedCols())
        return;
    col = std::clamp(col, Geometry().FixedCols(), ColCount() - 1);
    if (col == FCol && Geometry().ColumnSpan(col))
        return;
    const bool editing = EditorMode();
    WriteEditorToField();
    FCol = col;
    FGeometry.ScrollColumnIntoView(col);
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
    if (forward && FCol < last) {
        MoveCol(FCol + 1);
    } else if (!forward && FCol > first) {
        MoveCol(FCol - 1);
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
    if (!ds || FReadOnly || !ds->CanModify() || (ds->IsEmpty() && ds->State() != dsInsert))
        return;
    if ((FOptions & dgConfirmDelete) && !ConfirmDeleteRecord())
        return;
    FEditorModified = false;
    HideEditor();
    ds->Delete();
}

bool TDBGrid::KeyDown(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    TDataSet *ds = DataSet();
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool rowSelect = FOptions & dgRowSelect;
    const int lastRow = ds ? ds->DisplayRowCount() - 1 : 0;
    switch (key) {
    case Qt::Key_Up:
        MoveRows(-1);
        return true;
    case Qt::Key_Down:
        DownOrAppend();
        return true;
    case Qt::Key_PageUp:
        ctrl ? MoveToDisplayRow(0) : MoveRows(-Geometry().WholeDataRows());
        return true;
    case Qt::Key_PageDown:
        ctrl ? MoveToDisplayRow(lastRow) : MoveRows(Geometry().WholeDataRows());
        return true;
    case Qt::Key_Home:
        ctrl || rowSelect ? MoveToDisplayRow(0) : MoveCol(Geometry().FixedCols());
        return true;
    case Qt::Key_End:
        ctrl || rowSelect ? MoveToDisplayRow(lastRow) : MoveCol(ColCount() - 1);
        return true;
    case Qt::Key_Left:
        rowSelect ? SetLeftCol(LeftCol() - 1) : MoveCol(FCol - 1);
        return true;
    case Qt::Key_Right:
        rowSelect ? SetLeftCol(LeftCol() + 1) : MoveCol(FCol + 1);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!(FOptions & dgTabs) || rowSelect)
            return false;
        TabTo(key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
        return true;
    case Qt::Key_Insert:
        if (modifiers != Qt::NoModifier)
            return false;
        InsertRow();
        return true;
    case Qt::Key_Delete:
        if (!ctrl)
            return false;
        DeleteRow();
        return true;
    case Qt::Key_F2:
        SetEditorMode(!EditorMode());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ds && (ds->State() == dsEdit || ds->State() == dsInsert))
            PostEditor();
        else
            StartEditing(QString());
        return true;
    case Qt::Key_Escape:
        if (!ds || ds->State() == dsBrowse)
            return false;
        CancelEditing();
        return true;
    default:
        break;
    }
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
    Guarded([&] { used = KeyDown(key, modifiers, text); });
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
    if ((FOptions & dgTabs) && !(FOptions & dgRowSelect))
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
    const int col = GridColumnAtBorder(*this, client.x(), client.y());
    return col >= Geometry().FixedCols() ? col : -1;
}

void TDBGrid::mousePressEvent(QMouseEvent *event)
{
    Guarded([&] { MouseDown(event); });
}

void TDBGrid::MouseDown(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (!hasFocus() && !EditorMode())
        setFocus();
    if (event->button() != Qt::LeftButton)
        return;
    if (const int col = SizingColumnAt(client); col >= 0) {
        FSizingCol = col;
        FSizingStartX = client.x();
        FSizingStartWidth = ColWidths(col);
        FSizingX = Geometry().ColumnSpan(col)->End;
        update();
        return;
    }
    TDataSet *ds = DataSet();
    const int row = Geometry().RowAt(client.y());
    const int col = Geometry().ColumnAt(client.x());
    if (!ds || row < Geometry().FixedRows() || client.x() < 0 || client.x() >= Geometry().ClientWidth())
        return;
    const int displayRow = FTopRow + row - Geometry().FixedRows();
    if (displayRow >= ds->DisplayRowCount())
        return;
    const bool onCurrentCell = displayRow == ds->ActiveDisplayRow() && col == FCol;
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
    if (FSizingCol >= 0) {
        const int width = std::max(MinSizedColumnWidth, FSizingStartWidth + client.x() - FSizingStartX);
        FSizingX = Geometry().ColumnSpan(FSizingCol)->Start + width;
        update();
        return;
    }
    setCursor(SizingColumnAt(client) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TDBGrid::FinishSizing(int x)
{
    const int col = FSizingCol;
    FSizingCol = -1;
    SetColWidths(col, std::max(MinSizedColumnWidth, FSizingStartWidth + x - FSizingStartX));
    update();
}

void TDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint client = ClientFromWidget(event->position().toPoint());
    if (FSizingCol >= 0 && event->button() == Qt::LeftButton)
        FinishSizing(client.x());
    if (OnMouseUp)
        Guarded([&] { OnMouseUp(this, event->button(), event->modifiers(), client.x(), client.y()); });
}

void TDBGrid::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / WheelStepDegrees;
    if (steps != 0)
        Guarded([&] { MoveRows(-steps); });
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
    if (FBackBuffer.size() != size())
        FBackBuffer = QImage(size(), QImage::Format_RGB32);
    TCanvas canvas(&FBackBuffer);
    FCanvas = &canvas;
    PaintGrid(canvas);
    FCanvas = &FMeasureCanvas;
    QPainter(this).drawImage(0, 0, FBackBuffer);
}

void TDBGrid::PaintGrid(TCanvas &canvas)
{
    PaintSunkenBorder(canvas, {0, 0, width(), height()});
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(TRect::FromQRect(rect().adjusted(GridBorderWidth, GridBorderWidth, -GridBorderWidth,
                                                     -GridBorderWidth)));

    canvas.Save();
    canvas.SetOrigin(GridBorderWidth, GridBorderWidth);
    canvas.SetClipRect({0, 0, Geometry().ClientWidth(), Geometry().ClientHeight()});
    canvas.Brush().SetColor(FColor);
    canvas.FillRect({0, 0, Geometry().ClientWidth(), Geometry().ClientHeight()});
    PaintTitleRow(canvas);
    PaintDataRows(canvas);
    if (FSizingCol >= 0)
        canvas.InvertRect({FSizingX, 0, FSizingX + SizingLineWidth, Geometry().ClientHeight()});
    canvas.Restore();
}

void TDBGrid::PaintCellLines(TCanvas &canvas, const TRect &cell, bool fixed)
{
    const int vline = Geometry().VertLineWidth();
    const int hline = Geometry().HorzLineWidth();
    const bool vertShown = fixed || (FOptions & dgColLines);
    const bool horzShown = fixed || (FOptions & dgRowLines);
    const TColor lineColor = fixed ? FixedLineColor() : DataLineColor(FColor);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(vertShown ? lineColor : FColor);
    canvas.FillRect({cell.Right, cell.Top, cell.Right + vline, cell.Bottom + hline});
    canvas.Brush().SetColor(horzShown ? lineColor : FColor);
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
            PaintFixedCell(canvas, cell, FFixedColor);
        } else {
            canvas.SetFont(FTitleFont);
            PaintTitleCell(canvas, cell, FFixedColor, FColumns[col - IndicatorOffset()]->TitleCaption());
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
        const int displayRow = FTopRow + i;
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
            PaintIndicatorCell(canvas, cell, FFixedColor, mark);
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
    if (currentRow && hasRow && ((FOptions & dgRowSelect) || col == FCol))
        state |= gdSelected;
    if ((state & gdSelected) && col == FCol && hasFocus())
        state |= gdFocused;

    canvas.SetFont(FFont);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(state & gdSelected ? clHighlight : FColor);
    if (state & gdSelected)
        canvas.Font().SetColor(clHighlightText);

    const int dataCol = col - IndicatorOffset();
    TColumn *column = FColumns[dataCol];
    if (!hasRow) {
        canvas.FillRect(cell);
        return;
    }
    if (OnDrawColumnCell)
        OnDrawColumnCell(this, cell, dataCol, column, state);
    else
        DefaultDrawColumnCell(cell, dataCol, column, state);
    if ((state & gdFocused) && !(FOptions & dgRowSelect) && !EditorMode())
        canvas.DrawFocusRect(cell);
}

void TDBGrid::DefaultDrawColumnCell(const TRect &rect, int, TColumn *column, TGridDrawState)
{
    const QString text = column && column->Field() ? column->Field()->DisplayText() : QString();
    PaintCellText(*FCanvas, rect, column ? column->Alignment() : taLeftJustify, text);
}
