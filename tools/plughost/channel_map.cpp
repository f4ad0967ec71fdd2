#include "channel_map.h"

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

ChannelMap::ChannelMap(int fileChannels, int inputs, int outputs, std::optional<int> channels,
                       const std::string& inputPath)
    : fileChannels_(fileChannels),
      inputs_(inputs),
      outputs_(outputs),
      written_(channels.value_or(outputs)) {
    if (fileChannels > 2 && inputs > 0 && fileChannels > inputs)
        throw HostError(inputPath + ": has " + count(fileChannels, "channel") +
                        " but the plug-in takes " + count(inputs, "input"));
    if (outputs > 1 && written_ > outputs)
        throw HostError("--channels " + std::to_string(written_) + " but the plug-in has only " +
                        count(outputs, "output"));
}

void ChannelMap::fillInput(const AudioBuffer& file, int input, size_t start, size_t n,
                           float* dst) const {
    const size_t available = start < file.frames() ? file.frames() - start : 0;
    const size_t m = n < available ? n : available;
    const bool sum = fileChannels_ == 2 && inputs_ == 1;
    const int source = fileChannels_ == 1 ? 0 : input;
    for (size_t i = 0; i < m; ++i) {
        const size_t f = start + i;
        if (sum) dst[i] = 0.5f * file.channels[0][f] + 0.5f * file.channels[1][f];
        else dst[i] = source < fileChannels_ ? file.channels[static_cast<size_t>(source)][f] : 0.0f;
    }
    for (size_t i = m; i < n; ++i) dst[i] = 0.0f;
}

std::string ChannelMap::describe() const { return describeInputs() + ", " + describeOutputs(); }

std::string ChannelMap::describeInputs() const {
    const std::string file = fileKind(fileChannels_);
    if (inputs_ == 0) return file + " unused (no inputs)";
    if (fileChannels_ == 2 && inputs_ == 1) return file + " summed at half gain into 1 input";
    if (fileChannels_ == 1 && inputs_ > 1) return file + " fed to all " + count(inputs_, "input");
    if (fileChannels_ == inputs_) return file + " to " + count(inputs_, "input");
    return file + " to inputs 1-" + std::to_string(fileChannels_) + " of " +
           std::to_string(inputs_) + ", the rest silent";
}

std::string ChannelMap::describeOutputs() const {
    if (written_ == outputs_) return count(outputs_, "output") + " kept";
    if (written_ < outputs_)
        return std::to_string(written_) + " of " + count(outputs_, "output") + " kept";
    return "1 output copied to " + count(written_, "channel");
}
