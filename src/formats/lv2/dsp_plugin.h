// DspPlugin: one LV2 instance of the effect. It translates LV2's calls onto
// a DspSession and nothing more: port values become plain values, and the
// MIDI events of the atom sequence are handed to the session's block at
// their frame.
//
// Per run, in this order:
// | step | what                                                         |
// |------|--------------------------------------------------------------|
// | 1    | control inputs whose value changed since the last run become |
// |      | plain values (NaN is ignored, out-of-range values clamped)   |
// | 2    | audio up to the next MIDI event's frame, then that event     |
// | 3    | the rest of the block                                        |
// | 4    | the nine control outputs get the effect's current values     |
//
// Threads: run on the audio thread (never allocates, locks or waits);
// connectPort in any thread class the host likes, but not during run;
// state save may run beside run (it only reads atomics); restore and the
// rest run while run does not.
#pragma once

#include <cstdint>

#include "formats/common/dsp_session.h"
#include "formats/lv2/port_map.h"

namespace molvex::lv2 {

// The URIDs the instance needs, mapped once when it is made: the state
// functions do not get the host's map again.
struct DspUrids {
    std::uint32_t midiEvent = 0;
    std::uint32_t atomString = 0;
    std::uint32_t atomInt = 0;
    std::uint32_t programs = 0;
    std::uint32_t currentProgram = 0;
};

class DspPlugin {
public:
    DspPlugin(double sampleRate, const DspUrids& urids);

    // False when the effect could not take the rate (its line not made).
    bool isUsable() const { return session.isUsable(); }

    void connectPort(std::uint32_t port, void* data);
    void activate();
    void deactivate();
    void run(std::uint32_t frames);
    // After a state restore the restored program plays: the control inputs
    // as they stand now count as applied, and only a later change of one
    // moves its parameter.
    void stateRestored();

    DspSession& getSession() { return session; }
    const DspUrids& getUrids() const { return urids; }

private:
    void applyControlInputs();
    void reportValues();

    DspSession session;
    DspUrids urids;
    const float* inputs[2] = {};
    float* outputs[2] = {};
    const void* midi = nullptr;
    const float* controls[kParameterCount] = {};
    float* reports[kParameterCount] = {};
    // The control input values last applied; NaN until the first run, so
    // the first run applies every connected port.
    float appliedControls[kParameterCount];
    bool applyAll = true;
    // The parameter values last reported and their port values; NaN first,
    // so the first run converts every one.
    float reportedValues[kParameterCount];
    float reportedPorts[kParameterCount];
};

}  // namespace molvex::lv2
