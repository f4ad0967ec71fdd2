// The pointer, the asynchronous mouse and modifier state, and the tick
// count, read live from the system at each call, and the drag loop's pause.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

namespace {

bool down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

Point pointerPosition() {
    POINT p{};
    if (!GetCursorPos(&p)) return Point{};
    return Point{p.x, p.y};
}

unsigned mouseState() {
    unsigned state = 0;
    if (down(VK_LBUTTON)) state |= kMouseLeft;
    if (down(VK_MBUTTON)) state |= kMouseMiddle;
    if (down(VK_RBUTTON)) state |= kMouseRight;
    if (down(VK_SHIFT)) state |= kKeyShift;
    if (down(VK_CONTROL)) state |= kKeyControl;
    if (down(VK_MENU)) state |= kKeyAlt;
    return state;
}

std::uint32_t tickCount() { return GetTickCount(); }

void pauseTracking(std::uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace platform
