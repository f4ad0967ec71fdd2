// Hosts call parameters, programs, MIDI and rate changes from other threads
// while audio runs. Under ThreadSanitizer this test proves the sharing sound;
// everywhere it proves the audio thread keeps producing finite output.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "audio_buffers.h"
#include "effect/filter_delay_effect.h"
#include "midi_events.h"

using namespace molvex;

namespace {

void runFor(std::chrono::milliseconds length, const std::atomic<bool>& stop,
            const std::function<void(std::mt19937&)>& body, std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto end = std::chrono::steady_clock::now() + length;
    while (!stop.load() && std::chrono::steady_clock::now() < end) body(random);
}

}  // namespace

TEST(Threads, ControlThreadsNeverDisturbTheAudioThread) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::atomic<long> blocks{0};
    const auto length = std::chrono::milliseconds(1500);

    std::thread audio([&] {
        StereoBuffer in = noise(256, 1.0f);
        StereoBuffer out(256);
        runFor(
            length, stop,
            [&](std::mt19937& random) {
                const VstInt32 frames = 1 + static_cast<VstInt32>(random() % 256);
                if (random() % 2) r->processReplacing(r, in.channels(), out.channels(), frames);
                else r->process(r, in.channels(), out.channels(), frames);
                for (VstInt32 i = 0; i < frames; ++i)
                    if (!std::isfinite(out.left[i]) || !std::isfinite(out.right[i])) finite = false;
                std::fill(out.left.begin(), out.left.end(), 0.0f);
                std::fill(out.right.begin(), out.right.end(), 0.0f);
                ++blocks;
            },
            1);
    });
    std::thread parameters([&] {
        std::uniform_real_distribution<float> value(0.0f, 1.0f);
        runFor(
            length, stop,
            [&](std::mt19937& random) {
                r->setParameter(r, static_cast<VstInt32>(random() % 9), value(random));
                char text[64];
                r->dispatcher(r, effGetParamDisplay, static_cast<VstInt32>(random() % 9), 0, text,
                              0);
                (void)r->getParameter(r, static_cast<VstInt32>(random() % 9));
            },
            2);
    });
    std::thread programsAndMidi([&] {
        runFor(
            length, stop,
            [&](std::mt19937& random) {
                r->dispatcher(r, effSetProgram, 0, static_cast<VstIntPtr>(random() % 16), nullptr,
                              0);
                const int channel = static_cast<int>(random() % 16);
                const int controller = static_cast<int>(random() % 10);
                auto midi = testsupport::MidiEvents::controlChange(
                    controller, static_cast<int>(random() % 128), channel);
                r->dispatcher(r, effProcessEvents, 0, 0, midi.list(), 0);
            },
            3);
    });
    std::thread rates([&] {
        const float choices[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 0.0f};
        runFor(
            length, stop,
            [&](std::mt19937& random) {
                const VstInt32 action = static_cast<VstInt32>(random() % 4);
                if (action == 0) r->dispatcher(r, effMainsChanged, 0, 0, nullptr, 0);
                if (action == 1) r->dispatcher(r, effMainsChanged, 0, 1, nullptr, 0);
                if (action == 2)
                    r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, choices[random() % 5]);
                if (action == 3)
                    r->dispatcher(r, effSetBlockSizeAndSampleRate, 0, 512, nullptr,
                                  choices[random() % 5]);
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            },
            4);
    });
    audio.join();
    stop = true;
    parameters.join();
    programsAndMidi.join();
    rates.join();
    EXPECT_TRUE(finite.load());
    EXPECT_GT(blocks.load(), 100);
    EXPECT_GE(effect.getReadIndex(), 0);
    EXPECT_LT(effect.getReadIndex(), effect.getDelayLineLength());
    EXPECT_LT(effect.getWriteIndex(), effect.getDelayLineLength());
}
