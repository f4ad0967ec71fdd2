// Drives the plug-in's panel on the headless desktop through the host's
// editor opcodes: open, presses, drags and releases at any point with any
// buttons and modifiers, host parameter changes, idles while the clock moves,
// paints, the parent window vanishing, close. Besides crashes and sanitizer
// reports, a finding is an automation report the host could not use: an
// index outside the parameters or a value outside 0..1.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/vst2/plugin_entry.h"
#include "platform/headless/headless_system.h"

namespace {

namespace headless = platform::headless;

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

VstIntPtr host(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    if (opcode == audioMasterAutomate) {
        if (!effect || index < 0 || index >= effect->numParams)
            finding("automation of no parameter");
        if (!(opt >= 0.0f && opt <= 1.0f)) finding("automation outside 0..1");
    }
    return opcode == audioMasterVersion ? 2400 : 0;
}

class PanelDriver {
public:
    explicit PanelDriver(FuzzedDataProvider& in) : input(in) {
        headless::reset();
        parent = headless::makeParentWindow();
        effect = pluginMain(host);
        if (effect) effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    }
    ~PanelDriver() {
        if (!effect) return;
        call(effEditClose);
        call(effClose);
        headless::reset();
    }

    void run() {
        if (!effect) return;
        open();
        int steps = 0;
        while (input.remaining_bytes() > 0 && ++steps < 100) step();
    }

private:
    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    }

    void open() {
        ERect* rect = nullptr;
        call(effEditGetRect, 0, 0, &rect);
        window = call(effEditOpen, 0, 0, parent) ? headless::lastWindow() : nullptr;
        if (window) headless::sendPaint(window);
    }

    headless::InputState anyState(bool held) {
        headless::InputState state;
        state.screen.x = input.ConsumeIntegralInRange(-40, 470);
        state.screen.y = input.ConsumeIntegralInRange(-40, 110);
        const unsigned modifiers = input.ConsumeIntegralInRange<unsigned>(0, 7) << 3;
        const unsigned buttons = held ? (input.ConsumeBool() ? platform::kMouseLeft
                                                             : input.ConsumeIntegralInRange(1u, 7u))
                                      : 0;
        state.buttons = buttons | (held ? modifiers : 0);
        return state;
    }

    // A press, a drag over some points with the buttons held, a release; the
    // tracking loop inside the press consumes the script.
    void gesture() {
        if (!window) return;
        std::vector<headless::InputState> script;
        const int points = input.ConsumeIntegralInRange(0, 12);
        for (int i = 0; i < points; ++i) script.push_back(anyState(true));
        script.push_back(anyState(false));
        headless::scriptInput(script);
        headless::setTickStepPerPoll(input.ConsumeIntegralInRange(0u, 60u));
        const headless::InputState press = anyState(true);
        headless::sendButtonDown(window, press.screen, input.ConsumeIntegralInRange(0, 3) == 0);
    }

    void step() {
        switch (input.ConsumeIntegralInRange(0, 8)) {
        case 0:
        case 1: gesture(); break;
        case 2:
            // Hosts send values in 0..1; what others do is the host fuzzer's.
            effect->setParameter(effect, input.ConsumeIntegralInRange(-1, 9),
                                 input.ConsumeProbability<float>());
            break;
        case 3:
            headless::advanceClock(input.ConsumeIntegralInRange(0u, 200u));
            call(effEditIdle);
            break;
        case 4:
            if (window) headless::sendPaint(window);
            break;
        case 5: call(effSetProgram, 0, input.ConsumeIntegralInRange(-1, 16)); break;
        case 6:
            call(effEditClose);
            window = nullptr;
            if (input.ConsumeBool()) open();
            break;
        case 7:
            if (window && input.ConsumeIntegralInRange(0, 7) == 0) {
                headless::sendParentDestroyed(window);
                call(effEditClose);
                window = nullptr;
            }
            break;
        case 8: {
            ERect* rect = nullptr;
            call(effEditGetRect, 0, 0, &rect);
            if (rect && (rect->right <= rect->left || rect->bottom <= rect->top))
                finding("an empty editor rectangle");
            break;
        }
        }
    }

    FuzzedDataProvider& input;
    AEffect* effect = nullptr;
    void* parent = nullptr;
    platform::WindowHandle window = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    PanelDriver(in).run();
    return 0;
}
