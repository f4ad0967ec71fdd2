#include "host/effect_base_ext.h"

namespace {

// Opcodes whose pointer is a text; a host that passes none gets 0.
bool takesText(VstInt32 opcode) {
    switch (opcode) {
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo: return true;
    default: return false;
    }
}

}  // namespace

VstIntPtr EffectBaseExt::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt) {
    if (opcode < effProcessEvents || opcode > effGetVstVersion)
        return EffectBase::dispatcher(opcode, index, value, ptr, opt);
    if (takesText(opcode) && ptr == nullptr) return 0;
    char* text = static_cast<char*>(ptr);
    const VstInt32 value32 = static_cast<VstInt32>(value);
    switch (opcode) {
    case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated: return canBeAutomated(index);
    case effString2Parameter: return stringToParameter(index, text);
    case effGetNumProgramCategories: return getNumCategories();
    case effGetProgramNameIndexed: return getProgramNameIndexed(value32, index, text);
    case effCopyProgram: return copyProgram(index);
    case effConnectInput: onInputConnected(index, value != 0); return 1;
    case effConnectOutput: onOutputConnected(index, value != 0); return 1;
    case effGetInputProperties: return getInputProperties(index, ptr);
    case effGetOutputProperties: return getOutputProperties(index, ptr);
    case effGetPlugCategory: return getCategory();
    case effGetCurrentPosition: return getCurrentPosition();
    case effGetDestinationBuffer: return reinterpret_cast<VstIntPtr>(getDestinationBuffer());
    case effOfflineNotify: return offlineNotify(ptr, value, index != 0);
    case effOfflinePrepare: return offlinePrepare(ptr, value);
    case effOfflineRun: return offlineRun(ptr, value);
    case effProcessVarIo: return processVariableIo(ptr);
    case effSetSpeakerArrangement:
        return setSpeakerArrangement(reinterpret_cast<void*>(value), ptr);
    case effSetBlockSizeAndSampleRate: setBlockSizeAndSampleRate(value32, opt); return 1;
    case effSetBypass: return setBypass(value != 0);
    case effGetEffectName: return getEffectName(text);
    case effGetErrorText: return getErrorText(text);
    case effGetVendorString: return getVendorString(text);
    case effGetProductString: return getProductString(text);
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return canDo(text);
    case effGetTailSize: return getTailSize();
    case effIdle: return effectIdle();
    case effGetIcon: return reinterpret_cast<VstIntPtr>(getIcon());
    case effSetViewPosition: return setViewPosition(index, value32);
    case effGetParameterProperties: return getParameterProperties(index, ptr);
    case effKeysRequired: return keysRequired() ? 0 : 1;
    case effGetVstVersion: return getInterfaceVersion();
    default: return 0;
    }
}

VstInt32 EffectBaseExt::processEvents(VstEvents*) { return 0; }
bool EffectBaseExt::canBeAutomated(VstInt32) { return true; }
bool EffectBaseExt::stringToParameter(VstInt32, char*) { return false; }
VstInt32 EffectBaseExt::getNumCategories() { return 1; }
bool EffectBaseExt::getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
bool EffectBaseExt::copyProgram(VstInt32) { return false; }
void EffectBaseExt::onInputConnected(VstInt32, bool) {}
void EffectBaseExt::onOutputConnected(VstInt32, bool) {}
bool EffectBaseExt::getInputProperties(VstInt32, void*) { return false; }
bool EffectBaseExt::getOutputProperties(VstInt32, void*) { return false; }
VstInt32 EffectBaseExt::getCategory() {
    return (record.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}
void EffectBaseExt::setFlagExtIsAsync(bool on) { setFlagBit(effFlagsExtIsAsync, on); }
void EffectBaseExt::setFlagExtHasBuffer(bool on) { setFlagBit(effFlagsExtHasBuffer, on); }
VstInt32 EffectBaseExt::getCurrentPosition() { return 0; }
float* EffectBaseExt::getDestinationBuffer() { return nullptr; }
bool EffectBaseExt::offlineNotify(void*, VstIntPtr, bool) { return false; }
bool EffectBaseExt::offlinePrepare(void*, VstIntPtr) { return false; }
bool EffectBaseExt::offlineRun(void*, VstIntPtr) { return false; }
void EffectBaseExt::setFlagIsSynth(bool on) { setFlagBit(effFlagsIsSynth, on); }
void EffectBaseExt::setFlagNoSoundInStop(bool on) { setFlagBit(effFlagsNoSoundInStop, on); }
bool EffectBaseExt::processVariableIo(void*) { return false; }
bool EffectBaseExt::setSpeakerArrangement(void*, void*) { return false; }
void EffectBaseExt::setBlockSizeAndSampleRate(VstInt32 frames, float rate) {
    blockSize.store(frames, std::memory_order_relaxed);
    sampleRate.store(rate, std::memory_order_relaxed);
}
bool EffectBaseExt::setBypass(bool) { return false; }
bool EffectBaseExt::getEffectName(char*) { return false; }
bool EffectBaseExt::getErrorText(char*) { return false; }
bool EffectBaseExt::getVendorString(char*) { return false; }
bool EffectBaseExt::getProductString(char*) { return false; }
VstInt32 EffectBaseExt::getVendorVersion() { return 0; }
VstIntPtr EffectBaseExt::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
VstInt32 EffectBaseExt::canDo(const char*) { return 0; }
void* EffectBaseExt::getIcon() { return nullptr; }
bool EffectBaseExt::setViewPosition(VstInt32, VstInt32) { return false; }
VstInt32 EffectBaseExt::getTailSize() { return 0; }
VstInt32 EffectBaseExt::effectIdle() { return 0; }
bool EffectBaseExt::getParameterProperties(VstInt32, void*) { return false; }
bool EffectBaseExt::keysRequired() { return false; }
VstInt32 EffectBaseExt::getInterfaceVersion() { return 2; }
