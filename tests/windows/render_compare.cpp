// Compares renders of the same input by different builds of the plug-in:
//   render_compare TOLERANCE REFERENCE.wav OTHER.wav [OTHER.wav ...]
// Prints the largest absolute sample difference of each OTHER against the
// REFERENCE (full scale is 1.0) and where it occurs; exits 1 when any
// exceeds TOLERANCE or the files differ in shape. Reads the WAV forms a
// render writes: 32-bit float, or 16/24/32-bit integer PCM, plain or
// extensible.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "audio/wav_file.h"

namespace {

struct Audio {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;  // interleaved
    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
};

// plughost's own reader, so the comparison reads exactly what renders write.
bool readWav(const char* path, Audio& audio, std::string& error) {
    try {
        const AudioBuffer buffer = readWavFile(path);
        audio.channels = buffer.channelCount();
        audio.sampleRate = static_cast<int>(buffer.sampleRate);
        audio.samples.resize(buffer.frames() * static_cast<std::size_t>(audio.channels));
        for (std::size_t f = 0; f < buffer.frames(); ++f) {
            for (int c = 0; c < audio.channels; ++c)
                audio.samples[f * static_cast<std::size_t>(audio.channels) + c] =
                    buffer.channels[c][f];
        }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: render_compare TOLERANCE REFERENCE.wav OTHER.wav [OTHER.wav ...]\n");
        return 2;
    }
    const double tolerance = std::atof(argv[1]);
    Audio reference;
    std::string error;
    if (!readWav(argv[2], reference, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 2;
    }
    double peak = 0.0;
    for (float s : reference.samples) peak = std::fmax(peak, std::fabs(s));

    bool allAgree = true;
    for (int i = 3; i < argc; ++i) {
        Audio other;
        if (!readWav(argv[i], other, error)) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
            allAgree = false;
            continue;
        }
        if (other.channels != reference.channels || other.sampleRate != reference.sampleRate ||
            other.samples.size() != reference.samples.size()) {
            std::fprintf(stderr,
                         "%s: %d ch, %d Hz, %zu frames; reference has %d ch, %d Hz, %zu frames\n",
                         argv[i], other.channels, other.sampleRate, other.frames(),
                         reference.channels, reference.sampleRate, reference.frames());
            allAgree = false;
            continue;
        }
        double largest = 0.0;
        std::size_t where = 0;
        bool finite = true;
        for (std::size_t k = 0; k < other.samples.size(); ++k) {
            if (!std::isfinite(other.samples[k])) finite = false;
            double d = std::fabs(static_cast<double>(other.samples[k]) - reference.samples[k]);
            if (d > largest) {
                largest = d;
                where = k;
            }
        }
        const bool agrees = finite && largest <= tolerance;
        std::printf(
            "%s: largest difference %.3g (%.1f dBFS) at frame %zu channel %zu; reference peak "
            "%.3f%s\n",
            argv[i], largest, largest > 0 ? 20.0 * std::log10(largest) : -INFINITY,
            where / reference.channels, where % reference.channels, peak,
            finite ? "" : "; NON-FINITE SAMPLES");
        if (!agrees) {
            std::fprintf(stderr, "%s: exceeds tolerance %.3g\n", argv[i], tolerance);
            allAgree = false;
        }
    }
    return allAgree ? 0 : 1;
}
