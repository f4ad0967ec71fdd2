#include "host/effect_base.h"

#include <cstring>

namespace {

VstIntPtr recordDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                           void* ptr, float opt) {
    EffectBase* object = EffectBase::fromRecord(effect);
    if (opcode == effClose) {
        // The record lives inside the object: after this it is gone.
        object->dispatcher(opcode, index, value, ptr, opt);
        delete object;
        return 1;
    }
    return object->dispatcher(opcode, index, value, ptr, opt);
}

void recordProcess(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    EffectBase::fromRecord(effect)->process(inputs, outputs, frames);
}

void recordSetParameter(AEffect* effect, VstInt32 index, float value) {
    EffectBase::fromRecord(effect)->setParameter(index, value);
}

float recordGetParameter(AEffect* effect, VstInt32 index) {
    return EffectBase::fromRecord(effect)->getParameter(index);
}

void recordProcessReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    EffectBase::fromRecord(effect)->processReplacing(inputs, outputs, frames);
}

// Opcodes whose pointer is a text the plug-in reads or writes; a host that
// passes none gets 0 instead of a crash.
bool takesText(VstInt32 opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName: return true;
    default: return false;
    }
}

}  // namespace

EffectBase::EffectBase(HostCallback callback, VstInt32 programCount, VstInt32 paramCount)
    : hostCallback(callback), numPrograms(programCount), numParams(paramCount) {
    std::memset(&record, 0, sizeof record);
    record.magic = kEffectMagic;
    record.dispatcher = recordDispatcher;
    record.process = recordProcess;
    record.setParameter = recordSetParameter;
    record.getParameter = recordGetParameter;
    record.numPrograms = programCount;
    record.numParams = paramCount;
    record.numInputs = 1;
    record.numOutputs = 2;
    record.ioRatio = 1.0f;
    record.object = this;
    record.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    record.version = 1;
    record.processReplacing = recordProcessReplacing;
}

EffectBase::~EffectBase() = default;

VstIntPtr EffectBase::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt) {
    if (takesText(opcode) && ptr == nullptr) return 0;
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        // A negative program would index before the bank: refused like one
        // past the end.
        if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(text); return 0;
    case effGetProgramName: getProgramName(text); return 0;
    case effGetParamLabel: getParameterLabel(index, text); return 0;
    case effGetParamDisplay: getParameterDisplay(index, text); return 0;
    case effGetParamName: getParameterName(index, text); return 0;
    case effGetVu: return static_cast<VstIntPtr>(getVu() * 32767.0);
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
    case effMainsChanged:
        if (value == 0) suspend();
        else resume();
        return 0;
    case effEditGetRect: return editor ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen: return editor ? editor->open(ptr) : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify: return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk: return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default: return 0;
    }
}

void EffectBase::setParameter(VstInt32, float) {}
float EffectBase::getParameter(VstInt32) { return 0.0f; }
void EffectBase::processReplacing(float**, float**, VstInt32) {}
void EffectBase::open() {}
void EffectBase::close() {}
VstInt32 EffectBase::getProgram() { return currentProgram.load(std::memory_order_relaxed); }
void EffectBase::setProgram(VstInt32 program) {
    currentProgram.store(program, std::memory_order_relaxed);
}
void EffectBase::setProgramName(char* text) { text[0] = 0; }
void EffectBase::getProgramName(char* text) { text[0] = 0; }
void EffectBase::getParameterLabel(VstInt32, char* text) { text[0] = 0; }
void EffectBase::getParameterDisplay(VstInt32, char* text) { text[0] = 0; }
void EffectBase::getParameterName(VstInt32, char* text) { text[0] = 0; }
float EffectBase::getVu() { return 0.0f; }
VstInt32 EffectBase::getChunk(void**, bool) { return 0; }
VstInt32 EffectBase::setChunk(void*, VstInt32, bool) { return 0; }
void EffectBase::setSampleRate(float rate) { sampleRate.store(rate, std::memory_order_relaxed); }
void EffectBase::setBlockSize(VstInt32 frames) {
    blockSize.store(frames, std::memory_order_relaxed);
}
void EffectBase::suspend() {}
void EffectBase::resume() {}
void EffectBase::setUniqueId(VstInt32 code) { record.uniqueID = code; }
void EffectBase::setNumInputs(VstInt32 count) { record.numInputs = count; }
void EffectBase::setNumOutputs(VstInt32 count) { record.numOutputs = count; }
void EffectBase::setFlagHasVu(bool on) { setFlagBit(effFlagsHasVu, on); }
void EffectBase::setFlagHasClip(bool on) { setFlagBit(effFlagsHasClip, on); }
void EffectBase::setFlagCanMono(bool on) { setFlagBit(effFlagsCanMono, on); }
void EffectBase::setFlagCanReplacing(bool on) { setFlagBit(effFlagsCanReplacing, on); }
void EffectBase::setFlagProgramChunks(bool on) { setFlagBit(effFlagsProgramChunks, on); }
void EffectBase::setRealQualities(VstInt32 count) { record.realQualities = count; }
void EffectBase::setOffQualities(VstInt32 count) { record.offQualities = count; }
void EffectBase::setInitialDelay(VstInt32 frames) { record.initialDelay = frames; }
float EffectBase::getSampleRate() { return sampleRate.load(std::memory_order_relaxed); }
VstInt32 EffectBase::getBlockSize() { return blockSize.load(std::memory_order_relaxed); }

void EffectBase::setFlagBit(VstInt32 bit, bool on) {
    if (on) record.flags |= bit;
    else record.flags &= ~bit;
}
