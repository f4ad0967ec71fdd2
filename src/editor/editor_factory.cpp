#include "formats/vst2/editor_factory.h"

#include <new>

#include "editor/filter_delay_editor.h"
#include "effect/filter_delay_effect.h"

namespace molvex {

std::unique_ptr<PluginEditor> createFilterDelayEditor(FilterDelayEffect& effect) {
    return std::unique_ptr<PluginEditor>(new (std::nothrow) FilterDelayEditor(&effect));
}

}  // namespace molvex
