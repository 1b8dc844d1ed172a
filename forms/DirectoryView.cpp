#include "forms/DirectoryView.h"

#include "components/GlyphNavigator.h"
#include "toolkit/db/DataSet.h"

namespace DirectoryView {

namespace {

// Field name and width in pixels of each column, in table order.
struct ColumnLayout {
    const char16_t *FieldName;
    int Width;
};
constexpr ColumnLayout kGridColumns[] = {
    {u"Телефон", 50}, {u"Фамилия", 140}, {u"Улица", 100},       {u"Дом", 28},
    {u"Корпус", 40},  {u"Квартира", 52}, {u"Организация", 243},
};

constexpr int kWindowFontHeight = -11;

} // namespace

TFont WindowFont()
{
    TFont font;
    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetHeight(kWindowFontHeight);
    font.SetColor(clWindowText);
    return font;
}

void SetUpColumns(TDBGrid &grid)
{
    grid.Font() = WindowFont();
    grid.TitleFont() = WindowFont();
    for (const ColumnLayout &column : kGridColumns) {
        TColumn *added = grid.Columns().Add(QString::fromUtf16(column.FieldName), column.Width);
        added->SetTitleCaption(QString::fromUtf16(column.FieldName));
    }
}

void SetStandardGlyphs(TGlyphNavigator &bar)
{
    for (int button = nbFirst; button <= nbRefresh; ++button)
        bar.SetGlyph(TNavigateBtn(button), TDBNavigator::StandardGlyph(TNavigateBtn(button)));
}

TCellColors StripedCellColors(int recNo, bool selected)
{
    if (selected)
        return {clHighlight, clHighlightText};
    // The remainder keeps the dividend's sign: -1 (no record) is not striped.
    if (recNo % 2 == 1)
        return {kStripeColor, std::nullopt};
    return {};
}

void DrawStripedCell(TDBGrid *grid, const TRect &rect, int dataCol, TColumn *column, TGridDrawState state)
{
    const TDataSet *dataSet = grid->DataSet();
    const TCellColors colors = StripedCellColors(dataSet ? dataSet->RecNo() : -1, state.testFlag(gdSelected));
    if (colors.Brush)
        grid->Canvas()->Brush().SetColor(*colors.Brush);
    if (colors.Font)
        grid->Canvas()->Font().SetColor(*colors.Font);
    grid->DefaultDrawColumnCell(rect, dataCol, column, state);
}

} // namespace DirectoryView
