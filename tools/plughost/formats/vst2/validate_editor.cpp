// The editor: open, idle and close cycles, parameter changes while it is
// open, and opening it while another thread processes. Needs a window to
// put it in; without one (no display) the checks are skipped, not failed.
#include <atomic>
#include <chrono>
#include <thread>

#include "audio/test_signal.h"
#include "editor/editor_parent.h"
#include "formats/vst2/vst2_checks.h"
#include "validate/validate_harness.h"

namespace {

struct OpenEditor {
    std::unique_ptr<Vst2Plugin> plugin;
    std::unique_ptr<EditorParent> parent;
    std::string whyNot;
};

// Returns the reason to skip, or empty when plugin and parent are ready.
std::string prepare(Vst2CheckContext& v, OpenEditor& e) {
    e.plugin = v.instance();
    if (!e.plugin->hasEditor()) return "no editor (flag bit 1, effFlagsHasEditor, is clear)";
    ERect* rect = nullptr;
    e.plugin->dispatch(effEditGetRect, 0, 0, &rect);
    int width = 400, height = 300;
    if (rect) {
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
    }
    e.parent = createEditorParent(width, height, e.whyNot);
    if (!e.parent) return e.whyNot;
    return "";
}

void idle(OpenEditor& e, int times) {
    for (int i = 0; i < times; ++i) {
        e.plugin->dispatch(effEditIdle);
        e.parent->pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

CheckResult openIdleClose(Vst2CheckContext& v) {
    OpenEditor e;
    if (auto why = prepare(v, e); !why.empty()) return CheckResult::skip(why);
    const int cycles = v.scaled(2);
    for (int c = 0; c < cycles; ++c) {
        if (e.plugin->dispatch(effEditOpen, 0, 0, e.parent->handle()) == 0)
            return CheckResult::fail("effEditOpen answered 0 in cycle " + std::to_string(c + 1));
        ERect* rect = nullptr;
        e.plugin->dispatch(effEditGetRect, 0, 0, &rect);
        if (!rect) return CheckResult::fail("no editor rectangle while open");
        const int w = rect->right - rect->left, h = rect->bottom - rect->top;
        if (w <= 0 || h <= 0 || w > 8192 || h > 8192)
            return CheckResult::fail("editor rectangle " + std::to_string(w) + "x" +
                                     std::to_string(h));
        idle(e, 5);
        e.plugin->dispatch(effEditClose);
        e.parent->pump();
    }
    return CheckResult::pass(std::to_string(cycles) + " open, idle and close cycles");
}

CheckResult parametersWhileOpen(Vst2CheckContext& v) {
    OpenEditor e;
    if (auto why = prepare(v, e); !why.empty()) return CheckResult::skip(why);
    if (e.plugin->numParams() == 0) return CheckResult::skip("the plug-in has no parameters");
    e.plugin->dispatch(effEditOpen, 0, 0, e.parent->handle());
    const int changes = v.scaled(20);
    for (int i = 0; i < changes; ++i) {
        e.plugin->setParameter(v.uniformInt(0, e.plugin->numParams() - 1), v.uniform());
        idle(e, 1);
    }
    e.plugin->dispatch(effEditClose);
    return CheckResult::pass(std::to_string(changes) +
                             " random parameter changes with the editor open");
}

CheckResult openWhileProcessing(Vst2CheckContext& v) {
    OpenEditor e;
    if (auto why = prepare(v, e); !why.empty()) return CheckResult::skip(why);
    restart(*e.plugin, 44100.0, 256);
    std::atomic<bool> done{false};
    OutputScan scan;
    std::thread audio([&] {
        const AudioBuffer signal = noiseAndPulses(0.5, 44100.0);
        while (!done.load())
            renderSignal(
                *e.plugin, signal, 256, [](size_t) { return 256; }, scan);
    });
    const int cycles = v.scaled(1);
    for (int c = 0; c < cycles; ++c) {
        e.plugin->dispatch(effEditOpen, 0, 0, e.parent->handle());
        idle(e, 10);
        e.plugin->dispatch(effEditClose);
    }
    done = true;
    audio.join();
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(std::to_string(cycles) +
                             " editor cycles while another thread processed: clean");
}

}  // namespace

std::vector<Check> editorChecks() {
    return {
        {"editor-open-close", openIdleClose},
        {"editor-parameter-changes", parametersWhileOpen},
        {"editor-while-processing", openWhileProcessing},
    };
}
