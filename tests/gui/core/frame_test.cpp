// The frame: its window and the shared window class, click routing, modal
// and focus views, painting, idle, the view list, and its destruction.
#include <gtest/gtest.h>

#include "gui/core/bitmap.h"
#include "gui/core/window_class.h"
#include "platform/headless/headless_system.h"
#include "platform/module_handle.h"
#include "test_support.h"

namespace hl = platform::headless;
using guitest::ColorView;
using guitest::rgb;

namespace {

class FrameTest : public guitest::HeadlessTest {
protected:
    GuiFrame* makeFrame(GuiRect size = GuiRect(0, 0, 100, 60)) {
        return new GuiFrame(size, hl::makeParentWindow(), nullptr);
    }
    ColorView* add(GuiFrame* f, GuiRect r, const char* name, GuiColor c = kColorRed) {
        auto* v = new ColorView(r, c, &log, name);
        EXPECT_TRUE(f->addView(v));
        return v;
    }
    int count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }
    std::vector<std::string> log;
};

TEST_F(FrameTest, TheChildWindowIsMadeUnderTheModuleClass) {
    setModuleHandle(reinterpret_cast<void*>(std::uintptr_t{0x1234abcd}));
    GuiFrame* frame = makeFrame(GuiRect(0, 0, 420, 64));
    setModuleHandle(nullptr);
    ASSERT_NE(frame->getWindow(), nullptr);
    EXPECT_TRUE(frame->isOpen());
    EXPECT_TRUE(frame->isFirstDrawPending());
    EXPECT_EQ(platform::windowUserData(frame->getWindow()), frame);
    EXPECT_STREQ(windowClassName(), "Plugin1234abcd");
    EXPECT_EQ(hl::calls(), (std::vector<std::string>{"registerClass Plugin1234abcd",
                                                     "createWindow Window 420x64"}));
    delete frame;
    EXPECT_EQ(hl::windowCount(), 0);
    EXPECT_EQ(windowClassUseCount(), 0);
    EXPECT_EQ(hl::calls().back(), "unregisterClass Plugin1234abcd");
}

TEST_F(FrameTest, TwoFramesShareOneRegistration) {
    GuiFrame* first = makeFrame();
    GuiFrame* second = makeFrame();
    auto registrations = [] {
        return std::count_if(hl::calls().begin(), hl::calls().end(),
                             [](const std::string& s) { return s.rfind("registerClass", 0) == 0; });
    };
    auto unregistrations = [] {
        return std::count_if(hl::calls().begin(), hl::calls().end(), [](const std::string& s) {
            return s.rfind("unregisterClass", 0) == 0;
        });
    };
    EXPECT_EQ(registrations(), 1);
    EXPECT_EQ(windowClassUseCount(), 2);
    delete first;
    EXPECT_EQ(unregistrations(), 0);
    delete second;
    EXPECT_EQ(unregistrations(), 1);
}

TEST_F(FrameTest, AParentThatIsNotAWindowLeavesTheFrameWithoutOne) {
    int notAWindow = 0;
    auto* frame = new GuiFrame(GuiRect(0, 0, 10, 10), &notAWindow, nullptr);
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_TRUE(frame->isOpen());
    EXPECT_EQ(windowClassUseCount(), 0);
    frame->idle();
    frame->drawView(nullptr);
    delete frame;

    auto* orphan = new GuiFrame(GuiRect(0, 0, 10, 10), nullptr, nullptr);
    EXPECT_EQ(orphan->getWindow(), nullptr);
    // Only the refused attempt above reached the system, and it was undone.
    EXPECT_EQ(hl::calls(),
              (std::vector<std::string>{"registerClass Plugin00000000", "createWindow Window 10x10",
                                        "unregisterClass Plugin00000000"}));
    delete orphan;
}

TEST_F(FrameTest, ClicksGoToTheLastAddedViewUnderThePoint) {
    GuiFrame* frame = makeFrame();
    ColorView* a = add(frame, GuiRect(10, 10, 20, 20), "a");
    ColorView* b = add(frame, GuiRect(20, 10, 30, 20), "b");
    platform::WindowHandle w = frame->getWindow();

    ASSERT_TRUE(hl::sendButtonDown(w, {20, 15}));  // the shared edge
    EXPECT_EQ(b->clicks, 1);
    EXPECT_EQ(a->clicks, 0);
    ASSERT_TRUE(hl::sendButtonDown(w, {10, 10}));
    EXPECT_EQ(a->clicks, 1);
    ASSERT_TRUE(hl::sendButtonDown(w, {30, 20}, true));  // far corner, right button
    EXPECT_EQ(b->clicks, 2);
    EXPECT_EQ(b->lastClick, GuiPoint(30, 20));
    ASSERT_TRUE(hl::sendButtonDown(w, {31, 15}));
    ASSERT_TRUE(hl::sendButtonDown(w, {50, 50}));
    EXPECT_EQ(a->clicks + b->clicks, 3);
    delete frame;
}

TEST_F(FrameTest, AModalViewTakesEveryClickButFocusStillMoves) {
    GuiFrame* frame = makeFrame();
    ColorView* under = add(frame, GuiRect(0, 0, 100, 60), "under");
    ColorView* focus = add(frame, GuiRect(50, 0, 60, 10), "focus");
    ColorView modal(GuiRect(10, 10, 30, 30), kColorBlue, &log, "modal");
    frame->setFocusView(focus);
    EXPECT_TRUE(frame->setModalView(&modal));
    ColorView other(GuiRect(0, 0, 1, 1), kColorBlue);
    EXPECT_FALSE(frame->setModalView(&other));
    EXPECT_EQ(frame->getModalView(), &modal);

    hl::sendButtonDown(frame->getWindow(), {80, 50});  // outside the modal view
    EXPECT_EQ(under->clicks, 0);
    EXPECT_EQ(modal.clicks, 0);
    EXPECT_EQ(count("focus focusLost"), 1);
    EXPECT_EQ(frame->getFocusView(), nullptr);

    hl::sendButtonDown(frame->getWindow(), {30, 30});
    EXPECT_EQ(modal.clicks, 1);
    EXPECT_EQ(under->clicks, 0);

    // Updates reach only the modal view.
    hl::sendPaint(frame->getWindow());
    log.clear();
    frame->idle();
    EXPECT_EQ(log, (std::vector<std::string>{"modal update"}));

    EXPECT_TRUE(frame->setModalView(nullptr));
    hl::sendButtonDown(frame->getWindow(), {80, 50});
    EXPECT_EQ(under->clicks, 1);
    delete frame;
    EXPECT_EQ(count("modal deleted"), 0);  // the frame does not own it
}

TEST_F(FrameTest, AFocusViewKeepsFocusForClicksInsideIt) {
    GuiFrame* frame = makeFrame();
    ColorView* focus = add(frame, GuiRect(10, 10, 20, 20), "focus");
    frame->setFocusView(focus);
    hl::sendButtonDown(frame->getWindow(), {20, 20});
    EXPECT_EQ(frame->getFocusView(), focus);
    EXPECT_EQ(count("focus focusLost"), 0);
    // A focus view still set at destruction hears of it before it goes.
    delete frame;
    EXPECT_EQ(log,
              (std::vector<std::string>{"focus mouseDown", "focus focusLost", "focus deleted"}));
}

TEST_F(FrameTest, IdleDrawsNothingBeforeTheFirstPaint) {
    GuiFrame* frame = makeFrame();
    add(frame, GuiRect(10, 10, 20, 20), "a", kColorRed);
    add(frame, GuiRect(30, 10, 40, 20), "b", kColorBlue);
    frame->idle();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(hl::pixel(frame->getWindow(), 15, 15), (platform::Rgb{0, 0, 0}));

    ASSERT_TRUE(hl::sendPaint(frame->getWindow()));
    EXPECT_FALSE(frame->isFirstDrawPending());
    EXPECT_EQ(log, (std::vector<std::string>{"a draw", "b draw"}));
    EXPECT_EQ(hl::pixel(frame->getWindow(), 15, 15), rgb(kColorRed));
    EXPECT_EQ(hl::pixel(frame->getWindow(), 35, 15), rgb(kColorBlue));

    log.clear();
    frame->idle();
    EXPECT_EQ(log, (std::vector<std::string>{"a update", "b update"}));
    delete frame;
}

TEST_F(FrameTest, PaintDrawsTheBackgroundThenViewsInOrderThenTheModalView) {
    GuiFrame* frame = makeFrame(GuiRect(0, 0, 240, 90));
    GuiBitmap* panel = new GuiBitmap(guitest::kPanelPicture);
    frame->setBackground(panel);
    EXPECT_EQ(panel->getRefCount(), 2);
    add(frame, GuiRect(10, 10, 30, 30), "first", kColorRed);
    add(frame, GuiRect(20, 20, 40, 40), "second", kColorGreen);
    ColorView modal(GuiRect(25, 25, 35, 35), kColorBlue, &log, "modal");
    ASSERT_TRUE(frame->setModalView(&modal));
    hl::sendPaint(frame->getWindow());
    EXPECT_EQ(log, (std::vector<std::string>{"first draw", "second draw", "modal draw"}));
    platform::WindowHandle w = frame->getWindow();
    EXPECT_EQ(hl::pixel(w, 15, 15), rgb(kColorRed));
    EXPECT_EQ(hl::pixel(w, 22, 22), rgb(kColorGreen));
    EXPECT_EQ(hl::pixel(w, 30, 30), rgb(kColorBlue));
    EXPECT_EQ(hl::pixel(w, 200, 80), (platform::Rgb{30, 50, 70}));  // the panel's band
    frame->setModalView(nullptr);
    delete frame;
    EXPECT_EQ(panel->getRefCount(), 1);
    panel->release();
}

TEST_F(FrameTest, DrawViewRedrawsOneViewOrElseTheWholeFrame) {
    GuiFrame* frame = makeFrame();
    ColorView* a = add(frame, GuiRect(10, 10, 20, 20), "a");
    ColorView* b = add(frame, GuiRect(30, 10, 40, 20), "b");
    frame->drawView(b);
    EXPECT_EQ(a->draws, 0);
    EXPECT_EQ(b->draws, 1);
    ColorView stranger(GuiRect(0, 0, 5, 5), kColorBlue);
    frame->drawView(&stranger);
    EXPECT_EQ(stranger.draws, 0);
    EXPECT_EQ(a->draws, 1);
    EXPECT_EQ(b->draws, 2);
    EXPECT_FALSE(frame->isFirstDrawPending());
    delete frame;
}

TEST_F(FrameTest, TheViewListGrowsByTenAndRemovalKeepsTheOrder) {
    GuiFrame* frame = makeFrame();
    std::vector<ColorView*> views;
    for (int i = 0; i < 11; ++i) {
        std::string name = "v";
        name += std::to_string(i);
        views.push_back(add(frame, GuiRect(i, 0, i + 1, 1), name.c_str()));
        if (i == 0) {
            EXPECT_EQ(frame->getCapacity(), 10);
        }
        EXPECT_EQ(views.back()->getFrame(), frame);
    }
    EXPECT_EQ(frame->getCapacity(), 20);
    EXPECT_EQ(frame->getViewCount(), 11);

    ColorView stranger(GuiRect(0, 0, 1, 1), kColorBlue);
    EXPECT_TRUE(frame->removeView(&stranger));
    EXPECT_EQ(frame->getViewCount(), 11);
    EXPECT_TRUE(frame->removeView(views[3]));
    EXPECT_EQ(frame->getViewCount(), 10);
    EXPECT_EQ(frame->getView(3), views[4]);
    EXPECT_EQ(frame->getView(9), views[10]);
    delete views[3];  // handed back, so ours to delete
    log.clear();
    delete frame;
    EXPECT_EQ(count("v3 deleted"), 0);
    EXPECT_EQ(count("v10 deleted"), 1);
    EXPECT_EQ(static_cast<int>(log.size()), 10);
}

TEST_F(FrameTest, AParentDestroyedByTheHostClosesTheFrame) {
    GuiFrame* frame = makeFrame();
    add(frame, GuiRect(10, 10, 20, 20), "a");
    hl::sendPaint(frame->getWindow());
    ASSERT_TRUE(hl::sendParentDestroyed(frame->getWindow()));
    EXPECT_FALSE(frame->isOpen());
    EXPECT_EQ(frame->getParentWindow(), nullptr);
    log.clear();
    frame->idle();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(hl::sendButtonDown(frame->getWindow(), {15, 15}));
    delete frame;  // destroying the dead window again is harmless
    EXPECT_EQ(windowClassUseCount(), 0);
}

}  // namespace
