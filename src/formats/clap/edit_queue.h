// EditQueue: the panel's edits on their way to the audio side, where
// process or flush applies them and tells the host.
//
// One producer (the user-interface thread) and one consumer (whichever of
// process and flush runs; the host never runs them at once). A fixed ring
// of slots: push and pop never allocate, lock or wait; a push into a full
// ring is refused, which only drops the edit from the host's record.
#pragma once

#include <atomic>
#include <cstdint>

namespace molvex::clap {

struct PanelEdit {
    enum class Kind : std::uint8_t { begin, value, end };
    Kind kind = Kind::value;
    std::uint32_t parameter = 0;
    float value = 0.0f;  // the effect's 0..1 value, for Kind::value
};

class EditQueue {
public:
    bool push(const PanelEdit& edit) {
        const std::uint32_t head = writeAt.load(std::memory_order_relaxed);
        if (head - readAt.load(std::memory_order_acquire) == kSlots) return false;
        slots[head % kSlots] = edit;
        writeAt.store(head + 1, std::memory_order_release);
        return true;
    }
    bool pop(PanelEdit& edit) {
        const std::uint32_t tail = readAt.load(std::memory_order_relaxed);
        if (tail == writeAt.load(std::memory_order_acquire)) return false;
        edit = slots[tail % kSlots];
        readAt.store(tail + 1, std::memory_order_release);
        return true;
    }

private:
    static constexpr std::uint32_t kSlots = 256;
    PanelEdit slots[kSlots];
    // Free-running counters; their difference is the fill.
    std::atomic<std::uint32_t> writeAt{0};
    std::atomic<std::uint32_t> readAt{0};
};

}  // namespace molvex::clap
