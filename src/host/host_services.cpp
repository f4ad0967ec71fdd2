// The wrappers around the host callback. Each sends this effect's record,
// one host opcode and the arguments its table gives, and turns the answer
// into one of four forms: raw, boolean, pointer, or the effect's own stored
// value. Without a callback every wrapper answers at once.
#include "host/effect_base_ext.h"

VstIntPtr EffectBase::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
    if (!hostCallback) return 0;
    return hostCallback(&record, opcode, index, value, ptr, opt);
}

void EffectBase::automateParameter(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstIntPtr EffectBase::getHostVersion() {
    const VstIntPtr answer = callHost(audioMasterVersion);
    return answer == 0 ? 1 : answer;
}
VstIntPtr EffectBase::getHostCurrentId() { return callHost(audioMasterCurrentId); }
VstIntPtr EffectBase::hostIdle() { return callHost(audioMasterIdle); }
// The host answers 0 for a connected pin.
bool EffectBase::isInputConnected(VstInt32 index) {
    return callHost(audioMasterPinConnected, index, 0) == 0;
}
bool EffectBase::isOutputConnected(VstInt32 index) {
    return callHost(audioMasterPinConnected, index, 1) == 0;
}

VstIntPtr EffectBaseExt::requestEvents(VstIntPtr filter) {
    return callHost(audioMasterWantMidi, 0, filter);
}
VstTimeInfo* EffectBaseExt::getHostTimeInfo(VstIntPtr filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}
VstIntPtr EffectBaseExt::getTempoAt(VstIntPtr position) {
    return callHost(audioMasterTempoAt, 0, position);
}
VstIntPtr EffectBaseExt::getNumAutomatableParameters() {
    return callHost(audioMasterGetNumAutomatableParameters);
}
VstIntPtr EffectBaseExt::getParameterQuantization() {
    return callHost(audioMasterGetParameterQuantization);
}
bool EffectBaseExt::notifyIoChanged() { return callHost(audioMasterIOChanged) != 0; }
bool EffectBaseExt::requestIdle() { return callHost(audioMasterNeedIdle) != 0; }
bool EffectBaseExt::requestWindowSize(VstInt32 width, VstInt32 height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}
bool EffectBaseExt::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool EffectBaseExt::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }
// A host may answer by calling the dispatcher back with the new rate; the
// stored value after the call is the answer either way.
float EffectBaseExt::refreshSampleRate() {
    callHost(audioMasterGetSampleRate);
    return sampleRate.load(std::memory_order_relaxed);
}
VstInt32 EffectBaseExt::refreshBlockSize() {
    callHost(audioMasterGetBlockSize);
    return blockSize.load(std::memory_order_relaxed);
}
VstIntPtr EffectBaseExt::getHostInputLatency() { return callHost(audioMasterGetInputLatency); }
VstIntPtr EffectBaseExt::getHostOutputLatency() { return callHost(audioMasterGetOutputLatency); }
AEffect* EffectBaseExt::getPreviousEffect() {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}
AEffect* EffectBaseExt::getNextEffect() {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}
VstIntPtr EffectBaseExt::hostWillReplace() { return callHost(audioMasterWillReplaceOrAccumulate); }
VstIntPtr EffectBaseExt::getHostProcessLevel() {
    return callHost(audioMasterGetCurrentProcessLevel);
}
VstIntPtr EffectBaseExt::getHostAutomationState() {
    return callHost(audioMasterGetAutomationState);
}
bool EffectBaseExt::offlineStart(void* files, VstIntPtr fileCount, VstInt32 newFileCount) {
    return callHost(audioMasterOfflineStart, newFileCount, fileCount, files) != 0;
}
bool EffectBaseExt::offlineRead(void* task, VstIntPtr option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}
bool EffectBaseExt::offlineWrite(void* task, VstIntPtr option) {
    return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}
bool EffectBaseExt::offlineGetCurrentPass() {
    return callHost(audioMasterOfflineGetCurrentPass) != 0;
}
bool EffectBaseExt::offlineGetCurrentMetaPass() {
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0;
}
VstIntPtr EffectBaseExt::setOutputSampleRate(float rate) {
    return callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}
bool EffectBaseExt::getHostSpeakerArrangement(void* input, void* output) {
    return callHost(audioMasterGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(input),
                    output) != 0;
}
bool EffectBaseExt::getHostVendorString(char* text) {
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}
bool EffectBaseExt::getHostProductString(char* text) {
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}
VstIntPtr EffectBaseExt::getHostVendorVersion() { return callHost(audioMasterGetVendorVersion); }
VstIntPtr EffectBaseExt::hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}
bool EffectBaseExt::askHostCapability(const char* text) {
    return callHost(audioMasterCanDo, 0, 0, const_cast<char*>(text)) != 0;
}
VstIntPtr EffectBaseExt::getHostLanguage() { return callHost(audioMasterGetLanguage); }
void* EffectBaseExt::openHostWindow(void* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}
bool EffectBaseExt::closeHostWindow(void* window) {
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}
void* EffectBaseExt::getHostDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}
bool EffectBaseExt::updateHostDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }
