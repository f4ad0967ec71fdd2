#include "formats/vst2/plugin_entry.h"

#include "host/effect_base.h"

extern "C" AEffect* pluginMain(HostCallback callback) {
    // A host that does not answer the version query is not a host of this
    // interface; a null callback cannot answer it at all.
    if (!callback) return nullptr;
    if (callback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    EffectBase* effect = createEffectInstance(callback);
    return effect ? effect->getRecord() : nullptr;
}
