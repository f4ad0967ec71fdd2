// The audio side of FilterDelayEffect: the two audio routines, the delay line
// and what the audio side derives from the parameters at each block.
#include <cfloat>
#include <cmath>
#include <cstring>

#include "effect/denormal_guard.h"
#include "effect/filter_delay_effect.h"

namespace molvex {

namespace {

constexpr double kQuarterPi = 0.7853981633974483;
constexpr float kLimiterThreshold = 0.6f;
constexpr float kMinimumQScale = 0.2f;
constexpr float kClipThreshold = 0.9f;

constexpr std::uint32_t bit(ParameterIndex parameter) { return 1u << toIndex(parameter); }

// Left and right go through the same arithmetic side by side.
using DoublePair = double __attribute__((vector_size(16)));
using FloatPair = float __attribute__((vector_size(8)));

// Finite input may still sum past the float range; the host gets the
// largest float instead of infinity.
inline float clampToFloat(double x) {
    if (x > FLT_MAX) return FLT_MAX;
    if (x < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(x);
}

// Beyond 0.9 the wet signal bends toward 0.999; rare enough to keep out of
// the loop, so the loop's values stay in registers.
[[gnu::noinline, gnu::cold]] float softClip(float w) {
    return static_cast<float>(std::atan(w * 7.0784) * 0.636);
}

}  // namespace

// A value the host sent as NaN or infinity drives nothing; the stored
// parameter keeps what was sent.
float FilterDelayEffect::engineValue(ParameterIndex parameter) const {
    const float value = values[toIndex(parameter)].load(std::memory_order_relaxed);
    return std::isfinite(value) ? value : 0.0f;
}

void FilterDelayEffect::applyPendingChanges() {
    const std::uint32_t changed = pendingChanges.exchange(0, std::memory_order_acquire);
    if (changed == 0) return;
    if (changed & bit(ParameterIndex::Delay)) applyDelayTime(engineValue(ParameterIndex::Delay));
    if (changed &
        (bit(ParameterIndex::Type) | bit(ParameterIndex::Cutoff) | bit(ParameterIndex::Resonance)))
        applyFilterSettings();
    if (changed & bit(ParameterIndex::Pan)) applyPan(engineValue(ParameterIndex::Pan));
}

// Moves only the read position, so the line keeps its contents. A delay of 0
// becomes one sample: reading before writing at one position would return
// the sample written a whole line earlier.
void FilterDelayEffect::applyDelayTime(float value) {
    const VstInt32 n = lineLength;
    if (n <= 0) return;
    // Outside 0..1 the positions would leave the line.
    if (!(value >= 0.0f)) value = 0.0f;
    if (value > 1.0f) value = 1.0f;
    delaySamples = static_cast<VstInt32>(static_cast<double>(n - 1) * value);
    const VstInt32 d = writeIndex - delaySamples;
    if (d < 0) {
        readIndex = d + n;
        return;
    }
    if (delaySamples == 0) writeIndex = (writeIndex + 1) % n;
    readIndex = d;
}

// Constant power: 0.707 on both sides in the middle, about 0.99985 on one
// side at either end.
void FilterDelayEffect::applyPan(float value) {
    float scaled = value * 1.5707964f;
    // A pan too large for the angle to be finite sits in the middle.
    if (!std::isfinite(scaled)) scaled = static_cast<float>(kQuarterPi);
    const double theta = static_cast<double>(scaled) - kQuarterPi;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    panGainLeft = static_cast<float>((c - s) * 0.707);
    panGainRight = static_cast<float>((c + s) * 0.707);
}

void FilterDelayEffect::applyFilterSettings() {
    filter.setType(engineValue(ParameterIndex::Type));
    filter.setCutoff(engineValue(ParameterIndex::Cutoff));
    filter.setResonance(engineValue(ParameterIndex::Resonance));
    filter.updateCoefficients();
}

void FilterDelayEffect::clearDelayLine() {
    if (delayLine) std::memset(delayLine, 0, sizeof(float) * static_cast<std::size_t>(lineLength));
}

void FilterDelayEffect::process(float** inputs, float** outputs, VstInt32 frames) {
    runBlock<true>(inputs, outputs, frames);
}

void FilterDelayEffect::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    runBlock<false>(inputs, outputs, frames);
}

template <bool kAccumulate>
void FilterDelayEffect::mixDryOnly(float** inputs, float** outputs, VstInt32 frames) {
    const float dry = engineValue(ParameterIndex::DryLevel);
    for (VstInt32 i = 0; i < frames; ++i) {
        const float a = inputs[0][i];
        const float b = inputs[1][i];
        const double left = dry * a;
        const double right = dry * b;
        outputs[0][i] = clampToFloat(kAccumulate ? left + outputs[0][i] : left);
        outputs[1][i] = clampToFloat(kAccumulate ? right + outputs[1][i] : right);
    }
}

template <bool kAccumulate>
void FilterDelayEffect::runBlock(float** inputs, float** outputs, VstInt32 frames) {
    DenormalGuard denormals;
    if (!gate.tryEnterAudio()) {
        // A new line is being put in place; this block passes the dry signal.
        mixDryOnly<kAccumulate>(inputs, outputs, frames);
        return;
    }
    applyPendingChanges();
    if (!delayLine) {
        mixDryOnly<kAccumulate>(inputs, outputs, frames);
    } else {
        // Finite input may still sum past the float range, and the host then
        // gets the largest float instead of infinity. Only a dry gain above 1
        // or the host's own samples can take the sum there.
        const float dry = engineValue(ParameterIndex::DryLevel);
        if (kAccumulate || !(dry >= -1.0f && dry <= 1.0f))
            runLoop<kAccumulate, true>(inputs, outputs, frames, dry);
        else runLoop<kAccumulate, false>(inputs, outputs, frames, dry);
    }
    filter.flushIfSilent();
    gate.leaveAudio();
}

template <bool kAccumulate, bool kClamp>
void FilterDelayEffect::runLoop(float** inputs, float** outputs, VstInt32 frames, float dry) {
    const double quotient = 1.0 / (static_cast<double>(lineRate) * 5.0);
    const float step = static_cast<float>(quotient);
    const float bigStep = static_cast<float>(500.0 * quotient);
    const VstInt32 n = lineLength;
    const float monoScale = engineValue(ParameterIndex::InputLevel) * 0.5f;
    const float feedback = engineValue(ParameterIndex::Feedback);
    const float wet = engineValue(ParameterIndex::WetLevel);
    const float panLeft = panGainLeft;
    const float panRight = panGainRight;
    float* const line = delayLine;
    VstInt32 read = readIndex;
    VstInt32 write = writeIndex;

    // The filter's arithmetic and the limiter's Q scale run on copies held
    // in registers and go back to the filter at the end of the block.
    FeedbackFilter::Block block = filter.beginBlock();
    const DoublePair pan = {panLeft, panRight};
    const DoublePair largest = {FLT_MAX, FLT_MAX};
    for (VstInt32 i = 0; i < frames; ++i) {
        const DoublePair in = {inputs[0][i], inputs[1][i]};
        const float mono = static_cast<float>((in[0] + in[1]) * monoScale);
        // Each dry sample is rounded to a float before it meets the wet one.
        const DoublePair dryOut = __builtin_convertvector(
            __builtin_convertvector(in * static_cast<double>(dry), FloatPair), DoublePair);

        float y = block.section.tick(line[read]);
        float fed = static_cast<float>(static_cast<double>(y) * feedback + mono);
        // A non-finite filter output makes the fed sample non-finite too, so
        // one test guards both the line and the filter.
        if (!std::isfinite(fed)) [[unlikely]] {
            if (!std::isfinite(y)) {
                // An overflowed loop starts again from silence.
                block.section.clearHistory();
                y = 0.0f;
            }
            fed = 0.0f;
        }
        line[write] = fed;

        float w = y * wet;
        if (w > kLimiterThreshold || w < -kLimiterThreshold) {
            if (block.qScale > kMinimumQScale) filter.rescale(block, block.qScale - bigStep);
        } else if (block.qScale < 1.0f) {
            filter.rescale(block, block.qScale + step);
        }
        if (w > kClipThreshold || w < -kClipThreshold) [[unlikely]]
            w = softClip(w);

        DoublePair out = static_cast<double>(w) * pan + dryOut;
        if constexpr (kAccumulate) out += DoublePair{outputs[0][i], outputs[1][i]};
        if constexpr (kClamp) {
            out = out > largest ? largest : out;
            out = out < -largest ? -largest : out;
        }
        const FloatPair result = __builtin_convertvector(out, FloatPair);
        outputs[0][i] = result[0];
        outputs[1][i] = result[1];

        if (++read == n) read = 0;
        if (++write == n) write = 0;
    }
    filter.endBlock(block);
    readIndex = read;
    writeIndex = write;
}

}  // namespace molvex
