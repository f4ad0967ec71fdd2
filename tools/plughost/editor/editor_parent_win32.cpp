#include <windows.h>

#include "editor/editor_parent.h"

namespace {

const char* const kClassName = "plughostEditorParent";
const char* const kClosedProperty = "plughostCloseRequested";

// Closing the window only marks it: the host closes the editor first and
// destroys the window itself.
LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        SetPropA(window, kClosedProperty, reinterpret_cast<HANDLE>(1));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Win32Parent final : public EditorParent {
public:
    explicit Win32Parent(HWND parentWindow) : window(parentWindow) {}
    ~Win32Parent() override {
        RemovePropA(window, kClosedProperty);
        DestroyWindow(window);
    }
    void* handle() override { return window; }
    void resize(int width, int height) override {
        // The editor fills the client area; the frame comes on top.
        RECT r{0, 0, width, height};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    bool closeRequested() const override { return GetPropA(window, kClosedProperty) != nullptr; }
    void pump() override {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    HWND window;
};

}  // namespace

std::unique_ptr<EditorParent> createEditorParent(int width, int height, std::string& whyNot,
                                                 const std::string& title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = parentProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        registered = RegisterClassA(&wc) != 0;
    }
    HWND window = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, width > 0 ? width : 400,
                                  height > 0 ? height : 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        whyNot = "cannot create a window (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    auto parent = std::make_unique<Win32Parent>(window);
    parent->resize(width > 0 ? width : 400, height > 0 ? height : 300);
    return parent;
}
