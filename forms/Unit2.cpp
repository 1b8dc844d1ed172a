#include "forms/Unit2.h"

namespace {
constexpr int LayoutLeft = 85;
constexpr int LayoutTop = 150;
constexpr int LayoutWidth = 701;
constexpr int LayoutHeight = 375;
} // namespace

TForm2::TForm2(QWidget *parent)
    : TForm(parent)
{
    SetCaption(QStringLiteral("Телефонный справочник г. Велирск | Результаты поиска"));
    SetBorderStyle(bsSizeable);
    SetShowHint(true);
    SetBounds(LayoutLeft, LayoutTop, LayoutWidth, LayoutHeight);
    BindHandlers();
}
