#include <new>

#include "editor/filter_delay_editor.h"
#include "effect/filter_delay_effect.h"
#include "host/plugin_entry.h"

namespace {

PluginEditor* makePanel(FilterDelayEffect* effect) {
    return new (std::nothrow) FilterDelayEditor(effect);
}

}  // namespace

EffectBase* createEffectInstance(HostCallback callback) {
    return new (std::nothrow) FilterDelayEffect(callback, &makePanel);
}
