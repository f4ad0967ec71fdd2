// What the panel tests share: a Molvex effect with its panel on the
// headless desktop, a host that keeps every automation it is told of (from
// any thread), and helpers that click and drag in the panel's coordinates.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "editor/filter_delay_editor.h"
#include "effect/filter_delay_effect.h"
#include "platform/headless/headless_system.h"

namespace paneltest {

using molvex::FilterDelayEditor;
using molvex::FilterDelayEffect;

struct Automation {
    VstInt32 index;
    float value;
};

// The host side: automation reports, guarded because MIDI reports them from
// the audio thread while the panel reports from the user-interface thread.
class AutomationLog {
public:
    static AutomationLog& instance();
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*,
                              float opt);
    void clear();
    std::vector<Automation> entries();
    int idleRequests();
    // Answer the idle request by running the editor's idle at once, as
    // some hosts do from inside a drag.
    void setIdleReentry(bool on);

private:
    std::mutex mutex;
    std::vector<Automation> log;
    int idles = 0;
    bool reenter = false;
};

// The panel's window sits at (300, 200) on the virtual screen; points below
// are in panel pixels.
class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr);
    // Opens through the host's opcode and paints once.
    void openPanel();
    void closePanel() { dispatch(effEditClose); }
    void idle() { dispatch(effEditIdle); }

    static platform::headless::InputState at(int x, int y, unsigned buttons);
    // Presses at the first point and runs the whole scripted gesture.
    void gesture(const std::vector<platform::headless::InputState>& states);
    void click(int x, int y, unsigned modifiers = 0);

    std::string displayText();
    platform::Rgb pixel(int x, int y) const;

    FilterDelayEffect* effect = nullptr;
    FilterDelayEditor* editor = nullptr;
    platform::WindowHandle window = nullptr;
};

}  // namespace paneltest
