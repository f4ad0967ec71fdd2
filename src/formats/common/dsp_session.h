// DspSession: the effect as every format other than VST 2 drives it. A
// format's wrapper turns its own calls into these and nothing more; the
// session speaks the effect's dialect once.
//
// | format asks                 | session does                                 |
// |-----------------------------|----------------------------------------------|
// | made at a rate              | sets the rate; isUsable() says whether the   |
// |                             | effect took it (its delay line was made)     |
// | setSampleRate(rate)         | the same later (CLAP activates with a rate); |
// |                             | false, the old rate kept, when refused       |
// | activate / deactivate       | resume / suspend (suspend clears the line)   |
// | plain / normalized values   | parameter_table.h's conversions; a plain    |
// |                             | value is clamped to its range, NaN ignored   |
// | process(in, out, frames,    | the audio up to each event's frame, then the |
// |   events)                   | event, then the rest of the block            |
// | stateText / restoreState    | the sixteen programs and the current one as  |
// |                             | text (program_state.h); a refused text       |
// |                             | changes nothing                              |
// | tailFrames                  | what the effect reports (0: it reports none; |
// |                             | with feedback the echo may ring for long)    |
//
// A parameter change reaches the effect's audio state at the start of the
// next block, so splitting the block at an event is what makes a control
// change apply at its frame. Events must come sorted by frame; one before an
// earlier event's frame applies at that frame, one past the block at its
// end.
//
// Threads (the same as the effect's): process on the audio thread, where it
// never allocates, locks or waits; values from any thread; stateText may run
// beside process (it only reads atomics); restoreState, the rate and
// activation while process does not run.
#pragma once

#include <cstdint>
#include <string>

#include "effect/filter_delay_effect.h"

namespace molvex {

// One MIDI message at a frame of the block: status and two data bytes.
struct TimedMidi {
    std::uint32_t frame;
    std::uint8_t bytes[3];
};

class DspSession {
public:
    explicit DspSession(double sampleRate);

    DspSession(const DspSession&) = delete;
    DspSession& operator=(const DspSession&) = delete;

    bool isUsable() const { return usable; }
    [[nodiscard]] bool setSampleRate(double sampleRate);
    double getSampleRate() { return effect.getSampleRate(); }
    void activate() { effect.resume(); }
    void deactivate() { effect.suspend(); }
    // CLAP's reset: the line and the filter's state cleared (FilterDelayEffect::restart).
    void reset() { effect.restart(); }

    float getNormalized(ParameterIndex parameter) { return effect.getParameter(parameter); }
    void setNormalized(ParameterIndex parameter, float value) {
        effect.setParameter(parameter, value);
    }
    float getPlain(ParameterIndex parameter);
    void setPlain(ParameterIndex parameter, float plain);

    // Left and right in and out, `frames` each; in and out may be the same
    // buffers, and a null buffer plays no audio (the events still apply).
    // `events` (may be null when `eventCount` is 0) sorted by frame.
    void process(const float* const in[2], float* const out[2], std::uint32_t frames,
                 const TimedMidi* events, std::uint32_t eventCount);

    // The same for a format that walks its events one by one (no list to
    // build on the audio thread): make a Block, hand it each MIDI message in
    // frame order, then finish it.
    class Block {
    public:
        Block(DspSession& session, const float* const in[2], float* const out[2],
              std::uint32_t frames);
        // Messages shorter than three bytes are ignored.
        void midiAt(std::int64_t frame, const std::uint8_t* bytes, std::uint32_t size);
        // A plain value at its frame (CLAP's parameter events), as setPlain.
        void plainAt(std::int64_t frame, ParameterIndex parameter, float plain);
        void finish();

    private:
        void playTo(std::uint32_t frame);
        void playToEvent(std::int64_t frame);

        DspSession& session;
        FilterDelayEffect& effect;
        float* in[2] = {};
        float* out[2] = {};
        std::uint32_t frames;
        std::uint32_t done = 0;
        bool audio;
    };

    // One MIDI message now: the effect's controllers 0 to 8 move the
    // parameters; other messages are ignored.
    void receiveMidi(const std::uint8_t bytes[3]);

    // The programs' text and the current program, as saved.
    std::string programsText() const;
    int getCurrentProgram() { return effect.getProgram(); }
    // Puts every program back from the `size` bytes at `text` (a final zero
    // byte may be among them) and selects `current`; false, and nothing
    // changed, when the bytes are not sixteen well-formed programs or
    // `current` is no program.
    [[nodiscard]] bool restorePrograms(const char* text, std::size_t size, int current);
    // Both in one text, for formats that save one block of bytes: the
    // programs' text, then a line "program N".
    std::string stateText();
    [[nodiscard]] bool restoreState(const char* text, std::size_t size);

    std::uint32_t tailFrames();

    FilterDelayEffect& getEffect() { return effect; }

private:
    FilterDelayEffect effect;
    bool usable = false;
};

}  // namespace molvex
