// A VST 2 plug-in's editor: opened with effEditOpen in the parent window,
// idled with effEditIdle, closed with effEditClose when destroyed.
#pragma once

#include "formats/vst2/vst2_plugin.h"
#include "host/hosted_editor.h"

class Vst2Editor final : public HostedEditor {
public:
    // Throws HostError when the plug-in has no editor or does not open it.
    Vst2Editor(const Vst2Plugin& plugin, void* parentWindow, const std::string& name);
    ~Vst2Editor() override;
    Vst2Editor(const Vst2Editor&) = delete;
    Vst2Editor& operator=(const Vst2Editor&) = delete;

    void idle() override {
        if (open) plugin.dispatch(effEditIdle);
    }
    bool size(int& width, int& height) const override { return plugin.editorSize(width, height); }
    std::string describe(int index) const override;
    // effEditClose now.
    void closeNow() override;
    // effClose took the editor with it.
    void forget() override { open = false; }

private:
    const Vst2Plugin& plugin;
    bool open = true;
};
