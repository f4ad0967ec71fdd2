// plughost validate for an LV2 plug-in: the checks every format shares and
// LV2's own. Lifecycle (instantiate, activate, run, deactivate, cleanup), NaN
// and out-of-range control values, the state round trip where the plug-in has
// state:interface, and the X11 UI where there is one and a display.
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>

#include "audio/test_signal.h"
#include "editor/editor_parent.h"
#include "formats/lv2/lv2_plugin.h"
#include "formats/lv2/lv2_ui.h"
#include "formats/lv2/lv2_validate.h"
#include "host/host_context.h"
#include "host/system.h"
#include "validate/check_context.h"
#include "validate/common_checks.h"
#include "validate/validate_harness.h"

namespace {

class Lv2Context : public CheckContext {
public:
    Lv2Context(std::shared_ptr<const Lv2World> world, HostContext& host, int strictness,
               unsigned seed)
        : CheckContext(host, strictness, seed), world(std::move(world)) {}

    std::shared_ptr<const Lv2World> world;

    std::unique_ptr<HostedPlugin> plugin() const override {
        return std::make_unique<Lv2Plugin>(world, host);
    }
    // Instantiated at 44100 Hz for blocks up to 512 frames, and active.
    std::unique_ptr<Lv2Plugin> instance(double rate = 44100.0, int block = 512) const {
        auto p = std::make_unique<Lv2Plugin>(world, host);
        p->configure(rate, block);
        p->resume();
        return p;
    }
};

using Lv2Check = CheckOf<Lv2Context>;

CheckResult lifecycle(Lv2Context& v) {
    const double rates[] = {44100.0, 48000.0, 96000.0};
    OutputScan scan;
    for (int round = 0; round < std::max(1, v.strictness / 2); ++round) {
        for (double rate : rates) {
            auto p = v.instance(rate, 512);
            for (int activation = 0; activation < 2; ++activation) {
                renderSignal(*p, noiseAndPulses(0.05, rate), 512, fixed(512), scan);
                p->suspend();
                p->resume();
            }
        }  // deactivated and cleaned up here
    }
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(
        "instantiate, activate, run, deactivate, activate again, cleanup at 44100, 48000 and "
        "96000 Hz: clean");
}

CheckResult controlValues(Lv2Context& v) {
    auto p = v.instance();
    if (p->numParams() == 0) return CheckResult::skip("the plug-in has no control inputs");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const AudioBuffer signal = noiseAndPulses(0.05, 44100.0);
    for (int i = 0; i < p->numParams(); ++i) {
        const Lv2Port& port = p->port(i);
        const float keep = p->portValue(i);
        for (float bad : {nan, inf, -inf, port.minimum - 1e6f, port.maximum + 1e6f}) {
            // A crash names the port and value; the text lives until the
            // message is set back below.
            char crashText[200];
            std::snprintf(crashText, sizeof crashText,
                          "FAIL  the plug-in crashed the host with \"%s\" at %g: ",
                          port.name.c_str(), static_cast<double>(bad));
            reportCrashesAs(crashText);
            p->setPortValue(i, bad);
            OutputScan scan;
            renderSignal(*p, signal, 512, fixed(512), scan);
            p->setPortValue(i, keep);
            OutputScan after;
            renderSignal(*p, noiseAndPulses(0.5, 44100.0), 512, fixed(512), after);
            reportCrashesAs(kCrashMessage);
            if (!scan.clean() || !after.clean())
                return CheckResult::fail("\"" + port.name + "\" at " + fmt("%g", bad) + ": " +
                                         (scan.clean() ? "after restoring it, " : "") +
                                         (scan.clean() ? after : scan).describe());
        }
    }
    return CheckResult::pass(
        "NaN, infinite and out-of-range values on every control input, "
        "then its own value again: clean");
}

const void* portValueOf(const char* symbol, void* self, uint32_t* size, uint32_t* type) {
    auto* plugin = static_cast<Lv2Plugin*>(self);
    const float* value = plugin->controlBySymbol(symbol);
    *size = value ? sizeof(float) : 0;
    *type = value ? plugin->description().urids().map(LV2_ATOM__Float) : 0;
    return value;
}

void setPortValueOf(const char* symbol, void* self, const void* value, uint32_t size,
                    uint32_t type) {
    auto* plugin = static_cast<Lv2Plugin*>(self);
    float* target = plugin->controlBySymbol(symbol);
    if (target && size == sizeof(float) &&
        type == plugin->description().urids().map(LV2_ATOM__Float))
        *target = *static_cast<const float*>(value);
}

CheckResult stateRoundTrip(Lv2Context& v) {
    if (!v.world->hasExtension(LV2_STATE__interface))
        return CheckResult::skip("the plug-in has no state:interface (its ports are its state)");
    auto a = v.instance();
    randomiseParameters(*a, v.rng);
    LilvState* state = lilv_state_new_from_instance(
        v.world->plugin(), a->instance(), v.world->urids().mapFeature(), nullptr, nullptr, nullptr,
        nullptr, portValueOf, a.get(), LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, a->featureList());
    if (!state) return CheckResult::fail("saving the state gave nothing");
    auto b = v.instance();
    lilv_state_restore(state, b->instance(), setPortValueOf, b.get(), 0, b->featureList());
    lilv_state_free(state);
    for (int i = 0; i < a->numParams(); ++i) {
        if (a->portValue(i) != b->portValue(i))
            return CheckResult::fail("\"" + a->port(i).name + "\" came back as " +
                                     fmt("%g", b->portValue(i)) + ", saved as " +
                                     fmt("%g", a->portValue(i)));
    }
    OutputScan scan;
    const AudioBuffer signal = noiseAndPulses(1.0, 44100.0);
    const double d = maxDifference(renderSignal(*a, signal, 512, fixed(512), scan),
                                   renderSignal(*b, signal, 512, fixed(512), scan));
    if (!(d <= 1e-6))
        return CheckResult::fail("the restored instance's output differs by " + fmt("%.3g", d));
    return CheckResult::pass(
        "random settings saved and restored into a new instance: same "
        "ports, same output");
}

// Hears nothing: the check only opens, idles and closes the UI.
class QuietHost final : public EditorHostEvents {
public:
    explicit QuietHost(EditorParent& window) : parent(window) {}
    void automated(int, float) override {}
    void editGesture(int, bool) override {}
    void idleRequested() override {}
    bool sizeRequested(int width, int height) override {
        parent.resize(width, height);
        return true;
    }

private:
    EditorParent& parent;
};

CheckResult userInterface(Lv2Context& v) {
    const auto types = v.world->uiTypes();
    if (types.empty()) return CheckResult::skip("the plug-in has no UI");
    if (std::find(types.begin(), types.end(), LV2_UI__X11UI) == types.end())
        return CheckResult::skip("the plug-in has no X11 UI, the kind plughost hosts");
    std::string whyNot;
    auto parent = createEditorParent(400, 300, whyNot, "plughost validate");
    if (!parent) return CheckResult::skip("no display: " + whyNot);
    auto p = v.instance();
    QuietHost host(*parent);
    int rounds = 0;
    for (; rounds < v.strictness; ++rounds) {
        Lv2Ui ui(*p, parent->handle(), host);
        for (int i = 0; i < 10; ++i) {
            p->setParameter(i % std::max(1, p->numParams()), v.uniform());
            ui.idle();
            parent->pump();
        }
    }
    return CheckResult::pass("opened, idled with parameter changes and closed " +
                             std::to_string(rounds) + " times");
}

}  // namespace

int runLv2Validate(const ValidateOptions& o) {
    const auto world = std::make_shared<const Lv2World>(o.library);
    HostContext host(44100.0, 512);
    Lv2Plugin probe(world, host);  // refuses plug-ins needing what plughost lacks, before any check
    std::vector<Lv2Check> checks = {{"lifecycle", lifecycle}};
    appendCommonChecks(checks);
    checks.insert(checks.end(), {{"control-values", controlValues},
                                 {"state-round-trip", stateRoundTrip},
                                 {"editor", userInterface}});
    return runChecks(o, checks, host,
                     [&](unsigned seed) { return Lv2Context(world, host, o.strictness, seed); });
}
