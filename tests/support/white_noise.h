// Seeded white noise for tests and benchmarks: the same seed gives the same
// samples on every machine and build, so expectations tuned on one signal
// hold everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace testsupport {

// Uniform samples in [-amplitude, amplitude), one per call.
class WhiteNoise {
public:
    WhiteNoise(float amplitude, std::uint32_t seed);
    float next();

private:
    std::mt19937 random;
    std::uniform_real_distribution<float> uniform;
};

// `frames` samples of one WhiteNoise.
std::vector<float> whiteNoise(std::size_t frames, float amplitude, std::uint32_t seed);

}  // namespace testsupport
