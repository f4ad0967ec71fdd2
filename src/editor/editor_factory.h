// The plug-in's editor factories. The effect library only declares the
// first, so it links no GUI code; the plug-in target links exactly one
// definition: the panel's (editor_factory.cpp) or `without_editor.cpp`
// where a build has no panel. The VST 2 effect factory hands it to every
// effect it makes.
#pragma once

#include <memory>
#include <optional>

#include "host/plugin_editor.h"

class GuiEditorBase;

namespace molvex {

class FilterDelayEffect;

// A new editor for `effect`, owned by the caller; null when there is none.
// The editor does not attach itself: the effect does, once, with what it is
// handed. Called on whatever thread the host loads the plug-in on, before
// the host sees the effect.
std::unique_ptr<PluginEditor> createFilterDelayEditor(FilterDelayEffect& effect);

// The same panel for a format's panel session, at the toolkit's level the
// session drives it by, told the host's scale in per cent when the host
// said one (nullopt: the variable and the desktop decide). The session
// attaches it to its model effect.
std::unique_ptr<GuiEditorBase> createFilterDelayPanel(FilterDelayEffect& effect,
                                                      std::optional<int> hostScalePercent);

}  // namespace molvex
