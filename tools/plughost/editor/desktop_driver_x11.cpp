#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "editor/desktop_driver.h"
#include "error.h"

namespace {

// One colour channel of a pixel, scaled to 0..255 whatever its width.
std::uint32_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const unsigned long maximum = mask >> shift;
    return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / maximum);
}

class X11Driver final : public DesktopDriver {
public:
    X11Driver(Display* connection, Window editorWindow)
        : display(connection), window(editorWindow) {}
    ~X11Driver() override { XCloseDisplay(display); }

    void press(int x, int y) override {
        moveTo(x, y);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XSync(display, False);
    }
    void move(int x, int y) override {
        moveTo(x, y);
        XSync(display, False);
    }
    void release() override {
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XSync(display, False);
    }
    // Buttons 4 and 5 are the wheel's notches up and down.
    void wheel(int x, int y, int notches) override {
        moveTo(x, y);
        const unsigned button = notches > 0 ? 4 : 5;
        for (int i = 0; i < (notches > 0 ? notches : -notches); ++i) {
            XTestFakeButtonEvent(display, button, True, CurrentTime);
            XTestFakeButtonEvent(display, button, False, CurrentTime);
        }
        XSync(display, False);
    }
    void key(const std::string& name) override;
    void type(const std::string& text) override;
    RgbImage capture() override;

private:
    void moveTo(int x, int y) {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    }
    KeyCode keycode(KeySym symbol, const std::string& what) {
        const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
        if (code == 0) throw HostError("the keyboard has no key for " + what);
        return code;
    }
    void stroke(KeyCode code, const std::vector<KeyCode>& modifiers) {
        for (KeyCode m : modifiers) XTestFakeKeyEvent(display, m, True, CurrentTime);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
            XTestFakeKeyEvent(display, *m, False, CurrentTime);
        XSync(display, False);
    }

    Display* display;
    Window window;
};

void X11Driver::key(const std::string& name) {
    std::vector<KeyCode> modifiers;
    std::string rest = name;
    for (size_t plus;
         (plus = rest.find('+')) != std::string::npos && plus > 0 && plus + 1 < rest.size();) {
        const std::string prefix = rest.substr(0, plus);
        KeySym modifier = prefix == "shift"  ? XK_Shift_L
                          : prefix == "ctrl" ? XK_Control_L
                          : prefix == "alt"  ? XK_Alt_L
                                             : NoSymbol;
        if (modifier == NoSymbol) break;
        modifiers.push_back(keycode(modifier, prefix));
        rest = rest.substr(plus + 1);
    }
    const KeySym symbol = XStringToKeysym(rest.c_str());
    if (symbol == NoSymbol) throw HostError("unknown key name '" + rest + "'");
    stroke(keycode(symbol, "'" + rest + "'"), modifiers);
}

void X11Driver::type(const std::string& text) {
    const KeyCode shift = keycode(XK_Shift_L, "shift");
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7E)
            throw HostError("cannot type character code " + std::to_string(c));
        // Printable ASCII characters are their own keysyms.
        const KeySym symbol = c;
        const KeyCode code = keycode(symbol, std::string("'") + static_cast<char>(c) + "'");
        const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != symbol;
        stroke(code, shifted ? std::vector<KeyCode>{shift} : std::vector<KeyCode>{});
    }
}

RgbImage X11Driver::capture() {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        throw HostError("the editor window is not on screen");
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &rootX, &rootY, &child);
    const Screen* screen = attributes.screen;
    // Reading outside the screen is an X protocol error that would end the
    // process; refuse instead. What covers the window shows in the picture.
    if (rootX < 0 || rootY < 0 || rootX + attributes.width > WidthOfScreen(screen) ||
        rootY + attributes.height > HeightOfScreen(screen))
        throw HostError("the editor window is not wholly on screen");
    // Read from the screen rather than the window: children of another depth
    // (editors that draw with an alpha visual) are undefined in the window's
    // own image but show on the screen.
    XImage* image =
        XGetImage(display, attributes.root, rootX, rootY, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) throw HostError("cannot read the editor window's pixels");
    const Visual* visual = DefaultVisualOfScreen(screen);
    RgbImage picture(attributes.width, attributes.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            picture.at(x, y) = channel(p, visual->red_mask) << 16 |
                               channel(p, visual->green_mask) << 8 | channel(p, visual->blue_mask);
        }
    }
    XDestroyImage(image);
    return picture;
}

}  // namespace

std::unique_ptr<DesktopDriver> createDesktopDriver(void* window) {
    const char* name = std::getenv("DISPLAY");
    Display* display = name ? XOpenDisplay(name) : nullptr;
    if (!display) throw HostError("cannot open display for scripted input");
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        throw HostError(
            "the X server lacks the XTEST extension, so a script cannot move the pointer");
    }
    return std::make_unique<X11Driver>(
        display, static_cast<Window>(reinterpret_cast<std::uintptr_t>(window)));
}
