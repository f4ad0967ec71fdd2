// The panel's changed-parameter set under an interleaving scripted to the
// step: another "thread" notes a change between any two separate accesses
// of the set, the one place a lost change can hide.
#include "editor/changed_parameters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>

namespace {

// Stands in for std::atomic<std::uint32_t>. A read-modify-write is one step;
// after a plain load or before a plain store, the scripted interloper runs
// once, as another thread could.
class InterleavedBits {
public:
    explicit InterleavedBits(std::uint32_t initial) : value(initial) {}

    std::uint32_t load(std::memory_order) {
        const std::uint32_t seen = value;
        interlope();
        return seen;
    }
    void store(std::uint32_t v, std::memory_order) {
        interlope();
        value = v;
    }
    std::uint32_t exchange(std::uint32_t v, std::memory_order) {
        const std::uint32_t old = value;
        value = v;
        return old;
    }
    std::uint32_t fetch_or(std::uint32_t v, std::memory_order) {
        const std::uint32_t old = value;
        value |= v;
        return old;
    }
    std::uint32_t fetch_and(std::uint32_t v, std::memory_order) {
        const std::uint32_t old = value;
        value &= v;
        return old;
    }

    // Runs at the next gap between two accesses, or by the test if none came.
    std::function<void()> interloper;
    void interlope() {
        if (!interloper) return;
        auto run = std::move(interloper);
        interloper = nullptr;
        run();
    }

private:
    std::uint32_t value;
};

using Interleaved = molvex::ChangedParameters<InterleavedBits>;

TEST(ChangedParameters, ANoteFromAnotherThreadDuringATakeLandsInThisTakeOrTheNext) {
    Interleaved changes;
    changes.note(1);
    changes.storage().interloper = [&] { changes.note(5); };
    const std::uint32_t first = changes.take();
    changes.storage().interlope();  // a take in one step left no gap
    const std::uint32_t second = changes.take();
    EXPECT_EQ(first | second, (1u << 1) | (1u << 5));
    EXPECT_EQ(first & second, 0u) << "reported twice";
    EXPECT_EQ(changes.take(), 0u);
}

TEST(ChangedParameters, NotesAddUpUntilTakenAndATakeEmptiesTheSet) {
    molvex::ChangedParameters<> changes;
    EXPECT_EQ(changes.take(), 0u);
    changes.note(0);
    changes.note(8);
    changes.note(8);
    changes.note(31);
    EXPECT_EQ(changes.take(), (1u << 0) | (1u << 8) | (1u << 31));
    EXPECT_EQ(changes.take(), 0u);
}

}  // namespace
