#include "audio/channel_map.h"

#include "error.h"

namespace {

std::string count(int n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string fileKind(int channels) {
    if (channels == 1) return "mono file";
    if (channels == 2) return "stereo file";
    return std::to_string(channels) + "-channel file";
}

}  // namespace

ChannelMap::ChannelMap(int fileChannelCount, int inputCount, int outputCount,
                       std::optional<int> channels, const std::string& inputPath)
    : fileChannels(fileChannelCount),
      inputs(inputCount),
      outputs(outputCount),
      writtenCount(channels.value_or(outputCount)) {
    if (fileChannelCount > 2 && inputCount > 0 && fileChannelCount > inputCount)
        throw HostError(inputPath + ": has " + count(fileChannelCount, "channel") +
                        " but the plug-in takes " + count(inputCount, "input"));
    if (outputCount > 1 && writtenCount > outputCount)
        throw HostError("--channels " + std::to_string(writtenCount) +
                        " but the plug-in has only " + count(outputCount, "output"));
}

void ChannelMap::fillInput(const AudioBuffer& file, int input, size_t start, size_t n,
                           float* dst) const {
    const size_t available = start < file.frames() ? file.frames() - start : 0;
    const size_t m = n < available ? n : available;
    const bool sum = fileChannels == 2 && inputs == 1;
    const int source = fileChannels == 1 ? 0 : input;
    for (size_t i = 0; i < m; ++i) {
        const size_t f = start + i;
        if (sum) dst[i] = 0.5f * file.channels[0][f] + 0.5f * file.channels[1][f];
        else dst[i] = source < fileChannels ? file.channels[static_cast<size_t>(source)][f] : 0.0f;
    }
    for (size_t i = m; i < n; ++i) dst[i] = 0.0f;
}

std::string ChannelMap::describe() const { return describeInputs() + ", " + describeOutputs(); }

std::string ChannelMap::describeInputs() const {
    const std::string file = fileKind(fileChannels);
    if (inputs == 0) return file + " unused (no inputs)";
    if (fileChannels == 2 && inputs == 1) return file + " summed at half gain into 1 input";
    if (fileChannels == 1 && inputs > 1) return file + " fed to all " + count(inputs, "input");
    if (fileChannels == inputs) return file + " to " + count(inputs, "input");
    return file + " to inputs 1-" + std::to_string(fileChannels) + " of " + std::to_string(inputs) +
           ", the rest silent";
}

std::string ChannelMap::describeOutputs() const {
    if (writtenCount == outputs) return count(outputs, "output") + " kept";
    if (writtenCount < outputs)
        return std::to_string(writtenCount) + " of " + count(outputs, "output") + " kept";
    return "1 output copied to " + count(writtenCount, "channel");
}
