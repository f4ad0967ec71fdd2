#include "editor/editor_factory.h"

#include <new>

#include "editor/filter_delay_editor.h"
#include "effect/filter_delay_effect.h"

namespace molvex {

std::unique_ptr<PluginEditor> createFilterDelayEditor(FilterDelayEffect& effect) {
    return std::unique_ptr<PluginEditor>(new (std::nothrow) FilterDelayEditor(&effect));
}

std::unique_ptr<GuiEditorBase> createFilterDelayPanel(FilterDelayEffect& effect,
                                                      std::optional<int> hostScalePercent) {
    auto* panel = new (std::nothrow) FilterDelayEditor(&effect);
    if (panel && hostScalePercent) panel->getScale().setHostScale(*hostScalePercent);
    return std::unique_ptr<GuiEditorBase>(panel);
}

}  // namespace molvex
