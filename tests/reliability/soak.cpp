// One instance driven for a long time the way a busy session drives it: audio
// on one thread, with MIDI control changes and automation between blocks,
// while the user-interface thread opens, idles and closes the editor,
// changes programs, reads texts, moves parameters and changes the sample
// rate while suspended. Any non-finite output fails the run; built with the
// sanitizers, any report or leak does too.
//
//   soak [SECONDS]
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "editor_parent.h"
#include "formats/vst2/plugin_entry.h"
#include "midi_events.h"

namespace {

using Clock = std::chrono::steady_clock;

// Counted from both threads; relaxed, the totals are read after both end.
std::atomic<unsigned long> hostCalls{0};

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    hostCalls.fetch_add(1, std::memory_order_relaxed);
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct AudioTotals {
    unsigned long calls = 0;
    unsigned long blocks = 0;
    double frames = 0.0;
    unsigned long nonFinite = 0;
};

// Owned by the audio thread alone until it is joined.
class AudioSide {
public:
    AudioSide(AEffect* plugin, std::uint32_t seed) : effect(plugin), generator(seed) {}

    void run(const std::atomic<bool>& playing) {
        while (playing.load(std::memory_order_relaxed)) block();
    }
    const AudioTotals& totals() const { return tally; }

private:
    void block() {
        std::uniform_int_distribution<VstInt32> size(1, kMaxFrames);
        const VstInt32 frames = size(generator);
        std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
        for (VstInt32 i = 0; i < frames; ++i) {
            inL[static_cast<std::size_t>(i)] = sample(generator);
            inR[static_cast<std::size_t>(i)] = sample(generator);
            outL[static_cast<std::size_t>(i)] = 0.0f;
            outR[static_cast<std::size_t>(i)] = 0.0f;
        }
        if (generator() % 4 == 0) midiControlChange();
        if (generator() % 4 == 0) {
            effect->setParameter(effect, static_cast<VstInt32>(generator() % 9),
                                 sample(generator) * 0.5f + 0.5f);
            ++tally.calls;
        }
        float* inputs[] = {inL.data(), inR.data()};
        float* outputs[] = {outL.data(), outR.data()};
        (generator() % 2 ? effect->processReplacing : effect->process)(effect, inputs, outputs,
                                                                       frames);
        ++tally.calls;
        ++tally.blocks;
        tally.frames += frames;
        for (VstInt32 i = 0; i < frames; ++i)
            if (!std::isfinite(outL[static_cast<std::size_t>(i)]) ||
                !std::isfinite(outR[static_cast<std::size_t>(i)]))
                ++tally.nonFinite;
    }

    void midiControlChange() {
        midi[0].midiData[0] = static_cast<char>(0xB0 | (generator() % 16));
        midi[0].midiData[1] = static_cast<char>(generator() % 12);
        midi[0].midiData[2] = static_cast<char>(generator() % 128);
        effect->dispatcher(effect, effProcessEvents, 0, 0, midi.list(), 0.0f);
        ++tally.calls;
    }

    static constexpr VstInt32 kMaxFrames = 1024;
    AEffect* effect;
    std::mt19937 generator;
    std::vector<float> inL = std::vector<float>(kMaxFrames), inR = std::vector<float>(kMaxFrames);
    std::vector<float> outL = std::vector<float>(kMaxFrames), outR = std::vector<float>(kMaxFrames);
    testsupport::MidiEvents midi = testsupport::MidiEvents::controlChange(0, 0);
    AudioTotals tally;
};

// The user-interface thread's side; one round is a few dozen host calls.
class InterfaceSide {
public:
    InterfaceSide(AEffect* plugin, void* editorParent, std::uint32_t seed)
        : effect(plugin), parent(editorParent), generator(seed) {}

    void round() {
        switch (generator() % 5) {
        case 0: editorSession(); break;
        case 1: call(effSetProgram, 0, static_cast<VstIntPtr>(generator() % 16)); break;
        case 2: readTexts(); break;
        case 3: rateChangeWhileSuspended(); break;
        case 4: automate(); break;
        }
    }
    unsigned long calls() const { return callCount; }

private:
    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) {
        ++callCount;
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    void editorSession() {
        ERect* rect = nullptr;
        call(effEditGetRect, 0, 0, &rect);
        call(effEditOpen, 0, 0, parent);
        for (int i = 0; i < 5; ++i) {
            automate();
            call(effEditIdle);
        }
        call(effEditClose);
    }

    void readTexts() {
        char text[64];
        for (VstInt32 i = 0; i < 9; ++i) {
            call(effGetParamDisplay, i, 0, text);
            call(effGetParamName, i, 0, text);
            call(effGetParamLabel, i, 0, text);
        }
        call(effGetProgramName, 0, 0, text);
    }

    void rateChangeWhileSuspended() {
        static constexpr float kRates[] = {22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f};
        call(effMainsChanged, 0, 0);
        call(effSetSampleRate, 0, 0, nullptr, kRates[generator() % 5]);
        call(effSetBlockSize, 0, static_cast<VstIntPtr>(1 + generator() % 2048));
        call(effMainsChanged, 0, 1);
    }

    void automate() {
        std::uniform_real_distribution<float> value(0.0f, 1.0f);
        effect->setParameter(effect, static_cast<VstInt32>(generator() % 9), value(generator));
        ++callCount;
    }

    AEffect* effect;
    void* parent;
    std::mt19937 generator;
    unsigned long callCount = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 30.0;
    void* parent = prepareEditorParent();
    AEffect* effect = pluginMain(host);
    if (!effect) {
        std::fprintf(stderr, "soak: the plug-in made no instance\n");
        return 1;
    }
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    std::atomic<bool> playing{true};
    AudioSide audio(effect, 1);
    std::thread audioThread([&] { audio.run(playing); });
    InterfaceSide interface(effect, parent, 2);
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        interface.round();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    playing = false;
    audioThread.join();
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);

    const AudioTotals& totals = audio.totals();
    std::printf(
        "soak: %.0f s, %lu calls (%lu from the host side, %lu back to the host), "
        "%lu blocks, %.0f s of audio at 44.1 kHz, %lu non-finite samples\n",
        seconds, totals.calls + interface.calls(), interface.calls(), hostCalls.load(),
        totals.blocks, totals.frames / 44100.0, totals.nonFinite);
    return totals.nonFinite == 0 ? 0 : 1;
}
