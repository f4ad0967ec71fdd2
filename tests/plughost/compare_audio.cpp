// Compares two audio files sample by sample, for the command tests:
//   compare_audio A B TOLERANCE [--differ]
// Exit 0 when they have the same shape and no sample differs by more than
// TOLERANCE (with --differ: when some sample does), 1 otherwise, with the
// largest difference printed either way.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "audio/audio_file.h"

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    try {
        const AudioBuffer a = readAudioFile(argv[1]);
        const AudioBuffer b = readAudioFile(argv[2]);
        const double tolerance = std::atof(argv[3]);
        const bool differ = argc > 4 && std::string(argv[4]) == "--differ";
        if (a.channelCount() != b.channelCount() || a.frames() != b.frames()) {
            std::printf("shapes differ: %d x %zu and %d x %zu\n", a.channelCount(), a.frames(),
                        b.channelCount(), b.frames());
            return 1;
        }
        double worst = 0.0;
        for (size_t c = 0; c < a.channels.size(); ++c) {
            for (size_t i = 0; i < a.frames(); ++i) {
                const double d =
                    std::fabs(static_cast<double>(a.channels[c][i]) - b.channels[c][i]);
                if (!(d <= worst)) worst = std::isnan(d) ? INFINITY : d;
            }
        }
        std::printf("largest difference %.3g over %zu frames\n", worst, a.frames());
        return (worst <= tolerance) != differ ? 0 : 1;
    } catch (const std::exception& e) {
        std::printf("%s\n", e.what());
        return 1;
    }
}
