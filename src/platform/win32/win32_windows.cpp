#include "platform/win32/win32_windows.h"

#include "platform/module_handle.h"
#include "platform/shared/backend.h"
#include "platform/win32/gdi_surface.h"

namespace platform {

using win32::NativeChild;

win32::State& win32::state() {
    static State backendState;
    return backendState;
}

namespace {

HINSTANCE instance() { return static_cast<HINSTANCE>(moduleHandle()); }

NativeChild* recordOf(HWND hwnd) {
    return reinterpret_cast<NativeChild*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void paintOn(HDC dc, HWND hwnd, NativeChild& window) {
    win32::GdiSurface surface(dc, win32::GdiSurface::Kind::paint, hwnd);
    WindowMessage message;
    message.kind = MessageKind::paint;
    message.surface = &surface;
    shared::deliver(shared::handleOf(window), message);
}

void paint(HWND hwnd, NativeChild& window) {
    if (!GetUpdateRect(hwnd, nullptr, FALSE)) return;
    PAINTSTRUCT ps{};
    if (HDC dc = BeginPaint(hwnd, &ps)) paintOn(dc, hwnd, window);
    EndPaint(hwnd, &ps);
}

// Button coordinates are the low and high 16 bits of lParam, unsigned.
Point clientPoint(LPARAM lParam) {
    const auto bits = static_cast<DWORD>(lParam);
    return Point{static_cast<int>(LOWORD(bits)), static_cast<int>(HIWORD(bits))};
}

void decode(HWND hwnd, NativeChild& window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowMessage decoded;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        decoded.kind =
            message == WM_LBUTTONDOWN ? MessageKind::leftButtonDown : MessageKind::rightButtonDown;
        decoded.where = clientPoint(lParam);
        shared::deliver(shared::handleOf(window), decoded);
        break;
    case WM_MOUSEWHEEL: {
        // The point is on the screen, signed; a notch is WHEEL_DELTA, and
        // finer wheels still move by at least one notch.
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd, &p);
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        decoded.kind = MessageKind::wheel;
        decoded.where = Point{p.x, p.y};
        decoded.wheelNotches =
            delta / WHEEL_DELTA != 0 ? delta / WHEEL_DELTA : (delta > 0 ? 1 : -1);
        const WORD keys = GET_KEYSTATE_WPARAM(wParam);
        decoded.keys = ((keys & MK_SHIFT) ? kKeyShift : 0u) |
                       ((keys & MK_CONTROL) ? kKeyControl : 0u) |
                       ((GetKeyState(VK_MENU) < 0) ? kKeyAlt : 0u);
        if (delta != 0) shared::deliver(shared::handleOf(window), decoded);
        break;
    }
    case WM_PAINT: paint(hwnd, window); break;
    // A host's PrintWindow (thumbnails, screenshots) asks for the same full
    // paint into its own DC; without it the panel would print blank.
    case WM_PRINTCLIENT:
        if (wParam) paintOn(reinterpret_cast<HDC>(wParam), hwnd, window);
        break;
    case WM_DESTROY: shared::deliverDestroy(shared::handleOf(window)); break;
    case WM_NCDESTROY:
        // The record outlives the HWND until destroyWindow forgets it.
        window.hwnd = nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        --win32::state().liveWindows;
        break;
    default: break;
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (NativeChild* window = recordOf(hwnd)) decode(hwnd, *window, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int win32::windowScaleOf(HWND hwnd) {
    const NativeChild* record = hwnd ? recordOf(hwnd) : nullptr;
    return record ? record->scalePercent : 100;
}

HWND win32::nativeWindow(WindowHandle window) {
    NativeChild* record = shared::findLive<NativeChild>(window);
    return record ? record->hwnd : nullptr;
}

int win32::liveWindows() { return state().liveWindows; }

namespace backend {

bool classAdding(const char* className, bool) {
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

void classRemoved(const char* className, bool) { UnregisterClassA(className, instance()); }

std::unique_ptr<shared::RegisteredWindow> createNativeWindow(const char* className,
                                                             const char* title, NativeWindow parent,
                                                             int width, int height) {
    HWND parentWindow = static_cast<HWND>(parent);
    if (!parentWindow || !IsWindow(parentWindow) || width <= 0 || height <= 0) return nullptr;
    auto child = std::make_unique<NativeChild>();
    child->hwnd = CreateWindowExA(0, className, title, WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                                  parentWindow, nullptr, instance(), nullptr);
    if (!child->hwnd) return nullptr;
    ++win32::state().liveWindows;
    // Messages sent during creation reach no procedure yet, as the toolkit
    // stores its frame only after this returns.
    SetWindowLongPtrA(child->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(child.get()));
    return child;
}

bool resizeNativeWindow(shared::RegisteredWindow& window, int deviceWidth, int deviceHeight, int) {
    HWND hwnd = static_cast<NativeChild&>(window).hwnd;
    return hwnd && SetWindowPos(hwnd, nullptr, 0, 0, deviceWidth, deviceHeight,
                                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

void destroyNativeWindow(shared::RegisteredWindow& window, bool nativeAlive) {
    auto& child = static_cast<NativeChild&>(window);
    if (!nativeAlive || !child.hwnd || !IsWindow(child.hwnd)) return;
    HWND hwnd = child.hwnd;
    DestroyWindow(hwnd);
    // Refused (another thread's window): the record is about to go, so the
    // HWND must not keep pointing at it.
    if (IsWindow(hwnd)) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

}  // namespace backend

void invalidateWindow(WindowHandle window) {
    if (HWND hwnd = win32::nativeWindow(window)) InvalidateRect(hwnd, nullptr, FALSE);
}

void dispatchPendingMessages(WindowHandle) {}

std::unique_ptr<Surface> acquireWindowSurface(WindowHandle window) {
    HWND hwnd = win32::nativeWindow(window);
    return hwnd ? win32::GdiSurface::forWindow(hwnd) : nullptr;
}

Point screenToClient(WindowHandle window, Point screen) {
    POINT p{screen.x, screen.y};
    HWND hwnd = win32::nativeWindow(window);
    if (!hwnd || !ScreenToClient(hwnd, &p)) return screen;
    const auto* record = shared::registry().find(window);
    return record ? shared::toDesignPoint(*record, Point{p.x, p.y}) : Point{p.x, p.y};
}

}  // namespace platform
