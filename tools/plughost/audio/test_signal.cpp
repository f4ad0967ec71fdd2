#include "audio/test_signal.h"

#include <cmath>

AudioBuffer noiseAndPulses(double seconds, double sampleRate) {
    const auto frames = static_cast<size_t>(std::llround(seconds * sampleRate));
    AudioBuffer out(2, frames, sampleRate);
    NoiseSource noise;
    const auto pulseSpacing = static_cast<size_t>(sampleRate / 4.0);
    for (size_t f = 0; f < frames; ++f) {
        out.channels[0][f] = 0.1f * noise.next();
        out.channels[1][f] = 0.1f * noise.next();
        if (pulseSpacing > 0 && f % pulseSpacing == 0)
            out.channels[(f / pulseSpacing) % 2][f] = 1.0f;
    }
    return out;
}
