#include "forms/Unit1.h"

#include "ui_Unit1.h"

#include "components/GlyphNavigator.h"
#include "components/GridRoutine.h"
#include "components/PairedBorderDrag.h"
#include "components/RoundHint.h"
#include "data/DirectoryData.h"
#include "forms/DirectoryView.h"
#include "forms/FindForm.h"
#include "forms/FormSkin.h"
#include "toolkit/app/Align.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/ContinuingSentence.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuBar.h"

namespace {

constexpr int kRecordCountPanelWidth = 150;
constexpr int kRecordNumberPanelWidth = 50;
constexpr int kNoticePanel = 2;
// The record number is the last panel and runs to the bar's end; beside a
// notice it keeps room for the longest number.
constexpr int kRecordNumberBesideNoticeWidth = 110;
constexpr int kNoticeMs = 10000;
constexpr int kMenuImageSize = 16;

// The menu images, in image-index order.
constexpr const char *kMenuImageFiles[] = {":/menu/exit.bmp", ":/menu/find.bmp", ":/menu/about.bmp"};

} // namespace

static void InitMenuResources()
{
    Q_INIT_RESOURCE(menu);
}

TForm1::TForm1(QWidget *parent)
    : TForm(parent)
    , ui(std::make_unique<Ui::Form1>())
    , m_borderDrag(std::make_unique<TPairedBorderDrag>())
{
    CreateMenu();
    // Docking comes before the form's own resize handler, which fits the
    // grid's columns to the grid's new width.
    connect(this, &TForm::Resized, this, [this] { AlignControls(ClientArea()); });
    LoadLayout(*ui);
    GlyphNavigator1 = ui->GlyphNavigator1;
    DBGrid1 = ui->DBGrid1;
    StatusBar1 = ui->StatusBar1;
    Data = new TDirectoryData(this);
    CreateRoundHint();

    StatusBar1->SetFont(DirectoryView::WindowFont());
    StatusBar1->AddPanel(kRecordCountPanelWidth, RecordCountText(0));
    StatusBar1->AddPanel(kRecordNumberPanelWidth, RecordNumberText(0));
    SetUpNavigator();
    SetUpGrid();
    connect(Data->DataSource1, &TDataSource::DataChange, this, &TForm1::DataSource1DataChange);
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(kNoticeMs);
    connect(&m_noticeTimer, &QTimer::timeout, this, &TForm1::HideNotice);
    connect(Data->DataSource1, &TDataSource::StateChange, this, &TForm1::HideNotice);
    connect(Data->ADOTable1, &TDataSet::CurrentRowDeletedElsewhere, this,
            [this] { ShowNotice(RowDeletedElsewhereText(), false); });
    connect(Data->ADOTable1, &TDataSet::EditedRowKeptAsNew, this, [this] { ShowNotice(EditKeptAsNewText(), true); });
    connect(Data->ADOConnection1, &TADOConnection::FollowFailed, this,
            [this](const QString &reason) { ShowNotice(FollowFailedText(reason), false); });
    // Damage is found while a grid paints a row: the box comes up after the paint.
    connect(
        Data->ADOConnection1, &TADOConnection::DamageFound, this,
        [this](const QString &notice) {
            ShowNotice(notice, true);
            MessageBox(notice, Application->Title(), TMsgIcon::Error);
        },
        Qt::QueuedConnection);

    Data->Open();
    FlatSkin1 = CreateFormSkin(*this, true);
}

TForm1::~TForm1()
{
    // The status bar's handler goes first; the grid and the navigator stay
    // attached until the data sets have closed and told them so.
    disconnect(Data->DataSource1, nullptr, this, nullptr);
    disconnect(Data->ADOTable1, nullptr, this, nullptr);
    delete Data;
    Data = nullptr;
}

void TForm1::CreateMenu()
{
    InitMenuResources();
    m_imageList = std::make_unique<TImageList>(kMenuImageSize, kMenuImageSize);
    ImageList1 = m_imageList.get();
    for (const char *file : kMenuImageFiles) {
        TBitmap image;
        image.LoadFromFile(QString::fromLatin1(file));
        ImageList1->AddMasked(image.Image(), clFuchsia);
    }

    m_mainMenu = std::make_unique<TMainMenu>(this);
    MainMenu1 = m_mainMenu.get();
    MainMenu1->SetName(QStringLiteral("MainMenu1"));
    MainMenu1->SetImages(ImageList1);
    MainMenu1->SetOwnerDraw(true);
    const auto add = [](TMenuItem *parent, const char *name, const QString &caption) {
        TMenuItem *item = parent->Add(caption);
        item->SetName(QString::fromLatin1(name));
        return item;
    };
    mnuFile = add(MainMenu1->Items(), "mnuFile", QStringLiteral("Файл"));
    mnuExit = add(mnuFile, "mnuExit", QStringLiteral("Выход"));
    mnuSearch = add(MainMenu1->Items(), "mnuSearch", QStringLiteral("Поиск"));
    mnuFind = add(mnuSearch, "mnuFind", QStringLiteral("Найти"));
    mnuHelp = add(MainMenu1->Items(), "mnuHelp", QStringLiteral("Помощь"));
    mnuAbout = add(mnuHelp, "mnuAbout", QStringLiteral("О программе"));
    mnuExit->SetImageIndex(0);
    mnuFind->SetImageIndex(1);
    mnuAbout->SetImageIndex(2);
    mnuExit->SetOnClick([this](TMenuItem *sender) { mnuExitClick(sender); });
    mnuFind->SetOnClick([this](TMenuItem *sender) { mnuFindClick(sender); });
    mnuAbout->SetOnClick([this](TMenuItem *sender) { mnuAboutClick(sender); });
    SetMenuBar(MainMenu1->Bar());
}

void TForm1::CreateRoundHint()
{
    RoundHint1 = new TRoundHint(this);
    RoundHint1->setObjectName(QStringLiteral("RoundHint1"));
    RoundHint1->SetFrameWidth(1);
    RoundHint1->SetRoundSize(15);
    RoundHint1->SetFrameColor(clInfoBk);
    RoundHint1->SetFrameFade(35);
    RoundHint1->SetAutoFrameColor(true);
    RoundHint1->SetActive(true);
}

void TForm1::SetUpNavigator()
{
    GlyphNavigator1->SetDataSource(Data->DataSource1);
    GlyphNavigator1->SetVisibleButtons(
        {nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel});
    DirectoryView::SetStandardGlyphs(*GlyphNavigator1);
}

void TForm1::SetUpGrid()
{
    DBGrid1->SetDataSource(Data->DataSource1);
    DBGrid1->SetOptions(TDBGrid::kDefaultOptions);
    DBGrid1->setAccessibleName(QStringLiteral("Записи справочника"));
    DirectoryView::SetUpColumns(*DBGrid1);
    DBGrid1->OnDrawColumnCell = &DirectoryView::DrawStripedCell;
    DBGrid1->OnMouseUp = [this](TDBGrid *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { DBGrid1MouseUp(); };
}

QString TForm1::RecordCountText(int recordCount)
{
    return QStringLiteral("В базе записей: ") + QString::number(recordCount);
}

QString TForm1::RecordNumberText(int recNo)
{
    return QStringLiteral("Запись № ") + QString::number(recNo);
}

QString TForm1::RowDeletedElsewhereText()
{
    return QStringLiteral("Запись, на которой вы стояли, удалена другим пользователем.");
}

QString TForm1::EditKeptAsNewText()
{
    return QStringLiteral("Запись удалена в окне результатов. Введённое оставлено новой записью: "
                          "Enter сохранит её, Esc отменит.");
}

QString TForm1::FollowFailedText(const QString &reason)
{
    return QStringLiteral("Не удалось показать изменения других пользователей: ") + ContinuingSentence(reason);
}

QString TForm1::NoticeText() const
{
    return StatusBar1->PanelCount() > kNoticePanel ? StatusBar1->Panel(kNoticePanel).Text : QString();
}

void TForm1::ShowNotice(const QString &text, bool lasting)
{
    const int width = std::max(0, StatusBar1->width() - kRecordCountPanelWidth - kRecordNumberBesideNoticeWidth);
    StatusBar1->SetPanelWidth(1, kRecordNumberBesideNoticeWidth);
    if (StatusBar1->PanelCount() <= kNoticePanel)
        StatusBar1->AddPanel(width, text);
    StatusBar1->SetPanelWidth(kNoticePanel, width);
    StatusBar1->SetPanelText(kNoticePanel, text);
    if (lasting)
        m_noticeTimer.stop();
    else
        m_noticeTimer.start();
}

void TForm1::HideNotice()
{
    m_noticeTimer.stop();
    StatusBar1->RemovePanel(kNoticePanel);
    StatusBar1->SetPanelWidth(1, kRecordNumberPanelWidth);
}

QString TForm1::AboutText()
{
    static const QString lines[] = {
        QStringLiteral("Телефонный справочник г. Велирск"),
        QStringLiteral("Посвящается связистам Велирского городского узла связи"),
        QStringLiteral("© 2003 МУП «Велирсктелеком». Все права защищены."),
        QStringLiteral("http://www.velirsk-telecom.ru"),
        QStringLiteral("E-mail: spravka@velirsk-telecom.ru"),
        QStringLiteral("Тел.: (81452) 2-40-15, 2-40-16"),
    };
    QString text;
    for (const QString &line : lines) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\r");
        text += line;
    }
    return text;
}

void TForm1::FormCreate()
{
    m_borderDrag->Install(*DBGrid1);
}

// A post that fails raises: the window stays open and the edit with it.
void TForm1::FormCloseQuery(bool &)
{
    Data->ADOTable1->CheckBrowseMode();
}

void TForm1::FormResize()
{
    FitColumnWidth(*DBGrid1, DirectoryView::kLastDataColumn);
}

void TForm1::DBGrid1MouseUp()
{
    m_borderDrag->Complete();
}

void TForm1::DataSource1DataChange(TField *)
{
    StatusBar1->SetPanelText(0, RecordCountText(Data->ADOTable1->RecordCount()));
    StatusBar1->SetPanelText(1, RecordNumberText(Data->ADOTable1->RecNo()));
}

void TForm1::mnuExitClick(TMenuItem *)
{
    if (CloseQuery())
        Application->Terminate();
}

void TForm1::mnuFindClick(TMenuItem *)
{
    if (TFindDialog *dialog = Application->FindForm<TFindDialog>()) {
        dialog->Show();
        dialog->raise();
        dialog->activateWindow();
    }
}

void TForm1::mnuAboutClick(TMenuItem *)
{
    MessageBox(AboutText(), Application->Title());
}
