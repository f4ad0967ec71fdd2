// UiPlugin: the LV2 panel. It shows the product's panel (a PanelSession) in
// the host's window and reaches the DSP only through ports, because a host
// may run the panel in another process:
// | direction       | road                                                 |
// |-----------------|------------------------------------------------------|
// | panel -> DSP    | PanelHost::edited -> write_function on the control   |
// |                 | input, in plain units; gestures -> ui:touch          |
// | DSP -> panel    | port_event on a control input (the host's value) or  |
// |                 | output (the DSP's value after automation or MIDI) -> |
// |                 | the session's setNormalized -> the panel's next idle |
// | panel size      | canResize / resize -> ui:resize (when offered)       |
//
// Threads: the host's UI thread only.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>
#include <optional>

#include "formats/common/panel_session.h"

namespace molvex::lv2 {

struct UiHost {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;  // may be null
    const LV2UI_Touch* touch = nullptr;    // may be null
    std::optional<double> scaleFactor;     // ui:scaleFactor, when offered
};

class UiPlugin final : private PanelHost {
public:
    explicit UiPlugin(const UiHost& host);

    UiPlugin(const UiPlugin&) = delete;
    UiPlugin& operator=(const UiPlugin&) = delete;

    // Builds the panel in the host's window and tells the host its size;
    // false when it could not.
    bool open();
    // The panel's own window, handed to the host as the widget.
    std::uintptr_t widget() const { return session.nativeWindow(); }
    void portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* data);
    // ui:idleInterface.
    int idle();

    FilterDelayEffect& getModel() { return session.getModel(); }

private:
    void edited(ParameterIndex parameter, float value) override;
    void gestureBegins(ParameterIndex parameter) override { touch(parameter, true); }
    void gestureEnds(ParameterIndex parameter) override { touch(parameter, false); }
    bool canResize() override { return host.resize != nullptr; }
    bool resize(int width, int height) override;
    void touch(ParameterIndex parameter, bool grabbed);

    UiHost host;
    PanelSession session;
};

}  // namespace molvex::lv2
