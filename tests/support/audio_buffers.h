// Stereo buffers shaped the way hosts pass them: arrays of channel pointers.
#pragma once

#include <cstdint>
#include <vector>

#include "host/vst2_interface.h"
#include "white_noise.h"

struct StereoBuffer {
    explicit StereoBuffer(std::size_t frames, float fill = 0.0f)
        : left(frames, fill), right(frames, fill) {}
    float** channels() {
        pointers[0] = left.data();
        pointers[1] = right.data();
        return pointers;
    }
    std::size_t frames() const { return left.size(); }
    std::vector<float> left, right;
    float* pointers[2] = {nullptr, nullptr};
};

inline StereoBuffer noise(std::size_t frames, float amplitude, std::uint32_t seed = 1) {
    StereoBuffer buffer(frames);
    testsupport::WhiteNoise source(amplitude, seed);
    for (std::size_t i = 0; i < frames; ++i) {
        buffer.left[i] = source.next();
        buffer.right[i] = source.next();
    }
    return buffer;
}

// Runs `input` through the record's processReplacing in blocks of the given
// sizes (cycled), as a host would.
inline StereoBuffer renderInBlocks(AEffect* effect, StereoBuffer& input,
                                   const std::vector<VstInt32>& blockSizes) {
    StereoBuffer output(input.frames());
    std::size_t position = 0;
    std::size_t which = 0;
    while (position < input.frames()) {
        const auto remaining = static_cast<VstInt32>(input.frames() - position);
        VstInt32 frames = blockSizes[which++ % blockSizes.size()];
        if (frames > remaining) frames = remaining;
        float* in[2] = {input.left.data() + position, input.right.data() + position};
        float* out[2] = {output.left.data() + position, output.right.data() + position};
        effect->processReplacing(effect, in, out, frames);
        position += static_cast<std::size_t>(frames);
    }
    return output;
}
