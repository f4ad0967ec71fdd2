// The panel as a CLAP host embeds it, on a virtual X server: created for
// x11, sized at the host's scale, parented, shown without show, driven by
// the host's timer, a knob dragged with the X server's test pointer and
// the edits checked as the host hears them through flush.
#include <gtest/gtest.h>

#include <clap/ext/gui.h>
#include <clap/ext/timer-support.h>

#include <chrono>
#include <thread>
#include <vector>

#include "clap_host.h"

// Last: Xlib's macros would spoil the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using claptest::Host;
using claptest::Instance;
using claptest::Library;

class ClapPanel : public testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X server";
        parent =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 20, 20, 900, 200, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        ASSERT_TRUE(instance.ok());
        gui = instance.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
        timer = instance.extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
        ASSERT_NE(gui, nullptr);
        ASSERT_NE(timer, nullptr);
    }
    void TearDown() override {
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }
    // Created, at the host's scale, and parented: as a host opens the panel.
    bool openAt(double scale) {
        return gui->create(instance.get(), CLAP_WINDOW_API_X11, false) &&
               gui->set_scale(instance.get(), scale) && parentIt();
    }
    bool open() { return gui->create(instance.get(), CLAP_WINDOW_API_X11, false) && parentIt(); }
    bool parentIt() {
        clap_window_t window{};
        window.api = CLAP_WINDOW_API_X11;
        window.x11 = parent;
        return gui->set_parent(instance.get(), &window);
    }
    // The host's timer, as a host's loop fires it.
    void tick(int times) {
        for (int i = 0; i < times; ++i) {
            for (clap_id id : host.liveTimers) timer->on_timer(instance.get(), id);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ::Window panelWindow() {
        ::Window root, up, *children = nullptr;
        unsigned count = 0;
        XQueryTree(display, parent, &root, &up, &children, &count);
        const ::Window found = count > 0 ? children[0] : 0;
        if (children) XFree(children);
        return found;
    }
    std::vector<unsigned long> knobPixels() {
        XImage* image = XGetImage(display, panelWindow(), 50, 13, 25, 26, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        if (!image) return pixels;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 25; ++x) pixels.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return pixels;
    }

    Display* display = nullptr;
    ::Window parent = 0;
    Library library{MOLVEX_CLAP_PLUGIN};
    Host host;
    Instance instance{library, host};
    const clap_plugin_gui_t* gui = nullptr;
    const clap_plugin_timer_support_t* timer = nullptr;
};

TEST_F(ClapPanel, OffersEmbeddedX11Only) {
    EXPECT_TRUE(gui->is_api_supported(instance.get(), CLAP_WINDOW_API_X11, false));
    EXPECT_FALSE(gui->is_api_supported(instance.get(), CLAP_WINDOW_API_X11, true));
    EXPECT_FALSE(gui->is_api_supported(instance.get(), CLAP_WINDOW_API_WAYLAND, false));
    EXPECT_FALSE(gui->create(instance.get(), CLAP_WINDOW_API_WIN32, false));
    EXPECT_FALSE(gui->can_resize(instance.get()));
}

struct ScaleCase {
    double scale;
    bool accepted;
    std::uint32_t width, height;
};

TEST_F(ClapPanel, HostScaleChoosesTheBitmapSetAndSizesAreDevicePixels) {
    ASSERT_TRUE(gui->create(instance.get(), CLAP_WINDOW_API_X11, false));
    const ScaleCase cases[] = {{1.0, true, 420, 64},   {1.5, true, 630, 96},
                               {2.0, true, 840, 128},  {1.25, false, 840, 128},
                               {3.0, false, 840, 128}, {0.0, false, 840, 128}};
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(gui->set_scale(instance.get(), c.scale), c.accepted) << c.scale;
        std::uint32_t w = 0, h = 0;
        ASSERT_TRUE(gui->get_size(instance.get(), &w, &h));
        EXPECT_EQ(w, c.width) << c.scale;
        EXPECT_EQ(h, c.height) << c.scale;
    }
    EXPECT_FALSE(gui->set_size(instance.get(), 400, 64));
    EXPECT_TRUE(gui->set_size(instance.get(), 840, 128));
    clap_window_t window{};
    window.api = CLAP_WINDOW_API_X11;
    window.x11 = parent;
    ASSERT_TRUE(gui->set_parent(instance.get(), &window));
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(display, panelWindow(), &attributes));
    EXPECT_EQ(attributes.width, 840);
    EXPECT_EQ(attributes.height, 128);
    gui->destroy(instance.get());
}

TEST_F(ClapPanel, VisibleAfterSetParentAndTheTimerLivesWithThePanel) {
    ASSERT_TRUE(open());
    const ::Window window = panelWindow();
    ASSERT_NE(window, 0u);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
    EXPECT_EQ(attributes.map_state, IsViewable);
    ASSERT_EQ(host.liveTimers.size(), 1u);
    EXPECT_GE(host.timerPeriods[0], 15u);
    EXPECT_LE(host.timerPeriods[0], 50u);
    // A second create while one lives is refused.
    EXPECT_FALSE(gui->create(instance.get(), CLAP_WINDOW_API_X11, false));
    gui->destroy(instance.get());
    EXPECT_TRUE(host.liveTimers.empty());
    XSync(display, False);
    EXPECT_EQ(panelWindow(), 0u);
    // And again: a host may open the panel many times.
    ASSERT_TRUE(open());
    gui->destroy(instance.get());
    EXPECT_TRUE(host.liveTimers.empty());
}

TEST_F(ClapPanel, KnobDragReachesTheHostAsOneGestureThroughFlush) {
    ASSERT_TRUE(openAt(1.0));
    tick(25);
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(display, parent, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), x + 51, y + 26, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    std::thread hand([x, y] {
        Display* d = XOpenDisplay(nullptr);
        if (!d) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        XTestFakeMotionEvent(d, DefaultScreen(d), x + 74, y + 26, CurrentTime);
        XSync(d, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
        XCloseDisplay(d);
    });
    tick(40);
    hand.join();
    EXPECT_GE(host.flushRequests, 1);
    instance.flush();
    const auto& out = instance.output;
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out.front().type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(out.back().type, CLAP_EVENT_PARAM_GESTURE_END);
    for (std::size_t i = 1; i + 1 < out.size(); ++i) {
        EXPECT_EQ(out[i].type, CLAP_EVENT_PARAM_VALUE) << i;
        EXPECT_FALSE(out[i].flags & CLAP_EVENT_DONT_RECORD) << i;
    }
    for (const auto& e : out) EXPECT_EQ(e.id, 1u);
    // Released on the right edge: near the end of the sweep, in ms, and the
    // DSP holds what the host was told.
    EXPECT_GT(out[out.size() - 2].value, 750.0);
    EXPECT_NEAR(instance.value(1), out[out.size() - 2].value, 1e-3);
    gui->destroy(instance.get());
}

// The right-click zoom: the panel cannot be dragged larger, so each choice
// asks the host for the new size, in device pixels, both ways.
TEST_F(ClapPanel, TheZoomMenuAsksTheHostToResizeBothWays) {
    ASSERT_TRUE(openAt(1.0));
    tick(10);
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(display, parent, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    // The menu opens at the press; its rows are 20 design pixels from 1:
    // 100 %, 150 %, 200 %. At 200 % it is drawn twice as large.
    struct Choice {
        int pressAt, rowX, rowY;
        std::uint32_t width, height;
    };
    const Choice choices[] = {{3, 30, 51, 840, 128}, {6, 60, 22, 420, 64}};
    for (const Choice& c : choices) {
        const std::size_t before = host.resizeRequests.size();
        std::thread hand([&, x, y] {
            Display* d = XOpenDisplay(nullptr);
            if (!d) return;
            const int screen = DefaultScreen(d);
            XTestFakeMotionEvent(d, screen, x + c.pressAt, y + c.pressAt, CurrentTime);
            XTestFakeButtonEvent(d, 3, True, CurrentTime);
            XTestFakeButtonEvent(d, 3, False, CurrentTime);
            XSync(d, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            XTestFakeMotionEvent(d, screen, x + c.pressAt + c.rowX, y + c.pressAt + c.rowY,
                                 CurrentTime);
            XTestFakeButtonEvent(d, 1, True, CurrentTime);
            XTestFakeButtonEvent(d, 1, False, CurrentTime);
            XSync(d, False);
            XCloseDisplay(d);
        });
        tick(50);
        hand.join();
        tick(5);
        ASSERT_EQ(host.resizeRequests.size(), before + 1) << c.width;
        EXPECT_EQ(host.resizeRequests.back().first, c.width);
        EXPECT_EQ(host.resizeRequests.back().second, c.height);
        std::uint32_t w = 0, h = 0;
        ASSERT_TRUE(gui->get_size(instance.get(), &w, &h));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
    }
    gui->destroy(instance.get());
}

TEST_F(ClapPanel, HostsChangesMoveTheControlAndAreNotSentBack) {
    ASSERT_TRUE(openAt(1.0));
    tick(10);
    const std::vector<unsigned long> before = knobPixels();
    ASSERT_FALSE(before.empty());
    instance.events.paramValue(0, 1, 50.0);
    instance.flush();
    tick(10);
    EXPECT_NE(knobPixels(), before);
    instance.events.paramValue(0, 1, 500.0);
    instance.flush();
    tick(10);
    EXPECT_EQ(knobPixels(), before);
    instance.flush();
    EXPECT_TRUE(instance.output.empty());
    EXPECT_EQ(host.flushRequests, 0);
    gui->destroy(instance.get());
}

}  // namespace
