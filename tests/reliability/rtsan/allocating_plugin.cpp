// A plug-in that allocates in its audio routine, the fault the real-time
// host must catch. Nothing else about it matters.
#include <cstring>
#include <memory>

#include "host/vst2_interface.h"

namespace {

VstIntPtr dispatch(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }
void setParameter(AEffect*, VstInt32, float) {}
float getParameter(AEffect*, VstInt32) { return 0.0f; }

void processReplacing(AEffect*, float** inputs, float** outputs, VstInt32 frames) {
    auto scratch = std::make_unique<float[]>(static_cast<std::size_t>(frames));
    std::memcpy(scratch.get(), inputs[0], sizeof(float) * static_cast<std::size_t>(frames));
    std::memcpy(outputs[0], scratch.get(), sizeof(float) * static_cast<std::size_t>(frames));
    std::memcpy(outputs[1], scratch.get(), sizeof(float) * static_cast<std::size_t>(frames));
}

void process(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    processReplacing(effect, inputs, outputs, frames);
}

AEffect makeRecord() {
    AEffect record{};
    record.magic = kEffectMagic;
    record.dispatcher = dispatch;
    record.process = process;
    record.setParameter = setParameter;
    record.getParameter = getParameter;
    record.numParams = 1;
    record.numInputs = 2;
    record.numOutputs = 2;
    record.processReplacing = processReplacing;
    return record;
}

AEffect record = makeRecord();

}  // namespace

extern "C" __attribute__((visibility("default")))
AEffect* allocatingMain(HostCallback) __asm__("main");
extern "C" AEffect* allocatingMain(HostCallback) { return &record; }
