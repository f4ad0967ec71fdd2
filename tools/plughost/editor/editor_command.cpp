#include "editor/editor_command.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "editor/desktop_driver.h"
#include "editor/editor_parent.h"
#include "editor/editor_script.h"
#include "error.h"
#include "formats/registry.h"
#include "host/host_context.h"
#include "host/hosted_editor.h"
#include "host/system.h"

namespace {

using Clock = std::chrono::steady_clock;
// Hosts idle their editors 30 to 60 times a second; take the slow end.
constexpr auto kIdlePeriod = std::chrono::microseconds(33333);
// Editor idles to let pass before a picture, so the plug-in has drawn what
// the script did; the last picture waits longer for editors that draw
// their first frame late.
constexpr long kIdlesBeforeScreenshot = 3;
constexpr long kIdlesBeforeLastScreenshot = 10;

// The host's side of an open editor. idle() and the size answer run on the
// user-interface thread; the counters are atomics and the queued parameter
// changes sit behind a mutex because the user thread reads and adds them.
class EditorHost final : public EditorHostEvents {
public:
    EditorHost(HostedPlugin& hosted, EditorParent& editorParent, const EditorOptions& options)
        : plugin(hosted),
          parent(editorParent),
          idleInCallback(options.idleInCallback),
          closes(options.closeInCallback),
          closeInside(options.closeInside) {}

    // The editor once it is open; null before and after.
    void attach(HostedEditor* openEditor) { editor = openEditor; }

    double seconds() const {
        return std::chrono::duration<double>(Clock::now() - openedAt).count();
    }
    long idles() const { return idleCount.load(); }

    // What the host closed from inside a callback, if anything.
    EditorOptions::Closes closed() const { return closedInside; }

    void idle() {
        if (closedInside != EditorOptions::Closes::nothing) return;
        applyQueuedChanges();
        if (editor) editor->idle();
        parent.pump();
        idleCount.fetch_add(1);
    }

    void queueChange(int index, float value) {
        std::lock_guard<std::mutex> lock(queueMutex);
        queuedChanges.emplace_back(index, value);
    }

    // Waits until the user-interface thread has idled the editor `count`
    // more times, or a second has passed (it may be held in a drag).
    void waitForIdles(long count) const {
        const long target = idleCount.load() + count;
        const auto giveUp = Clock::now() + std::chrono::seconds(1);
        while (idleCount.load() < target && Clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    void automated(int index, float value) override {
        automations.fetch_add(1);
        // Some plug-ins report plain units instead of 0..1; such lines stay
        // comments so that the output still replays.
        const bool normalised = value >= 0.0f && value <= 1.0f;
        std::printf("%s%.3f param %d %.6g%s\n", normalised ? "" : "# ", seconds(), index,
                    static_cast<double>(value), normalised ? "" : " (outside 0..1)");
        std::fflush(stdout);
        closeIfAsked(EditorOptions::Inside::automate);
    }
    void editGesture(int index, bool begins) override {
        std::printf("# %.3f %s edit %d\n", seconds(), begins ? "begin" : "end", index);
        std::fflush(stdout);
    }
    void idleRequested() override;
    bool sizeRequested(int width, int height) override {
        if (std::this_thread::get_id() != uiThread || width <= 0 || height <= 0) return false;
        parent.resize(width, height);
        return true;
    }

    std::string summary(double cpuSeconds) const;

private:
    void closeIfAsked(EditorOptions::Inside inside);
    void applyQueuedChanges() {
        std::vector<std::pair<int, float>> changes;
        {
            std::lock_guard<std::mutex> lock(queueMutex);
            changes.swap(queuedChanges);
        }
        for (const auto& [index, value] : changes) {
            if (index >= plugin.numParams()) continue;
            std::printf("# %.3f host sets %d %.6g\n", seconds(), index, static_cast<double>(value));
            plugin.setParameter(index, value);
        }
    }

    HostedPlugin& plugin;
    EditorParent& parent;
    HostedEditor* editor = nullptr;
    const bool idleInCallback;
    const Clock::time_point openedAt = Clock::now();
    const std::thread::id uiThread = std::this_thread::get_id();
    std::atomic<long> idleCount{0};
    std::atomic<long> idleRequests{0};
    std::atomic<long> idlesInsideRequests{0};
    std::atomic<long> automations{0};
    const EditorOptions::Closes closes;
    const EditorOptions::Inside closeInside;
    EditorOptions::Closes closedInside = EditorOptions::Closes::nothing;  // UI thread only
    bool answering = false;  // user-interface thread only
    mutable std::mutex queueMutex;
    std::vector<std::pair<int, float>> queuedChanges;
};

// Some hosts answer the idle request by idling the editor from inside it.
// One level only: an editor that asks again from that idle is not answered
// again, or the two would recurse without end.
void EditorHost::idleRequested() {
    idleRequests.fetch_add(1);
    closeIfAsked(EditorOptions::Inside::idle);
    if (closedInside != EditorOptions::Closes::nothing) return;
    if (!idleInCallback || answering || !editor || std::this_thread::get_id() != uiThread) return;
    answering = true;
    editor->idle();
    parent.pump();
    idlesInsideRequests.fetch_add(1);
    answering = false;
}

// A host that closes the editor, or destroys the plug-in, in the middle of
// the plug-in's own call: once, on the user-interface thread, with a drag
// perhaps in progress.
void EditorHost::closeIfAsked(EditorOptions::Inside inside) {
    if (closes == EditorOptions::Closes::nothing || inside != closeInside ||
        closedInside != EditorOptions::Closes::nothing || std::this_thread::get_id() != uiThread)
        return;
    closedInside = closes;
    const char* where =
        inside == EditorOptions::Inside::idle ? "audioMasterIdle" : "audioMasterAutomate";
    // Only plug-ins that allow it are offered these options (runEditor
    // refuses others).
    if (!editor) return;
    if (closes == EditorOptions::Closes::editor) {
        editor->closeNow();
        std::printf("# %.3f closed the editor inside %s\n", seconds(), where);
    } else {
        // The plug-in takes the editor with it: it must not be closed again.
        editor->forget();
        plugin.closeNow();
        std::printf("# %.3f destroyed the plug-in inside %s\n", seconds(), where);
    }
    std::fflush(stdout);
}

std::string EditorHost::summary(double cpuSeconds) const {
    const double wall = seconds();
    char text[256];
    std::snprintf(
        text, sizeof text,
        "# editor open %.2f s: %ld idles, %ld idle requests (%ld answered with an editor idle), "
        "%ld automations, CPU %.1f %% of one core\n",
        wall, idleCount.load(), idleRequests.load(), idlesInsideRequests.load(), automations.load(),
        wall > 0 ? 100.0 * cpuSeconds / wall : 0.0);
    return text;
}

// The user: runs the script on a thread of its own with a real pointer and
// keyboard, then takes the closing screenshot. It lets go of a button the
// script left held, or the editor would track the mouse for ever.
class ScriptedUser {
public:
    ScriptedUser(EditorHost& editorHost, void* editorWindow, std::vector<ScriptCommand> commands,
                 std::string closingScreenshot, double secondsToHold)
        : host(editorHost),
          window(editorWindow),
          script(std::move(commands)),
          lastScreenshot(std::move(closingScreenshot)),
          holdSeconds(secondsToHold) {}
    ~ScriptedUser() { stop(); }

    void start() {
        worker = std::thread([this] { run(); });
    }
    bool finished() const { return done.load(); }
    void stop() {
        stopping = true;
        if (worker.joinable()) worker.join();
    }
    // Empty, or the line that explains why the script stopped.
    std::string error() const {
        std::lock_guard<std::mutex> lock(errorMutex);
        return errorMessage;
    }

private:
    void run() {
        try {
            std::unique_ptr<DesktopDriver> driver = createDesktopDriver(window);
            for (const ScriptCommand& c : script) {
                if (stopping) break;
                perform(c, *driver);
            }
            if (holding) driver->release();
            holding = false;
            pause(holdSeconds - host.seconds());
            if (!lastScreenshot.empty() && !stopping)
                screenshot(lastScreenshot, kIdlesBeforeLastScreenshot, *driver);
        } catch (const std::exception& e) {
            std::lock_guard<std::mutex> lock(errorMutex);
            errorMessage = e.what();
        }
        done = true;
    }

    void perform(const ScriptCommand& c, DesktopDriver& driver) {
        using Kind = ScriptCommand::Kind;
        try {
            switch (c.kind) {
            case Kind::press:
                driver.press(c.x, c.y);
                holding = true;
                break;
            case Kind::move: driver.move(c.x, c.y); break;
            case Kind::release:
                driver.release();
                holding = false;
                break;
            case Kind::wheel: driver.wheel(c.x, c.y, c.index); break;
            case Kind::key: driver.key(c.text); break;
            case Kind::type: driver.type(c.text); break;
            case Kind::wait: pause(c.milliseconds / 1000.0); break;
            case Kind::screenshot: screenshot(c.text, kIdlesBeforeScreenshot, driver); break;
            case Kind::set: host.queueChange(c.index, c.value); break;
            }
        } catch (const HostError& e) {
            throw HostError("script line " + std::to_string(c.line) + ": " + e.what());
        }
    }

    void pause(double seconds) const {
        const auto until = Clock::now() + std::chrono::duration<double>(seconds);
        while (!stopping && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }

    void screenshot(const std::string& path, long idles, DesktopDriver& driver) {
        host.waitForIdles(idles);
        const RgbImage picture = driver.capture();
        writePng(path, picture);
        std::printf("# %.3f screenshot %s (%d x %d)\n", host.seconds(), path.c_str(), picture.width,
                    picture.height);
        std::fflush(stdout);
    }

    EditorHost& host;
    void* window;
    const std::vector<ScriptCommand> script;
    const std::string lastScreenshot;
    const double holdSeconds;
    bool holding = false;  // user thread only
    std::atomic<bool> stopping{false};
    std::atomic<bool> done{false};
    mutable std::mutex errorMutex;
    std::string errorMessage;
    std::thread worker;
};

std::string windowTitle(const HostedPlugin& plugin, const std::string& argument) {
    std::string name = plugin.title();
    if (name.empty()) name = argument.substr(argument.find_last_of("/\\") + 1);
    return "plughost editor: " + name;
}

// Where the session left the parameters, for the record and for tests.
std::string parameterRecord(const HostedPlugin& plugin, const HostedEditor& editor) {
    std::string out;
    for (int i = 0; i < plugin.numParams(); ++i) {
        out += "# parameter " + std::to_string(i) + " " + plugin.parameterName(i) + " = " +
               editor.describe(i) + "\n";
    }
    return out;
}

// Idles the open editor until the user is done, the time is up or the
// window is closed. Without a user or a time, only closing ends it.
void idleUntilDone(EditorHost& host, EditorParent& parent, const HostedEditor& editor,
                   const ScriptedUser* user, const std::optional<double>& seconds) {
    auto next = Clock::now();
    for (;;) {
        host.idle();
        if (parent.closeRequested() || editor.closeRequested()) return;
        if (host.closed() != EditorOptions::Closes::nothing) return;
        if (user && user->finished()) return;
        if (!user && seconds && host.seconds() >= *seconds) return;
        next += kIdlePeriod;
        const auto now = Clock::now();
        if (next < now) next = now;  // after a long drag, do not catch up in a burst
        std::this_thread::sleep_until(next);
    }
}

}  // namespace

int runEditor(const EditorOptions& o) {
    const std::vector<ScriptCommand> script =
        o.script.empty() ? std::vector<ScriptCommand>{} : loadEditorScript(o.script);
    HostContext context(44100.0, 512);
    const std::unique_ptr<HostedPlugin> opened = openPlugin(o.library, context);
    HostedPlugin& plugin = *opened;
    if (!plugin.hasEditor()) throw HostError(o.library + ": the plug-in has no editor");
    if (!plugin.closesInCallbacks() && o.closeInCallback != EditorOptions::Closes::nothing)
        throw HostError(o.library +
                        ": --close-editor-in and --close-plugin-in need a VST 2 plug-in, whose "
                        "callbacks they close from");
    plugin.configure(44100.0, 512);
    plugin.resume();

    int width = 400, height = 300;
    plugin.editorSize(width, height);
    std::string whyNot;
    std::unique_ptr<EditorParent> parent =
        createEditorParent(width, height, whyNot, windowTitle(plugin, o.library));
    if (!parent) throw HostError("an editor needs a display: " + whyNot + " (xvfb-run gives one)");

    EditorHost host(plugin, *parent, o);
    context.editorEvents = &host;
    const double cpuAtOpen = processCpuSeconds();
    std::unique_ptr<HostedEditor> editor;
    try {
        editor = plugin.openEditor(parent->handle(), host);
    } catch (const HostError&) {
        context.editorEvents = nullptr;
        throw;
    }
    host.attach(editor.get());
    if (editor->size(width, height)) parent->resize(width, height);
    std::printf("# editor %d x %d%s\n", width, height,
                o.idleInCallback ? ", idle requests answered inside" : "");

    std::unique_ptr<ScriptedUser> user;
    if (!script.empty() || !o.screenshot.empty()) {
        user = std::make_unique<ScriptedUser>(host, parent->handle(), script, o.screenshot,
                                              o.seconds.value_or(0.0));
        user->start();
    }
    idleUntilDone(host, *parent, *editor, user.get(), o.seconds);
    if (user) user->stop();

    // A plug-in the host destroyed inside a callback has no parameters left
    // to record; an editor it closed there is not closed again.
    const bool pluginAlive = host.closed() != EditorOptions::Closes::plugin;
    const std::string parameters = pluginAlive ? parameterRecord(plugin, *editor) : std::string();
    host.attach(nullptr);
    editor.reset();
    parent->pump();
    context.editorEvents = nullptr;
    std::fputs(host.summary(processCpuSeconds() - cpuAtOpen).c_str(), stdout);
    std::fputs(parameters.c_str(), stdout);
    if (user && !user->error().empty()) throw HostError(user->error());
    return 0;
}
