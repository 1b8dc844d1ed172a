#include "forms/Unit2.h"

#include "ui_Unit2.h"

#include "components/GlyphNavigator.h"
#include "components/GridRoutine.h"
#include "components/PairedBorderDrag.h"
#include "data/DirectoryData.h"
#include "forms/DirectoryView.h"
#include "forms/Unit1.h"
#include "toolkit/app/Align.h"
#include "toolkit/app/Application.h"

namespace {

const QChar kEscapeKey(27);
constexpr TDBGridOptions kResultsGridOptions = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines
                                               | dgTabs | dgRowSelect | dgConfirmDelete | dgCancelOnExit;

} // namespace

TForm2::TForm2(QWidget *parent)
    : TForm(parent)
    , ui(std::make_unique<Ui::Form2>())
    , m_borderDrag(std::make_unique<TPairedBorderDrag>())
{
    setFont(DirectoryView::WindowFont().ToScreenQFont(devicePixelRatioF()));
    connect(this, &TForm::Resized, this, [this] { AlignControls(ClientArea()); });
    LoadLayout(*ui);
    GlyphNavigator1 = ui->GlyphNavigator1;
    DBGrid1 = ui->DBGrid1;

    GlyphNavigator1->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast});
    DirectoryView::SetStandardGlyphs(*GlyphNavigator1);
    DBGrid1->SetOptions(kResultsGridOptions);
    DBGrid1->setAccessibleName(QStringLiteral("Найденные записи"));
    DirectoryView::SetUpColumns(*DBGrid1);
    DBGrid1->OnDrawColumnCell = &DirectoryView::DrawStripedCell;
    DBGrid1->OnMouseUp = [this](TDBGrid *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { DBGrid1MouseUp(); };

    if (auto *mainWindow = qobject_cast<TForm1 *>(Application->MainForm()))
        SetData(mainWindow->Data);
}

TForm2::~TForm2() = default;

void TForm2::SetData(TDirectoryData *data)
{
    if (m_data)
        disconnect(m_data->ADOQuery1, nullptr, this, nullptr);
    m_data = data;
    if (m_data)
        connect(m_data->ADOQuery1, &TDataSet::StoreFollowed, this, &TForm2::ShowCount);
    GlyphNavigator1->SetDataSource(data ? data->FindResult : nullptr);
    DBGrid1->SetDataSource(data ? data->FindResult : nullptr);
}

QString TForm2::ResultsCaption(int recordCount)
{
    return QStringLiteral("Телефонный справочник г. Велирск | Результаты поиска | Найдена(о) ")
           + QString::number(recordCount) + QStringLiteral(" запись(ей)");
}

void TForm2::FormCreate()
{
    m_borderDrag->Install(*DBGrid1);
}

void TForm2::FormShow()
{
    ShowCount();
}

void TForm2::ShowCount()
{
    const TADOQuery *query = m_data ? m_data->ADOQuery1 : nullptr;
    SetCaption(ResultsCaption(query && query->Active() ? query->RecordCount() : 0));
}

void TForm2::FormKeyPress(QChar &key)
{
    if (key != kEscapeKey)
        return;
    key = QChar();
    Close();
}

void TForm2::FormResize()
{
    FitColumnWidth(*DBGrid1, DirectoryView::kLastDataColumn);
}

void TForm2::DBGrid1MouseUp()
{
    m_borderDrag->Complete();
}
