// UiPlugin: the LV2 panel. It shows the product's FilterDelayEditor in the
// host's window and reaches the DSP only through ports, because a host may
// run the panel in another process.
//
// The panel needs an effect to edit, so the UI owns a FilterDelayEffect of
// its own, used only as the parameter model (it never processes audio):
// | direction       | road                                                 |
// |-----------------|------------------------------------------------------|
// | panel -> DSP    | knob -> automateParameter -> audioMasterAutomate on  |
// |                 | this UI's host callback -> write_function on the     |
// |                 | control input, bracketed by ui:touch gestures        |
// | DSP -> panel    | port_event on a control input (the host's value) or  |
// |                 | output (the DSP's value after automation or MIDI) -> |
// |                 | the model's setParameter -> the editor's next idle   |
//
// Gestures: a drag runs inside one editor idle (the control's tracking loop
// holds it), so a gesture opened by the first change of a parameter closes
// when that idle returns; audioMasterBeginEdit / audioMasterEndEdit open and
// close one explicitly.
//
// Threads: the host's UI thread only.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>

#include "effect/filter_delay_effect.h"

namespace molvex::lv2 {

struct UiHost {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;  // may be null
    const LV2UI_Touch* touch = nullptr;    // may be null
    float scaleFactor = 1.0f;              // the host's, 1 when not offered
};

class UiPlugin {
public:
    explicit UiPlugin(const UiHost& host);
    ~UiPlugin();

    UiPlugin(const UiPlugin&) = delete;
    UiPlugin& operator=(const UiPlugin&) = delete;

    // Builds the panel in the host's window; false when it could not.
    bool open();
    // The panel's own window, handed to the host as the widget.
    std::uintptr_t widget() const { return widgetId; }
    void portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format, const void* data);
    // ui:idleInterface: the editor's idle, then the end of gestures it began.
    int idle();

    float getScaleFactor() const { return host.scaleFactor; }
    FilterDelayEffect& getModel() { return model; }

private:
    static VstIntPtr hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);
    void writeParameter(VstInt32 index, float value);
    void touch(VstInt32 index, bool grabbed);
    void endAutomaticGestures();

    UiHost host;
    FilterDelayEffect model;
    std::uintptr_t widgetId = 0;
    // Per parameter: a gesture is open, and whether it was opened by a change
    // (closed at the end of idle) rather than by audioMasterBeginEdit.
    bool gestureOpen[kParameterCount] = {};
    bool gestureAutomatic[kParameterCount] = {};
};

}  // namespace molvex::lv2
