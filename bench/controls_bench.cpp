// What the controls cost on the headless backend: an idle pass over a
// panel-sized set of controls with nothing changed, and one redraw of each
// kind of control that the panel or a host idle brings about.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "gui/controls/knob.h"
#include "gui/controls/momentary_button.h"
#include "gui/controls/value_display.h"
#include "gui/controls/vertical_slider.h"
#include "gui/controls/vertical_switch.h"
#include "gui/core/bitmap.h"
#include "gui/core/editor_base.h"
#include "gui/core/frame.h"
#include "host/effect_base_ext.h"
#include "platform/headless/headless_system.h"

namespace {

// The GUI tests' pictures: a 240 x 90 panel, an 11 x 11 handle, a 48 x 80 strip.
constexpr int kPanel = 903;
constexpr int kHandle = 904;
constexpr int kStrip = 905;

VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class BenchEffect : public EffectBaseExt {
public:
    BenchEffect() : EffectBaseExt(&benchHost, 1, 9) {}
    void process(float**, float**, VstInt32) override {}
};

class BenchEditor : public GuiEditorBase {
public:
    using GuiEditorBase::GuiEditorBase;
    VstIntPtr open(void* parent) override {
        GuiEditorBase::open(parent);
        frame = std::make_unique<GuiFrame>(GuiRect(0, 0, 420, 64), parent, this);
        return 1;
    }
    void close() override { frame.reset(); }
};

// Eight knobs, a switch, two buttons and a display, laid out like the panel.
struct Panel {
    Panel() {
        platform::headless::reset();
        editor = new BenchEditor(&effect);
        editor->open(platform::headless::makeParentWindow());
        GuiFrame* frame = editor->getFrame();
        auto* panel = new GuiBitmap(kPanel);
        auto* handle = new GuiBitmap(kHandle);
        auto* strip = new GuiBitmap(kStrip);
        for (int i = 0; i < 8; ++i) {
            const int x = 10 + i * 28;
            knobs.push_back(new GuiKnob(GuiRect(x, 20, x + 25, 45), nullptr, i, panel, handle,
                                        GuiPoint(x, 20)));
            frame->addView(knobs.back());
        }
        frame->addView(new GuiVerticalSwitch(GuiRect(240, 20, 264, 45), nullptr, 3, 3, 25, 3, strip,
                                             GuiPoint()));
        frame->addView(
            new GuiMomentaryButton(GuiRect(300, 20, 312, 28), nullptr, 300, 8, strip, GuiPoint()));
        frame->addView(
            new GuiMomentaryButton(GuiRect(300, 30, 312, 38), nullptr, 301, 8, strip, GuiPoint()));
        display = new GuiValueDisplay(GuiRect(320, 22, 352, 38), panel, 2);
        frame->addView(display);
        slider = new GuiVerticalSlider(GuiRect(370, 0, 381, 64), nullptr, 9, 0, 53, handle, strip,
                                       GuiPoint(), GuiSliderStyle::kVerticalZeroAtMin);
        frame->addView(slider);
        panel->release();
        handle->release();
        strip->release();
        platform::headless::sendPaint(frame->getWindow());
    }
    ~Panel() {
        editor->close();
        platform::headless::reset();
    }
    BenchEffect effect;
    BenchEditor* editor = nullptr;  // the effect deletes it
    std::vector<GuiKnob*> knobs;
    GuiValueDisplay* display = nullptr;
    GuiVerticalSlider* slider = nullptr;
};

void BM_IdleWithNothingChanged(benchmark::State& state) {
    Panel panel;
    for (auto _ : state) panel.editor->idle();
}
BENCHMARK(BM_IdleWithNothingChanged);

// One control moved, then the idle that redraws it.
template <class Pick>
void redrawOne(benchmark::State& state, Pick pick) {
    Panel panel;
    GuiControl* control = pick(panel);
    float value = 0.25f;
    for (auto _ : state) {
        value = value == 0.25f ? 0.75f : 0.25f;
        control->setValue(value);
        panel.editor->idle();
    }
}

void BM_KnobRedraw(benchmark::State& state) {
    redrawOne(state, [](Panel& p) -> GuiControl* { return p.knobs[4]; });
}
BENCHMARK(BM_KnobRedraw);

void BM_ValueDisplayRedraw(benchmark::State& state) {
    redrawOne(state, [](Panel& p) -> GuiControl* { return p.display; });
}
BENCHMARK(BM_ValueDisplayRedraw);

void BM_SliderRedrawThroughItsOffscreenSurface(benchmark::State& state) {
    redrawOne(state, [](Panel& p) -> GuiControl* { return p.slider; });
}
BENCHMARK(BM_SliderRedrawThroughItsOffscreenSurface);

}  // namespace

BENCHMARK_MAIN();
