#include "platform/win32/win32_windows.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/module_handle.h"
#include "platform/win32/gdi_surface.h"

namespace platform {

namespace {

struct ClassEntry {
    std::string name;
    WindowProcedure procedure;
};

// Module-wide like the classes themselves: every plug-in instance in the
// process shares them, on the host's user-interface thread.
std::vector<ClassEntry> classes;
int windowCount = 0;

HWND native(WindowHandle window) { return static_cast<HWND>(window); }
HINSTANCE instance() { return static_cast<HINSTANCE>(moduleHandle()); }

WindowProcedure procedureOf(HWND window) {
    char name[64] = "";
    if (!GetClassNameA(window, name, sizeof name)) return nullptr;
    auto it = std::find_if(classes.begin(), classes.end(),
                           [&](const ClassEntry& c) { return c.name == name; });
    return it == classes.end() ? nullptr : it->procedure;
}

void paint(HWND window, WindowProcedure procedure) {
    if (!GetUpdateRect(window, nullptr, FALSE)) return;
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(window, &ps);
    if (dc) {
        win32::GdiSurface surface(dc, win32::GdiSurface::Kind::paint, window);
        WindowMessage message;
        message.kind = MessageKind::paint;
        message.surface = &surface;
        procedure(window, message);
    }
    EndPaint(window, &ps);
}

// Button coordinates are the low and high 16 bits of lParam, unsigned.
Point clientPoint(LPARAM lParam) {
    const auto bits = static_cast<DWORD>(lParam);
    return Point{static_cast<int>(LOWORD(bits)), static_cast<int>(HIWORD(bits))};
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (WindowProcedure procedure = procedureOf(window)) {
        WindowMessage decoded;
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            decoded.kind = message == WM_LBUTTONDOWN ? MessageKind::leftButtonDown
                                                     : MessageKind::rightButtonDown;
            decoded.where = clientPoint(lParam);
            procedure(window, decoded);
            break;
        case WM_PAINT:
            paint(window, procedure);
            break;
        case WM_DESTROY:
            decoded.kind = MessageKind::destroy;
            procedure(window, decoded);
            break;
        default:
            break;
        }
    }
    if (message == WM_NCDESTROY) --windowCount;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int win32::liveWindows() { return windowCount; }
int win32::registeredClasses() { return static_cast<int>(classes.size()); }

bool registerWindowClass(const char* className, WindowProcedure procedure) {
    if (!className || !procedure) return false;
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass)) return false;
    classes.push_back({className, procedure});
    return true;
}

void unregisterWindowClass(const char* className) {
    if (!className) return;
    UnregisterClassA(className, instance());
    std::erase_if(classes, [&](const ClassEntry& c) { return c.name == className; });
}

WindowHandle createChildWindow(const char* className, const char* title, NativeWindow parent,
                               int width, int height) {
    if (!className || !parent || !IsWindow(native(parent)) || width <= 0 || height <= 0) {
        return nullptr;
    }
    HWND window = CreateWindowExA(0, className, title ? title : "", WS_CHILD | WS_VISIBLE, 0, 0,
                                  width, height, native(parent), nullptr, instance(), nullptr);
    if (window) ++windowCount;
    return window;
}

// The host may have destroyed the window with its own; then there is
// nothing left to do.
void destroyWindow(WindowHandle window) {
    if (window && IsWindow(native(window))) DestroyWindow(native(window));
}

void setWindowUserData(WindowHandle window, void* data) {
    if (window && IsWindow(native(window))) {
        SetWindowLongPtrA(native(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    }
}

void* windowUserData(WindowHandle window) {
    if (!window || !IsWindow(native(window))) return nullptr;
    return reinterpret_cast<void*>(GetWindowLongPtrA(native(window), GWLP_USERDATA));
}

void invalidateWindow(WindowHandle window) {
    if (window) InvalidateRect(native(window), nullptr, FALSE);
}

void dispatchPendingMessages(WindowHandle) {}

std::unique_ptr<Surface> acquireWindowSurface(WindowHandle window) {
    if (!window || !IsWindow(native(window))) return nullptr;
    return win32::GdiSurface::forWindow(native(window));
}

Point screenToClient(WindowHandle window, Point screen) {
    POINT p{screen.x, screen.y};
    if (!window || !ScreenToClient(native(window), &p)) return screen;
    return Point{p.x, p.y};
}

}  // namespace platform
