// ChangedParameters: the set of parameters the effect changed since the
// panel last looked, one bit per parameter index (0 .. 31).
//
// | operation | thread          | how                                        |
// |-----------|-----------------|--------------------------------------------|
// | note      | any             | one fetch_or: adds its bit, keeps the rest |
// | take      | user interface  | one exchange with 0: the set, emptied      |
//
// Both are single read-modify-writes, so a note from another thread lands
// either in this take or in the next, never in neither. A load followed by
// a separate store of 0 would drop a note made between the two.
//
// `Bits` is std::atomic<std::uint32_t>; a test gives a stand-in that lets
// another "thread" run between any two separate accesses.
#pragma once

#include <atomic>
#include <cstdint>

namespace molvex {

template <typename Bits = std::atomic<std::uint32_t>>
class ChangedParameters {
public:
    void note(int index) { bits.fetch_or(1u << index, std::memory_order_acq_rel); }
    std::uint32_t take() { return bits.exchange(0, std::memory_order_acq_rel); }

    // For tests that script what happens between two accesses.
    Bits& storage() { return bits; }

private:
    Bits bits{0};
};

}  // namespace molvex
