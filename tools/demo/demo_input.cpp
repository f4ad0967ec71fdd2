// Synthesises the demo input: a four-second percussive phrase at 120 BPM
// (kick, snare, hi-hat and two plucked notes), stereo, 44.1 kHz, 16-bit
// WAV. Everything is computed here; nothing is downloaded.
//
//   demo_input OUT.wav
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "audio/test_signal.h"
#include "audio/wav_file.h"
#include "error.h"

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = std::numbers::pi;

void add(AudioBuffer& out, double at, const std::vector<float>& sound, float pan) {
    const auto start = static_cast<size_t>(at * kRate);
    const float left = std::cos(pan * static_cast<float>(kPi) / 2),
                right = std::sin(pan * static_cast<float>(kPi) / 2);
    for (size_t i = 0; i < sound.size() && start + i < out.frames(); ++i) {
        out.channels[0][start + i] += sound[i] * left;
        out.channels[1][start + i] += sound[i] * right;
    }
}

// A sine whose pitch falls from 150 to 45 Hz, with a fast decay.
std::vector<float> kick() {
    std::vector<float> s(static_cast<size_t>(0.5 * kRate));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += 2 * kPi * (45.0 + 105.0 * std::exp(-t * 30.0)) / kRate;
        s[i] = static_cast<float>(0.9 * std::sin(phase) * std::exp(-t * 9.0));
    }
    return s;
}

// Noise burst over a 190 Hz body.
std::vector<float> snare(NoiseSource& noise) {
    std::vector<float> s(static_cast<size_t>(0.3 * kRate));
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        s[i] = static_cast<float>(0.45 * noise.next() * std::exp(-t * 18.0) +
                                  0.35 * std::sin(2 * kPi * 190.0 * t) * std::exp(-t * 25.0));
    }
    return s;
}

// Short high-passed noise tick.
std::vector<float> hat(NoiseSource& noise, float level) {
    std::vector<float> s(static_cast<size_t>(0.06 * kRate));
    float previous = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float n = noise.next();
        const double t = static_cast<double>(i) / kRate;
        s[i] = static_cast<float>(level * (n - previous) * std::exp(-t * 80.0));
        previous = n;
    }
    return s;
}

// Karplus-Strong plucked string, its excitation without DC, faded out over
// its last fifth so the phrase ends without a click.
std::vector<float> pluck(NoiseSource& noise, double frequency, double seconds) {
    std::vector<float> s(static_cast<size_t>(seconds * kRate));
    std::vector<float> line(static_cast<size_t>(kRate / frequency));
    float mean = 0.0f;
    for (float& x : line) mean += (x = noise.next() * 0.5f);
    mean /= static_cast<float>(line.size());
    for (float& x : line) x -= mean;
    size_t pos = 0;
    const double fadeStart = 0.8 * static_cast<double>(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t next = (pos + 1) % line.size();
        const float out = line[pos];
        line[pos] = 0.994f * 0.5f * (line[pos] + line[next]);
        pos = next;
        const double attack = std::min(1.0, static_cast<double>(i) / 40.0);
        const double fade =
            i < fadeStart ? 1.0 : (static_cast<double>(s.size()) - i) / (s.size() - fadeStart);
        s[i] = out * static_cast<float>(attack * fade);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_input OUT.wav\n");
        return 2;
    }
    NoiseSource noise(2026);
    AudioBuffer phrase(2, static_cast<size_t>(4.0 * kRate), kRate);
    const auto k = kick();
    for (double at : {0.0, 1.0, 1.75, 2.0}) add(phrase, at, k, 0.5f);
    for (double at : {0.5, 1.5, 2.5}) add(phrase, at, snare(noise), 0.4f);
    for (int i = 0; i < 12; ++i) add(phrase, i * 0.25, hat(noise, i % 2 ? 0.12f : 0.2f), 0.7f);
    add(phrase, 1.25, pluck(noise, 329.63, 0.7), 0.3f);
    add(phrase, 3.0, pluck(noise, 220.0, 0.95), 0.35f);
    try {
        commitFile(argv[1], [&](const std::string& temporary) {
            writeWavFile(temporary, phrase, WavSampleFormat::Pcm16);
        });
    } catch (const HostError& e) {
        std::fprintf(stderr, "demo_input: %s\n", e.what());
        return 1;
    }
    std::printf("wrote %s: 4.00 s stereo 44100 Hz, kick, snare, hi-hat and two plucked notes\n",
                argv[1]);
    return 0;
}
