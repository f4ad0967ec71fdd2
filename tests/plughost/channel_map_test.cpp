// Routing between a file's channels and a plug-in's inputs and outputs, as
// DAWs do it: what each input receives, what is refused, and the phrase the
// closing line names it with.
#include <gtest/gtest.h>

#include <vector>

#include "audio/channel_map.h"
#include "error.h"

namespace {

// Channel c holds c + 1 + frame / 10 for three frames.
AudioBuffer file(int channels) {
    AudioBuffer b(channels, 3, 48000.0);
    for (int c = 0; c < channels; ++c)
        for (size_t f = 0; f < 3; ++f)
            b.channels[static_cast<size_t>(c)][f] = static_cast<float>(c + 1) + 0.1f * f;
    return b;
}

// Four frames of input `input` from frame 1: two from the file, two past it.
std::vector<float> input(const ChannelMap& map, const AudioBuffer& b, int input) {
    std::vector<float> out(4, -9.0f);
    map.fillInput(b, input, 1, out.size(), out.data());
    return out;
}

std::string refusal(int fileChannels, int inputs, int outputs, std::optional<int> channels) {
    try {
        ChannelMap(fileChannels, inputs, outputs, channels, "in.wav");
    } catch (const HostError& e) {
        return e.what();
    }
    return "(accepted)";
}

}  // namespace

TEST(ChannelMap, InputsFollowTheFileLikeATrackInsert) {
    const AudioBuffer mono = file(1), stereo = file(2);
    const ChannelMap monoToTwo(1, 2, 2, {}, "in.wav");
    EXPECT_EQ(input(monoToTwo, mono, 0), (std::vector<float>{1.1f, 1.2f, 0.0f, 0.0f}));
    EXPECT_EQ(input(monoToTwo, mono, 1), (std::vector<float>{1.1f, 1.2f, 0.0f, 0.0f}));

    // Summed at half gain each, so a centred signal keeps its level.
    const ChannelMap stereoToOne(2, 1, 1, {}, "in.wav");
    EXPECT_EQ(
        input(stereoToOne, stereo, 0),
        (std::vector<float>{0.5f * 1.1f + 0.5f * 2.1f, 0.5f * 1.2f + 0.5f * 2.2f, 0.0f, 0.0f}));

    const ChannelMap stereoToFour(2, 4, 2, {}, "in.wav");
    EXPECT_EQ(input(stereoToFour, stereo, 1), (std::vector<float>{2.1f, 2.2f, 0.0f, 0.0f}));
    EXPECT_EQ(input(stereoToFour, stereo, 3), (std::vector<float>{0.0f, 0.0f, 0.0f, 0.0f}));
}

TEST(ChannelMap, OutputsAreKeptCutOrSpreadFromMono) {
    const ChannelMap all(2, 2, 4, {}, "in.wav");
    EXPECT_EQ(all.writtenChannels(), 4);
    EXPECT_EQ(all.outputFor(3), 3);
    const ChannelMap cut(2, 2, 4, 2, "in.wav");
    EXPECT_EQ(cut.writtenChannels(), 2);
    EXPECT_EQ(cut.outputFor(1), 1);
    const ChannelMap spread(2, 1, 1, 2, "in.wav");
    EXPECT_EQ(spread.writtenChannels(), 2);
    EXPECT_EQ(spread.outputFor(1), 0);
}

TEST(ChannelMap, RefusesOnlyWhatHasNoObviousLayout) {
    EXPECT_EQ(refusal(3, 2, 2, {}), "in.wav: has 3 channels but the plug-in takes 2 inputs");
    EXPECT_EQ(refusal(3, 1, 1, {}), "in.wav: has 3 channels but the plug-in takes 1 input");
    EXPECT_EQ(refusal(2, 2, 2, 3), "--channels 3 but the plug-in has only 2 outputs");
    EXPECT_EQ(refusal(2, 1, 1, 8), "(accepted)");
    EXPECT_EQ(refusal(6, 0, 2, {}), "(accepted)");  // an instrument ignores the file
}

TEST(ChannelMap, DescriptionNamesTheMapping) {
    EXPECT_EQ(ChannelMap(2, 1, 1, {}, "f").describe(),
              "stereo file summed at half gain into 1 input, 1 output kept");
    EXPECT_EQ(ChannelMap(1, 2, 2, {}, "f").describe(),
              "mono file fed to all 2 inputs, 2 outputs kept");
    EXPECT_EQ(ChannelMap(2, 2, 2, 1, "f").describe(),
              "stereo file to 2 inputs, 1 of 2 outputs kept");
    EXPECT_EQ(ChannelMap(1, 1, 1, 2, "f").describe(),
              "mono file to 1 input, 1 output copied to 2 channels");
    EXPECT_EQ(ChannelMap(2, 4, 4, {}, "f").describe(),
              "stereo file to inputs 1-2 of 4, the rest silent, 4 outputs kept");
}
