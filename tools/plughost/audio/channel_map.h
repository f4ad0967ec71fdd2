// How render connects a file's channels to a plug-in's inputs, and the
// plug-in's outputs to the written file, the way DAWs route a track through
// an insert:
//   file channels   plug-in inputs   each input gets
//   1               any              the one channel
//   2               1                (left + right) / 2
//   F               I >= F           channel i for input i < F, silence after
//   F > 2           I < F            refused: no layout is obviously right
// The file gets one channel per plug-in output, or N with --channels N: fewer
// cut the last outputs; more are allowed only from a one-output plug-in,
// whose output is copied to each channel.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "audio/audio_buffer.h"

class ChannelMap {
public:
    // Throws HostError naming inputPath or --channels when there is no map.
    ChannelMap(int fileChannelCount, int inputCount, int outputCount, std::optional<int> channels,
               const std::string& inputPath);

    int writtenChannels() const { return writtenCount; }

    // Fills dst with n frames of plug-in input `input` from file frame start
    // on; frames past the file's end are silence.
    void fillInput(const AudioBuffer& file, int input, size_t start, size_t n, float* dst) const;
    // The plug-in output that feeds written channel `channel`.
    int outputFor(int channel) const { return outputs == 1 ? 0 : channel; }

    // One phrase for the closing line, e.g. "stereo file summed at half gain
    // into 1 input, 1 output copied to 2 channels".
    std::string describe() const;

private:
    std::string describeInputs() const;
    std::string describeOutputs() const;

    int fileChannels;
    int inputs;
    int outputs;
    int writtenCount;
};
