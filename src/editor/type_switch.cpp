#include "editor/type_switch.h"

#include "effect/parameter_table.h"

namespace molvex {

void TypeSwitch::draw(GuiDrawContext* context) {
    const float sent = value;
    // The position whose picture names the filter that plays.
    value = filterChoice(filterTypeFor(sent)).value;
    GuiVerticalSwitch::draw(context);
    // The value stays what was sent, and counts as drawn.
    value = sent;
    oldValue = sent;
}

}  // namespace molvex
