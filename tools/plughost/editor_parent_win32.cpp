#include <windows.h>

#include "editor_parent.h"

namespace {

const char* const kClassName = "plughostEditorParent";

class Win32Parent final : public EditorParent {
public:
    explicit Win32Parent(HWND window) : window_(window) {}
    ~Win32Parent() override { DestroyWindow(window_); }
    void* handle() override { return window_; }
    void resize(int width, int height) override {
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    void pump() override {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

private:
    HWND window_;
};

}  // namespace

std::unique_ptr<EditorParent> createEditorParent(int width, int height, std::string& whyNot) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        registered = RegisterClassA(&wc) != 0;
    }
    HWND window = CreateWindowExA(0, kClassName, "plughost validate", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, width > 0 ? width : 400,
                                  height > 0 ? height : 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        whyNot = "cannot create a window (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    return std::make_unique<Win32Parent>(window);
}
