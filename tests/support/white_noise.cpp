#include "white_noise.h"

namespace testsupport {

WhiteNoise::WhiteNoise(float amplitude, std::uint32_t seed)
    : random(seed), uniform(-amplitude, amplitude) {}

float WhiteNoise::next() { return uniform(random); }

std::vector<float> whiteNoise(std::size_t frames, float amplitude, std::uint32_t seed) {
    WhiteNoise source(amplitude, seed);
    std::vector<float> samples(frames);
    for (float& s : samples) s = source.next();
    return samples;
}

}  // namespace testsupport
