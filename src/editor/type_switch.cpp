#include "editor/type_switch.h"

#include "effect/parameter_index.h"

namespace molvex {

namespace {

// The switch position whose picture names `type`.
float positionOf(FilterType type) {
    switch (type) {
    case FilterType::LowPass: return 0.0f;
    case FilterType::HighPass: return 0.5f;
    case FilterType::BandPass: return 1.0f;
    }
    return 1.0f;
}

}  // namespace

void TypeSwitch::draw(GuiDrawContext* context) {
    const float sent = value;
    value = positionOf(filterTypeFor(sent));
    GuiVerticalSwitch::draw(context);
    // The value stays what was sent, and counts as drawn.
    value = sent;
    oldValue = sent;
}

}  // namespace molvex
