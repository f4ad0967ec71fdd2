// What hosts and stray values may do to the effect, and what it does back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "audio_buffers.h"
#include "effect/filter_delay_effect.h"

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

using namespace molvex;
using enum ParameterIndex;

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

bool allFinite(const StereoBuffer& buffer) {
    for (std::size_t i = 0; i < buffer.frames(); ++i)
        if (!std::isfinite(buffer.left[i]) || !std::isfinite(buffer.right[i])) return false;
    return true;
}

using Settings = std::vector<std::pair<ParameterIndex, float>>;

void apply(FilterDelayEffect& effect, const Settings& settings) {
    for (const auto& [parameter, value] : settings) effect.setParameter(parameter, value);
}

// Echoes every 441 samples at 0.3 of the last: a line length holds a
// hundred of them, so whatever the line held before, even samples near the
// float limit from an overflowed loop, has decayed far below float
// resolution once one line length has passed. Resonance 0 keeps the filter's
// Q at its floor, where the limiter's memory of loud passages (which a fresh
// instance lacks, and which takes seconds to fade) changes nothing.
const Settings kEchoes = {{Delay, 0.01f}, {Feedback, 0.3f}, {Type, 0.0f},    {Resonance, 0.0f},
                          {Cutoff, 0.6f}, {DryLevel, 0.5f}, {WetLevel, 0.8f}};

float loudest(const std::vector<float>& samples, std::size_t from) {
    float peak = 0.0f;
    for (std::size_t i = from; i < samples.size(); ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    return peak;
}

// Clean input through the damaged instance and through a fresh one with the
// same settings: once one line length has passed, the two must sound alike,
// sample for sample. Surviving with finite output is not enough: an effect
// that went silent, or muted its wet or dry path, is finite too.
void expectSoundsLikeAFreshInstance(FilterDelayEffect& damaged, const Settings& settings) {
    FilterDelayEffect fresh(nullptr);
    apply(fresh, settings);
    const auto line = static_cast<std::size_t>(fresh.getDelayLineLength());
    StereoBuffer clean = noise(line + 8000, 0.5f, 77);
    const StereoBuffer expected = renderInBlocks(fresh.getRecord(), clean, {128});
    const StereoBuffer actual = renderInBlocks(damaged.getRecord(), clean, {128});
    ASSERT_GT(loudest(expected.left, line), 0.1f);
    const auto tail = static_cast<std::ptrdiff_t>(line);
    EXPECT_TRUE(
        std::equal(expected.left.begin() + tail, expected.left.end(), actual.left.begin() + tail));
    EXPECT_TRUE(std::equal(expected.right.begin() + tail, expected.right.end(),
                           actual.right.begin() + tail));
}

}  // namespace

TEST(Robustness, UnusableSampleRatesAreRefused) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    for (float rate : {0.5f, 0.0f, -44100.0f, std::nanf(""), kInf, -kInf, 1e12f,
                       FilterDelayEffect::kMaxSampleRate * 2}) {
        r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, rate);
        EXPECT_EQ(effect.getSampleRate(), 44100.0f) << rate;
        EXPECT_EQ(effect.getDelayLineLength(), 44100) << rate;
    }
    StereoBuffer in = noise(50000, 1.0f);
    StereoBuffer out = renderInBlocks(r, in, {512});
    EXPECT_TRUE(allFinite(out));
    EXPECT_EQ(effect.getDelaySamples(), 22049);
}

TEST(Robustness, TheLowestAcceptedRateStillRuns) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, 1.0f);
    EXPECT_EQ(effect.getDelayLineLength(), 1);
    StereoBuffer in = noise(100, 1.0f);
    StereoBuffer out = renderInBlocks(r, in, {7});
    EXPECT_TRUE(allFinite(out));
    EXPECT_EQ(effect.getReadIndex(), 0);
    EXPECT_EQ(effect.getWriteIndex(), 0);
}

TEST(Robustness, AnyParameterValuesKeepFiniteInputFinite) {
    const float extremes[] = {std::nanf(""), kInf, -kInf, 1e30f, -1e30f, 3.4e38f,
                              -5.0f,         7.0f, 0.0f,  1.0f,  0.5f};
    std::mt19937 random(3);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(extremes)) - 1);
    for (int round = 0; round < 40; ++round) {
        FilterDelayEffect effect(nullptr);
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            effect.setParameter(i, extremes[pick(random)]);
        effect.setParameter(Delay, 0.001f);
        StereoBuffer in = noise(3000, round % 2 ? 1.0f : 1e30f, round);
        StereoBuffer out = renderInBlocks(effect.getRecord(), in, {256});
        ASSERT_TRUE(allFinite(out)) << "round " << round;
    }
}

TEST(Robustness, AfterNonFiniteInputTheEffectSoundsLikeAFreshOne) {
    for (float bad : {std::nanf(""), kInf, -kInf}) {
        SCOPED_TRACE(bad);
        FilterDelayEffect effect(nullptr);
        apply(effect, kEchoes);
        StereoBuffer poison = noise(3000, 1.0f);
        for (std::size_t i = 0; i < poison.frames(); i += 3) poison.left[i] = bad;
        for (std::size_t i = 1; i < poison.frames(); i += 7) poison.right[i] = bad;
        renderInBlocks(effect.getRecord(), poison, {128});
        expectSoundsLikeAFreshInstance(effect, kEchoes);
    }
}

TEST(Robustness, AfterTheLoopOverflowsNormalInputBringsTheEchoesBack) {
    // Full feedback through a fully resonant filter, with the wet path muted
    // so the limiter never steps in: the loop grows until the filter itself
    // overflows.
    FilterDelayEffect effect(nullptr);
    apply(effect,
          {{Delay, 0.001f}, {Feedback, 1.0f}, {Resonance, 1.0f}, {Cutoff, 0.3f}, {WetLevel, 0.0f}});
    StereoBuffer in = noise(40000, 1.0f);
    EXPECT_TRUE(allFinite(renderInBlocks(effect.getRecord(), in, {100})));
    apply(effect, kEchoes);
    expectSoundsLikeAFreshInstance(effect, kEchoes);
}

TEST(Robustness, WithoutASampleRateAndDryAtOneTheOutputIsTheInput) {
    // Before any rate arrives the effect runs at its starting rate; the
    // first echo is still half a second away, so the dry path alone sounds.
    FilterDelayEffect effect(nullptr);
    effect.setParameter(DryLevel, 1.0f);
    StereoBuffer in = noise(1000, 1.0f);
    StereoBuffer out(1000);
    AEffect* r = effect.getRecord();
    r->processReplacing(r, in.channels(), out.channels(), 1000);
    EXPECT_EQ(out.left, in.left);
    EXPECT_EQ(out.right, in.right);
}

#if defined(__SSE__) || defined(__x86_64__)
TEST(Robustness, HostFloatingPointModeIsGivenBack) {
    FilterDelayEffect effect(nullptr);
    const unsigned before = _mm_getcsr();
    StereoBuffer in = noise(512, 1.0f);
    StereoBuffer out(512);
    effect.processReplacing(in.channels(), out.channels(), 512);
    effect.process(in.channels(), out.channels(), 512);
    EXPECT_EQ(_mm_getcsr(), before);
}
#endif
