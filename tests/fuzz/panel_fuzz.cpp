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

#include "host/plugin_entry.h"
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
    explicit PanelDriver(FuzzedDataProvider& in) : in_(in) {
        headless::reset();
        parent_ = headless::makeParentWindow();
        effect_ = pluginMain(host);
        if (effect_) effect_->dispatcher(effect_, effOpen, 0, 0, nullptr, 0.0f);
    }
    ~PanelDriver() {
        if (!effect_) return;
        call(effEditClose);
        call(effClose);
        headless::reset();
    }

    void run() {
        if (!effect_) return;
        open();
        int steps = 0;
        while (in_.remaining_bytes() > 0 && ++steps < 100) step();
    }

private:
    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
        return effect_->dispatcher(effect_, opcode, index, value, ptr, 0.0f);
    }

    void open() {
        ERect* rect = nullptr;
        call(effEditGetRect, 0, 0, &rect);
        window_ = call(effEditOpen, 0, 0, parent_) ? headless::lastWindow() : nullptr;
        if (window_) headless::sendPaint(window_);
    }

    headless::InputState anyState(bool held) {
        headless::InputState state;
        state.screen.x = in_.ConsumeIntegralInRange(-40, 470);
        state.screen.y = in_.ConsumeIntegralInRange(-40, 110);
        const unsigned modifiers = in_.ConsumeIntegralInRange<unsigned>(0, 7) << 3;
        const unsigned buttons =
            held ? (in_.ConsumeBool() ? platform::kMouseLeft : in_.ConsumeIntegralInRange(1u, 7u))
                 : 0;
        state.buttons = buttons | (held ? modifiers : 0);
        return state;
    }

    // A press, a drag over some points with the buttons held, a release; the
    // tracking loop inside the press consumes the script.
    void gesture() {
        if (!window_) return;
        std::vector<headless::InputState> script;
        const int points = in_.ConsumeIntegralInRange(0, 12);
        for (int i = 0; i < points; ++i) script.push_back(anyState(true));
        script.push_back(anyState(false));
        headless::scriptInput(script);
        headless::setTickStepPerPoll(in_.ConsumeIntegralInRange(0u, 60u));
        const headless::InputState press = anyState(true);
        headless::sendButtonDown(window_, press.screen, in_.ConsumeIntegralInRange(0, 3) == 0);
    }

    void step() {
        switch (in_.ConsumeIntegralInRange(0, 8)) {
        case 0:
        case 1: gesture(); break;
        case 2:
            // Hosts send values in 0..1; what others do is the host fuzzer's.
            effect_->setParameter(effect_, in_.ConsumeIntegralInRange(-1, 9),
                                  in_.ConsumeProbability<float>());
            break;
        case 3:
            headless::advanceClock(in_.ConsumeIntegralInRange(0u, 200u));
            call(effEditIdle);
            break;
        case 4:
            if (window_) headless::sendPaint(window_);
            break;
        case 5: call(effSetProgram, 0, in_.ConsumeIntegralInRange(-1, 16)); break;
        case 6:
            call(effEditClose);
            window_ = nullptr;
            if (in_.ConsumeBool()) open();
            break;
        case 7:
            if (window_ && in_.ConsumeIntegralInRange(0, 7) == 0) {
                headless::sendParentDestroyed(window_);
                call(effEditClose);
                window_ = nullptr;
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

    FuzzedDataProvider& in_;
    AEffect* effect_ = nullptr;
    void* parent_ = nullptr;
    platform::WindowHandle window_ = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    PanelDriver(in).run();
    return 0;
}
