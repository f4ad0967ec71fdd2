#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "audio_buffers.h"
#include "effect/filter_delay_effect.h"

using namespace molvex;
using enum ParameterIndex;

namespace {

void settle(FilterDelayEffect& effect) { effect.processReplacing(nullptr, nullptr, 0); }

StereoBuffer impulse(std::size_t frames, std::size_t at = 0) {
    StereoBuffer buffer(frames);
    buffer.left[at] = 1.0f;
    buffer.right[at] = 1.0f;
    return buffer;
}

std::size_t firstNonZero(const std::vector<float>& samples) {
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (samples[i] != 0.0f) return i;
    return samples.size();
}

// The first sample of the filtered echo of a unit impulse.
float firstEchoSample(const FilterDelayEffect& effect, float wet, float pan) {
    const float y = static_cast<float>(1.0 * effect.getFilter().getB0());
    return static_cast<float>(static_cast<double>(y * wet) * pan);
}

}  // namespace

TEST(Audio, ImpulseArrivesHalfASecondLateFilteredAndPanned) {
    FilterDelayEffect effect(nullptr);
    StereoBuffer in = impulse(30000);
    StereoBuffer out = renderInBlocks(effect.getRecord(), in, {512});
    EXPECT_EQ(firstNonZero(out.left), 22049u);
    EXPECT_EQ(firstNonZero(out.right), 22049u);
    const float expected = firstEchoSample(effect, 0.8f, effect.getPanGainLeft());
    EXPECT_EQ(out.left[22049], expected);
    EXPECT_EQ(out.right[22049], expected);
    EXPECT_NEAR(expected, 0.8 * 0.707 * effect.getFilter().getB0(), 1e-6);
}

TEST(Audio, DryPathCopiesTheInputsExactly) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(DryLevel, 1.0f);
    effect.setParameter(WetLevel, 0.0f);
    effect.setParameter(Feedback, 0.9f);
    StereoBuffer in = noise(50000, 1.5f);
    StereoBuffer out = renderInBlocks(effect.getRecord(), in, {333});
    EXPECT_EQ(out.left, in.left);
    EXPECT_EQ(out.right, in.right);
}

TEST(Audio, ProcessAddsAndProcessReplacingOverwrites) {
    FilterDelayEffect adding(nullptr), replacing(nullptr);
    for (auto* e : {&adding, &replacing}) {
        e->setParameter(DryLevel, 0.5f);
        e->setParameter(Delay, 0.001f);
    }
    StereoBuffer in = noise(2048, 1.0f);
    StereoBuffer sum(2048, 0.25f), fresh(2048, 0.25f);
    adding.process(in.channels(), sum.channels(), 2048);
    replacing.processReplacing(in.channels(), fresh.channels(), 2048);
    for (std::size_t i = 0; i < 2048; ++i) {
        EXPECT_NEAR(sum.left[i], fresh.left[i] + 0.25f, 2.5e-7) << i;
        EXPECT_NEAR(sum.right[i], fresh.right[i] + 0.25f, 2.5e-7) << i;
    }
}

TEST(Audio, ZeroDelayFeedsTheFilterOneSampleLate) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Delay, 0.0f);
    StereoBuffer in = impulse(64);
    StereoBuffer out = renderInBlocks(effect.getRecord(), in, {64});
    EXPECT_EQ(firstNonZero(out.left), 1u);
    EXPECT_EQ(out.left[1], firstEchoSample(effect, 0.8f, effect.getPanGainLeft()));
}

TEST(Audio, NoFramesWriteNothing) {
    FilterDelayEffect effect(nullptr);
    StereoBuffer in = noise(16, 1.0f);
    StereoBuffer out(16, 0.5f);
    effect.processReplacing(in.channels(), out.channels(), 0);
    effect.process(in.channels(), out.channels(), -5);
    for (float sample : out.left) EXPECT_EQ(sample, 0.5f);
}

TEST(Audio, TheResonanceLimiterHoldsAResonantFedBackLoop) {
    // At full resonance and feedback the filter's gain near its corner takes
    // the loop far past 1; the limiter must pull it back so that the echoes
    // ring at a steady level instead of growing into the clipper. The fed
    // signal in the line shows it before the soft clipper hides anything.
    for (float type : {0.0f, 0.5f, 0.9f}) {
        FilterDelayEffect effect(nullptr);
        effect.setParameter(Delay, 0.01f);
        effect.setParameter(Feedback, 1.0f);
        effect.setParameter(Type, type);
        effect.setParameter(Cutoff, 0.3f);
        effect.setParameter(Resonance, 1.0f);
        effect.setParameter(WetLevel, 1.0f);
        effect.setParameter(DryLevel, 0.0f);
        StereoBuffer in = noise(44100, 0.3f, 5);
        float loudestFed = 0.0f;
        float loudestOut = 0.0f;
        for (int second = 0; second < 3; ++second) {
            StereoBuffer out = renderInBlocks(effect.getRecord(), in, {256});
            const float* line = effect.getDelayLine();
            for (VstInt32 i = 0; i < effect.getDelayLineLength(); ++i)
                loudestFed = std::max(loudestFed, std::fabs(line[i]));
            for (float sample : out.left) loudestOut = std::max(loudestOut, std::fabs(sample));
        }
        EXPECT_LT(loudestFed, 10.0f) << "type " << type;
        EXPECT_GT(loudestOut, 0.3f) << "type " << type;
    }
}

TEST(Audio, SoftLimiterKeepsTheWetPathBelowOne) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(WetLevel, 100.0f);
    effect.setParameter(Delay, 0.001f);
    effect.setParameter(Feedback, 0.95f);
    StereoBuffer in = noise(20000, 1.0f);
    StereoBuffer out = renderInBlocks(effect.getRecord(), in, {256});
    const float ceiling = static_cast<float>(1.5707963267948966 * 0.636) * effect.getPanGainLeft();
    float loudest = 0.0f;
    for (float sample : out.left) loudest = std::max(loudest, std::fabs(sample));
    EXPECT_LE(loudest, ceiling);
    EXPECT_GT(loudest, 0.9f * effect.getPanGainLeft());
}

TEST(Audio, OutputDoesNotDependOnBlockSizes) {
    auto render = [](std::vector<VstInt32> blocks) {
        FilterDelayEffect effect(nullptr);
        effect.setParameter(Delay, 0.05f);
        effect.setParameter(Feedback, 0.8f);
        effect.setParameter(Type, 0.8f);
        effect.setParameter(Cutoff, 0.4f);
        effect.setParameter(Resonance, 0.9f);
        effect.setParameter(WetLevel, 1.0f);
        effect.setParameter(DryLevel, 0.3f);
        effect.setParameter(Pan, 0.3f);
        StereoBuffer in = noise(30000, 0.9f, 7);
        return renderInBlocks(effect.getRecord(), in, blocks);
    };
    const StereoBuffer reference = render({512});
    for (const auto& blocks :
         std::vector<std::vector<VstInt32>>{{1}, {7, 13, 128}, {4096}, {2205}}) {
        const StereoBuffer other = render(blocks);
        EXPECT_EQ(other.left, reference.left) << blocks.size();
        EXPECT_EQ(other.right, reference.right) << blocks.size();
    }
}

TEST(Audio, InPlaceBuffersGiveTheSameResult) {
    FilterDelayEffect apart(nullptr), inPlace(nullptr);
    for (auto* e : {&apart, &inPlace}) {
        e->setParameter(Delay, 0.01f);
        e->setParameter(Feedback, 0.6f);
        e->setParameter(DryLevel, 0.7f);
    }
    StereoBuffer in = noise(8192, 1.0f);
    StereoBuffer out(8192);
    StereoBuffer shared = in;
    apart.processReplacing(in.channels(), out.channels(), 8192);
    inPlace.processReplacing(shared.channels(), shared.channels(), 8192);
    EXPECT_EQ(shared.left, out.left);
    EXPECT_EQ(shared.right, out.right);
}

TEST(Audio, BlocksLongerThanAnnouncedAreProcessedWhole) {
    FilterDelayEffect announced(nullptr), silent(nullptr);
    AEffect* r = announced.getRecord();
    r->dispatcher(r, effSetBlockSize, 0, 64, nullptr, 0.0f);
    StereoBuffer in = noise(8192, 1.0f);
    StereoBuffer a = renderInBlocks(r, in, {8192});
    StereoBuffer b = renderInBlocks(silent.getRecord(), in, {64});
    EXPECT_EQ(a.left, b.left);
}

TEST(Audio, SuspendSilencesTheLineButKeepsTheFilter) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Delay, 0.01f);
    StereoBuffer in = noise(4000, 1.0f);
    renderInBlocks(effect.getRecord(), in, {512});
    const auto history = effect.getFilter().getHistory();
    AEffect* r = effect.getRecord();
    r->dispatcher(r, effMainsChanged, 0, 0, nullptr, 0.0f);
    for (VstInt32 i = 0; i < effect.getDelayLineLength(); ++i)
        ASSERT_EQ(effect.getDelayLine()[i], 0.0f) << i;
    EXPECT_EQ(effect.getFilter().getHistory().y1, history.y1);
    r->dispatcher(r, effMainsChanged, 0, 1, nullptr, 0.0f);
    StereoBuffer silence(4000);
    StereoBuffer out = renderInBlocks(r, silence, {512});
    EXPECT_LT(std::fabs(out.left[1000]), 1e-6f) << "only the filter's ringing is left";
}

TEST(Audio, SampleRateChangeGivesASilentLineOfTheNewLength) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    StereoBuffer in = noise(30000, 1.0f);
    renderInBlocks(r, in, {1000});
    r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, 22050.0f);
    EXPECT_EQ(effect.getDelayLineLength(), 22050);
    EXPECT_LT(effect.getWriteIndex(), 22050);
    EXPECT_LT(effect.getReadIndex(), 22050);

    r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    settle(effect);
    EXPECT_EQ(effect.getDelayLineLength(), 48000);
    EXPECT_EQ(effect.getDelaySamples(), 23999);
    for (VstInt32 i = 0; i < 48000; ++i) ASSERT_EQ(effect.getDelayLine()[i], 0.0f);
    EXPECT_EQ(effect.getFilter().getFilterSampleRate(), 48000.0f);

    // The filter keeps ringing from the noise until it has decayed.
    StereoBuffer quiet(4800);
    renderInBlocks(r, quiet, {480});
    StereoBuffer click = impulse(30000);
    StereoBuffer out = renderInBlocks(r, click, {480});
    EXPECT_EQ(firstNonZero(out.left), 23999u);
}

TEST(Audio, RateArrivingWithTheBlockSizeMovesTheLineToo) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    EXPECT_EQ(r->dispatcher(r, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    settle(effect);
    EXPECT_EQ(effect.getDelayLineLength(), 48000);
    EXPECT_EQ(effect.getDelaySamples(), 23999);
    StereoBuffer in = noise(60000, 1.0f);
    StereoBuffer out = renderInBlocks(r, in, {512});
    for (float sample : out.left) ASSERT_TRUE(std::isfinite(sample));
}
