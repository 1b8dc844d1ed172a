#include "bench/support/SampleGlyph.h"
#include "components/FlatSkin.h"
#include "components/FlatSkin/FlatFrameRequest.h"
#include "toolkit/app/Form.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuPainter.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// One popup item of the main window's "Файл" menu: a 16-pixel image, a
// caption, a shortcut, in a 23-pixel row of a popup 150 pixels wide.
constexpr int kPopupWidth = 150;
constexpr int kItemHeight = 23;
constexpr int kFrame = 3;
constexpr int kCheckColumn = 20;
constexpr int kImageSize = 16;

struct MenuSetup {
    TForm form;
    TImageList images{kImageSize, kImageSize};
    TMainMenu menu{&form};
    TMenuItem *item;

    MenuSetup()
    {
        images.AddMasked(SampleGlyph(kImageSize), clFuchsia);
        menu.SetImages(&images);
        item = menu.Items()->Add(QStringLiteral("Файл"))->Add(QStringLiteral("Выход"));
        item->SetImageIndex(0);
        item->SetShortCut(QKeySequence(QStringLiteral("Ctrl+Q")));
    }
};

const TRect kItemRect(kFrame, kFrame, kPopupWidth - kFrame, kFrame + kItemHeight);

void PlainPopupItem(benchmark::State &state)
{
    MenuSetup setup;
    QImage surface(kPopupWidth, kItemHeight + 2 * kFrame, QImage::Format_RGB32);
    TCanvas canvas(&surface);
    const bool selected = state.range(0) != 0;
    for (auto _ : state)
        TMenuPainter::DrawPopupItem(canvas, setup.item->Face(), kItemRect, selected, kCheckColumn, false);
}
BENCHMARK(PlainPopupItem)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The main window's skin: gradient, dimmed glyphs, flat frame requests.
void SkinnedPopupItem(benchmark::State &state)
{
    MenuSetup setup;
    TFlatSkin skin(&setup.form);
    skin.SetGradient(true);
    skin.SetUseDimColor(true);
    skin.SetFlatMenu(true);
    skin.SetActive(true);
    QImage surface(kPopupWidth, kItemHeight + 2 * kFrame, QImage::Format_RGB32);
    TCanvas canvas(&surface);
    const bool selected = state.range(0) != 0;
    for (auto _ : state) {
        skin.DrawMenuItem(setup.item, canvas, kItemRect, selected);
        // The frame request waits for the skin manager; drop it as the
        // event loop would deliver it.
        QCoreApplication::removePostedEvents(QCoreApplication::instance(), kFlatFrameItemEvent);
    }
}
BENCHMARK(SkinnedPopupItem)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
