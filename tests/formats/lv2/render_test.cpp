// The LV2 DSP sounds as the VST 2 library does: the same input, settings
// and MIDI give the same samples, and a MIDI control change applies at its
// frame inside the block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "effect/parameter_table.h"
#include "formats/lv2/port_map.h"
#include "lv2_test_world.h"
#include "midi_events.h"
#include "plugin_library.h"
#include "white_noise.h"

namespace {

using namespace molvex;
using namespace molvex::lv2;

constexpr double kRate = 48000.0;
constexpr std::uint32_t kBlock = 256;
constexpr int kBlocks = 40;

struct Midi {
    int block;
    std::uint32_t frame;
    std::uint8_t status, data1, data2;
};

// Controllers mid-block, at the edges, two at one frame, other channels,
// and messages that are not control changes.
const Midi kMidi[] = {
    {3, 100, 0xB0, 7, 20}, {16, 100, 0xB0, 1, 20},  {5, 0, 0xB3, 2, 100},   {7, 255, 0xB0, 3, 127},
    {9, 50, 0xB0, 4, 40},  {9, 50, 0xBF, 5, 90},    {11, 30, 0x90, 1, 100}, {12, 17, 0xB0, 9, 127},
    {14, 128, 0xB0, 6, 0}, {14, 200, 0xB0, 6, 127}, {20, 64, 0xB0, 8, 30},  {25, 10, 0xB0, 0, 64},
    {30, 1, 0xB0, 2, 127},
};

// Port values a musician might set.
const float kSettings[kParameterCount] = {-1.5f, 37.0f,  60.0f, 2.0f, 2000.0f,
                                          40.0f, -20.0f, -6.0f, -3.0f};

struct Render {
    std::vector<float> left, right;
};

std::vector<float> noise(std::uint32_t seed) {
    return testsupport::whiteNoise(kBlock * kBlocks, 0.5f, seed);
}

Render renderVst2(bool splitAtEvents) {
    PluginLibrary library(MOLVEX_VST2_LIBRARY);
    EXPECT_TRUE(library.ok()) << library.error();
    AEffect* effect = library.open(&quietHost);
    if (!effect) return {};
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    effect->dispatcher(effect, effSetBlockSize, 0, kBlock, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        effect->setParameter(effect, i,
                             normalizedFromPlain(static_cast<ParameterIndex>(i), kSettings[i]));
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
        for (const Midi& m : kMidi) {
            if (m.block != b) continue;
            const std::size_t at =
                static_cast<std::size_t>(b) * kBlock + (splitAtEvents ? m.frame : 0);
            play(done, at);
            done = at;
            testsupport::MidiEvents events;
            events.add(m.status, m.data1, m.data2);
            effect->dispatcher(effect, effProcessEvents, 0, 0, events.list(), 0.0f);
        }
        play(done, static_cast<std::size_t>(b + 1) * kBlock);
    }
    PluginLibrary::close(effect);
    return out;
}

Render renderLv2(bool withMidi = true) {
    lv2test::World world;
    lv2test::Instance instance(world, kRate, kBlock * kBlocks);
    EXPECT_TRUE(instance.ok());
    if (!instance.ok()) return {};
    std::copy(std::begin(kSettings), std::end(kSettings), instance.controls);
    instance.inL = noise(1);
    instance.inR = noise(2);
    for (int b = 0; b < kBlocks; ++b) {
        if (withMidi)
            for (const Midi& m : kMidi)
                if (m.block == b) instance.addMidi(m.frame, m.status, m.data1, m.data2);
        instance.run(kBlock, static_cast<std::uint32_t>(b) * kBlock);
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

TEST(Lv2Render, SameSamplesAsTheVst2LibraryWithControlChangesAtTheirFrame) {
    const Render vst2 = renderVst2(true);
    const Render lv2 = renderLv2();
    ASSERT_EQ(vst2.left.size(), lv2.left.size());
    EXPECT_LE(largestDifference(vst2.left, lv2.left), 1e-6);
    EXPECT_LE(largestDifference(vst2.right, lv2.right), 1e-6);
    // Not a silent pair: the wet signal is there.
    EXPECT_GT(largestDifference(lv2.left, std::vector<float>(lv2.left.size())), 0.05);
}

TEST(Lv2Render, ControlChangeActsAtItsFrameNotAtTheBlockStart) {
    const Render atStart = renderVst2(false);
    const Render lv2 = renderLv2();
    const Render withoutMidi = renderLv2(false);
    // Block 3 takes controller 7 (the dry level) at frame 100: before it the
    // block is as without MIDI, after it not, and the whole differs from a
    // render that applied it at the block's start.
    const std::size_t event = 3 * kBlock + 100;
    EXPECT_EQ(largestDifference(lv2.left, withoutMidi.left, 0, event), 0.0);
    EXPECT_GT(largestDifference(lv2.left, withoutMidi.left, event, 4 * kBlock), 0.0);
    EXPECT_GT(largestDifference(lv2.left, atStart.left, 3 * kBlock, event), 0.0);
}

TEST(Lv2Render, ReportsTheValuesMidiSet) {
    lv2test::World world;
    lv2test::Instance instance(world, kRate);
    ASSERT_TRUE(instance.ok());
    instance.addMidi(10, 0xB5, 2, 64);
    instance.addMidi(20, 0xB0, 3, 127);
    instance.run(64);
    EXPECT_FLOAT_EQ(instance.reports[2], 64 * 0.007874016f * 100.0f);
    EXPECT_EQ(instance.reports[3], 2.0f);
    // The control input did not move, and a later change of it wins again.
    instance.controls[2] = 10.0f;
    instance.run(64);
    EXPECT_FLOAT_EQ(instance.reports[2], 10.0f);
}

TEST(Lv2Render, HostilePortValuesAndEventsLeaveSoundFinite) {
    lv2test::World world;
    lv2test::Instance instance(world, kRate);
    ASSERT_TRUE(instance.ok());
    instance.inL = testsupport::whiteNoise(4096, 0.5f, 3);
    instance.inR = instance.inL;
    instance.controls[0] = NAN;
    instance.controls[1] = NAN;
    instance.controls[2] = 1e9f;
    instance.controls[4] = -INFINITY;
    instance.addMidi(-5, 0xB0, 2, 127);  // before the block
    instance.addMidi(9000, 0xB0, 1, 0);  // after it
    instance.addMidi(30, 0xB0, 1, 127);  // out of order
    instance.run(4096);
    for (std::size_t i = 0; i < 4096; ++i) ASSERT_TRUE(std::isfinite(instance.outL[i])) << i;
    EXPECT_EQ(instance.reports[2], 100.0f);  // clamped
    EXPECT_EQ(instance.reports[0], 0.0f);    // NaN ignored: the effect's 0 dB stays
    // A sequence that claims more than an event holds ends the walk there.
    instance.addMidi(1, 0xB0, 6, 0);
    reinterpret_cast<LV2_Atom_Event*>(instance.midi() + 1)->body.size = 100000;
    instance.run(64);
    EXPECT_NE(instance.reports[6], -50.0f);
}

}  // namespace

namespace {

// An event earlier than the one before it applies at the later frame: no
// frame is played twice.
TEST(Lv2Render, EventsOutOfOrderApplyWhereTheyCan) {
    lv2test::World world;
    auto render = [&](std::int64_t secondFrame) {
        lv2test::Instance instance(world, kRate);
        instance.inL = testsupport::whiteNoise(4096, 0.5f, 5);
        instance.inR = instance.inL;
        instance.addMidi(200, 0xB0, 7, 0);
        instance.addMidi(secondFrame, 0xB0, 7, 127);
        instance.run(512);
        return instance.outL;
    };
    const std::vector<float> outOfOrder = render(100);
    const std::vector<float> inOrder = render(200);
    EXPECT_EQ(largestDifference(outOfOrder, inOrder, 0, 512), 0.0);
}

}  // namespace
