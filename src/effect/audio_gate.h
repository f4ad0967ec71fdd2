// Keeps the rare structural changes (a new delay line for a new sample rate,
// clearing the line on suspend) from overlapping an audio call, without ever
// making the audio thread wait.
//
// | caller         | enters with      | when the other side holds the gate      |
// |----------------|------------------|-----------------------------------------|
// | audio routine  | tryEnterAudio()  | returns false at once: the block runs    |
// |                |                  | without the delay engine                 |
// | control thread | lockControl()    | yields until the running block ends      |
//
// A control thread announces itself before it waits, so a busy audio thread
// steps aside at its next block instead of starving the change.
#pragma once

#include <atomic>
#include <thread>

namespace molvex {

class AudioGate {
public:
    bool tryEnterAudio() {
        if (controlWaiting.load(std::memory_order_acquire) != 0) return false;
        int expected = kFree;
        return state.compare_exchange_strong(expected, kAudio, std::memory_order_acquire,
                                             std::memory_order_relaxed);
    }
    void leaveAudio() { state.store(kFree, std::memory_order_release); }

    void lockControl() {
        controlWaiting.fetch_add(1, std::memory_order_acq_rel);
        for (;;) {
            int expected = kFree;
            if (state.compare_exchange_weak(expected, kControl, std::memory_order_acquire,
                                            std::memory_order_relaxed))
                break;
            std::this_thread::yield();
        }
        controlWaiting.fetch_sub(1, std::memory_order_acq_rel);
    }
    void unlockControl() { state.store(kFree, std::memory_order_release); }

private:
    static constexpr int kFree = 0;
    static constexpr int kAudio = 1;
    static constexpr int kControl = 2;
    std::atomic<int> state{kFree};
    std::atomic<int> controlWaiting{0};
};

// Holds the gate for a control thread for as long as it lives.
class ControlSection {
public:
    explicit ControlSection(AudioGate& gate) : gate(gate) { gate.lockControl(); }
    ~ControlSection() { gate.unlockControl(); }
    ControlSection(const ControlSection&) = delete;
    ControlSection& operator=(const ControlSection&) = delete;

private:
    AudioGate& gate;
};

}  // namespace molvex
