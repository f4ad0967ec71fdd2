// The CLAP plug-in sounds as the VST 2 library does: the same input,
// settings, parameter events and MIDI give the same samples within 1e-6,
// with each event at its own frame (the VST 2 render splits its blocks at
// the events' frames), at 48 and 96 kHz.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "clap_host.h"
#include "effect/parameter_table.h"
#include "plugin_library.h"
#include "white_noise.h"

namespace {

using namespace molvex;

constexpr std::uint32_t kBlock = 256;
constexpr int kBlocks = 40;

struct Event {
    int block;
    std::uint32_t frame;
    bool midi;
    std::uint32_t id;  // parameter, or controller
    double value;      // plain value, or controller value
    std::uint8_t status = 0xB0;
};

// Parameter events and controllers mid-block, at the edges, two at one
// frame, another channel, a note.
const Event kEvents[] = {
    {2, 0, false, 2, 60.0},     {3, 100, true, 7, 20},        {4, 37, false, 1, 120.0},
    {5, 0, true, 2, 100, 0xB3}, {7, 255, false, 4, 900.0},    {9, 50, true, 4, 40},
    {9, 50, false, 6, -30.0},   {11, 30, true, 1, 100, 0x90}, {14, 128, false, 3, 1.0},
    {14, 200, false, 5, 70.0},  {20, 64, true, 8, 30},        {25, 10, false, 0, -12.0},
    {30, 1, false, 8, -3.0},    {33, 129, true, 6, 127},
};

struct Render {
    std::vector<float> left, right;
};

std::vector<float> noise(std::uint32_t seed) {
    return testsupport::whiteNoise(kBlock * kBlocks, 0.5f, seed);
}

Render renderVst2(double rate) {
    PluginLibrary library(MOLVEX_VST2_LIBRARY);
    EXPECT_TRUE(library.ok()) << library.error();
    AEffect* effect = library.open(&quietHost);
    if (!effect) return {};
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    const std::vector<float> inL = noise(1), inR = noise(2);
    Render out{std::vector<float>(inL.size()), std::vector<float>(inL.size())};
    auto play = [&](std::size_t from, std::size_t to) {
        if (to <= from) return;
        float* in[] = {const_cast<float*>(inL.data()) + from,
                       const_cast<float*>(inR.data()) + from};
        float* o[] = {out.left.data() + from, out.right.data() + from};
        effect->processReplacing(effect, in, o, static_cast<VstInt32>(to - from));
    };
    for (int b = 0; b < kBlocks; ++b) {
        std::size_t done = static_cast<std::size_t>(b) * kBlock;
        for (const Event& e : kEvents) {
            if (e.block != b) continue;
            const std::size_t at = static_cast<std::size_t>(b) * kBlock + e.frame;
            play(done, at);
            done = at;
            if (!e.midi) {
                effect->setParameter(effect, static_cast<VstInt32>(e.id),
                                     normalizedFromPlain(static_cast<ParameterIndex>(e.id),
                                                         static_cast<float>(e.value)));
                continue;
            }
            VstMidiEvent event{};
            event.type = kVstMidiType;
            event.byteSize = sizeof event;
            event.midiData[0] = static_cast<char>(e.status);
            event.midiData[1] = static_cast<char>(e.id);
            event.midiData[2] = static_cast<char>(e.value);
            VstEvents events{};
            events.numEvents = 1;
            events.events[0] = reinterpret_cast<VstEvent*>(&event);
            effect->dispatcher(effect, effProcessEvents, 0, 0, &events, 0.0f);
        }
        play(done, static_cast<std::size_t>(b + 1) * kBlock);
    }
    PluginLibrary::close(effect);
    return out;
}

Render renderClap(double rate, bool withEvents = true) {
    claptest::Library library(MOLVEX_CLAP_PLUGIN);
    claptest::Host host;
    claptest::Instance instance(library, host);
    EXPECT_TRUE(instance.activate(rate));
    instance.inL = noise(1);
    instance.inR = noise(2);
    for (int b = 0; b < kBlocks; ++b) {
        if (withEvents)
            for (const Event& e : kEvents) {
                if (e.block != b) continue;
                if (e.midi)
                    instance.events.midi(e.frame, e.status, static_cast<std::uint8_t>(e.id),
                                         static_cast<std::uint8_t>(e.value));
                else instance.events.paramValue(e.frame, e.id, e.value);
            }
        instance.process(kBlock, static_cast<std::size_t>(b) * kBlock);
    }
    return {instance.outL, instance.outR};
}

double largestDifference(const std::vector<float>& a, const std::vector<float>& b,
                         std::size_t from = 0, std::size_t to = SIZE_MAX) {
    double largest = 0.0;
    for (std::size_t i = from; i < std::min({a.size(), b.size(), to}); ++i)
        largest = std::max(largest, std::fabs(static_cast<double>(a[i]) - b[i]));
    return largest;
}

class ClapAgainstVst2 : public testing::TestWithParam<double> {};

TEST_P(ClapAgainstVst2, SameSamplesWithEventsAtTheirFrames) {
    const Render vst2 = renderVst2(GetParam());
    const Render clap = renderClap(GetParam());
    ASSERT_EQ(vst2.left.size(), clap.left.size());
    EXPECT_LE(largestDifference(vst2.left, clap.left), 1e-6);
    EXPECT_LE(largestDifference(vst2.right, clap.right), 1e-6);
    // Not a silent pair: the wet signal is there.
    EXPECT_GT(largestDifference(clap.left, std::vector<float>(clap.left.size())), 0.05);
}

INSTANTIATE_TEST_SUITE_P(Rates, ClapAgainstVst2, testing::Values(48000.0, 96000.0));

struct AtFrame {
    const char* what;
    bool midi;
};

class ClapEventFrame : public testing::TestWithParam<AtFrame> {};

// The dry level raised at frame 100: the 100 frames before it are as
// without the event, the frame itself is not, and an event at frame 0 of
// the same block changes the frames before 100 too.
TEST_P(ClapEventFrame, AppliesAtItsFrameNotAtTheBlockStart) {
    auto render = [&](bool withEvent, std::uint32_t frame) {
        claptest::Library library(MOLVEX_CLAP_PLUGIN);
        claptest::Host host;
        claptest::Instance instance(library, host);
        EXPECT_TRUE(instance.activate(48000.0));
        instance.inL = noise(3);
        instance.inR = noise(4);
        if (withEvent && GetParam().midi) instance.events.midi(frame, 0xB0, 7, 127);
        else if (withEvent) instance.events.paramValue(frame, 7, 0.0);
        instance.process(kBlock);
        return instance.outL;
    };
    const std::vector<float> without = render(false, 0);
    const std::vector<float> at100 = render(true, 100);
    const std::vector<float> atStart = render(true, 0);
    EXPECT_EQ(largestDifference(at100, without, 0, 100), 0.0) << GetParam().what;
    EXPECT_GT(std::fabs(at100[100] - without[100]), 0.0f) << GetParam().what;
    EXPECT_EQ(largestDifference(at100, atStart, 100, kBlock), 0.0) << GetParam().what;
    EXPECT_GT(largestDifference(atStart, without, 0, 100), 0.0) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Kinds, ClapEventFrame,
                         testing::Values(AtFrame{"parameter event", false},
                                         AtFrame{"control change", true}));

}  // namespace
