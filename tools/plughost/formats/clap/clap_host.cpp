#include "formats/clap/clap_host.h"

#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>

#include <algorithm>
#include <cstring>

#include "error.h"
#include "host/host_context.h"

namespace {
thread_local bool insideAudio = false;
}

ClapLibrary::ClapLibrary(const std::string& path) : libraryPath(path) {
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    library = loadLibrary(path, error);
    if (!library) throw HostError(path + ": " + error);
    entryPoint = static_cast<const clap_plugin_entry_t*>(library->symbol("clap_entry"));
    if (!entryPoint) throw HostError(path + ": no clap_entry: not a CLAP plug-in");
    if (!clap_version_is_compatible(entryPoint->clap_version))
        throw HostError(path + ": clap_entry has an incompatible CLAP version");
    if (!entryPoint->init || !entryPoint->init(path.c_str())) {
        entryPoint = nullptr;
        throw HostError(path + ": clap_entry.init failed");
    }
    pluginFactory =
        static_cast<const clap_plugin_factory_t*>(entryPoint->get_factory(CLAP_PLUGIN_FACTORY_ID));
    if (!pluginFactory || pluginFactory->get_plugin_count(pluginFactory) == 0)
        throw HostError(path + ": offers no plug-in factory or no plug-in");
    first = pluginFactory->get_plugin_descriptor(pluginFactory, 0);
    if (!first || !first->id) throw HostError(path + ": the first plug-in has no descriptor");
    scanTime =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

ClapLibrary::~ClapLibrary() {
    if (entryPoint) entryPoint->deinit();
}

struct ClapHostCalls {
    static ClapHost& of(const clap_host_t* h) { return *static_cast<ClapHost*>(h->host_data); }

    static const void* extension(const clap_host_t* h, const char* id);

    static constexpr clap_host_params_t params = {
        [](const clap_host_t* h, clap_param_rescan_flags) { ++of(h).rescans; },
        [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
        [](const clap_host_t* h) { of(h).flushRequested = true; },
    };
    static constexpr clap_host_state_t state = {[](const clap_host_t* h) { ++of(h).dirtyMarks; }};
    static constexpr clap_host_latency_t latency = {
        [](const clap_host_t* h) { ++of(h).latencyChanges; }};
    struct Tail {
        void (*changed)(const clap_host_t*);
    };
    static constexpr Tail tail = {[](const clap_host_t* h) { ++of(h).tailChanges; }};
    static constexpr clap_host_thread_check_t threads = {
        [](const clap_host_t* h) { return std::this_thread::get_id() == of(h).mainThread; },
        [](const clap_host_t*) { return insideAudio; },
    };
    static constexpr clap_host_gui_t gui = {
        [](const clap_host_t*) {},
        [](const clap_host_t* h, std::uint32_t width, std::uint32_t height) {
            EditorHostEvents* events = of(h).editorEvents.load();
            return events &&
                   events->sizeRequested(static_cast<int>(width), static_cast<int>(height));
        },
        [](const clap_host_t*) { return true; },
        [](const clap_host_t*) { return false; },
        [](const clap_host_t*, bool) {},
    };
    static constexpr clap_host_timer_support_t timers = {
        [](const clap_host_t* h, std::uint32_t period, clap_id* id) {
            ClapHost& host = of(h);
            if (!id) return false;
            std::lock_guard<std::mutex> lock(host.timerMutex);
            *id = host.nextTimer++;
            const std::uint32_t ms = std::max<std::uint32_t>(period, 1);
            host.timers.push_back(
                {*id, ms, std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)});
            return true;
        },
        [](const clap_host_t* h, clap_id id) {
            ClapHost& host = of(h);
            std::lock_guard<std::mutex> lock(host.timerMutex);
            const auto found = std::find_if(host.timers.begin(), host.timers.end(),
                                            [id](const ClapTimer& t) { return t.id == id; });
            if (found == host.timers.end()) return false;
            host.timers.erase(found);
            return true;
        },
    };
};

const void* ClapHostCalls::extension(const clap_host_t*, const char* id) {
    if (!id) return nullptr;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &params;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &state;
    if (std::strcmp(id, CLAP_EXT_LATENCY) == 0) return &latency;
    if (std::strcmp(id, "clap.tail") == 0) return &tail;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &threads;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &gui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &timers;
    return nullptr;
}

ClapHost::ClapHost() : mainThread(std::this_thread::get_id()) {
    host.clap_version = CLAP_VERSION;
    host.host_data = this;
    host.name = "plughost";
    host.vendor = "Molvex";
    host.url = "";
    host.version = "1";
    host.get_extension = ClapHostCalls::extension;
    host.request_restart = [](const clap_host_t*) {};
    host.request_process = [](const clap_host_t*) {};
    host.request_callback = [](const clap_host_t* h) {
        ClapHostCalls::of(h).callbackRequested = true;
    };
}

ClapHost::AudioScope::AudioScope() { insideAudio = true; }
ClapHost::AudioScope::~AudioScope() { insideAudio = false; }

std::vector<std::uint32_t> ClapHost::dueTimers() {
    std::vector<std::uint32_t> due;
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(timerMutex);
    for (ClapTimer& t : timers)
        if (now >= t.due) {
            due.push_back(t.id);
            t.due = now + std::chrono::milliseconds(t.periodMs);
        }
    return due;
}

std::size_t ClapHost::timerCount() const {
    std::lock_guard<std::mutex> lock(timerMutex);
    return timers.size();
}

std::vector<std::uint32_t> ClapHost::allTimers() const {
    std::lock_guard<std::mutex> lock(timerMutex);
    std::vector<std::uint32_t> ids;
    for (const ClapTimer& t : timers) ids.push_back(t.id);
    return ids;
}
