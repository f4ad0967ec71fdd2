#include <windows.h>

#include <cctype>
#include <map>
#include <vector>

#include "editor/desktop_driver.h"
#include "error.h"

namespace {

const std::map<std::string, WORD> kNamedKeys = {
    {"Return", VK_RETURN}, {"BackSpace", VK_BACK}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},
    {"Delete", VK_DELETE}, {"Home", VK_HOME},      {"End", VK_END},       {"Left", VK_LEFT},
    {"Right", VK_RIGHT},   {"Up", VK_UP},          {"Down", VK_DOWN},     {"space", VK_SPACE},
};

INPUT keyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

void send(std::vector<INPUT> inputs) {
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        throw HostError("the system refused the scripted input (error " +
                        std::to_string(GetLastError()) + ")");
}

class Win32Driver final : public DesktopDriver {
public:
    explicit Win32Driver(HWND editorWindow) : window(editorWindow) {}

    void press(int x, int y) override {
        send({mouse(x, y, MOUSEEVENTF_MOVE), mouse(x, y, MOUSEEVENTF_LEFTDOWN)});
    }
    void move(int x, int y) override { send({mouse(x, y, MOUSEEVENTF_MOVE)}); }
    void release() override {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        send({input});
    }
    void wheel(int x, int y, int notches) override {
        INPUT turn = mouse(x, y, MOUSEEVENTF_MOVE);
        turn.mi.dwFlags |= MOUSEEVENTF_WHEEL;
        turn.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
        send({mouse(x, y, MOUSEEVENTF_MOVE), turn});
    }
    void key(const std::string& name) override;
    void type(const std::string& text) override;
    RgbImage capture() override;

private:
    INPUT mouse(int x, int y, DWORD what) const {
        POINT p{x, y};
        ClientToScreen(window, &p);
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(p.x, 65535, w > 1 ? w - 1 : 1);
        input.mi.dy = MulDiv(p.y, 65535, h > 1 ? h - 1 : 1);
        input.mi.dwFlags = what | MOUSEEVENTF_ABSOLUTE;
        return input;
    }

    HWND window;
};

void Win32Driver::key(const std::string& name) {
    std::vector<WORD> modifiers;
    std::string rest = name;
    for (size_t plus;
         (plus = rest.find('+')) != std::string::npos && plus > 0 && plus + 1 < rest.size();) {
        const std::string prefix = rest.substr(0, plus);
        const WORD modifier = prefix == "shift"  ? VK_SHIFT
                              : prefix == "ctrl" ? VK_CONTROL
                              : prefix == "alt"  ? VK_MENU
                                                 : 0;
        if (modifier == 0) break;
        modifiers.push_back(modifier);
        rest = rest.substr(plus + 1);
    }
    WORD key = 0;
    if (auto named = kNamedKeys.find(rest); named != kNamedKeys.end()) {
        key = named->second;
    } else if (rest.size() == 1) {
        key = static_cast<WORD>(VkKeyScanA(rest[0]) & 0xFF);
    }
    if (key == 0 || key == 0xFF) throw HostError("unknown key name '" + rest + "'");
    std::vector<INPUT> inputs;
    for (WORD m : modifiers) inputs.push_back(keyInput(m, true));
    inputs.push_back(keyInput(key, true));
    inputs.push_back(keyInput(key, false));
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
        inputs.push_back(keyInput(*m, false));
    send(inputs);
}

void Win32Driver::type(const std::string& text) {
    std::vector<INPUT> inputs;
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7E)
            throw HostError("cannot type character code " + std::to_string(c));
        for (bool down : {true, false}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
            inputs.push_back(input);
        }
    }
    send(inputs);
}

RgbImage Win32Driver::capture() {
    RECT client{};
    if (!IsWindowVisible(window) || !GetClientRect(window, &client))
        throw HostError("the editor window is not on screen");
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (w <= 0 || h <= 0) throw HostError("the editor window has no area");
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ before = SelectObject(memory, bitmap);
    // The window's pixels as shown, child windows included. PrintWindow
    // would survive a covering window, but wine answers it without the
    // children's drawing (the plug-in's panel is a child), so it printed
    // black; the test display has nothing on top of the editor.
    HDC windowDc = GetDC(window);
    BitBlt(memory, 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
    GdiFlush();
    RgbImage picture(w, h);
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; bits && i < picture.pixels.size(); ++i)
        picture.pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(memory, before);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

}  // namespace

std::unique_ptr<DesktopDriver> createDesktopDriver(void* window) {
    return std::make_unique<Win32Driver>(static_cast<HWND>(window));
}
