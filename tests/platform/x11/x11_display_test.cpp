// The x11 backend on a real (virtual) X server: a frame inside a host's
// window paints, a real pointer click reaches the right view, the display
// connection lives exactly as long as the frames, and ids that are not
// windows or windows that vanish leave the host running.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "gui/controls/control.h"
#include "gui/controls/tracking_loop.h"
#include "gui/core/editor_base.h"
#include "gui/core/frame.h"
#include "gui/core/window_class.h"
#include "host/effect_base_ext.h"
#include "platform/x11/x11_status.h"

// Last: Xlib's macros (None, Bool, Status...) would spoil the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

int hostIdleCalls = 0;

VstIntPtr recordHostCall(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterIdle) ++hostIdleCalls;
    return 0;
}

class Effect : public EffectBaseExt {
public:
    Effect() : EffectBaseExt(&recordHostCall, 1, 1) {}
    void process(float**, float**, VstInt32) override {}
};

class Block : public GuiView {
public:
    Block(GuiRect r, GuiColor c) : GuiView(r), colour(c) {}
    void draw(GuiDrawContext* context) override {
        context->setFillColor(colour);
        context->fillRect(GuiRect(size.left - 1, size.top - 1, size.right, size.bottom));
        ++draws;
    }
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override {
        ++clicks;
        lastClick = where;
        buttons = context->getMouseButtons();
    }
    GuiColor colour;
    int draws = 0;
    int clicks = 0;
    GuiMouseState buttons = 0;
    GuiPoint lastClick{-1, -1};
};

class Fader : public GuiControl, public ControlListener {
public:
    explicit Fader(GuiRect r) : GuiControl(r, this, 5) {}
    void draw(GuiDrawContext*) override { oldValue = value; }
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override {
        guiTrackMouse(*this, context, where, GuiTrackingRules{}, [this](const GuiPoint& p) {
            return static_cast<float>(p.h - size.left) / static_cast<float>(size.width());
        });
    }
    void valueChanged(GuiDrawContext*, GuiControl*) override { ++reports; }
    int reports = 0;
};

class Editor : public GuiEditorBase {
public:
    explicit Editor(EffectBase* effect) : GuiEditorBase(effect) { rect = ERect{0, 0, 60, 200}; }
    VstIntPtr open(void* parent) override {
        GuiEditorBase::open(parent);
        frame = std::make_unique<GuiFrame>(GuiRect(0, 0, 200, 60), parent, this);
        if (!frame->getWindow()) return 0;
        red = new Block(GuiRect(10, 10, 50, 50), kColorRed);
        blue = new Block(GuiRect(50, 10, 90, 50), kColorBlue);
        fader = new Fader(GuiRect(100, 10, 190, 50));
        frame->addView(red);
        frame->addView(blue);
        frame->addView(fader);
        return 1;
    }
    void close() override { frame.reset(); }
    Block* red = nullptr;
    Block* blue = nullptr;
    Fader* fader = nullptr;
};

// The drag test moves the pointer from a second thread with its own
// connection; Xlib wants to know before its first call.
const bool threadsReady = XInitThreads() != 0;

int testErrors = 0;
int countTestErrors(Display*, XErrorEvent*) {
    ++testErrors;
    return 0;
}

// The host's side: its own connection and a top-level window as the
// editor's parent.
class X11DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = XOpenDisplay(nullptr);
        ASSERT_NE(host, nullptr) << "no X server";
        previousHandler = XSetErrorHandler(&countTestErrors);
        testErrors = 0;
        parent = makeParent(20, 20);
        effect = new Effect();
        auto owned = std::make_unique<Editor>(effect);
        editor = owned.get();
        effect->attachEditor(std::move(owned));
    }
    void TearDown() override {
        delete effect;
        if (host) {
            XDestroyWindow(host, parent);
            XSync(host, False);
            XSetErrorHandler(previousHandler);
            XCloseDisplay(host);
        }
    }
    ::Window makeParent(int x, int y) {
        ::Window w = XCreateSimpleWindow(host, DefaultRootWindow(host), x, y, 300, 100, 0, 0,
                                         WhitePixel(host, DefaultScreen(host)));
        XMapWindow(host, w);
        XSync(host, False);
        return w;
    }
    static void* asParent(::Window w) {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(w));
    }
    VstIntPtr dispatch(VstInt32 opcode, void* ptr = nullptr) {
        return effect->dispatcher(opcode, 0, 0, ptr, 0.0f);
    }
    // Sends editor idle as a host would, until `done` or five seconds pass.
    bool idleUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 500; ++i) {
            dispatch(effEditIdle);
            if (done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    unsigned long pixelOf(::Window w, int x, int y) {
        XImage* image = XGetImage(host, w, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return ~0ul;
        const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    }
    void clickAt(int rootX, int rootY) {
        XTestFakeMotionEvent(host, DefaultScreen(host), rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(host, 1, True, CurrentTime);
        XTestFakeButtonEvent(host, 1, False, CurrentTime);
        XSync(host, False);
    }
    ::Window childWindow() {
        return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(
            platform::nativeWindowOf(editor->getFrame()->getWindow())));
    }

    Display* host = nullptr;
    XErrorHandler previousHandler = nullptr;
    ::Window parent = 0;
    Effect* effect = nullptr;
    Editor* editor = nullptr;
};

TEST_F(X11DisplayTest, AFrameInsideTheHostWindowPaintsAndTakesARealClick) {
    EXPECT_FALSE(platform::x11::displayConnectionOpen());
    ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
    EXPECT_TRUE(platform::x11::displayConnectionOpen());
    ::Window child = childWindow();
    ASSERT_NE(child, 0u);

    // The child sits inside the host's window at (0, 0) with the panel's size.
    ::Window root = 0, parentOfChild = 0, *children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(host, child, &root, &parentOfChild, &children, &count));
    if (children) XFree(children);
    EXPECT_EQ(parentOfChild, parent);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(host, child, &attributes));
    EXPECT_EQ(attributes.width, 200);
    EXPECT_EQ(attributes.height, 60);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);

    ASSERT_TRUE(idleUntil([&] { return !editor->getFrame()->isFirstDrawPending(); }));
    EXPECT_EQ(editor->red->draws, 1);
    EXPECT_EQ(pixelOf(child, 20, 20), 0xFF0000ul);
    EXPECT_EQ(pixelOf(child, 60, 20), 0x0000FFul);

    // Parent at (20, 20) on the root: (50, 30) in the frame is the shared
    // edge of red and blue, which goes to blue, added later.
    clickAt(20 + 50, 20 + 30);
    ASSERT_TRUE(idleUntil([&] { return editor->blue->clicks > 0; }));
    EXPECT_EQ(editor->red->clicks, 0);
    EXPECT_EQ(editor->blue->lastClick, GuiPoint(50, 30));

    // The fader's tracking loop reads the released buttons from the server
    // and ends after one pass at the click's position.
    clickAt(20 + 145, 20 + 30);
    ASSERT_TRUE(idleUntil([&] { return editor->fader->reports > 0; }));
    EXPECT_NEAR(editor->fader->getValue(), 0.5f, 0.02f);

    dispatch(effEditClose);
    EXPECT_FALSE(platform::x11::displayConnectionOpen());
    EXPECT_EQ(windowClassUseCount(), 0);
    dispatch(effEditClose);  // a second close is harmless
    EXPECT_EQ(testErrors, 0);
}

TEST_F(X11DisplayTest, ATrackingLoopFollowsTheServersPointerUntilRelease) {
    ASSERT_TRUE(threadsReady);
    ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return !editor->getFrame()->isFirstDrawPending(); }));
    XTestFakeMotionEvent(host, DefaultScreen(host), 20 + 110, 20 + 30, CurrentTime);
    XTestFakeButtonEvent(host, 1, True, CurrentTime);
    XSync(host, False);
    // The user's hand: while the loop runs inside the button press, move
    // right and let go.
    std::thread hand([] {
        Display* d = XOpenDisplay(nullptr);
        if (!d) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        XTestFakeMotionEvent(d, DefaultScreen(d), 20 + 172, 20 + 30, CurrentTime);
        XSync(d, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
        XCloseDisplay(d);
    });
    hostIdleCalls = 0;
    const bool tracked = idleUntil([&] { return editor->fader->reports > 0; });
    hand.join();
    ASSERT_TRUE(tracked);
    // Released at 172 of 100..190, after the throttled idle had its turns.
    EXPECT_NEAR(editor->fader->getValue(), 0.8f, 0.02f);
    EXPECT_GE(editor->fader->reports, 2);
    EXPECT_GT(hostIdleCalls, 0);
    dispatch(effEditClose);
}

// The panel shown at a scale, in a host window large enough for it.
class X11ScaledTest : public X11DisplayTest {
protected:
    void openAt(int scale) {
        XResizeWindow(host, parent, 500, 200);
        ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
        ASSERT_TRUE(editor->getFrame()->setScale(scale));
        ASSERT_TRUE(idleUntil([&] { return !editor->getFrame()->isFirstDrawPending(); }));
    }
    // A real press at `from`, a move to `to` and the release, in the
    // panel's coordinates; the fader's value afterwards.
    float drag(int scale, GuiPoint from, GuiPoint to) {
        auto root = [&](GuiPoint p) {
            return std::pair<int, int>{20 + scaled(p.h, scale), 20 + scaled(p.v, scale)};
        };
        const auto start = root(from);
        const auto end = root(to);
        XTestFakeMotionEvent(host, DefaultScreen(host), start.first, start.second, CurrentTime);
        XTestFakeButtonEvent(host, 1, True, CurrentTime);
        XSync(host, False);
        std::thread hand([end] {
            Display* d = XOpenDisplay(nullptr);
            if (!d) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            XTestFakeMotionEvent(d, DefaultScreen(d), end.first, end.second, CurrentTime);
            XSync(d, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            XTestFakeButtonEvent(d, 1, False, CurrentTime);
            XSync(d, False);
            XCloseDisplay(d);
        });
        const int before = editor->fader->reports;
        (void)idleUntil([&] { return editor->fader->reports > before; });
        hand.join();
        return editor->fader->getValue();
    }
    static int scaled(int v, int scale) { return (v * scale + 50) / 100; }
    XSizeHints hints() {
        XSizeHints h{};
        long supplied = 0;
        XGetWMNormalHints(host, childWindow(), &h, &supplied);
        return h;
    }
};

TEST_F(X11ScaledTest, ADragEndsAtTheSameValueAtEveryScale) {
    ASSERT_TRUE(threadsReady);
    float ended[3] = {};
    const int scales[] = {100, 150, 200};
    for (int i = 0; i < 3; ++i) {
        openAt(scales[i]);
        editor->fader->setValue(0.0f);
        ended[i] = drag(scales[i], GuiPoint(110, 30), GuiPoint(163, 40));
        dispatch(effEditClose);
    }
    EXPECT_NEAR(ended[0], 0.7f, 1e-6f);
    EXPECT_FLOAT_EQ(ended[1], ended[0]);
    EXPECT_FLOAT_EQ(ended[2], ended[0]);
}

// What a host that embeds the panel sizes its window from: the hints follow
// every change of scale, down as well as up.
TEST_F(X11ScaledTest, TheSizeHintsFollowTheScaleBothWays) {
    openAt(100);
    struct Step {
        int scale, width, height;
    };
    for (const Step& step : {Step{100, 200, 60}, Step{200, 400, 120}, Step{150, 300, 90},
                             Step{100, 200, 60}, Step{200, 400, 120}}) {
        ASSERT_TRUE(editor->getFrame()->setScale(step.scale));
        XSync(host, False);
        const XSizeHints h = hints();
        EXPECT_EQ(h.flags & (PMinSize | PMaxSize | PBaseSize), PMinSize | PMaxSize | PBaseSize);
        EXPECT_EQ(h.min_width, step.width) << step.scale;
        EXPECT_EQ(h.min_height, step.height) << step.scale;
        EXPECT_EQ(h.max_width, step.width) << step.scale;
        EXPECT_EQ(h.max_height, step.height) << step.scale;
        EXPECT_EQ(h.base_width, step.width) << step.scale;
        EXPECT_EQ(h.base_height, step.height) << step.scale;
        XWindowAttributes attributes{};
        ASSERT_TRUE(XGetWindowAttributes(host, childWindow(), &attributes));
        EXPECT_EQ(attributes.width, step.width) << step.scale;
    }
    dispatch(effEditClose);
}

TEST_F(X11DisplayTest, RightButtonMiddleButtonAndAltClickReachControlsAsTheySeeThem) {
    ASSERT_TRUE(threadsReady);
    ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return !editor->getFrame()->isFirstDrawPending(); }));
    auto press = [&](unsigned button, bool down) {
        XTestFakeButtonEvent(host, button, down ? True : False, CurrentTime);
        XSync(host, False);
    };

    // A right press arrives as a click that sees the right button held.
    XTestFakeMotionEvent(host, DefaultScreen(host), 20 + 30, 20 + 30, CurrentTime);
    press(3, true);
    ASSERT_TRUE(idleUntil([&] { return editor->red->clicks > 0; }));
    press(3, false);
    EXPECT_EQ(editor->red->buttons & (GuiMouse::kLeft | GuiMouse::kRight), GuiMouse::kRight);

    // A middle press is nobody's click.
    XTestFakeMotionEvent(host, DefaultScreen(host), 20 + 70, 20 + 30, CurrentTime);
    press(2, true);
    press(2, false);
    for (int i = 0; i < 20; ++i) dispatch(effEditIdle);
    EXPECT_EQ(editor->blue->clicks, 0);

    // Alt with the left button sets the control's default instead of
    // tracking the pointer.
    editor->fader->setDefaultValue(0.25f);
    editor->fader->setValue(0.9f);
    const KeyCode alt = XKeysymToKeycode(host, XK_Alt_L);
    ASSERT_NE(alt, 0);
    XTestFakeMotionEvent(host, DefaultScreen(host), 20 + 170, 20 + 30, CurrentTime);
    XTestFakeKeyEvent(host, alt, True, CurrentTime);
    press(1, true);
    // The hand lets go a moment later, so a loop that tracked would end too.
    std::thread hand([alt] {
        Display* d = XOpenDisplay(nullptr);
        if (!d) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XTestFakeKeyEvent(d, alt, False, CurrentTime);
        XSync(d, False);
        XCloseDisplay(d);
    });
    const bool reported = idleUntil([&] { return editor->fader->reports > 0; });
    hand.join();
    ASSERT_TRUE(reported);
    EXPECT_EQ(editor->fader->getValue(), 0.25f);
    EXPECT_EQ(editor->fader->reports, 1);
    dispatch(effEditClose);
}

TEST_F(X11DisplayTest, AnIdThatIsNotAWindowFailsCleanlyAndForeignErrorsStillReachTheHost) {
    EXPECT_EQ(dispatch(effEditOpen, asParent(0x7ffffff0)), 0);
    EXPECT_EQ(editor->getFrame()->getWindow(), nullptr);
    dispatch(effEditIdle);
    dispatch(effEditClose);
    EXPECT_FALSE(platform::x11::displayConnectionOpen());
    EXPECT_EQ(windowClassUseCount(), 0);

    // While our connection is open, an error on the host's connection goes
    // to the host's handler, not into ours.
    ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
    XMapWindow(host, 0x7ffffff0);
    XSync(host, False);
    EXPECT_EQ(testErrors, 1);
    dispatch(effEditClose);
}

TEST_F(X11DisplayTest, TheConnectionLivesFromTheFirstFrameToTheLast) {
    Effect* secondEffect = new Effect();
    secondEffect->attachEditor(std::make_unique<Editor>(secondEffect));
    ::Window secondParent = makeParent(340, 20);
    ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
    ASSERT_EQ(secondEffect->dispatcher(effEditOpen, 0, 0, asParent(secondParent), 0.0f), 1);
    EXPECT_EQ(windowClassUseCount(), 2);
    dispatch(effEditClose);
    EXPECT_TRUE(platform::x11::displayConnectionOpen());
    // A host that never closes the editor: deleting the plug-in closes it.
    delete secondEffect;
    EXPECT_FALSE(platform::x11::displayConnectionOpen());
    XDestroyWindow(host, secondParent);
    XSync(host, False);
}

TEST_F(X11DisplayTest, AParentDestroyedBeforeCloseLeavesAClosedFrame) {
    ASSERT_EQ(dispatch(effEditOpen, asParent(parent)), 1);
    ASSERT_TRUE(idleUntil([&] { return !editor->getFrame()->isFirstDrawPending(); }));
    const platform::WindowHandle child = editor->getFrame()->getWindow();
    XDestroyWindow(host, parent);
    XSync(host, False);
    parent = makeParent(20, 20);  // TearDown destroys this one
    ASSERT_TRUE(idleUntil([&] { return !editor->getFrame()->isOpen(); }));
    // The id of a window the server destroyed is never handed out again.
    EXPECT_EQ(platform::nativeWindowOf(child), nullptr);
    editor->doIdle();
    dispatch(effEditClose);
    EXPECT_FALSE(platform::x11::displayConnectionOpen());
    EXPECT_EQ(testErrors, 0);
}

TEST_F(X11DisplayTest, TheBackendWorksInsideALoadedLibrary) {
    void* library = dlopen(GUI_PLUGIN_LINK_CHECK, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Check = int (*)(void*);
    auto check = reinterpret_cast<Check>(dlsym(library, "molvexGuiLinkCheck"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(dlsym(library, "_ZN8GuiFrameD0Ev"), nullptr);  // nothing else leaves it
    EXPECT_EQ(check(asParent(parent)), 1);
    EXPECT_EQ(check(asParent(0x7ffffff0)), 0);
    EXPECT_EQ(check(asParent(parent)), 1);
    EXPECT_EQ(testErrors, 0);
    // Left loaded: the C++ runtime linked into it keeps an allocation for
    // the life of the module, which a leak checker would report once the
    // module is gone.
}

}  // namespace
