// Writes the command tests' inputs into a folder: mono and three-channel
// WAV files, a text file posing as audio, and automation files good and bad.
//   make_inputs DIR
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "audio/test_signal.h"
#include "audio/wav_file.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const AudioBuffer stereo = noiseAndPulses(1.0, 44100.0);
    AudioBuffer mono(1, stereo.frames(), 44100.0);
    mono.channels[0] = stereo.channels[0];
    AudioBuffer three(3, 4410, 44100.0);
    for (auto& c : three.channels) std::copy_n(stereo.channels[0].begin(), 4410, c.begin());
    writeWavFile((dir / "stereo.wav").string(), stereo, WavSampleFormat::Pcm24);
    writeWavFile((dir / "mono.wav").string(), mono, WavSampleFormat::Pcm16);
    writeWavFile((dir / "three.wav").string(), three, WavSampleFormat::Float32);
    std::filesystem::create_directories(dir / "empty.lv2");
    std::ofstream(dir / "text.wav") << "this is not audio\n";
    std::ofstream(dir / "automation.txt")
        << "# cutoff sweep and a pan move by MIDI CC 6\n"
           "0 param cutoff 0.2\n0.5 param 4 0.9\n0.25 cc 1 6 0\n0.75 cc 1 6 127\n";
    std::ofstream(dir / "midi-feedback.txt")
        << "# Feedback to full by MIDI CC 2 on channel 3\n0.5 cc 3 2 127\n";
    // The same moves for both formats: parameters whose 0..1 maps linearly
    // onto the LV2 ports' ranges, and a MIDI control change.
    std::ofstream(dir / "formats.txt") << "0.2 param delay 0.25\n0.4 param Feedback 0.6\n"
                                          "0.6 param 6 0.8\n0.7 cc 1 5 100\n";
    std::ofstream(dir / "gain.txt") << "0.5 param Gain 1\n";
    std::ofstream(dir / "not-a-plugin.clap") << "not a library\n";
    std::ofstream(dir / "bad-number.txt") << "0 param cutoff 0.2\n1.0 param cutoff loud\n";
    std::ofstream(dir / "bad-name.txt") << "0.5 param Volume 0.2\n";
    return 0;
}
