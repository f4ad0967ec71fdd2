#include <new>

#include "editor/editor_factory.h"
#include "effect/filter_delay_effect.h"
#include "formats/vst2/plugin_entry.h"

EffectBase* createEffectInstance(HostCallback callback) {
    return new (std::nothrow) molvex::FilterDelayEffect(callback, &molvex::createFilterDelayEditor);
}
