// The editor factory of a build with a panel.
#include <new>

#include "editor/filter_delay_editor.h"
#include "effect/editor_factory.h"
#include "effect/filter_delay_effect.h"

std::unique_ptr<PluginEditor> createFilterDelayEditor(FilterDelayEffect& effect) {
    return std::unique_ptr<PluginEditor>(new (std::nothrow) FilterDelayEditor(&effect));
}
