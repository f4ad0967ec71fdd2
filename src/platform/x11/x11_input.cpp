// Pointer, keys and time. The tracking loop polls these while a button is
// held; they ask the server for its state at that moment and never wait
// for events.
#include <errno.h>
#include <time.h>

#include "platform/x11/x11_connection.h"

namespace platform {

namespace {

struct PointerState {
    Point screen;
    unsigned int mask = 0;
};

PointerState queryPointer() {
    PointerState state;
    Display* display = x11::connection().display;
    if (!display) return state;
    ::Window root = 0;
    ::Window child = 0;
    int windowX = 0;
    int windowY = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &state.screen.x,
                       &state.screen.y, &windowX, &windowY, &state.mask)) {
        state.mask = 0;
    }
    return state;
}

}  // namespace

Point pointerPosition() { return queryPointer().screen; }

unsigned mouseState() {
    const unsigned int mask = queryPointer().mask;
    unsigned state = 0;
    if (mask & Button1Mask) state |= kMouseLeft;
    if (mask & Button2Mask) state |= kMouseMiddle;
    if (mask & Button3Mask) state |= kMouseRight;
    if (mask & ShiftMask) state |= kKeyShift;
    if (mask & ControlMask) state |= kKeyControl;
    if (mask & Mod1Mask) state |= kKeyAlt;
    return state;
}

std::uint32_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

void pauseTracking(std::uint32_t milliseconds) {
    timespec pause{};
    pause.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    pause.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

}  // namespace platform
