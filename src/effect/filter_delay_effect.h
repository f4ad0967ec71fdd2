// FilterDelayEffect: the product. A stereo filtered-feedback delay with nine
// parameters, sixteen programs and MIDI control changes 0 to 8.
//
// Two sides share this object:
// - the control side: setParameter, programs, MIDI, sample rate, suspend,
//   from whatever threads the host calls them on;
// - the audio side: process and processReplacing, on the host's audio thread.
//
// How each shared field is made safe (the audio side never locks, waits or
// allocates):
// | field                         | written by        | safe because                          |
// |-------------------------------|-------------------|---------------------------------------|
// | parameter values              | control side      | atomic floats                         |
// | program values                | control side      | atomic floats                         |
// | pendingChanges                | control side sets | atomic bit set; the audio side takes  |
// |                               | audio side clears | it whole at the start of a block      |
// | delay line, positions, filter,| audio side; the   | the audio side derives them from the  |
// | pan gains, lineRate           | control side only | parameters at the start of a block;   |
// |                               | inside the gate   | rate changes and suspend hold the gate|
// | program names                 | name opcodes      | hosts send them from one thread       |
//
// So a parameter change takes effect at the next block, and a block that
// meets a rate change in progress passes the dry signal only.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "effect/audio_gate.h"
#include "effect/effect_program.h"
#include "effect/feedback_filter.h"
#include "effect/parameter_index.h"
#include "host/effect_base_ext.h"

namespace molvex {

class FilterDelayEffect;

// Builds the effect's editor and hands it over; null for no panel. The
// effect alone attaches what it gets (editor/editor_factory.h
// declares the one the plug-in uses).
using EditorFactory = std::unique_ptr<PluginEditor> (*)(FilterDelayEffect& effect);

class FilterDelayEffect : public EffectBaseExt {
public:
    explicit FilterDelayEffect(HostCallback callback, EditorFactory makeEditor = nullptr);
    ~FilterDelayEffect() override;

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    // The same for the product's own callers (editor, tests, tools).
    void setParameter(ParameterIndex parameter, float value) {
        setParameter(toIndex(parameter), value);
    }
    float getParameter(ParameterIndex parameter) { return getParameter(toIndex(parameter)); }
    void process(float** inputs, float** outputs, VstInt32 frames) override;
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override;
    void setProgram(VstInt32 program) override;
    void setProgramName(char* text) override;
    void getProgramName(char* text) override;
    void getParameterLabel(VstInt32 index, char* text) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    // Refuses rates below 1 Hz, above kMaxSampleRate, NaN and infinity, and
    // rates whose line cannot be had: the old rate and line stay.
    void setSampleRate(float rate) override;
    void suspend() override;
    // What suspend clears and the filter's state besides (its history and
    // the resonance limiter's Q scale): the effect sounds as one just made
    // at this rate and with these values. Control side, not during a block.
    void restart();
    void resume() override;
    VstInt32 processEvents(VstEvents* events) override;
    // One MIDI message, as processEvents takes each: control changes 0 to 8
    // set the parameters (reported to the host as automation); anything
    // else is ignored. Formats without the event list call it directly.
    void receiveMidi(std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    // 1 to "receiveVstEvents" and "receiveVstMidiEvent": hosts decide by these
    // answers, not by the events request in resume, whether to route MIDI to
    // an effect, and the controllers 0 to 8 need it. Every other word keeps
    // the base answer 0.
    VstInt32 canDo(const char* text) override;
    // A rate that arrives with the block size takes the same road as one that
    // arrives alone, so the line always matches the rate.
    void setBlockSizeAndSampleRate(VstInt32 frames, float rate) override;

    // The audio side's state, for tests and tools; read them only while no
    // audio call runs. Parameter changes show after the next block (a block
    // of 0 frames is enough).
    VstInt32 getDelaySamples() const { return delaySamples; }
    VstInt32 getReadIndex() const { return readIndex; }
    VstInt32 getWriteIndex() const { return writeIndex; }
    VstInt32 getDelayLineLength() const { return lineLength; }
    const float* getDelayLine() const { return delayLine; }
    const EffectProgram* getPrograms() const { return programs; }
    const FeedbackFilter& getFilter() const { return filter; }
    float getPanGainLeft() const { return panGainLeft; }
    float getPanGainRight() const { return panGainRight; }

    // One second of delay at this rate is still only 16 MB of line.
    static constexpr float kMaxSampleRate = 4000000.0f;

private:
    static EffectProgram* allocatePrograms(VstInt32 count);
    EffectProgram* currentProgramRecord();
    void storeValue(VstInt32 index, float value);
    void formatFilterType(float value, char* text);
    void formatPan(float value, char* text);

    // The audio side.
    template <bool kAccumulate>
    void runBlock(float** inputs, float** outputs, VstInt32 frames);
    template <bool kAccumulate, bool kClamp>
    void runLoop(float** inputs, float** outputs, VstInt32 frames, float dry);
    template <bool kAccumulate>
    void mixDryOnly(float** inputs, float** outputs, VstInt32 frames);
    void applyPendingChanges();
    void applyDelayTime(float value);
    void applyPan(float value);
    void applyFilterSettings();
    void clearDelayLine();
    float engineValue(ParameterIndex parameter) const;

    EffectProgram* programs = nullptr;
    float* delayLine = nullptr;
    VstInt32 delaySamples = 0;
    VstInt32 writeIndex = 0;
    VstInt32 readIndex = 0;
    FeedbackFilter filter;
    float panGainLeft = 0.0f;
    float panGainRight = 0.0f;
    std::atomic<float> values[kParameterCount];

    // The line's length and the rate it was made for, as the audio side uses
    // them; changed only inside the gate.
    VstInt32 lineLength = 0;
    float lineRate = 44100.0f;
    // Parameters changed since the audio side last derived its state, one bit
    // per parameter index.
    std::atomic<std::uint32_t> pendingChanges{0};
    AudioGate gate;
};

}  // namespace molvex
