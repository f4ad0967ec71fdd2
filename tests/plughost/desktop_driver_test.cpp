// The scripted user under an X server: the pointer lands where the script
// says in window coordinates, keys arrive as the characters typed (shifted
// ones included), and captures give the window's pixels in the right order.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <string>

#include "editor/desktop_driver.h"
#include "error.h"

namespace {

// A window of the test's own at (40, 30), 120 x 80, filled with one colour.
struct TestWindow {
    Display* display = XOpenDisplay(nullptr);
    Window window = 0;

    explicit TestWindow(unsigned long colour) {
        if (!display) return;
        window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 30, 120, 80, 0, 0, colour);
        XSetWindowAttributes a{};
        a.override_redirect = True;  // stays where it is put, window manager or not
        XChangeWindowAttributes(display, window, CWOverrideRedirect, &a);
        XSelectInput(display, window, KeyPressMask | ExposureMask);
        XMapWindow(display, window);
        XSync(display, False);
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
    }
    ~TestWindow() {
        if (!display) return;
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

    // The text of the key presses that have arrived.
    std::string typed() {
        XSync(display, False);
        std::string text;
        while (XPending(display) > 0) {
            XEvent e;
            XNextEvent(display, &e);
            if (e.type != KeyPress) continue;
            char buffer[8] = {};
            KeySym symbol = 0;
            const int n = XLookupString(&e.xkey, buffer, sizeof buffer, &symbol, nullptr);
            text.append(buffer, static_cast<size_t>(n > 0 ? n : 0));
        }
        return text;
    }
    void pointer(int& x, int& y, unsigned& mask) const {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0;
        XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
    }
};

TEST(DesktopDriver, PointerLandsInWindowCoordinates) {
    TestWindow w(0x000000);
    ASSERT_NE(w.display, nullptr) << "needs an X server";
    auto driver = createDesktopDriver(w.handle());
    int x = 0, y = 0;
    unsigned mask = 0;
    driver->press(10, 20);
    w.pointer(x, y, mask);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    EXPECT_TRUE(mask & Button1Mask);
    driver->move(-5, 100);  // drags leave the window
    w.pointer(x, y, mask);
    EXPECT_EQ(x, -5);
    EXPECT_EQ(y, 100);
    EXPECT_TRUE(mask & Button1Mask);
    driver->release();
    w.pointer(x, y, mask);
    EXPECT_FALSE(mask & Button1Mask);
}

TEST(DesktopDriver, KeysArriveAsTyped) {
    TestWindow w(0x000000);
    ASSERT_NE(w.display, nullptr) << "needs an X server";
    auto driver = createDesktopDriver(w.handle());
    w.typed();
    driver->type("Hz 1!~");
    driver->key("Return");
    driver->key("shift+a");
    EXPECT_EQ(w.typed(), "Hz 1!~\rA");
    EXPECT_THROW(driver->key("NoSuchKey"), HostError);
    EXPECT_THROW(driver->type("\t"), HostError);
}

TEST(DesktopDriver, CaptureReadsTheWindowsPixels) {
    TestWindow w(0x3366CC);
    ASSERT_NE(w.display, nullptr) << "needs an X server";
    auto driver = createDesktopDriver(w.handle());
    const RgbImage shot = driver->capture();
    ASSERT_EQ(shot.width, 120);
    ASSERT_EQ(shot.height, 80);
    EXPECT_EQ(shot.at(0, 0), 0x3366CCu);
    EXPECT_EQ(shot.at(119, 79), 0x3366CCu);
    XUnmapWindow(w.display, w.window);
    XSync(w.display, False);
    EXPECT_THROW(driver->capture(), HostError);
}

}  // namespace
