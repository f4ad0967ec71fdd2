#include <gtest/gtest.h>

#include <cmath>

#include "effect/feedback_filter.h"

using namespace molvex;
using enum FilterType;

namespace {

FeedbackFilter filterWith(float type, float cutoff, float resonance) {
    FeedbackFilter f;
    f.setType(type);
    f.setCutoff(cutoff);
    f.setResonance(resonance);
    f.updateCoefficients();
    return f;
}

// Puts a history in place the way the audio routine's blocks do.
void setHistory(FeedbackFilter& f, double x1, double x2, double y1, double y2) {
    FeedbackFilter::Block block = f.beginBlock();
    block.section.x1 = x1;
    block.section.x2 = x2;
    block.section.y1 = y1;
    block.section.y2 = y2;
    f.endBlock(block);
}

float settleOnConstant(FeedbackFilter& f, float value, int samples = 20000) {
    float out = 0.0f;
    for (int i = 0; i < samples; ++i) f.tick(&value, &out);
    return out;
}

}  // namespace

TEST(FeedbackFilter, UntunedFilterOutputsSilence) {
    FeedbackFilter f;
    f.updateCoefficients();
    EXPECT_EQ(f.getB0(), 0.0);
    EXPECT_EQ(f.getB1(), 0.0);
    EXPECT_EQ(f.getB2(), 0.0);
    EXPECT_EQ(settleOnConstant(f, 1.0f, 10), 0.0f);
}

TEST(FeedbackFilter, FullCutoffIsAQuarterOfTheRatePlusTwentyHertz) {
    FeedbackFilter f;
    f.setCutoff(1.0f);
    EXPECT_NEAR(f.getOmega(), 1.5736458, 1e-7);
    EXPECT_NEAR(f.getOmega() / 6.283185307179586 * 44100.0, 11045.0, 1e-6);
}

TEST(FeedbackFilter, LowPassPassesDirectCurrentAndHighPassBlocksIt) {
    FeedbackFilter low = filterWith(0.0f, 0.3f, 0.5f);
    EXPECT_NEAR(settleOnConstant(low, 1.0f), 1.0f, 1e-6);
    FeedbackFilter high = filterWith(0.5f, 0.3f, 0.5f);
    EXPECT_NEAR(settleOnConstant(high, 1.0f), 0.0f, 1e-6);
    FeedbackFilter band = filterWith(1.0f, 0.3f, 0.5f);
    EXPECT_NEAR(settleOnConstant(band, 1.0f), 0.0f, 1e-6);
}

// The sine is divided by Q itself, not by twice Q: the band-pass peak is Q / 2.
TEST(FeedbackFilter, BandPassPeaksAtItsCentre) {
    FeedbackFilter band = filterWith(1.0f, 0.5f, 1.0f);
    const double centre = band.getOmega();
    auto gainAt = [&](double omega) {
        FeedbackFilter f = band;
        f.clearHistory();
        double peak = 0.0;
        for (int i = 0; i < 8000; ++i) {
            const float in = static_cast<float>(std::sin(omega * i));
            float out;
            f.tick(&in, &out);
            if (i > 4000) peak = std::max(peak, std::fabs(double(out)));
        }
        return peak;
    };
    EXPECT_NEAR(gainAt(centre), band.getQ() / 2, 0.02);
    EXPECT_LT(gainAt(centre / 4), 0.6);
    EXPECT_LT(gainAt(std::min(centre * 2.5, 3.0)), 0.6);
}

TEST(FeedbackFilter, QScaleBelowOneOverQChangesNothingFurther) {
    FeedbackFilter scaled = filterWith(0.0f, 0.7f, 0.8f);
    FeedbackFilter::Block block = scaled.beginBlock();
    scaled.rescale(block, 0.2f);
    scaled.endBlock(block);
    const FeedbackFilter plain = filterWith(0.0f, 0.7f, 0.0f);
    EXPECT_DOUBLE_EQ(scaled.getA1(), plain.getA1());
    EXPECT_DOUBLE_EQ(scaled.getA2(), plain.getA2());
    EXPECT_DOUBLE_EQ(scaled.getB0(), plain.getB0());
}

TEST(FeedbackFilter, AlphaIsSineOverT) {
    const FeedbackFilter f = filterWith(0.0f, 0.6f, 0.5f);
    EXPECT_DOUBLE_EQ(f.getA0(), 1.0 + std::sin(f.getOmega()) / 3.0);
}

TEST(FeedbackFilter, TypeThresholdsCountUpward) {
    FeedbackFilter f;
    f.setType(0.33f);
    EXPECT_EQ(f.getType(), HighPass);
    f.setType(0.66f);
    EXPECT_EQ(f.getType(), BandPass);
    f.setType(-1.0f);
    EXPECT_EQ(f.getType(), LowPass);
    f.setType(2.0f);
    EXPECT_EQ(f.getType(), BandPass);
    f.setType(0.3299f);
    EXPECT_EQ(f.getType(), LowPass);
}

TEST(FeedbackFilter, FlushLooksAtTheLastOutputOnly) {
    FeedbackFilter f;
    setHistory(f, 0.1, 0.2, 5e-13, 0.3);
    f.flushIfSilent();
    EXPECT_EQ(f.getHistory().x1, 0.0);
    EXPECT_EQ(f.getHistory().y2, 0.0);

    setHistory(f, 0.1, 0.2, 2e-12, 0.3);
    f.flushIfSilent();
    EXPECT_EQ(f.getHistory().x1, 0.1);

    setHistory(f, 0.1, 0.2, 0.0, 0.3);
    f.flushIfSilent();
    EXPECT_EQ(f.getHistory().y2, 0.0);
}

TEST(FeedbackFilter, ARateChangeWaitsForTheCutoff) {
    FeedbackFilter f = filterWith(0.0f, 0.5f, 0.0f);
    const double before = f.getB0();
    f.setSampleRate(48000.0f);
    f.updateCoefficients();
    EXPECT_EQ(f.getB0(), before);
    f.setCutoff(0.5f);
    f.updateCoefficients();
    EXPECT_NE(f.getB0(), before);
}

TEST(FeedbackFilter, OutputIsRoundedToSinglePrecision) {
    FeedbackFilter f = filterWith(0.0f, 0.37f, 0.3f);
    for (int i = 0; i < 100; ++i) {
        const float in = static_cast<float>(std::sin(i * 0.3));
        float out;
        f.tick(&in, &out);
        EXPECT_EQ(f.getHistory().y1, static_cast<double>(out));
    }
}
