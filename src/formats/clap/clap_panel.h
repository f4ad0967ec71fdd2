// ClapPanel: the product's panel in a CLAP host's window. Like the LV2
// panel it edits a FilterDelayEffect of its own, used only as the parameter
// model, and reaches the DSP only through the plug-in's edit queue:
// | direction     | road                                                    |
// |---------------|---------------------------------------------------------|
// | panel -> DSP  | knob -> audioMasterBeginEdit / Automate / EndEdit on the|
// |               | model's callback -> edit queue -> request_flush -> the  |
// |               | next flush or process applies it and sends the host     |
// |               | gesture begin, value, gesture end                       |
// | DSP -> panel  | the timer compares the DSP's values with those it saw   |
// |               | last and sets the model's; the editor redraws at idle   |
//
// Gestures: a drag runs inside one timer call (the control's tracking loop
// holds it), so a gesture opened by the first change of a parameter closes
// when that call returns; audioMasterBeginEdit / audioMasterEndEdit open
// and close one explicitly.
//
// Scale: set_scale 1, 1.5 or 2 is the host's word (PanelScale's host
// source); without it the panel chooses as in the other formats. Sizes are
// device pixels. The zoom menu asks the host to resize (request_resize).
//
// Threads: the host's main thread only.
#pragma once

#include <clap/id.h>

#include <cstdint>

#include "effect/filter_delay_effect.h"

namespace molvex {
class FilterDelayEditor;
}

namespace molvex::clap {

class ClapPlugin;

class ClapPanel {
public:
    explicit ClapPanel(ClapPlugin& plugin);
    ~ClapPanel();

    ClapPanel(const ClapPanel&) = delete;
    ClapPanel& operator=(const ClapPanel&) = delete;

    bool hasEditor() const;
    // 1, 1.5 and 2 only.
    bool setScale(double scale);
    bool getSize(std::uint32_t& width, std::uint32_t& height);
    // Opens the panel in `parent` (shown at once) and starts the timer.
    bool setParent(void* parent);
    // The period of the timer that handles the panel's events.
    static constexpr std::uint32_t kTimerMs = 30;
    void onTimer(clap_id id);
    bool isOpen() const;
    FilterDelayEffect& getModel() { return model; }
    FilterDelayEditor* getEditor() const;

private:
    static VstIntPtr hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);
    void edit(VstInt32 index, float value);
    void gesture(VstInt32 index, bool begin);
    void followEffect();
    void endAutomaticGestures();
    void close();

    ClapPlugin& plugin;
    FilterDelayEffect model;
    clap_id timer = CLAP_INVALID_ID;
    // Per parameter: a gesture is open, and whether a change opened it.
    bool gestureOpen[kParameterCount] = {};
    bool gestureAutomatic[kParameterCount] = {};
    float seen[kParameterCount] = {};
};

}  // namespace molvex::clap
