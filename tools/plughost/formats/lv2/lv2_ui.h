// An LV2 plug-in's X11 UI (ui:X11UI), loaded by plughost itself: the UI
// library's lv2ui_descriptor, instantiated inside the parent window with
// the features ui:parent, ui:idleInterface, ui:resize, ui:touch, urid:map
// and urid:unmap.
//
// The UI talks to the plug-in only through ports: its port writes set the
// instance's control inputs and are reported as automation (0..1, so the
// output replays with render --automation), and at each idle the instance
// runs one block of silence, as in a host's running session, and every
// control port whose value changed since is sent to the UI.
#pragma once

#include <lv2/ui/ui.h>

#include <memory>
#include <vector>

#include "formats/lv2/lv2_plugin.h"
#include "host/hosted_editor.h"
#include "host/plugin_loader.h"

class EditorHostEvents;

class Lv2Ui final : public HostedEditor {
public:
    // Throws HostError when the plug-in has no X11 UI or it does not open.
    Lv2Ui(const Lv2Plugin& plugin, void* parentWindow, EditorHostEvents& events);
    ~Lv2Ui() override;
    Lv2Ui(const Lv2Ui&) = delete;
    Lv2Ui& operator=(const Lv2Ui&) = delete;

    void idle() override;
    bool closeRequested() const override { return closing; }
    bool size(int& width, int& height) const override;
    std::string describe(int index) const override;

private:
    void load(void* parentWindow);
    void sendChangedPorts();
    // The parameter a control input port is, or -1.
    int parameterOf(uint32_t port) const;
    static void writePort(LV2UI_Controller controller, uint32_t port, uint32_t size,
                          uint32_t protocol, const void* buffer);

    const Lv2Plugin& plugin;
    EditorHostEvents& events;
    std::unique_ptr<LoadedLibrary> library;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
    bool closing = false;
    int width = 0, height = 0;
    std::vector<float> sent;  // by port index: what the UI last heard
    std::vector<std::vector<float>> silence;
    std::vector<float*> silencePointers;
    LV2UI_Resize resize{};
    LV2UI_Touch touch{};
    std::vector<LV2_Feature> featureData;
    std::vector<const LV2_Feature*> features;
};
