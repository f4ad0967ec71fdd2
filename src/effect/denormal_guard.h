// Flushes denormal numbers to zero for the length of an audio call and gives
// the host back its own floating-point mode afterwards. A decaying echo tail
// would otherwise spend many times the usual cost in the denormal range.
#pragma once

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

namespace molvex {

#if defined(__SSE__) || defined(__x86_64__)
class DenormalGuard {
public:
    DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~DenormalGuard() { _mm_setcsr(saved); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
    static constexpr unsigned kFlushToZero = 0x8000;
    static constexpr unsigned kDenormalsAreZero = 0x0040;
    unsigned saved;
};
#else
class DenormalGuard {};
#endif

}  // namespace molvex
