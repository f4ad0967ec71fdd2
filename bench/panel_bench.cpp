// What the panel costs the host's user-interface thread, on the headless
// backend: an idle with nothing changed (hosts call it 30 to 60 times a
// second per open window; goal well under 2 us, no drawing), one knob
// redrawn, a host change shown (knob and display), and a full paint (goal
// under 1 ms), each at 100 and 200 % (the argument); a knob redraw's goal is
// under 20 us at 200 %.
#include <benchmark/benchmark.h>

#include "editor/editor_factory.h"
#include "editor/filter_delay_editor.h"
#include "effect/filter_delay_effect.h"
#include "gui/controls/control.h"
#include "gui/core/frame.h"
#include "platform/headless/headless_system.h"

namespace hl = platform::headless;
using molvex::FilterDelayEditor;
using molvex::FilterDelayEffect;

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// An open, painted panel, as a host shows it.
class OpenPanel {
public:
    explicit OpenPanel(int scalePercent = 100) : effect(&host, &molvex::createFilterDelayEditor) {
        hl::reset();
        editor()->getScale().chooseUser(scalePercent);
        effect.dispatcher(effEditOpen, 0, 0, hl::makeParentWindow(), 0.0f);
        window = hl::lastWindow();
        hl::sendPaint(window);
        idle();
    }
    ~OpenPanel() {
        effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        hl::reset();
    }
    void idle() { effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f); }
    FilterDelayEditor* editor() { return static_cast<FilterDelayEditor*>(effect.getEditor()); }

    FilterDelayEffect effect;
    platform::WindowHandle window = nullptr;
};

void PanelIdleWithNoChange(benchmark::State& state) {
    OpenPanel panel(static_cast<int>(state.range(0)));
    for (auto _ : state) panel.idle();
}
BENCHMARK(PanelIdleWithNoChange)->Arg(100)->Arg(200);

void PanelKnobRedraw(benchmark::State& state) {
    OpenPanel panel(static_cast<int>(state.range(0)));
    GuiControl* knob = panel.editor()->getControl(4);
    GuiFrame* frame = panel.editor()->getFrame();
    float value = 0.25f;
    for (auto _ : state) {
        value = 1.0f - value;
        knob->setValue(value);
        frame->drawView(knob);
    }
}
BENCHMARK(PanelKnobRedraw)->Arg(100)->Arg(200);

void PanelHostChangeShownAtIdle(benchmark::State& state) {
    OpenPanel panel;
    float value = 0.25f;
    for (auto _ : state) {
        value = 1.0f - value;
        panel.effect.setParameter(4, value);
        panel.idle();
    }
}
BENCHMARK(PanelHostChangeShownAtIdle);

void PanelFullPaint(benchmark::State& state) {
    OpenPanel panel(static_cast<int>(state.range(0)));
    for (auto _ : state) hl::sendPaint(panel.window);
}
BENCHMARK(PanelFullPaint)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
