#include "toolkit/grid/DBGrid.h"

#include "toolkit/app/ErrorReporting.h"
#include "toolkit/db/DataLink.h"
#include "toolkit/gdi/SystemColors.h"
#include "toolkit/grid/DBGridAccessible.h"
#include "toolkit/grid/DBGridInplaceEdit.h"
#include "toolkit/grid/DBGridPainter.h"

#include <algorithm>

namespace {

// Widest column the grid makes for a field when it builds its own columns.
constexpr int kMaxDefaultColumnChars = 40;

} // namespace

class TDBGrid::TGridDataLink : public TDataLink
{
public:
    explicit TGridDataLink(TDBGrid &grid)
        : m_grid(grid)
    { }

protected:
    void ActiveChanged() override { m_grid.LinkActiveChanged(); }
    void DataSetChanged() override { m_grid.LinkDataSetChanged(); }
    void DataSetFollowedStore(int shift) override { m_grid.LinkFollowedStore(shift); }
    void DataSetScrolled(int) override { m_grid.LinkScrolled(); }
    void RecordChanged(TField *field) override { m_grid.LinkRecordChanged(field); }
    void EditingChanged() override { m_grid.LinkEditingChanged(); }
    void UpdateData() override { m_grid.LinkUpdateData(); }

private:
    TDBGrid &m_grid;
};

TDBGrid::TDBGrid(QWidget *parent)
    : QWidget(parent)
    , m_dataLink(std::make_unique<TGridDataLink>(*this))
    , m_columns([this] { LayoutChanged(); })
    , m_color(clWindow)
    , m_fixedColor(clBtnFace)
    , m_measureImage(1, 1, QImage::Format_RGB32)
    , m_measureCanvas(&m_measureImage)
    , m_scrollBars(
          *this, [this](int row) { HandleInput([&] { MoveToDisplayRow(row); }); }, [this](int col) { SetLeftCol(col); })
{
    TDBGridAccessible::Install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_canvas = &m_measureCanvas;
    m_unreadRowsRetry.setSingleShot(true);
    m_unreadRowsRetry.setInterval(kUnreadRowsRetryMs);
    connect(&m_unreadRowsRetry, &QTimer::timeout, this, qOverload<>(&QWidget::update));
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
    m_geometry.SetDefaultRowHeight(textHeight + kRowTextPadding
                                   + (m_options & dgRowLines ? Geometry().GridLineWidth() : 0));

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
    m_scrollBars.ShowPosition(
        rows, {Geometry().FixedCols(), Geometry().MaxLeftCol(), Geometry().VisibleColCount(), LeftCol()});
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
    AnnounceRowCount();
    AnnounceCurrentCell();
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

void TDBGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    UpdateClientArea();
    InvalidateGrid();
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
    AnnounceRowCount();
    AnnounceCurrentCell();
}

void TDBGrid::LinkDataSetChanged()
{
    TDataSet *ds = DataSet();
    if (ds && ds->State() == dsBrowse)
        HideEditor();
    InvalidateGrid();
}

// The rows in view move with the active row, so that the person keeps their
// place; an editor that shows a value nobody has typed over shows it anew.
void TDBGrid::LinkFollowedStore(int shift)
{
    m_topRow += shift;
    InvalidateGrid();
    LinkRecordChanged(nullptr);
    NameEditor();
}

void TDBGrid::LinkScrolled()
{
    HideEditor();
    InvalidateGrid();
}

void TDBGrid::LinkRecordChanged(TField *field)
{
    TColumn *column = SelectedColumn();
    if (!m_writingEditor && !m_editorModified && EditorMode() && column
        && (field == nullptr || field == column->Field()))
        m_editor->setText(column->Field() ? column->Field()->AsString() : QString());
    update();
    AnnounceCurrentCell();
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

// ---------------------------------------------------------------- focus

// QWidget's own handler would repaint the whole grid.
void TDBGrid::focusInEvent(QFocusEvent *)
{
    UpdateCurrentCell();
    AnnounceCurrentCellAfterFocus();
}

// The grid's focus shows in the current cell alone (its focus rectangle), so
// gaining it repaints that cell; the window's first activation then does not
// paint the whole grid a second time.
void TDBGrid::UpdateCurrentCell()
{
    const TDataSet *ds = DataSet();
    if (!ds || ds->ActiveDisplayRow() < m_topRow)
        return;
    const QRect cell = CellRect(m_col, Geometry().FixedRows() + ds->ActiveDisplayRow() - m_topRow).ToQRect();
    if (!cell.isEmpty())
        update(cell.translated(kGridBorderWidth, kGridBorderWidth));
}

void TDBGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    FocusLeft();
}
