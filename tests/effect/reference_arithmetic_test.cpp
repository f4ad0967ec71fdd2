// The audio routine is written for speed; this plain version follows the
// arithmetic one step at a time, and the two must agree to within float
// rounding on a loud, resonant, fed-back, clipping signal.
#include <gtest/gtest.h>

#include <cmath>

#include "audio_buffers.h"
#include "effect/filter_delay_effect.h"

using namespace molvex;

namespace {

struct Settings {
    float input, delay, feedback, type, cutoff, resonance, pan, dry, wet;
};

class PlainDelay {
public:
    explicit PlainDelay(const Settings& s) : s(s), line(44100, 0.0f) {
        const int n = 44100;
        const int delaySamples = static_cast<int>((n - 1) * static_cast<double>(s.delay));
        read = (0 - delaySamples + n) % n;
        omega =
            (20.0 / 44100.0f + static_cast<double>(s.cutoff) * s.cutoff * 0.25) * 6.283185307179586;
        q = s.resonance * 4.0 + 1.0;
        type = s.type < 0.33f ? 0 : (s.type < 0.66f ? 1 : 2);
        const double theta = static_cast<double>(s.pan * 1.5707964f) - 0.7853981633974483;
        panLeft = static_cast<float>((std::cos(theta) - std::sin(theta)) * 0.707);
        panRight = static_cast<float>((std::cos(theta) + std::sin(theta)) * 0.707);
        coefficients();
    }

    void coefficients() {
        const double sn = std::sin(omega), c = std::cos(omega);
        double t = qScale * q;
        if (t < 1.0) t = 1.0;
        const double alpha = sn / t;
        double b0, b1, b2;
        if (type == 0) {
            b0 = (1 - c) * 0.5;
            b1 = 1 - c;
            b2 = b0;
        } else if (type == 1) {
            b0 = (1 + c) * 0.5;
            b1 = -(1 + c);
            b2 = b0;
        } else {
            b0 = sn * 0.5;
            b1 = 0;
            b2 = sn * -0.5;
        }
        const double a0 = 1 + alpha;
        A1 = -2 * c / a0;
        A2 = (1 - alpha) / a0;
        B0 = b0 / a0;
        B1 = b1 / a0;
        B2 = b2 / a0;
    }

    void run(const float* in0, const float* in1, float* out0, float* out1, int frames) {
        const double quotient = 1.0 / (44100.0f * 5.0);
        const float step = static_cast<float>(quotient);
        const float bigStep = static_cast<float>(500.0 * quotient);
        const float monoScale = s.input * 0.5f;
        for (int i = 0; i < frames; ++i) {
            const float mono =
                static_cast<float>((static_cast<double>(in0[i]) + in1[i]) * monoScale);
            const float dryLeft = s.dry * in0[i], dryRight = s.dry * in1[i];
            const double x = line[read];
            const float y = static_cast<float>(x * B0 + B2 * x2 + B1 * x1 - A1 * y1 - A2 * y2);
            x2 = x1;
            x1 = x;
            y2 = y1;
            y1 = y;
            line[write] = static_cast<float>(static_cast<double>(y) * s.feedback + mono);
            float w = y * s.wet;
            if (w > 0.6f || w < -0.6f) {
                if (qScale > 0.2f) {
                    qScale -= bigStep;
                    coefficients();
                }
            } else if (qScale < 1.0f) {
                qScale += step;
                coefficients();
            }
            if (w > 0.9f || w < -0.9f) w = static_cast<float>(std::atan(w * 7.0784) * 0.636);
            out0[i] = static_cast<float>(static_cast<double>(w) * panLeft + dryLeft);
            out1[i] = static_cast<float>(static_cast<double>(w) * panRight + dryRight);
            read = (read + 1) % 44100;
            write = (write + 1) % 44100;
        }
        if (std::fabs(y1) <= 1e-12) x1 = x2 = y1 = y2 = 0;
    }

private:
    Settings s;
    std::vector<float> line;
    int read = 0, write = 0, type = 0;
    double omega, q, A1 = 0, A2 = 0, B0 = 0, B1 = 0, B2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    float qScale = 1.0f, panLeft, panRight;
};

}  // namespace

TEST(Arithmetic, AudioRoutineMatchesThePlainArithmetic) {
    const Settings cases[] = {
        {1.0f, 0.5f, 0.0f, 0.0f, 1.0f, 0.0f, 0.5f, 0.0f, 0.8f},
        {1.0f, 0.01f, 0.9f, 0.8f, 0.45f, 1.0f, 0.2f, 0.4f, 1.0f},
        {0.7f, 0.003f, 0.97f, 0.5f, 0.2f, 0.7f, 0.9f, 1.0f, 1.5f},
    };
    for (const Settings& s : cases) {
        FilterDelayEffect effect(nullptr);
        const float values[] = {s.input,     s.delay, s.feedback, s.type, s.cutoff,
                                s.resonance, s.pan,   s.dry,      s.wet};
        for (VstInt32 i = 0; i < kParameterCount; ++i) effect.setParameter(i, values[i]);
        PlainDelay plain(s);
        StereoBuffer in = noise(60000, 1.0f, 21);
        for (std::size_t i = 0; i < 60000; i += 9000) in.left[i] = in.right[i] = 1.0f;
        StereoBuffer fast = renderInBlocks(effect.getRecord(), in, {512});
        StereoBuffer slow(60000);
        for (int start = 0; start < 60000; start += 512) {
            const int frames = std::min(512, 60000 - start);
            plain.run(in.left.data() + start, in.right.data() + start, slow.left.data() + start,
                      slow.right.data() + start, frames);
        }
        double largest = 0.0;
        for (std::size_t i = 0; i < 60000; ++i) {
            largest = std::max(largest, std::fabs(double(fast.left[i]) - slow.left[i]));
            largest = std::max(largest, std::fabs(double(fast.right[i]) - slow.right[i]));
        }
        EXPECT_LT(largest, 1e-5) << "feedback " << s.feedback;
    }
}
