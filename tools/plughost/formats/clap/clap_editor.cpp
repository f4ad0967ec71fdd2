#include "formats/clap/clap_editor.h"

#include <clap/ext/timer-support.h>

#include <cstdio>

#include "error.h"
#include "host/host_context.h"

bool clapEditorSize(const ClapHostedPlugin& plugin, int& width, int& height) {
    const clap_plugin_gui_t* gui = plugin.guiExtension();
    const clap_plugin_t* p = plugin.plugin();
    if (!gui || !gui->create(p, PLUGHOST_CLAP_WINDOW_API, false)) return false;
    std::uint32_t w = 0, h = 0;
    const bool known = gui->get_size(p, &w, &h);
    gui->destroy(p);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return known;
}

ClapEditor::ClapEditor(const ClapHostedPlugin& plugin, void* parentWindow, EditorHostEvents& events)
    : plugin(plugin), events(events) {
    const clap_plugin_gui_t* gui = plugin.guiExtension();
    const clap_plugin_t* p = plugin.plugin();
    if (!gui) throw HostError("the plug-in has no GUI (no clap.gui extension)");
    if (!gui->is_api_supported(p, PLUGHOST_CLAP_WINDOW_API, false) ||
        !gui->create(p, PLUGHOST_CLAP_WINDOW_API, false))
        throw HostError(std::string("the plug-in's GUI does not embed in ") +
                        PLUGHOST_CLAP_WINDOW_API);
    plugin.host().editorEvents = &events;
    clap_window_t window{};
    window.api = PLUGHOST_CLAP_WINDOW_API;
    window.ptr = parentWindow;
    if (!gui->set_parent(p, &window)) {
        gui->destroy(p);
        plugin.host().editorEvents = nullptr;
        throw HostError("the plug-in's GUI refused the parent window (set_parent)");
    }
    gui->show(p);
    open = true;
}

ClapEditor::~ClapEditor() { closeNow(); }

void ClapEditor::closeNow() {
    if (!open) return;
    // Edits made since the last idle (on Windows the pointer's messages
    // arrive between idles) still reach the host: the timers run once more,
    // so the panel closes its gestures, and the edits are flushed.
    const clap_plugin_t* p = plugin.plugin();
    const auto* timers = static_cast<const clap_plugin_timer_support_t*>(
        p->get_extension(p, CLAP_EXT_TIMER_SUPPORT));
    if (timers)
        for (std::uint32_t id : plugin.host().allTimers()) timers->on_timer(p, id);
    flushEdits();
    plugin.guiExtension()->destroy(plugin.plugin());
    plugin.host().editorEvents = nullptr;
    open = false;
}

void ClapEditor::idle() {
    if (!open) return;
    const clap_plugin_t* p = plugin.plugin();
    const auto* timers = static_cast<const clap_plugin_timer_support_t*>(
        p->get_extension(p, CLAP_EXT_TIMER_SUPPORT));
    if (timers)
        for (std::uint32_t id : plugin.host().dueTimers()) timers->on_timer(p, id);
    if (plugin.host().callbackRequested.exchange(false)) p->on_main_thread(p);
    flushEdits();
}

void ClapEditor::flushEdits() {
    if (!plugin.host().flushRequested) return;
    std::vector<ClapOutputEvent> out;
    plugin.flush(&out);
    for (const ClapOutputEvent& e : out) {
        const int i = plugin.indexOf(e.id);
        if (i < 0) continue;
        if (e.type == CLAP_EVENT_PARAM_VALUE) events.automated(i, plugin.normalised(i, e.value));
        else events.editGesture(i, e.type == CLAP_EVENT_PARAM_GESTURE_BEGIN);
    }
}

bool ClapEditor::size(int& width, int& height) const {
    std::uint32_t w = 0, h = 0;
    if (!open || !plugin.guiExtension()->get_size(plugin.plugin(), &w, &h)) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::string ClapEditor::describe(int index) const {
    char text[256] = {};
    const auto* params = plugin.params();
    const double plain = plugin.plainValue(index);
    if (!params ||
        !params->value_to_text(plugin.plugin(), plugin.info(index).id, plain, text, sizeof text))
        std::snprintf(text, sizeof text, "%g", plain);
    char line[320];
    std::snprintf(line, sizeof line, "%.4g (%s)", static_cast<double>(plugin.getParameter(index)),
                  text);
    return line;
}
