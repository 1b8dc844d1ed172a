#include "forms/Unit1.h"

#include "data/DirectoryData.h"

namespace {
constexpr int LayoutWidth = 699;
constexpr int LayoutHeight = 411;
} // namespace

TForm1::TForm1(QWidget *parent)
    : TForm(parent)
    , Data(new TDirectoryData(this))
{
    SetCaption(QStringLiteral("Телефонный справочник г. Велирск v. 1.0"));
    SetBorderStyle(bsSizeable);
    SetPosition(poScreenCenter);
    SetShowHint(true);
    resize(LayoutWidth, LayoutHeight);
    BindHandlers();
    Data->Open();
}
