// The LV2 panel's idle beside the VST 2 panel's, on the headless backend: an
// idle with nothing changed is what hosts call 30 to 60 times a second per
// open window, so the LV2 wrapper (its gesture bookkeeping after the
// editor's idle) should add nothing measurable to effEditIdle.
#include <benchmark/benchmark.h>

#include "editor/editor_factory.h"
#include "effect/filter_delay_effect.h"
#include "formats/lv2/ui_plugin.h"
#include "platform/headless/headless_system.h"

namespace hl = platform::headless;

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

void writeNothing(LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*) {}

void Vst2PanelIdleWithNoChange(benchmark::State& state) {
    hl::reset();
    molvex::FilterDelayEffect effect(&host, &molvex::createFilterDelayEditor);
    effect.dispatcher(effEditOpen, 0, 0, hl::makeParentWindow(), 0.0f);
    hl::sendPaint(hl::lastWindow());
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    for (auto _ : state) effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    hl::reset();
}
BENCHMARK(Vst2PanelIdleWithNoChange)->Repetitions(5)->ReportAggregatesOnly(true);

void Lv2PanelIdleWithNoChange(benchmark::State& state) {
    hl::reset();
    molvex::lv2::UiHost uiHost;
    uiHost.write = &writeNothing;
    uiHost.parent = hl::makeParentWindow();
    {
        molvex::lv2::UiPlugin ui(uiHost);
        if (!ui.open()) {
            state.SkipWithError("the LV2 panel did not open");
            return;
        }
        hl::sendPaint(hl::lastWindow());
        ui.idle();
        for (auto _ : state) ui.idle();
    }
    hl::reset();
}
BENCHMARK(Lv2PanelIdleWithNoChange)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
