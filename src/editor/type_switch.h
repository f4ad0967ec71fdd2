// TypeSwitch: the panel's filter-type switch. Its value is the type
// parameter as the host, a MIDI controller or a click set it; the word it
// lights is the filter the effect plays for that value (filterTypeFor), so a
// value between the switch's positions (0.4 plays high-pass) never shows
// another filter than the one that sounds.
//
// | value             | lit word | a click on a word sends |
// |-------------------|----------|-------------------------|
// | below 0.33        | LP       | LP 0.0                  |
// | 0.33 to below 0.66| HP       | HP 0.5                  |
// | 0.66 and above    | BP       | BP 1.0                  |
//
// Everything else, clicks and tracking included, is GuiVerticalSwitch's.
// Threads: user-interface thread only.
#pragma once

#include "gui/controls/vertical_switch.h"

namespace molvex {

class TypeSwitch : public GuiVerticalSwitch {
public:
    using GuiVerticalSwitch::GuiVerticalSwitch;

    void draw(GuiDrawContext* context) override;
};

}  // namespace molvex
