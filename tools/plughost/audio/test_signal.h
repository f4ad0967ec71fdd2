// Deterministic test signals shared by bench and validate.
#pragma once

#include <cstdint>

#include "audio/audio_buffer.h"

// Small repeatable noise source (no <random> distributions, whose output
// differs between standard libraries: bench figures must be comparable).
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed = 0x1234567u) : state(seed ? seed : 1u) {}
    float next() {  // uniform in [-1, 1)
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }

private:
    std::uint32_t state;
};

// Stereo noise at -20 dBFS with a full-scale pulse every quarter second,
// alternating sides: it keeps delays, filters and dynamics all busy.
AudioBuffer noiseAndPulses(double seconds, double sampleRate);

// Stereo noise, full-scale square, sine sweep, DC and impulses in turn,
// the right channel the left one inverted: what shakes out non-finite
// output.
AudioBuffer mixedSignal(double seconds, double sampleRate);
