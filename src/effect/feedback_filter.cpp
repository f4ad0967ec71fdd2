#include "effect/feedback_filter.h"

#include <cmath>

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

void FeedbackFilter::setCutoff(float v) {
    omega = (20.0 / sampleRate + static_cast<double>(v) * v * 0.25) * kTwoPi;
}

void FeedbackFilter::updateCoefficients() {
    if (omega != trigOmega) {
        sinOmega = std::sin(omega);
        cosOmega = std::cos(omega);
        trigOmega = omega;
    }
    const double s = sinOmega;
    const double c = cosOmega;
    double t = qScale * q;
    if (t < 1.0) t = 1.0;
    const double alpha = s / t;
    switch (type) {
    case LowPass:
        b0 = (1.0 - c) * 0.5;
        b1 = 1.0 - c;
        b2 = b0;
        break;
    case HighPass:
        b0 = (1.0 + c) * 0.5;
        b1 = -(1.0 + c);
        b2 = b0;
        break;
    case BandPass:
        b0 = s * 0.5;
        b1 = 0.0;
        b2 = s * -0.5;
        break;
    }
    a0 = 1.0 + alpha;
    a1 = -2.0 * c / a0;
    a2 = (1.0 - alpha) / a0;
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
}
