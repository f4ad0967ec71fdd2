// The panel as an LV2 host runs it, on a virtual X server: the UI library
// loaded on its own, instantiated in the host's window, a knob dragged with
// the X server's test pointer, and the port writes, touch gestures, resize
// and port events checked. It reaches the DSP only through the host's
// write function, which is all this host offers.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/port_map.h"
#include "lv2_test_world.h"

// Last: Xlib's macros would spoil the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using namespace molvex::lv2;

struct HostRecord {
    std::vector<std::pair<std::uint32_t, float>> writes;
    std::vector<std::pair<std::uint32_t, bool>> touches;
    int width = 0, height = 0;
};

void writePort(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
    if (format == 0 && size == sizeof(float))
        static_cast<HostRecord*>(controller)
            ->writes.emplace_back(port, *static_cast<const float*>(buffer));
}

class Panel : public ::testing::Test {
protected:
    void SetUp() override {
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X server";
        parent =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 20, 20, 500, 100, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
        library = dlopen(MOLVEX_LV2_BUNDLE "/molvex_ui.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto entry = reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(
            dlsym(library, "lv2ui_descriptor"));
        ASSERT_NE(entry, nullptr);
        descriptor = entry(0);
        ASSERT_NE(descriptor, nullptr);
        EXPECT_EQ(entry(1), nullptr);
    }
    void TearDown() override {
        if (ui) descriptor->cleanup(ui);
        if (library) dlclose(library);
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }
    bool instantiate() {
        resize = {&record, [](LV2UI_Feature_Handle h, int w, int hgt) {
                      static_cast<HostRecord*>(h)->width = w;
                      static_cast<HostRecord*>(h)->height = hgt;
                      return 0;
                  }};
        touch = {&record, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                     static_cast<HostRecord*>(h)->touches.emplace_back(port, grabbed);
                 }};
        scale = hostScale;
        options[0] = {LV2_OPTIONS_INSTANCE,           0,
                      urids.map(LV2_UI__scaleFactor), sizeof(float),
                      urids.map(LV2_ATOM__Float),     &scale};
        options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        features = {{LV2_UI__parent, reinterpret_cast<void*>(parent)},
                    {LV2_UI__resize, &resize},
                    {LV2_UI__touch, &touch},
                    {LV2_URID__map, urids.mapFeature()},
                    {LV2_OPTIONS__options, options},
                    {LV2_UI__idleInterface, nullptr}};
        std::vector<const LV2_Feature*> list;
        for (const LV2_Feature& f : features) list.push_back(&f);
        list.push_back(nullptr);
        ui = descriptor->instantiate(descriptor, kPluginUri, MOLVEX_LV2_BUNDLE "/", &writePort,
                                     &record, &widget, list.data());
        return ui != nullptr;
    }
    void idle(int times) {
        const auto* interface = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        for (int i = 0; i < times; ++i) {
            interface->idle(ui);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    // The pixels of the TIME knob as the server shows them.
    std::vector<unsigned long> knobPixels() {
        XImage* image =
            XGetImage(display, static_cast<::Window>(reinterpret_cast<std::uintptr_t>(widget)), 50,
                      13, 25, 26, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        if (!image) return pixels;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 25; ++x) pixels.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return pixels;
    }

    Display* display = nullptr;
    ::Window parent = 0;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Handle ui = nullptr;
    LV2UI_Widget widget = nullptr;
    HostRecord record;
    lv2test::UridMap urids;
    LV2UI_Resize resize{};
    LV2UI_Touch touch{};
    float scale = 1.0f;
    // ui:scaleFactor as the host offers it; the panel follows it.
    float hostScale = 1.0f;
    LV2_Options_Option options[2]{};
    std::vector<LV2_Feature> features;
};

TEST_F(Panel, OpensInTheHostsWindowAndAsksForItsSize) {
    ASSERT_TRUE(instantiate());
    ASSERT_NE(widget, nullptr);
    ::Window root, parentOfWidget;
    ::Window* children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(display, static_cast<::Window>(reinterpret_cast<std::uintptr_t>(widget)),
                           &root, &parentOfWidget, &children, &count));
    if (children) XFree(children);
    EXPECT_EQ(parentOfWidget, parent);
    EXPECT_EQ(record.width, 420);
    EXPECT_EQ(record.height, 64);
}

TEST_F(Panel, TheHostsScaleFactorSizesThePanel) {
    hostScale = 2.0f;
    ASSERT_TRUE(instantiate());
    EXPECT_EQ(record.width, 840);
    EXPECT_EQ(record.height, 128);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(
        display, static_cast<::Window>(reinterpret_cast<std::uintptr_t>(widget)), &attributes));
    EXPECT_EQ(attributes.width, 840);
}

TEST_F(Panel, RefusesWithoutAParentOrForAnotherPlugin) {
    const LV2_Feature* none[] = {nullptr};
    LV2UI_Widget w = nullptr;
    EXPECT_EQ(descriptor->instantiate(descriptor, kPluginUri, "", &writePort, &record, &w, none),
              nullptr);
    ASSERT_TRUE(instantiate());
    descriptor->cleanup(ui);
    ui = nullptr;
    // Every feature it wants, but another plug-in's URI.
    const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
    const LV2_Feature* withParent[] = {&parentFeature, nullptr};
    EXPECT_EQ(
        descriptor->instantiate(descriptor, "urn:other", "", &writePort, &record, &w, withParent),
        nullptr);
    ui = descriptor->instantiate(descriptor, kPluginUri, "", &writePort, &record, &w, withParent);
    EXPECT_NE(ui, nullptr);
}

TEST_F(Panel, KnobDragWritesThePortInsideATouchGesture) {
    ASSERT_TRUE(instantiate());
    // The panel takes clicks once it has drawn itself.
    idle(25);
    int x = 0, y = 0;
    ::Window child;
    XTranslateCoordinates(display, parent, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    // Press on the TIME knob's left edge, let the hand move to its right
    // edge and let go while the tracking loop runs inside an idle.
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
    idle(40);
    hand.join();
    const std::uint32_t delayPort = kPortFirstControl + 1;
    ASSERT_FALSE(record.writes.empty());
    for (const auto& write : record.writes) EXPECT_EQ(write.first, delayPort);
    // Released on the right edge: near the end of the sweep, in ms.
    EXPECT_GT(record.writes.back().second, 750.0f);
    EXPECT_LE(record.writes.back().second, 1000.0f);
    ASSERT_GE(record.touches.size(), 2u);
    EXPECT_EQ(record.touches.front(), std::make_pair(delayPort, true));
    EXPECT_EQ(record.touches.back(), std::make_pair(delayPort, false));
}

TEST_F(Panel, PortEventsMoveTheControl) {
    ASSERT_TRUE(instantiate());
    idle(10);
    const std::vector<unsigned long> before = knobPixels();
    ASSERT_FALSE(before.empty());
    // The DSP reports a delay of 50 ms (automation or MIDI moved it).
    const float delay = 50.0f;
    descriptor->port_event(ui, kPortFirstReport + 1, sizeof delay, 0, &delay);
    idle(10);
    const std::vector<unsigned long> moved = knobPixels();
    EXPECT_NE(moved, before);
    // Back through the control input: the picture returns, and the panel
    // wrote nothing back to the host for values it was told.
    const float original = 500.0f;
    descriptor->port_event(ui, kPortFirstControl + 1, sizeof original, 0, &original);
    idle(10);
    EXPECT_EQ(knobPixels(), before);
    EXPECT_TRUE(record.writes.empty());
    // Events it has no use for are ignored.
    descriptor->port_event(ui, kPortMidi, 8, 1, "xxxxxxxx");
    descriptor->port_event(ui, 999, sizeof delay, 0, &delay);
    idle(2);
}

}  // namespace
