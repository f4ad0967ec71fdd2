#include "host/host_call_router.h"

#include <cstring>

namespace {

constexpr VstIntPtr kHostVersion = 2400;

VstIntPtr route(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                float opt) {
    if (opcode == audioMasterVersion) return kHostVersion;
    auto* calls = record ? static_cast<HostCalls*>(record->user) : nullptr;
    if (!calls) return 0;
    switch (opcode) {
    case audioMasterAutomate: calls->automate(index, opt); return 1;
    case audioMasterBeginEdit: calls->beginEdit(index); return 1;
    case audioMasterEndEdit: calls->endEdit(index); return 1;
    case audioMasterCanDo:
        return ptr && std::strcmp(static_cast<const char*>(ptr), "sizeWindow") == 0 &&
               calls->canResize();
    case audioMasterSizeWindow: return calls->resize(index, static_cast<int>(value));
    default: return 0;
    }
}

}  // namespace

HostCallback hostCallRouter() { return &route; }

void linkHostCalls(EffectBase& effect, HostCalls* calls) { effect.getRecord()->user = calls; }
