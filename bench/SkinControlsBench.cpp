#include "components/FlatSkin.h"
#include "forms/FindForm.h"
#include "toolkit/app/Form.h"
#include "toolkit/controls/SpeedButton.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// Renders a widget with its children as one paint of the screen does.
void Render(QWidget &widget, QImage &image)
{
    QPainter painter(&image);
    widget.render(&painter);
}

// The search dialog's group box with its seven edits and labels, with the
// dialog's skin active or not.
void PaintSearchCriteria(benchmark::State &state)
{
    TFindDialog dialog;
    dialog.FlatSkin1->SetActive(state.range(0) != 0);
    QImage image(dialog.GroupBox1->size(), QImage::Format_RGB32);
    // The first paint lets go of released controls or switches Ctl3D off.
    Render(*dialog.GroupBox1, image);
    for (auto _ : state)
        Render(*dialog.GroupBox1, image);
}
BENCHMARK(PaintSearchCriteria)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A flat, transparent navigator-sized speed button with a glyph.
void PaintSpeedButton(benchmark::State &state)
{
    TForm form;
    form.SetClientSize(100, 60);
    auto *button = new TSpeedButton(form.ClientArea());
    button->setGeometry(10, 10, 69, 25);
    button->SetFlat(true);
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas().Brush().SetColor(clGreen);
    glyph.Canvas().FillRect(Rect(3, 3, 13, 13));
    button->SetGlyph(glyph);
    TFlatSkin skin(&form);
    skin.SetActive(state.range(0) != 0);
    QImage image(button->size(), QImage::Format_RGB32);
    Render(*button, image);
    for (auto _ : state)
        Render(*button, image);
}
BENCHMARK(PaintSpeedButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
