// What hosts and stray values may do to the effect, and what it does back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "audio_buffers.h"
#include "effect/filter_delay_effect.h"

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>

using namespace molvex;
using enum ParameterIndex;
#endif

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

bool allFinite(const StereoBuffer& buffer) {
    for (std::size_t i = 0; i < buffer.frames(); ++i)
        if (!std::isfinite(buffer.left[i]) || !std::isfinite(buffer.right[i])) return false;
    return true;
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
    const float extremes[] = {std::nanf(""), kInf, -kInf, 1e30f, -1e30f, 3.4e38f, -5.0f, 7.0f,
                              0.0f, 1.0f, 0.5f};
    std::mt19937 random(3);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(extremes)) - 1);
    for (int round = 0; round < 40; ++round) {
        FilterDelayEffect effect(nullptr);
        for (VstInt32 i = 0; i < kParameterCount; ++i) effect.setParameter(i, extremes[pick(random)]);
        effect.setParameter(Delay, 0.001f);
        StereoBuffer in = noise(3000, round % 2 ? 1.0f : 1e30f, round);
        StereoBuffer out = renderInBlocks(effect.getRecord(), in, {256});
        ASSERT_TRUE(allFinite(out)) << "round " << round;
    }
}

TEST(Robustness, OutputRecoversWithinOneLineAfterBadInput) {
    for (float bad : {std::nanf(""), kInf, -kInf}) {
        FilterDelayEffect effect(nullptr);
        effect.setParameter(Feedback, 0.9f);
        effect.setParameter(DryLevel, 0.5f);
        effect.setParameter(Delay, 0.02f);
        AEffect* r = effect.getRecord();
        StereoBuffer poison = noise(1000, 1.0f);
        for (std::size_t i = 0; i < poison.frames(); i += 3) poison.left[i] = bad;
        renderInBlocks(r, poison, {128});
        StereoBuffer first = noise(44100, 1.0f, 9);
        renderInBlocks(r, first, {128});
        StereoBuffer after = noise(44100, 1.0f, 10);
        EXPECT_TRUE(allFinite(renderInBlocks(r, after, {128}))) << bad;
    }
}

TEST(Robustness, OverflowingFeedbackStaysFiniteAndRecovers) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Feedback, 1e6f);
    effect.setParameter(Delay, 0.0f);
    AEffect* r = effect.getRecord();
    StereoBuffer in = noise(20000, 1.0f);
    EXPECT_TRUE(allFinite(renderInBlocks(r, in, {100})));
    effect.setParameter(Feedback, 0.5f);
    StereoBuffer settleIn = noise(44100, 1.0f, 2);
    renderInBlocks(r, settleIn, {100});
    StereoBuffer later = noise(2000, 1.0f, 5);
    StereoBuffer out = renderInBlocks(r, later, {100});
    EXPECT_TRUE(allFinite(out));
    float loudest = 0.0f;
    for (float sample : out.left) loudest = std::max(loudest, std::fabs(sample));
    EXPECT_LT(loudest, 1.0f);
}

TEST(Robustness, NoSampleRateCallBeforeTheFirstBlock) {
    FilterDelayEffect effect(nullptr);
    StereoBuffer in = noise(1000, 1.0f);
    StereoBuffer out(1000);
    AEffect* r = effect.getRecord();
    r->processReplacing(r, in.channels(), out.channels(), 1000);
    EXPECT_TRUE(allFinite(out));
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
