#include "forms/FindForm.h"

namespace {
constexpr int LayoutClientWidth = 434;
constexpr int LayoutClientHeight = 226;
} // namespace

TFindDialog::TFindDialog(QWidget *parent)
    : TForm(parent)
{
    SetCaption(QStringLiteral("Телефонный справочник г. Велирск | Поиск в базе данных"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetFormStyle(fsStayOnTop);
    SetKeyPreview(true);
    SetShowHint(true);
    SetClientSize(LayoutClientWidth, LayoutClientHeight);
    BindHandlers();
}
