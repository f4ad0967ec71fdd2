// The resonant second-order filter in the delay's feedback path: low-pass,
// high-pass or band-pass, with a Q scale that the audio routine's resonance
// limiter moves while it runs.
//
// A plain class for one thread: the effect's audio routine owns it, and
// parameter changes reach it at the start of a block. The setters only
// store; updateCoefficients recomputes. Sine and cosine depend on the cutoff
// alone, so they are kept for as long as omega stays, and a Q-scale step
// costs one division chain, not a trigonometric call.
//
// History values are single-precision samples held in doubles: the input
// arrives as a float and the output is rounded to float before it is kept.
#pragma once

#include "effect/parameter_index.h"

class FeedbackFilter {
public:
    void setSampleRate(float rate) { sampleRate = rate; }
    // Corner frequency 20 Hz + v * v * rate / 4.
    void setCutoff(float v);
    // Q from 1 (v = 0) to 5 (v = 1).
    void setResonance(float v) { q = v * 4.0 + 1.0; }
    void setType(float v) { type = filterTypeFor(v); }
    void updateCoefficients();

    // Filters the sample at input into output and advances the history.
    void tick(const float* input, float* output) {
        const double in = *input;
        const double y = in * b0 + b2 * x2 + b1 * x1 - a1 * y1 - a2 * y2;
        const float out = static_cast<float>(y);
        *output = out;
        x2 = x1;
        x1 = in;
        y2 = y1;
        y1 = out;
    }

    // A decayed filter stops carrying tiny values from block to block.
    void flushIfSilent() {
        if (y1 <= 1e-12 && y1 >= -1e-12) clearHistory();
    }
    void clearHistory() { x1 = x2 = y1 = y2 = 0.0; }

    double getOmega() const { return omega; }
    double getQ() const { return q; }
    FilterType getType() const { return type; }
    float getFilterSampleRate() const { return sampleRate; }
    double getA0() const { return a0; }
    double getA1() const { return a1; }
    double getA2() const { return a2; }
    double getB0() const { return b0; }
    double getB1() const { return b1; }
    double getB2() const { return b2; }
    double getLastOutput() const { return y1; }
    double getPreviousOutput() const { return y2; }
    double getLastInput() const { return x1; }

    // The limiter's factor on Q; the audio routine writes it directly and
    // then calls updateCoefficients.
    float qScale = 1.0f;

private:
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    double omega = 0.0;
    double q = 0.0;
    double a0 = 0.0, a1 = 0.0, a2 = 0.0;
    double b0 = 0.0, b1 = 0.0, b2 = 0.0;
    float sampleRate = 44100.0f;
    FilterType type = LowPass;
    // Sine and cosine of trigOmega, the omega they were computed for.
    double trigOmega = 0.0, sinOmega = 0.0, cosOmega = 1.0;
};
