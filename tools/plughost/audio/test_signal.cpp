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

AudioBuffer mixedSignal(double seconds, double sampleRate) {
    AudioBuffer s = noiseAndPulses(seconds, sampleRate);
    const size_t n = s.frames();
    for (size_t f = 0; f < n; ++f) {
        const double t = static_cast<double>(f) / sampleRate;
        const int part = static_cast<int>(5.0 * static_cast<double>(f) / static_cast<double>(n));
        float x = 0.0f;
        switch (part) {
        case 0: x = s.channels[0][f] * 10.0f; break;
        case 1: x = std::fmod(t * 110.0, 1.0) < 0.5 ? 1.0f : -1.0f; break;
        case 2:
            x = static_cast<float>(std::sin(2.0 * 3.141592653589793 * (50.0 + 4000.0 * t) * t));
            break;
        case 3: x = 0.8f; break;
        default: x = f % 4410 == 0 ? 1.0f : 0.0f; break;
        }
        s.channels[0][f] = x;
        s.channels[1][f] = -x;
    }
    return s;
}
