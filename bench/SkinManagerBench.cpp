#include "components/FlatSkin.h"
#include "components/FlatSkin/FlatSkinManager.h"
#include "components/FlatSkin/SkinKinds.h"
#include "toolkit/app/Form.h"
#include "toolkit/controls/Edit.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// One event sent to a window's control, without the manager and with it
// (whose hook sees every event of the process) and a current component.
void EventThroughHook(benchmark::State &state)
{
    if (state.range(0) != 0)
        InstallFlatSkinManager();
    TForm form;
    auto *skin = new TFlatSkin(&form);
    skin->SetActive(true);
    skin->Loaded();
    TEdit edit(form.ClientArea());
    QEvent event(QEvent::User);
    for (auto _ : state)
        QApplication::sendEvent(&edit, &event);
    delete skin;
    SetFlatSkinManagerFactory({});
}
BENCHMARK(EventThroughHook)->Arg(0)->Arg(1);

// What every paint dispatch and every decision repeats: the kind, the
// container and the painters of an edit on a form.
void KindTests(benchmark::State &state)
{
    TForm form;
    TEdit edit(form.ClientArea());
    for (auto _ : state) {
        benchmark::DoNotOptimize(QualifiesAsSkinnedKind(edit, TSkinControls::All()));
        benchmark::DoNotOptimize(QualifiesByContainer(edit, TSkinContainers::All()));
        benchmark::DoNotOptimize(PaintersFor(edit));
    }
}
BENCHMARK(KindTests);

} // namespace
