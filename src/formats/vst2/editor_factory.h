// The plug-in's editor factory. The effect library only declares it, so it
// links no GUI code; the plug-in target links exactly one definition: the
// panel's (from the editor library) or `without_editor.cpp` where a build has
// no panel. effect_factory.cpp hands it to every effect it makes.
#pragma once

#include <memory>

#include "host/plugin_editor.h"

namespace molvex {

class FilterDelayEffect;

// A new editor for `effect`, owned by the caller; null when there is none.
// The editor does not attach itself: the effect does, once, with what it is
// handed. Called on whatever thread the host loads the plug-in on, before
// the host sees the effect.
std::unique_ptr<PluginEditor> createFilterDelayEditor(FilterDelayEffect& effect);

}  // namespace molvex
