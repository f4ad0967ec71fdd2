#include <new>

#include "effect/filter_delay_effect.h"
#include "host/plugin_entry.h"

EffectBase* createEffectInstance(HostCallback callback) {
    return new (std::nothrow) FilterDelayEffect(callback);
}
