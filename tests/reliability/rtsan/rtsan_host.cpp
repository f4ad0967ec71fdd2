// A host built with RealtimeSanitizer that loads a plug-in library as it
// ships and marks every audio call, `setParameter` and `processEvents` as
// real-time: any allocation, lock, yield or blocking system call inside
// them ends the run with the sanitizer's report. It plays alone first, then
// against a second thread that changes the sample rate, suspends and
// resumes, as hosts do from their user-interface thread.
//
//   rtsan_host LIBRARY [SECONDS]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "midi_events.h"
#include "plugin_library.h"

// The sanitizer runtime's own bracket for a real-time context.
extern "C" void __rtsan_realtime_enter();
extern "C" void __rtsan_realtime_exit();

namespace {

constexpr VstInt32 kFrames = 256;

class RealtimeScope {
public:
    RealtimeScope() { __rtsan_realtime_enter(); }
    ~RealtimeScope() { __rtsan_realtime_exit(); }
};

// Everything the audio thread touches is made before it starts.
struct AudioThreadState {
    std::vector<float> inL = std::vector<float>(kFrames), inR = std::vector<float>(kFrames);
    std::vector<float> outL = std::vector<float>(kFrames), outR = std::vector<float>(kFrames);
    testsupport::MidiEvents midi = testsupport::MidiEvents::controlChange(0, 0);
    unsigned long blocks = 0;
    unsigned seed = 1;

    float next() {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>(seed >> 8) / 16777216.0f;
    }
};

void playBlock(AEffect* effect, AudioThreadState& s) {
    for (VstInt32 i = 0; i < kFrames; ++i) {
        s.inL[static_cast<std::size_t>(i)] = s.next() - 0.5f;
        s.inR[static_cast<std::size_t>(i)] = s.next() - 0.5f;
    }
    const auto parameter =
        static_cast<VstInt32>(s.blocks % static_cast<unsigned long>(effect->numParams));
    const float value = s.next();
    s.midi[0].midiData[1] = static_cast<char>(s.blocks % 9);
    s.midi[0].midiData[2] = static_cast<char>(s.blocks % 128);
    float* inputs[] = {s.inL.data(), s.inR.data()};
    float* outputs[] = {s.outL.data(), s.outR.data()};
    {
        RealtimeScope realtime;
        effect->setParameter(effect, parameter, value);
        effect->dispatcher(effect, effProcessEvents, 0, 0, s.midi.list(), 0.0f);
        if (s.blocks % 2 == 0) effect->processReplacing(effect, inputs, outputs, kFrames);
        else effect->process(effect, inputs, outputs, kFrames);
    }
    ++s.blocks;
}

void playFor(AEffect* effect, AudioThreadState& s, std::chrono::duration<double> length) {
    const auto end = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < end)
        for (int i = 0; i < 64; ++i) playBlock(effect, s);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: rtsan_host LIBRARY [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 4.0;
    PluginLibrary library(argv[1]);
    AEffect* effect = library.ok() ? library.open(quietHost) : nullptr;
    if (!effect) {
        std::fprintf(stderr, "rtsan_host: %s\n",
                     library.ok() ? "the plug-in made no instance" : library.error().c_str());
        return 1;
    }
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, kFrames, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    AudioThreadState state;
    playFor(effect, state, std::chrono::duration<double>(seconds / 2));
    const unsigned long alone = state.blocks;

    std::atomic<bool> playing{true};
    unsigned long changes = 0;
    std::thread control([&] {
        static constexpr float kRates[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f};
        while (playing.load()) {
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, kRates[changes % 4]);
            effect->dispatcher(effect, effMainsChanged, 0, static_cast<VstIntPtr>(changes % 2),
                               nullptr, 0.0f);
            ++changes;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    playFor(effect, state, std::chrono::duration<double>(seconds / 2));
    playing = false;
    control.join();

    PluginLibrary::close(effect);
    std::printf(
        "rtsan_host: %lu real-time blocks alone, %lu against %lu rate changes, "
        "suspends and resumes; no unsafe call\n",
        alone, state.blocks - alone, changes);
    return 0;
}
