// A VST 2 plug-in's editor: opened with effEditOpen in the parent window,
// idled with effEditIdle, closed with effEditClose when destroyed.
#pragma once

#include "editor/plugin_editor.h"
#include "host/plugin.h"

// The editor rectangle's size (effEditGetRect), or false while it gives none.
bool vst2EditorSize(const Plugin& plugin, int& width, int& height);

class Vst2Editor final : public PluginEditor {
public:
    // Throws HostError when the plug-in has no editor or does not open it.
    Vst2Editor(const Plugin& plugin, void* parentWindow, const std::string& name);
    ~Vst2Editor() override;
    Vst2Editor(const Vst2Editor&) = delete;
    Vst2Editor& operator=(const Vst2Editor&) = delete;

    void idle() override {
        if (open) plugin.dispatch(effEditIdle);
    }
    // effEditClose now, as a host may from inside one of the plug-in's own
    // calls; the destructor then leaves it be.
    void closeNow();
    // The plug-in was destroyed (effClose) and its editor with it.
    void forget() { open = false; }
    bool size(int& width, int& height) const override {
        return vst2EditorSize(plugin, width, height);
    }
    std::string describe(int index) const override;

private:
    const Plugin& plugin;
    bool open = true;
};
