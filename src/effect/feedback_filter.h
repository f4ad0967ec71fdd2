// The resonant second-order filter in the delay's feedback path: low-pass,
// high-pass or band-pass, with a Q scale that the audio routine's resonance
// limiter moves while it runs.
//
// A plain class for one thread: the effect's audio routine owns it, and
// parameter changes reach it at the start of a block. The setters only
// store; updateCoefficients recomputes. Sine, cosine and the numerators
// depend on cutoff and type alone, so they are kept for as long as those
// stay, and a Q-scale step costs two divisions, not a trigonometric call.
//
// History values are single-precision samples held in doubles: the input
// arrives as a float and the output is rounded to float before it is kept.
#pragma once

#include "effect/parameter_index.h"

namespace molvex {

class FeedbackFilter {
public:
    // Coefficients and history: everything one sample's arithmetic needs.
    // The audio routine keeps a copy in registers for a block and writes it
    // back at the end.
    struct Section {
        double b0 = 0.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;

        float tick(float input) {
            const double in = input;
            const double y = in * b0 + b2 * x2 + b1 * x1 - a1 * y1 - a2 * y2;
            const float out = static_cast<float>(y);
            x2 = x1;
            x1 = in;
            y2 = y1;
            y1 = out;
            return out;
        }
        void clearHistory() { x1 = x2 = y1 = y2 = 0.0; }
    };

    void setSampleRate(float rate) { sampleRate = rate; }
    // Corner frequency cutoffHertz(v, rate) (parameter_table.h).
    void setCutoff(float v);
    // Q from 1 (v = 0) to 5 (v = 1).
    void setResonance(float v) { q = v * 4.0 + 1.0; }
    void setType(float v) { type = filterTypeFor(v); }
    void updateCoefficients();

    // A block's working copy: the section and the limiter's factor on Q,
    // kept in registers by the audio routine. Between beginBlock and
    // endBlock nothing else may change the filter (parameter changes reach
    // it before a block starts).
    struct Block {
        Section section;
        float qScale = 1.0f;
    };
    Block beginBlock() {
        prepareNumerators();
        return Block{section, qScale};
    }
    // A new Q scale for the rest of the block: the coefficients change at
    // once, the history stays.
    void rescale(Block& block, float scale) const {
        block.qScale = scale;
        scaleCoefficients(scale, block.section);
    }
    // Takes the block's history and Q scale back.
    void endBlock(const Block& block) {
        section = block.section;
        if (block.qScale != qScale) {
            qScale = block.qScale;
            updateCoefficients();
        }
    }

    // Filters the sample at input into output and advances the history.
    void tick(const float* input, float* output) { *output = section.tick(*input); }

    // A decayed filter stops carrying tiny values from block to block.
    void flushIfSilent() {
        if (section.y1 <= 1e-12 && section.y1 >= -1e-12) section.clearHistory();
    }
    void clearHistory() { section.clearHistory(); }
    // As made: no history, the limiter's Q scale back at 1.
    void restart() {
        section.clearHistory();
        if (qScale != 1.0f) {
            qScale = 1.0f;
            updateCoefficients();
        }
    }

    // The last two inputs and outputs.
    struct History {
        double x1, x2, y1, y2;
    };
    History getHistory() const { return {section.x1, section.x2, section.y1, section.y2}; }

    double getOmega() const { return omega; }
    double getQ() const { return q; }
    FilterType getType() const { return type; }
    float getFilterSampleRate() const { return sampleRate; }
    double getA0() const { return a0; }
    double getA1() const { return section.a1; }
    double getA2() const { return section.a2; }
    double getB0() const { return section.b0; }
    double getB1() const { return section.b1; }
    double getB2() const { return section.b2; }

private:
    // The kept sine and numerators must be current before scaling: nothing
    // changes cutoff or type within a block.
    void prepareNumerators() {
        if (!numeratorsValid || omega != numeratorOmega || type != numeratorType)
            updateNumerators();
    }
    void scaleCoefficients(float scale, Section& into) const {
        double t = scale * q;
        if (t < 1.0) t = 1.0;
        // With alpha = sin / t, dividing by 1 + alpha is multiplying by
        // t / (t + sin): one division for all five coefficients. The result
        // differs from five divisions by less than the float rounding every
        // output goes through.
        const double reciprocal = 1.0 / (t + sinOmega);
        const double inverse = t * reciprocal;
        into.a1 = rawA1 * inverse;
        into.a2 = (t - sinOmega) * reciprocal;
        into.b0 = rawB0 * inverse;
        into.b1 = rawB1 * inverse;
        into.b2 = rawB2 * inverse;
    }
    void updateNumerators();

    Section section;
    // The resonance limiter's factor on Q, moved only through a Block.
    float qScale = 1.0f;
    double omega = 0.0;
    double q = 0.0;
    double a0 = 0.0;
    float sampleRate = 44100.0f;
    FilterType type = FilterType::LowPass;
    // What the kept values were computed for, and the values: sine, cosine
    // and the undivided numerators and a1.
    double numeratorOmega = 0.0;
    FilterType numeratorType = FilterType::LowPass;
    bool numeratorsValid = false;
    double sinOmega = 0.0, cosOmega = 1.0;
    double rawB0 = 0.0, rawB1 = 0.0, rawB2 = 0.0, rawA1 = 0.0;
};

}  // namespace molvex
