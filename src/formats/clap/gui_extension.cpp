#include "formats/clap/gui_extension.h"

#include <clap/ext/gui.h>
#include <clap/ext/timer-support.h>

#include <cstring>

#include "formats/clap/clap_panel.h"
#include "formats/clap/clap_plugin.h"

namespace molvex::clap {

namespace {

// MOLVEX_CLAP_WINDOW_API is the window API of this build's platform
// backend, passed in by CMake.
constexpr char kWindowApi[] = MOLVEX_CLAP_WINDOW_API;

ClapPlugin* self(const clap_plugin_t* plugin) { return ClapPlugin::of(plugin); }
ClapPanel* panel(const clap_plugin_t* plugin) { return self(plugin)->getPanel(); }

bool supported(const char* api, bool floating) {
    return !floating && api && std::strcmp(api, kWindowApi) == 0;
}

const clap_plugin_gui_t kGui = {
    [](const clap_plugin_t*, const char* api, bool floating) { return supported(api, floating); },
    [](const clap_plugin_t*, const char** api, bool* floating) {
        if (!api || !floating) return false;
        *api = kWindowApi;
        *floating = false;
        return true;
    },
    [](const clap_plugin_t* p, const char* api, bool floating) {
        if (!supported(api, floating) || panel(p)) return false;
        self(p)->ensurePanel();
        return true;
    },
    [](const clap_plugin_t* p) { self(p)->dropPanel(); },
    [](const clap_plugin_t* p, double scale) { return panel(p) && panel(p)->setScale(scale); },
    [](const clap_plugin_t* p, std::uint32_t* width, std::uint32_t* height) {
        return panel(p) && width && height && panel(p)->getSize(*width, *height);
    },
    [](const clap_plugin_t*) { return false; },
    [](const clap_plugin_t*, clap_gui_resize_hints_t*) { return false; },
    [](const clap_plugin_t* p, std::uint32_t* width, std::uint32_t* height) {
        return panel(p) && width && height && panel(p)->getSize(*width, *height);
    },
    // Only the size the panel has is accepted.
    [](const clap_plugin_t* p, std::uint32_t width, std::uint32_t height) {
        std::uint32_t w = 0, h = 0;
        return panel(p) && panel(p)->getSize(w, h) && w == width && h == height;
    },
    [](const clap_plugin_t* p, const clap_window_t* window) {
        if (!panel(p) || !window || !window->api || std::strcmp(window->api, kWindowApi) != 0)
            return false;
        return panel(p)->setParent(window->ptr);
    },
    [](const clap_plugin_t*, const clap_window_t*) { return false; },
    [](const clap_plugin_t*, const char*) {},
    // The panel shows from set_parent on; some hosts never call show.
    [](const clap_plugin_t* p) { return panel(p) && panel(p)->isOpen(); },
    [](const clap_plugin_t* p) { return panel(p) != nullptr; },
};

const clap_plugin_timer_support_t kTimer = {
    [](const clap_plugin_t* p, clap_id id) {
        if (ClapPanel* open = panel(p)) open->onTimer(id);
    },
};

}  // namespace

const void* guiExtension() { return &kGui; }
const void* timerExtension() { return &kTimer; }

}  // namespace molvex::clap
