#pragma once

#include "toolkit/gdi/Canvas.h"
#include "toolkit/grid/ColumnSizingDrag.h"
#include "toolkit/grid/DBGridColumns.h"
#include "toolkit/grid/GridGeometry.h"
#include "toolkit/grid/GridScrollBars.h"

#include <QFlags>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QScrollBar;
class TDataLink;
class TDataSet;
class TDataSource;
class TDBGridInplaceEdit;

enum TDBGridOption : unsigned {
    dgEditing = 0x1,
    dgTitles = 0x2,
    dgIndicator = 0x4,
    dgColumnResize = 0x8,
    dgColLines = 0x10,
    dgRowLines = 0x20,
    dgTabs = 0x40,
    dgRowSelect = 0x80,
    dgConfirmDelete = 0x100,
    dgCancelOnExit = 0x200,
};
Q_DECLARE_FLAGS(TDBGridOptions, TDBGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridOptions)

enum TGridDrawStateFlag : unsigned {
    gdSelected = 0x1,
    gdFocused = 0x2,
    gdFixed = 0x4,
};
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

// A self-drawn grid over the rows of a data source: a title row, a record
// indicator column, one column per entry of Columns(), a vertical scroll bar
// that shows the current record among all records, horizontal scrolling by
// columns and an in-place editor.
//
// Rows in view are display rows of the data set (the records, plus the row
// being inserted at its place); painting and scrolling touch only the rows in
// view, whatever the number of records.
//
// Client coordinates exclude the grid's sunken border and its scroll bars;
// every metric of TGridMetrics is in client coordinates.
//
// The grid's own sources: DBGrid.cpp (settings, layout, data link, focus),
// DBGridNavigation.cpp (keyboard and moves between cells and rows),
// DBGridMouse.cpp (clicks, column sizing, wheel), DBGridEditing.cpp (the
// in-place editor and posting), DBGridDrawing.cpp (painting) and
// DBGridReading.cpp (what assistive technology and the clipboard are told).
//
// Assistive technology sees the grid as a table (TDBGridAccessible): one row
// per display row, one column per entry of Columns(), the titles as column
// headers. Whenever the current cell moves or its text changes, the cell (the
// editor, while editing) is announced as focused; nothing of this is done
// while no reader is listening.
class TDBGrid : public QWidget, public TGridMetrics
{
    Q_OBJECT

public:
    using TDrawColumnCellEvent =
        std::function<void(TDBGrid *sender, const TRect &rect, int dataCol, TColumn *column, TGridDrawState state)>;
    using TMouseEvent =
        std::function<void(TDBGrid *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;

    static constexpr TDBGridOptions kDefaultOptions =
        TDBGridOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgTabs
                       | dgConfirmDelete | dgCancelOnExit);

    // How soon rows that could not be read for another program's lock are
    // tried again.
    static constexpr int kUnreadRowsRetryMs = 100;

    explicit TDBGrid(QWidget *parent = nullptr);
    ~TDBGrid() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *source);
    // The open data set behind the source, or null.
    TDataSet *DataSet() const;

    TDBGridColumns &Columns() { return m_columns; }
    const TDBGridColumns &Columns() const { return m_columns; }

    TDBGridOptions Options() const { return m_options; }
    void SetOptions(TDBGridOptions options);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);

    // Font of the data cells and of the titles; row heights follow them.
    TFont &Font() { return m_font; }
    TFont &TitleFont() { return m_titleFont; }
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TColor FixedColor() const { return m_fixedColor; }
    void SetFixedColor(TColor color);

    // The canvas of the paint in progress (cell handlers draw on it); outside
    // a paint a canvas for measuring text.
    TCanvas *Canvas() { return m_canvas; }

    // The current data column (0 when there is none).
    int SelectedIndex() const { return m_col - IndicatorOffset(); }
    void SetSelectedIndex(int dataCol);
    TColumn *SelectedColumn() const { return m_columns[SelectedIndex()]; }
    // Display row shown at the top of the data rows.
    int TopRow() const { return m_topRow; }

    bool EditorMode() const;
    void SetEditorMode(bool on);
    // The in-place editor while it is shown, else null.
    QWidget *InplaceEditor() const;

    QScrollBar *VertScrollBar() const { return m_scrollBars.Vert(); }
    QScrollBar *HorzScrollBar() const { return m_scrollBars.Horz(); }

    // Cell rectangle of grid column `col` and grid row `row` in client
    // coordinates; empty when the cell is out of view.
    TRect CellRect(int col, int row) const;
    QPoint ClientFromWidget(QPoint widgetPos) const;
    QRect ClientRect() const;

    // The text a data cell shows (a display row and data column): the field's
    // display text, empty for a row that cannot be read without waiting or
    // for a cell out of range.
    QString CellText(int displayRow, int dataCol) const;
    // Makes a cell current as a click on it would, without starting an edit;
    // a data-set error is shown, not raised.
    void GoToCell(int displayRow, int dataCol);

    // Paints a data cell the standard way: the rectangle filled with the
    // canvas brush, the field's display text in the canvas font with the
    // column's alignment and a 2-pixel margin.
    void DefaultDrawColumnCell(const TRect &rect, int dataCol, TColumn *column, TGridDrawState state);

    // Raised for every data cell painted, while the data set stands on the
    // painted row; the canvas brush and font carry the colours of the state.
    TDrawColumnCellEvent OnDrawColumnCell;
    // Raised when a mouse button goes up over the grid (client coordinates),
    // after the grid has applied a column drag.
    TMouseEvent OnMouseUp;

    // TGridMetrics
    int ColCount() const override { return Geometry().ColCount(); }
    int FixedCols() const override { return Geometry().FixedCols(); }
    int FixedRows() const override { return Geometry().FixedRows(); }
    int LeftCol() const override { return Geometry().LeftCol(); }
    int VisibleColCount() const override { return Geometry().VisibleColCount(); }
    int ColWidths(int col) const override { return Geometry().ColWidths(col); }
    void SetColWidths(int col, int width) override;
    int RowHeights(int row) const override { return Geometry().RowHeights(row); }
    int GridLineWidth() const override { return Geometry().GridLineWidth(); }
    int ClientWidth() const override { return Geometry().ClientWidth(); }
    int GridWidth() const override { return Geometry().GridWidth(); }
    bool FixedVertLines() const override { return Geometry().FixedVertLines(); }
    bool VertLines() const override { return Geometry().VertLines(); }
    bool FixedHorzLines() const override { return Geometry().FixedHorzLines(); }
    bool HorzLines() const override { return Geometry().HorzLines(); }
    bool ColSizing() const override { return Geometry().ColSizing(); }
    bool IndicatorShown() const override { return Geometry().IndicatorShown(); }
    void SetLeftCol(int col);
    // The layout for the grid's current size: a hidden widget gets no resize
    // event, so the layout catches up with its size on first use.
    const TGridGeometry &Geometry() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    class TGridDataLink;
    friend class TGridDataLink;
    friend class TDBGridInplaceEdit;

    // Data-link notifications.
    void LinkActiveChanged();
    void LinkDataSetChanged();
    void LinkFollowedStore(int shift);
    void LinkScrolled();
    void LinkRecordChanged(TField *field);
    void LinkEditingChanged();
    void LinkUpdateData();

    int IndicatorOffset() const { return m_geometry.IndicatorShown() ? 1 : 0; }
    void LayoutChanged();
    void UpdateClientArea() const;
    void UpdateScrollBars();
    void SyncWindow();
    void InvalidateGrid();
    void UpdateCurrentCell();

    // What assistive technology and the clipboard are told
    // (DBGridReading.cpp). The current cell is announced once an input has
    // been handled whole, so a click that moves the row and then the column
    // names only the cell it ends on.
    struct TAnnouncedCell {
        int DisplayRow = -1;
        int DataCol = -1;
        QString Text;
        bool operator==(const TAnnouncedCell &) const = default;
    };
    void HandleInput(const std::function<void()> &input);
    void AnnounceCurrentCell();
    void AnnounceRowCount();
    void AnnounceCurrentCellAfterFocus();
    void NameEditor();
    void CopyToClipboard(bool wholeRow) const;

    // Keyboard and moves (DBGridNavigation.cpp). HandleKey shows a data-set
    // error instead of letting it leave the event handler; both return true
    // when the key was used.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    bool KeyDown(int key, Qt::KeyboardModifiers modifiers, const QString &text);
    void MoveToDisplayRow(int displayRow);
    void MoveRows(int distance);
    void DownOrAppend();
    void MoveCol(int col);
    void TabTo(bool forward);
    void InsertRow();
    void DeleteRow();

    // Mouse (DBGridMouse.cpp).
    void MouseDown(QMouseEvent *event);
    int SizingColumnAt(QPoint client) const;
    void FinishSizing(int x);

    // The in-place editor (DBGridEditing.cpp).
    bool CanEditCell() const;
    bool CanAppend() const;
    void StartEditing(const QString &typed);
    // Focus went to a widget outside the grid and its editor.
    void FocusLeft();
    void PostEditor();
    void CancelEditing();
    TDBGridInplaceEdit &Editor();
    // Raises EDatabaseError, with the editor hidden, when the current cell's
    // text is longer than the editor can hold.
    static qsizetype EditorLengthLimit(const TField &field);
    void EditorInputRefused();
    void ShowEditor(bool selectAll);
    void HideEditor();
    void PlaceEditor();
    void WriteEditorToField();
    void EditorTextEdited();

    // Painting (DBGridDrawing.cpp).
    // What a data row in view shows: no row (below the last), a row whose
    // values could not be read yet (cells empty), or its values.
    enum class TRowContent { None, NotYetRead, Values };
    void PaintGrid(TCanvas &canvas);
    void PaintTitleRow(TCanvas &canvas);
    void PaintDataRows(TCanvas &canvas);
    void PaintDataCell(TCanvas &canvas, const TRect &cell, int col, bool currentRow, TRowContent content);
    void PaintCellLines(TCanvas &canvas, const TRect &cell, bool fixed);
    int RowsInView() const;

    std::unique_ptr<TDataLink> m_dataLink; // the grid's TGridDataLink
    TDBGridColumns m_columns;
    mutable TGridGeometry m_geometry;
    mutable QSize m_laidOutSize;
    TDBGridOptions m_options = kDefaultOptions;
    bool m_readOnly = false;
    TFont m_font;
    TFont m_titleFont;
    TColor m_color;
    TColor m_fixedColor;
    bool m_defaultColumns = false;

    int m_col = 0;    // current grid column
    int m_topRow = 0; // display row at the top of the data rows
    TColumnSizingDrag m_sizing;

    QImage m_backBuffer;
    QTimer m_unreadRowsRetry; // paints again while rows in view are not yet read
    QImage m_measureImage;
    TCanvas m_measureCanvas;
    TCanvas *m_canvas = nullptr;

    TGridScrollBars m_scrollBars;
    TDBGridInplaceEdit *m_editor = nullptr;
    bool m_editorModified = false;
    bool m_writingEditor = false;

    TAnnouncedCell m_announced;
    int m_announcedRowCount = 0;
    int m_inputsInProgress = 0;
};
