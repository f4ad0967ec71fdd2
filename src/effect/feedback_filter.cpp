#include "effect/feedback_filter.h"

#include <cmath>

#include "effect/parameter_table.h"

namespace molvex {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

void FeedbackFilter::setCutoff(float v) { omega = cutoffCyclesPerSample(v, sampleRate) * kTwoPi; }

void FeedbackFilter::updateNumerators() {
    sinOmega = std::sin(omega);
    cosOmega = std::cos(omega);
    const double s = sinOmega;
    const double c = cosOmega;
    switch (type) {
    case FilterType::LowPass:
        rawB0 = (1.0 - c) * 0.5;
        rawB1 = 1.0 - c;
        rawB2 = rawB0;
        break;
    case FilterType::HighPass:
        rawB0 = (1.0 + c) * 0.5;
        rawB1 = -(1.0 + c);
        rawB2 = rawB0;
        break;
    case FilterType::BandPass:
        rawB0 = s * 0.5;
        rawB1 = 0.0;
        rawB2 = s * -0.5;
        break;
    }
    rawA1 = -2.0 * c;
    numeratorOmega = omega;
    numeratorType = type;
    numeratorsValid = true;
}

// The sine is divided by t itself, not by twice t, and t never falls below
// 1: lowering the Q scale further changes nothing.
void FeedbackFilter::updateCoefficients() {
    prepareNumerators();
    double t = qScale * q;
    if (t < 1.0) t = 1.0;
    a0 = 1.0 + sinOmega / t;
    scaleCoefficients(qScale, section);
}

}  // namespace molvex
