// The x11 popup menu and text entry on a real (virtual) X server, driven by
// XTest as a user's hands would: keys typed into the entry window, clicks
// on the popup's rows from a second thread while the popup's modal loop
// holds the first.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "gui/controls/choice_menu.h"
#include "gui/controls/text_edit.h"
#include "gui/core/frame.h"
#include "platform/platform.h"
#include "platform/x11/x11_status.h"

// Last: Xlib's macros would spoil the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

const bool threadsReady = XInitThreads() != 0;

constexpr int kParentX = 20;
constexpr int kParentY = 20;

int hostErrors = 0;
int countHostErrors(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

int buttonDowns = 0;
void recordMessage(platform::WindowHandle, const platform::WindowMessage& message) {
    if (message.kind == platform::MessageKind::leftButtonDown) ++buttonDowns;
}

struct Done {
    int calls = 0;
    std::string text;
    platform::TextEntryHandle entry = nullptr;
    bool closeInside = true;
};

// What a control does when the editing ends: read, then close from inside.
void onDone(void* owner) {
    auto* done = static_cast<Done*>(owner);
    ++done->calls;
    char buffer[platform::kTextCapacity];
    platform::textEntryText(done->entry, buffer, sizeof buffer);
    done->text = buffer;
    if (done->closeInside) {
        platform::closeTextEntry(done->entry);
        done->entry = nullptr;
    }
}

// The user's hand, on its own connection.
class Hand {
public:
    Hand() : d(XOpenDisplay(nullptr)) {}
    ~Hand() {
        if (d) XCloseDisplay(d);
    }
    void moveTo(int x, int y) {
        XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
        XSync(d, False);
    }
    void click(int x, int y) {
        moveTo(x, y);
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
    }
    void key(KeySym sym) {
        const KeyCode code = XKeysymToKeycode(d, sym);
        XTestFakeKeyEvent(d, code, True, CurrentTime);
        XTestFakeKeyEvent(d, code, False, CurrentTime);
        XSync(d, False);
    }
    void type(const char* text) {
        for (const char* c = text; *c; ++c) {
            const char name[2] = {*c, 0};
            key(XStringToKeysym(name));
        }
    }
    unsigned long rootPixel(int x, int y) {
        XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return ~0ul;
        const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    }
    static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    // The size of the popup on the screen: the topmost mapped
    // override-redirect window; 0 x 0 when there is none.
    std::pair<int, int> popupSize() {
        ::Window root = 0, parentOf = 0, *children = nullptr;
        unsigned count = 0;
        std::pair<int, int> size{0, 0};
        if (!XQueryTree(d, DefaultRootWindow(d), &root, &parentOf, &children, &count)) return size;
        for (unsigned i = count; i-- > 0 && size.first == 0;) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(d, children[i], &a) && a.override_redirect &&
                a.map_state == IsViewable)
                size = {a.width, a.height};
        }
        if (children) XFree(children);
        return size;
    }

private:
    Display* d;
};

class X11ServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(threadsReady);
        host = XOpenDisplay(nullptr);
        ASSERT_NE(host, nullptr) << "no X server";
        previousHandler = XSetErrorHandler(&countHostErrors);
        hostErrors = 0;
        parent = XCreateSimpleWindow(host, DefaultRootWindow(host), kParentX, kParentY, 300, 100, 0,
                                     0, WhitePixel(host, DefaultScreen(host)));
        XMapWindow(host, parent);
        XSetInputFocus(host, parent, RevertToParent, CurrentTime);
        XSync(host, False);
        buttonDowns = 0;
        ASSERT_TRUE(platform::registerWindowClass("ServicesTest", &recordMessage));
        window = platform::createChildWindow("ServicesTest", "Panel", asParent(parent), 200, 60);
        ASSERT_NE(window, nullptr);
        pump();
    }
    void TearDown() override {
        platform::destroyWindow(window);
        platform::unregisterWindowClass("ServicesTest");
        if (host) {
            XDestroyWindow(host, parent);
            XSync(host, False);
            XSetErrorHandler(previousHandler);
            XCloseDisplay(host);
        }
    }
    static void* asParent(::Window w) {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(w));
    }
    void pump() {
        XSync(host, False);
        Hand::pause(30);
        platform::dispatchPendingMessages(window);
    }
    bool pumpUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 300; ++i) {
            platform::dispatchPendingMessages(window);
            if (done()) return true;
            Hand::pause(10);
        }
        return false;
    }
    ::Window focus() {
        ::Window f = 0;
        int revert = 0;
        XGetInputFocus(host, &f, &revert);
        return f;
    }
    platform::TextEntryHandle open(Done& done, const char* text) {
        platform::TextEntryRequest request;
        request.box = platform::Box{10, 10, 110, 30};
        request.text = text;
        request.font = platform::FontRequest{"Arial", 12};
        request.owner = &done;
        request.done = &onDone;
        done.entry = platform::openTextEntry(window, request);
        pump();
        return done.entry;
    }

    Display* host = nullptr;
    XErrorHandler previousHandler = nullptr;
    ::Window parent = 0;
    platform::WindowHandle window = nullptr;
};

TEST_F(X11ServicesTest, KeysEditTheEntryAndReturnCommitsOnceGivingTheFocusBack) {
    Done done;
    ASSERT_NE(open(done, "hello"), nullptr);
    // The focus moved into the panel, to the entry window over the box.
    const ::Window entryWindow = focus();
    ASSERT_NE(entryWindow, parent);
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(host, entryWindow, &attributes));
    EXPECT_EQ(attributes.x, 10);
    EXPECT_EQ(attributes.y, 10);
    EXPECT_EQ(attributes.width, 100);
    EXPECT_EQ(attributes.height, 20);

    Hand hand;
    hand.key(XK_End);        // the text opens selected: keep it
    hand.key(XK_BackSpace);  // hell
    hand.key(XK_Home);
    hand.type("ab");  // abhell
    hand.key(XK_Right);
    hand.key(XK_Delete);  // abhll
    hand.key(XK_End);
    hand.type("9");  // abhll9
    hand.key(XK_Left);
    hand.key(XK_Escape);  // no cancel: typed like any key, ignored
    hand.type("7");       // abhll79
    pump();
    EXPECT_EQ(done.calls, 0);
    hand.key(XK_Return);
    ASSERT_TRUE(pumpUntil([&] { return done.calls > 0; }));
    pump();
    EXPECT_EQ(done.calls, 1);
    EXPECT_EQ(done.text, "abhll79");
    EXPECT_EQ(focus(), parent);
    XWindowAttributes gone{};
    XGetWindowAttributes(host, entryWindow, &gone);
    XSync(host, False);
    EXPECT_EQ(hostErrors, 1);  // no such window now
}

// The entry opens with its text selected: typing replaces it, while an
// arrow key or a click first places the caret.
TEST_F(X11ServicesTest, TypingReplacesTheOpeningTextUnlessTheCaretWasPlaced) {
    struct Case {
        const char* name;
        std::function<void(Hand&)> before;
        const char* typed;
        const char* result;
    };
    const Case cases[] = {
        {"typed at once", [](Hand&) {}, "30", "30"},
        {"backspace first", [](Hand& h) { h.key(XK_BackSpace); }, "", ""},
        {"left first", [](Hand& h) { h.key(XK_Left); }, "5", "560"},
        {"right first", [](Hand& h) { h.key(XK_Right); }, "5", "605"},
        {"click after the text", [](Hand& h) { h.click(kParentX + 105, kParentY + 20); }, "5",
         "605"},
    };
    for (const Case& c : cases) {
        Done done;
        ASSERT_NE(open(done, "60"), nullptr) << c.name;
        Hand hand;
        c.before(hand);
        hand.type(c.typed);
        hand.key(XK_Return);
        ASSERT_TRUE(pumpUntil([&] { return done.calls > 0; })) << c.name;
        EXPECT_EQ(done.text, c.result) << c.name;
    }
}

TEST_F(X11ServicesTest, LosingTheKeyboardFocusCommits) {
    Done done;
    ASSERT_NE(open(done, "keep"), nullptr);
    Hand hand;
    hand.key(XK_End);
    hand.type("s");
    pump();
    XSetInputFocus(host, parent, RevertToParent, CurrentTime);
    XSync(host, False);
    ASSERT_TRUE(pumpUntil([&] { return done.calls > 0; }));
    EXPECT_EQ(done.text, "keeps");
    EXPECT_EQ(focus(), parent);  // where the other client put it, left alone
}

TEST_F(X11ServicesTest, AClickOnThePanelBesideTheEntryStillReachesThePanel) {
    Done done;
    done.closeInside = false;
    ASSERT_NE(open(done, ""), nullptr);
    Hand hand;
    hand.click(kParentX + 150, kParentY + 40);
    ASSERT_TRUE(pumpUntil([&] { return buttonDowns > 0; }));
    // Closing without done: the toolkit ends the editing itself here.
    platform::closeTextEntry(done.entry);
    pump();
    EXPECT_EQ(done.calls, 0);
    EXPECT_EQ(focus(), parent);
}

TEST_F(X11ServicesTest, TheEntryHoldsNoMoreThan255Bytes) {
    Done done;
    const std::string longText(300, 'w');
    ASSERT_NE(open(done, longText.c_str()), nullptr);
    Hand hand;
    hand.key(XK_End);
    hand.type("z");  // refused: the entry is full
    hand.key(XK_Return);
    ASSERT_TRUE(pumpUntil([&] { return done.calls > 0; }));
    EXPECT_EQ(done.text, std::string(255, 'w'));

    char small[8];
    Done other;
    other.closeInside = false;
    ASSERT_NE(open(other, "abcdefghij"), nullptr);
    EXPECT_EQ(platform::textEntryText(other.entry, small, sizeof small), 7);
    EXPECT_STREQ(small, "abcdefg");
    platform::closeTextEntry(other.entry);
}

TEST_F(X11ServicesTest, AnEntryWhoseWindowsTheHostDestroyedClosesQuietly) {
    Done done;
    done.closeInside = false;
    ASSERT_NE(open(done, "gone"), nullptr);
    XDestroyWindow(host, parent);
    parent = XCreateSimpleWindow(host, DefaultRootWindow(host), kParentX, kParentY, 300, 100, 0, 0,
                                 0);  // TearDown destroys this one
    pump();
    pump();
    char text[platform::kTextCapacity];
    platform::textEntryText(done.entry, text, sizeof text);
    EXPECT_STREQ(text, "gone");
    platform::closeTextEntry(done.entry);
    platform::closeTextEntry(done.entry);  // twice is harmless
    XSync(host, False);
    EXPECT_EQ(hostErrors, 0);
}

constexpr platform::MenuEntry kEntries[] = {
    {"One", false, false},
    {"-", true, false},
    {"Three", false, true},
};
// Rows from the popup's top: 1 .. 21 "One", 21 .. 30 the line, 30 .. 50.
constexpr int kMenuX = 10;
constexpr int kMenuY = 30;
constexpr int kRootX = kParentX + kMenuX;
constexpr int kRootY = kParentY + kMenuY;

TEST_F(X11ServicesTest, ARealClickChoosesTheRowUnderItWhichHoverHighlighted) {
    unsigned long lit = 0;
    std::thread user([&] {
        Hand hand;
        Hand::pause(200);
        hand.moveTo(kRootX + 30, kRootY + 40);
        Hand::pause(100);
        lit = hand.rootPixel(kRootX + 4, kRootY + 33);
        hand.click(kRootX + 30, kRootY + 40);
    });
    const int chosen = platform::popupMenu(window, platform::Point{kMenuX, kMenuY}, kEntries, 3);
    user.join();
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(lit, 0x3366CCul);
    pump();
    EXPECT_EQ(buttonDowns, 0);  // the click that chose stays with the popup
}

// Over a panel shown at 200 %, the popup is drawn at that scale too, and
// a click on a row's scaled place chooses it.
TEST_F(X11ServicesTest, APopupTakesThePanelsScale) {
    std::pair<int, int> sizes[2];
    int chosen[2] = {};
    const int scales[] = {100, 200};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(platform::setWindowScale(window, scales[i]));
        pump();
        const int s = scales[i] / 100;
        std::thread user([&, s] {
            Hand hand;
            Hand::pause(200);
            sizes[i] = hand.popupSize();
            hand.click(kParentX + s * (kMenuX + 30), kParentY + s * (kMenuY + 40));
        });
        chosen[i] = platform::popupMenu(window, platform::Point{kMenuX, kMenuY}, kEntries, 3);
        user.join();
    }
    EXPECT_EQ(chosen[0], 2);
    EXPECT_EQ(chosen[1], 2);
    EXPECT_GT(sizes[0].first, 0);
    EXPECT_EQ(sizes[0].second, 51);
    EXPECT_EQ(sizes[1].first, 2 * sizes[0].first);
    EXPECT_EQ(sizes[1].second, 2 * sizes[0].second);
}

TEST_F(X11ServicesTest, AClickOnTheSeparatorLeavesThePopupOpen) {
    std::thread user([&] {
        Hand hand;
        Hand::pause(200);
        hand.click(kRootX + 30, kRootY + 25);
        Hand::pause(100);
        hand.click(kRootX + 30, kRootY + 10);
    });
    const int chosen = platform::popupMenu(window, platform::Point{kMenuX, kMenuY}, kEntries, 3);
    user.join();
    EXPECT_EQ(chosen, 0);
}

TEST_F(X11ServicesTest, EscapeCancels) {
    std::thread user([&] {
        Hand hand;
        Hand::pause(200);
        hand.moveTo(kRootX + 30, kRootY + 10);
        hand.key(XK_Escape);
    });
    const int chosen = platform::popupMenu(window, platform::Point{kMenuX, kMenuY}, kEntries, 3);
    user.join();
    EXPECT_EQ(chosen, -1);
}

TEST_F(X11ServicesTest, AClickOutsideCancelsAndIsSwallowed) {
    std::thread user([&] {
        Hand hand;
        Hand::pause(200);
        hand.click(kParentX + 180, kParentY + 10);  // on the panel, beside the popup
    });
    const int chosen = platform::popupMenu(window, platform::Point{kMenuX, kMenuY}, kEntries, 3);
    user.join();
    EXPECT_EQ(chosen, -1);
    pump();
    EXPECT_EQ(buttonDowns, 0);
}

TEST_F(X11ServicesTest, PressOnThePanelDragOntoARowAndReleaseChoosesIt) {
    std::thread user([&] {
        Display* d = XOpenDisplay(nullptr);
        Hand::pause(200);
        XTestFakeMotionEvent(d, DefaultScreen(d), kRootX + 20, kRootY + 10, CurrentTime);
        XSync(d, False);
        Hand::pause(50);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
        XCloseDisplay(d);
    });
    // The press that opens a popup is still held when it appears.
    Hand hand;
    hand.moveTo(kRootX + 20, kRootY - 5);
    XTestFakeButtonEvent(host, 1, True, CurrentTime);
    XSync(host, False);
    const int chosen = platform::popupMenu(window, platform::Point{kMenuX, kMenuY}, kEntries, 3);
    user.join();
    EXPECT_EQ(chosen, 0);
}

struct Heard : ControlListener {
    void valueChanged(GuiDrawContext*, GuiControl* control) override {
        tags.push_back(control->getTag());
    }
    std::vector<std::int32_t> tags;
};

// The controls on the real services, with a host that delivers clicks at
// idle, when the button is already up again.
TEST_F(X11ServicesTest, TheControlsEditAndChooseWithRealKeysAndClicks) {
    Heard heard;
    auto* frame = new GuiFrame(GuiRect(0, 0, 200, 60), asParent(parent), nullptr);
    ASSERT_NE(frame->getWindow(), nullptr);
    auto* edit = new GuiTextEdit(GuiRect(10, 10, 110, 30), &heard, 1, "ab", nullptr, 0);
    auto* menu = new GuiChoiceMenu(GuiRect(120, 10, 190, 30), &heard, 2, nullptr, nullptr, 0);
    menu->addEntry("one");
    menu->addEntry("two");
    frame->addView(edit);
    frame->addView(menu);
    auto idleUntil = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 300; ++i) {
            frame->idle();
            if (done()) return true;
            Hand::pause(10);
        }
        return false;
    };
    Hand hand;
    hand.click(kParentX + 50, kParentY + 20);
    ASSERT_TRUE(idleUntil([&] { return edit->isEditing(); }));
    hand.key(XK_End);
    hand.type("c");
    hand.key(XK_Return);
    ASSERT_TRUE(idleUntil([&] { return !edit->isEditing(); }));
    char text[GuiTextEdit::kTextSize];
    edit->getText(text);
    EXPECT_STREQ(text, "abc");

    // A click elsewhere on the panel ends the editing as well.
    hand.click(kParentX + 50, kParentY + 20);
    ASSERT_TRUE(idleUntil([&] { return edit->isEditing(); }));
    hand.key(XK_End);
    hand.type("d");
    hand.click(kParentX + 60, kParentY + 50);
    ASSERT_TRUE(idleUntil([&] { return !edit->isEditing(); }));
    edit->getText(text);
    EXPECT_STREQ(text, "abcd");
    EXPECT_EQ(focus(), parent);

    // The popup opens at the menu's bottom edge, (120, 30) of the panel.
    std::thread user([&] {
        Hand h;
        Hand::pause(300);
        h.click(kParentX + 140, kParentY + 30 + 30);
    });
    hand.click(kParentX + 150, kParentY + 20);
    const bool chose = idleUntil([&] { return menu->getCurrent() == 1; });
    user.join();
    EXPECT_TRUE(chose);
    EXPECT_EQ(heard.tags, (std::vector<std::int32_t>{1, 1, 2}));
    delete frame;
}

}  // namespace
