#include "effect/filter_delay_effect.h"

#include "effect/parameter_table.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

namespace molvex {

namespace {

constexpr char kInitName[] = "Init";
constexpr float kControllerScale = 0.007874016f;
constexpr std::uint8_t kControlChange = 0xB0;

bool isParameter(VstInt32 index) { return index >= 0 && index < kParameterCount; }

// The whole field is written: the text cut to 8 characters, then zeros.
void writeValueText(char* text, const char* source) {
    int i = 0;
    for (; i < kValueTextSize - 1 && source[i] != 0; ++i) text[i] = source[i];
    for (; i < kValueTextSize; ++i) text[i] = 0;
}

void writeNumber(char* text, const char* format, int number) {
    char wide[32] = {};
    std::snprintf(wide, sizeof wide, format, number);
    writeValueText(text, wide);
}

}  // namespace

FilterDelayEffect::FilterDelayEffect(HostCallback callback, EditorFactory makeEditor)
    : EffectBaseExt(callback, kProgramCount, kParameterCount) {
    programs = allocatePrograms(numPrograms);
    lineRate = getSampleRate();
    lineLength = static_cast<VstInt32>(lineRate);
    delayLine = new (std::nothrow) float[lineLength];
    if (!delayLine) lineLength = 0;
    for (auto& value : values) value.store(0.0f, std::memory_order_relaxed);
    if (programs) setProgram(0);
    applyPendingChanges();
    record.numInputs = 2;
    record.numOutputs = 2;
    setFlagCanMono(true);
    setFlagCanReplacing(true);
    setUniqueId(fourCharCode('m', 'x', '6', '7'));
    clearDelayLine();
    if (makeEditor) attachEditor(makeEditor(*this));
}

FilterDelayEffect::~FilterDelayEffect() {
    delete[] programs;
    delete[] delayLine;
}

EffectProgram* FilterDelayEffect::allocatePrograms(VstInt32 count) {
    EffectProgram* bank = new (std::nothrow) EffectProgram[count];
    if (!bank) return nullptr;
    for (VstInt32 p = 0; p < count; ++p) {
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            bank[p].values[i].store(kParameterTable[i].defaultValue, std::memory_order_relaxed);
        std::memcpy(bank[p].name, kInitName, sizeof kInitName);
    }
    return bank;
}

EffectProgram* FilterDelayEffect::currentProgramRecord() {
    const VstInt32 program = currentProgram.load(std::memory_order_relaxed);
    if (!programs || program < 0 || program >= numPrograms) return nullptr;
    return &programs[program];
}

// The live value and the current program's copy; the audio side derives
// what the value drives at its next block.
void FilterDelayEffect::storeValue(VstInt32 index, float value) {
    values[index].store(value, std::memory_order_relaxed);
    if (EffectProgram* program = currentProgramRecord())
        program->values[index].store(value, std::memory_order_relaxed);
    pendingChanges.fetch_or(1u << index, std::memory_order_release);
}

void FilterDelayEffect::setParameter(VstInt32 index, float value) {
    if (isParameter(index)) storeValue(index, value);
    if (editor) editor->setParameter(index, value);
}

float FilterDelayEffect::getParameter(VstInt32 index) {
    return isParameter(index) ? values[index].load(std::memory_order_relaxed) : 0.0f;
}

void FilterDelayEffect::setProgram(VstInt32 program) {
    if (!programs || program < 0 || program >= numPrograms) return;
    currentProgram.store(program, std::memory_order_relaxed);
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        setParameter(i, programs[program].values[i].load(std::memory_order_relaxed));
}

// Longer names are cut to the 23 characters the field holds.
void FilterDelayEffect::setProgramName(char* text) {
    EffectProgram* program = currentProgramRecord();
    if (!program) return;
    std::size_t length = 0;
    while (length < kProgramNameLength && text[length] != 0) ++length;
    std::memcpy(program->name, text, length);
    program->name[length] = 0;
}

void FilterDelayEffect::getProgramName(char* text) {
    const EffectProgram* program = currentProgramRecord();
    if (!program) {
        text[0] = 0;
        return;
    }
    if (std::strcmp(program->name, kInitName) == 0)
        std::snprintf(text, kProgramNameLength + 1, "%s %d", kInitName,
                      static_cast<int>(currentProgram.load(std::memory_order_relaxed)) + 1);
    else std::memcpy(text, program->name, std::strlen(program->name) + 1);
}

void FilterDelayEffect::getParameterLabel(VstInt32 index, char* text) {
    if (isParameter(index)) std::strcpy(text, kParameterTable[index].hostLabel);
}

void FilterDelayEffect::getParameterName(VstInt32 index, char* text) {
    if (isParameter(index)) std::strcpy(text, kParameterTable[index].hostName);
}

void FilterDelayEffect::getParameterDisplay(VstInt32 index, char* text) {
    if (!isParameter(index)) return;
    const float value = getParameter(index);
    // Products are truncated toward zero; an absurd value must not overflow
    // the integer or the host's buffer.
    auto writeTruncated = [text](double product) {
        if (!(std::fabs(product) < 1e7)) product = 0.0;
        writeNumber(text, "%d", static_cast<int>(product));
    };
    using enum ParameterIndex;
    switch (static_cast<ParameterIndex>(index)) {
    case InputLevel:
    case DryLevel:
    case WetLevel: formatDecibels(value, text); break;
    case Delay: writeTruncated(static_cast<double>(value) * 1000.0); break;
    case Feedback:
    case Resonance: writeTruncated(static_cast<double>(value) * 100.0); break;
    case Type: formatFilterType(value, text); break;
    case Cutoff:
        writeTruncated(static_cast<double>(value) * getSampleRate() * kCutoffSpanOfRate);
        break;
    case Pan: formatPan(value, text); break;
    }
}

void FilterDelayEffect::formatFilterType(float value, char* text) {
    writeValueText(text, filterChoice(filterTypeFor(value)).hostText);
}

void FilterDelayEffect::formatPan(float value, char* text) {
    double scaled = static_cast<double>(value) * kPanSteps;
    if (!(std::fabs(scaled) < 1e7)) scaled = kPanCentreStep;
    char wide[16] = {};
    writePanStep(static_cast<int>(scaled), wide);
    writeValueText(text, wide);
}

void FilterDelayEffect::resume() { requestEvents(1); }

VstInt32 FilterDelayEffect::canDo(const char* text) {
    if (!text) return 0;
    if (std::strcmp(text, "receiveVstEvents") == 0 || std::strcmp(text, "receiveVstMidiEvent") == 0)
        return 1;
    return EffectBaseExt::canDo(text);
}

VstInt32 FilterDelayEffect::processEvents(VstEvents* events) {
    if (!events) return 1;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (!event || event->type != kVstMidiType) continue;
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
        receiveMidi(static_cast<std::uint8_t>(midi->midiData[0]),
                    static_cast<std::uint8_t>(midi->midiData[1]),
                    static_cast<std::uint8_t>(midi->midiData[2]));
    }
    return 1;
}

void FilterDelayEffect::receiveMidi(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    if ((status & 0xF0) != kControlChange) return;
    const VstInt32 controller = data1 & 0x7F;
    if (controller >= kParameterCount) return;
    automateParameter(controller, static_cast<float>(data2 & 0x7F) * kControllerScale);
}

void FilterDelayEffect::setSampleRate(float rate) {
    if (!(rate >= 1.0f && rate <= kMaxSampleRate)) return;
    const VstInt32 length = static_cast<VstInt32>(rate);
    // The new line starts silent so the audio routine never reads undefined
    // samples; it is made before the gate is taken, so the gate is held only
    // for the swap.
    float* line = new (std::nothrow) float[length]();
    if (!line) return;
    float* old;
    {
        ControlSection section(gate);
        old = delayLine;
        delayLine = line;
        lineLength = length;
        lineRate = rate;
        EffectBase::setSampleRate(rate);
        // The write position keeps its place in the line where it can.
        writeIndex %= length;
        filter.setSampleRate(rate);
        applyDelayTime(engineValue(ParameterIndex::Delay));
        filter.setCutoff(engineValue(ParameterIndex::Cutoff));
        filter.updateCoefficients();
    }
    delete[] old;
    // The same road as any parameter change: the program keeps its values and
    // the editor hears of both.
    setParameter(ParameterIndex::Delay, getParameter(ParameterIndex::Delay));
    setParameter(ParameterIndex::Cutoff, getParameter(ParameterIndex::Cutoff));
}

void FilterDelayEffect::setBlockSizeAndSampleRate(VstInt32 frames, float rate) {
    EffectBase::setBlockSize(frames);
    setSampleRate(rate);
}

void FilterDelayEffect::suspend() {
    ControlSection section(gate);
    clearDelayLine();
}

void FilterDelayEffect::restart() {
    ControlSection section(gate);
    clearDelayLine();
    filter.restart();
}

}  // namespace molvex
