#include "bench/support/SampleGlyph.h"
#include "components/FlatSkin.h"
#include "toolkit/app/Form.h"
#include "toolkit/bars/ToolBar.h"
#include "toolkit/bars/ToolButton.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/gdi/ImageList.h"

#include <benchmark/benchmark.h>

namespace {

// A tool bar of ten 16-pixel image buttons with captions below them, two of
// them followed by a tagged separator, painted whole as one paint event does.
constexpr int kImageSize = 16;
constexpr int kButtons = 10;

struct ToolBarSetup {
    TForm form;
    TImageList images{kImageSize, kImageSize};
    TToolBar *bar;

    ToolBarSetup()
    {
        images.AddMasked(SampleGlyph(kImageSize), clFuchsia);
        bar = new TToolBar(form.ClientArea());
        bar->SetImages(&images);
        bar->SetShowCaptions(true);
        for (int i = 0; i < kButtons; ++i) {
            auto *button = new TToolButton(bar);
            button->SetImageIndex(0);
            button->SetCaption(QStringLiteral("Поиск"));
            if (i % 5 == 4) {
                auto *gap = new TToolButton(bar);
                gap->SetStyle(tbsSeparator);
                SetControlTag(gap, 1);
            }
        }
        const TRect last = bar->Buttons(bar->ButtonCount() - 1)->BoundsRect();
        bar->resize(last.Right, last.Bottom);
    }
    ~ToolBarSetup() { bar->SetImages(nullptr); }
};

void PaintToolBar(benchmark::State &state)
{
    ToolBarSetup setup;
    TFlatSkin skin(&setup.form);
    skin.SetActive(state.range(0) != 0);
    QImage image(setup.bar->size(), QImage::Format_RGB32);
    for (auto _ : state)
        setup.bar->PaintOn(image);
}
BENCHMARK(PaintToolBar)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
