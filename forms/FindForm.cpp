#include "forms/FindForm.h"

#include "components/FlatBtn.h"
#include "data/ADOQuery.h"
#include "data/DirectoryData.h"
#include "forms/FormSkin.h"
#include "forms/SearchStatement.h"
#include "forms/Unit1.h"
#include "forms/Unit2.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/BusyWait.h"
#include "toolkit/app/WaitCursor.h"
#include "toolkit/db/DatabaseCancelled.h"

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include <utility>

#include "ui_FindForm.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <exception>
#include <stdexcept>

namespace {

constexpr int FrameWidth = 3;
constexpr TColor FrameColor = RGB(0, 0, 255);
const QChar kEnterKey(13);
const QChar kEscapeKey(27);

// Both buttons of the dialog share their look; only caption and glyph differ.
void SetUpButton(TFlatGlyphButton *button, const QString &caption, const QString &glyphResource)
{
    button->SetCaption(caption);
    button->SetColor(clBtnFace);
    button->SetActiveColor(clNavy);
    button->SetActiveOutlineColor(clNavy);
    button->SetActiveOutlineColor2(clBtnFace);
    button->SetInactiveColor(clNavy);
    button->SetShowGlyph(true);
    button->SetUseCustomGlyphs(true);
    TBitmap glyph;
    glyph.LoadFromResourceName(glyphResource);
    button->SetInactiveGlyph(glyph);
    button->SetTransparentColor(clFuchsia);
}

} // namespace

TFindDialog::TFindDialog(QWidget *parent)
    : TForm(parent)
    , ui(std::make_unique<Ui::FindDialog>())
{
    setFont(TFont().ToScreenQFont(devicePixelRatioF()));
    LoadLayout(*ui);
    GroupBox1 = ui->GroupBox1;
    Label1 = ui->Label1;
    Label2 = ui->Label2;
    Label3 = ui->Label3;
    Label4 = ui->Label4;
    Label5 = ui->Label5;
    Label6 = ui->Label6;
    Label7 = ui->Label7;
    PhoneEdit = ui->PhoneEdit;
    FamilyEdit = ui->FamilyEdit;
    StreetEdit = ui->StreetEdit;
    HomeEdit = ui->HomeEdit;
    korpusEdit = ui->korpusEdit;
    KvartEdit = ui->KvartEdit;
    OrganEdit = ui->OrganEdit;
    FindButton = ui->FindButton;
    CancelButton = ui->CancelButton;

    // Moving the controls into the client area lost the layout's tab order.
    const QList<QWidget *> tabOrder = {FindButton, CancelButton, PhoneEdit, FamilyEdit, StreetEdit,
                                       HomeEdit,   korpusEdit,   KvartEdit, OrganEdit};
    for (int i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    SetUpButton(FindButton, QStringLiteral("Найти"), QStringLiteral("FindGlyph"));
    SetUpButton(CancelButton, QStringLiteral("Отмена"), QStringLiteral("CancelGlyph"));
    CancelButton->SetAutoHeight(true);
    FlatSkin1 = CreateFormSkin(*this, false);
}

TFindDialog::~TFindDialog() = default;

QList<TEdit *> TFindDialog::Edits() const
{
    return {PhoneEdit, FamilyEdit, StreetEdit, HomeEdit, korpusEdit, KvartEdit, OrganEdit};
}

QList<QLabel *> TFindDialog::Labels() const
{
    return {Label1, Label2, Label3, Label4, Label5, Label6, Label7};
}

QStringList TFindDialog::Criteria() const
{
    QStringList criteria;
    for (const TEdit *edit : Edits())
        criteria << edit->text();
    return criteria;
}

TADOQuery *TFindDialog::SearchQuery() const
{
    auto *mainWindow = qobject_cast<TForm1 *>(Application->MainForm());
    return mainWindow ? mainWindow->Data->ADOQuery1 : nullptr;
}

TForm2 *TFindDialog::ResultsWindow() const
{
    return Application->FindForm<TForm2>();
}

void TFindDialog::FormShow()
{
    if (std::exchange(m_keepCriteria, false)) {
        FindButton->setFocus();
        return;
    }
    for (TEdit *edit : Edits())
        edit->clear();
    FindButton->setFocus();
}

void TFindDialog::FormClose(TCloseAction &action)
{
    action = caHide;
}

void TFindDialog::FormKeyPress(QChar &key)
{
    // Escape closes the dialog as its close box does.
    if (key == kEscapeKey) {
        key = QChar();
        Close();
        return;
    }
    if (key != kEnterKey)
        return;
    // A focused button acting as default has taken Enter as its own dialog
    // key already, before any key press reaches the form.
    const auto *focusedButton = qobject_cast<const TFlatGlyphButton *>(focusWidget());
    if (focusedButton && focusedButton->ActingAsDefault())
        return;
    FindButton->Click();
}

void TFindDialog::WMNCPaint(TCanvas &canvas)
{
    canvas.Save();
    canvas.Pen().SetColor(FrameColor);
    canvas.Pen().SetWidth(FrameWidth);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(0, 0, width(), height());
    canvas.Restore();
}

void TFindDialog::on_FindButton_Clicked()
{
    Application->Guarded([this] { FindButtonClick(); });
}

void TFindDialog::on_CancelButton_Clicked()
{
    Close();
}

// A criterion the search cannot look for is refused before anything runs:
// the dialog stays with every criterion as typed, and the cursor waits in
// front of the character, invisible as it may be.
void TFindDialog::RefuseUnsearchableCriteria()
{
    const QList<TEdit *> edits = Edits();
    const QList<QLabel *> labels = Labels();
    for (qsizetype field = 0; field < edits.size(); ++field) {
        const qsizetype at = SearchStatement::UnsearchableAt(edits[field]->text());
        if (at < 0)
            continue;
        edits[field]->setFocus();
        edits[field]->deselect();
        edits[field]->setCursorPosition(int(at));
        QString condition = labels[field]->text();
        condition.chop(condition.endsWith(u':') ? 1 : 0);
        throw std::runtime_error(
            tr("The condition \"%1\" holds a NUL character (code 0), which cannot be searched for. "
               "The cursor stands before it: the Delete key removes it.")
                .arg(condition)
                .toStdString());
    }
}

void TFindDialog::FindButtonClick()
{
    if (m_searchRunning)
        return;
    RefuseUnsearchableCriteria();
    const QScopedValueRollback<bool> running(m_searchRunning, true);
    // Disabling the focused button moves the focus on.
    const QPointer<QWidget> focused = focusWidget();
    FindButton->setEnabled(false);
    // The button comes back, the dialog goes and the screen is repainted
    // whatever the search did; only then may an error reach its box.
    std::exception_ptr failure;
    try {
        const TWaitCursor wait;
        const TBusyWait::TCancelControl cancelByButton(CancelButton);
        TADOQuery *query = SearchQuery();
        if (!query)
            throw std::runtime_error("Нет главного окна со справочником");
        const QStringList lines = SearchStatement::Lines(Criteria());
        query->SQL()->Clear();
        for (const QString &line : lines)
            query->SQL()->Add(line);
        query->Open();
    } catch (const EDatabaseCancelled &) {
        // The person stopped the search to change the criteria: the dialog
        // stays as it was, the focus too.
        FindButton->setEnabled(true);
        if (focused)
            focused->setFocus();
        return;
    } catch (...) {
        failure = std::current_exception();
    }
    FindButton->setEnabled(true);
    m_keepCriteria = failure != nullptr;
    Hide();
    Application->ProcessMessages();
    if (failure)
        std::rethrow_exception(failure);
    if (TForm2 *results = ResultsWindow())
        results->ShowModal();
}
