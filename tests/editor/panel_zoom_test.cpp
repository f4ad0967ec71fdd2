// The panel at 150 and 200 %: the window and the host's rectangle grow, the
// larger bitmap set is drawn pixel for pixel, the pointer is divided before
// any control sees it, and the background menu changes the scale at once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "editor/editor_factory.h"
#include "editor/panel_bitmap_set.h"
#include "gui/controls/knob.h"
#include "gui/core/bitmap.h"
#include "gui/core/frame.h"
#include "panel_fixture.h"
#include "platform/headless/headless_services.h"
#include "platform/resources/bmp_decoder.h"

namespace hl = platform::headless;
using paneltest::AutomationLog;
using paneltest::PanelTest;

namespace {

constexpr unsigned kLeft = platform::kMouseLeft;
constexpr unsigned kAlt = platform::kKeyAlt;
constexpr int kScales[] = {100, 150, 200};

platform::Rgb resourcePixel(int id, int x, int y) {
    const std::string path = std::string(MOLVEX_BITMAP_DIR) + "/" + std::to_string(id) + ".bmp";
    std::vector<unsigned char> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(file);
    }
    platform::resources::DecodedBitmap picture;
    if (!platform::resources::decodeBmp(bytes.data(), bytes.size(), picture)) return {1, 2, 3};
    const std::uint32_t p = picture.pixels[y * picture.width + x];
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
            static_cast<std::uint8_t>(p)};
}

class PanelZoomTest : public PanelTest {
protected:
    void TearDown() override {
        unsetenv("MOLVEX_UI_SCALE");
        PanelTest::TearDown();
    }
    void openAt(int scale) {
        setenv("MOLVEX_UI_SCALE", std::to_string(scale).c_str(), 1);
        openPanel();
    }
    // A design point as the screen has it at `scale`.
    hl::InputState atScaled(int x, int y, unsigned buttons, int scale) const {
        return {{300 + molvex::scaledLength(x, scale), 200 + molvex::scaledLength(y, scale)},
                buttons};
    }
    void gestureAt(int scale, const std::vector<GuiPoint>& path, unsigned modifiers = 0) {
        std::vector<hl::InputState> states;
        for (const GuiPoint& p : path)
            states.push_back(atScaled(p.h, p.v, kLeft | modifiers, scale));
        states.push_back(atScaled(path.back().h, path.back().v, 0, scale));
        hl::scriptInput(states);
        hl::sendButtonDown(window, {states.front().screen.x - 300, states.front().screen.y - 200});
    }
    ERect hostRect() {
        ERect* rect = nullptr;
        dispatch(effEditGetRect, 0, 0, &rect);
        return rect ? *rect : ERect{};
    }
};

TEST_F(PanelZoomTest, TheWindowAndTheHostsRectangleGrowWithTheScale) {
    for (int scale : kScales) {
        setenv("MOLVEX_UI_SCALE", std::to_string(scale).c_str(), 1);
        const ERect before = hostRect();  // asked before the panel opens
        EXPECT_EQ(before.right, molvex::scaledLength(420, scale));
        EXPECT_EQ(before.bottom, molvex::scaledLength(64, scale));
        openPanel();
        EXPECT_EQ(editor->getShownScale(), scale);
        EXPECT_EQ(hl::pixel(window, molvex::scaledLength(420, scale) - 1, 0),
                  resourcePixel(molvex::panelBitmapId(120, scale),
                                molvex::scaledLength(420, scale) - 1, 0));
        const ERect open = hostRect();
        EXPECT_EQ(open.right, before.right);
        EXPECT_EQ(open.bottom, before.bottom);
        // The frame keeps the design's coordinates.
        EXPECT_EQ(editor->getFrame()->getSize().width(), 420);
        EXPECT_EQ(editor->getBackgroundBitmap()->getWidth(), 420);
        EXPECT_EQ(editor->getBackgroundBitmap()->getResourceId(),
                  molvex::panelBitmapId(120, scale));
        closePanel();
        EXPECT_EQ(editor->getBackgroundBitmap()->getResourceId(), 120);
    }
}

TEST_F(PanelZoomTest, TheLargerSetIsDrawnPixelForPixel) {
    for (int scale : {150, 200}) {
        openAt(scale);
        const int id = molvex::panelBitmapId(120, scale);
        // Corners, a label and the space between two knobs, in device pixels.
        const int points[][2] = {
            {1, 1},
            {210, 75},
            {molvex::scaledLength(140, scale), 75},
            {molvex::scaledLength(44, scale), molvex::scaledLength(20, scale)}};
        for (const auto& p : points) {
            EXPECT_EQ(hl::pixel(window, p[0], p[1]), resourcePixel(id, p[0], p[1]))
                << scale << " % at " << p[0] << "," << p[1];
        }
        closePanel();
    }
}

TEST_F(PanelZoomTest, AnUnscaledPictureOnAScaledWindowCoversEveryDevicePixel) {
    openAt(200);
    const platform::Rgb red{200, 0, 0};
    const platform::Rgb blue{0, 0, 200};
    auto image = platform::createImage(nullptr, 2, 1);
    ASSERT_TRUE(image);
    auto source = platform::createImageSurface(nullptr, *image);
    source->setPixel({0, 0}, red);
    source->setPixel({1, 0}, blue);
    auto target = platform::acquireWindowSurface(window);
    ASSERT_TRUE(target->copyFrom(*source, 10, 5, 2, 1, 0, 0, platform::RasterOp::copy));
    target->setPixel({12, 5}, red);  // a design pixel is 2 x 2 device pixels
    target.reset();
    for (int y : {10, 11}) {
        EXPECT_EQ(hl::pixel(window, 20, y), red);
        EXPECT_EQ(hl::pixel(window, 21, y), red);
        EXPECT_EQ(hl::pixel(window, 22, y), blue);
        EXPECT_EQ(hl::pixel(window, 23, y), blue);
        EXPECT_EQ(hl::pixel(window, 24, y), red);
        EXPECT_EQ(hl::pixel(window, 25, y), red);
    }
    EXPECT_NE(hl::pixel(window, 26, 10), red);
    EXPECT_NE(hl::pixel(window, 20, 12), red);
}

TEST_F(PanelZoomTest, EachFrameOfAScaledStripStartsAtItsScaledRow) {
    openAt(150);
    // The type switch's strip: three frames of 25 rows, 38 each at 150 %.
    auto strip = platform::loadScaledBitmapResource(223, 150, 24, 25, 3);
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->height(), 75);
    EXPECT_FALSE(platform::loadScaledBitmapResource(223, 150, 24, 24, 3));  // not its size
    auto source = platform::createImageSurface(nullptr, *strip);
    auto target = platform::acquireWindowSurface(window);
    ASSERT_TRUE(target->copyFrom(*source, 0, 0, 24, 25, 0, 50, platform::RasterOp::copy));
    target.reset();
    for (int y : {0, 1, 20, 37}) {
        for (int x : {0, 10, 18, 35}) {
            EXPECT_EQ(hl::pixel(window, x, y), resourcePixel(223, x, 76 + y)) << x << "," << y;
        }
    }
}

TEST_F(PanelZoomTest, APathDraggedAtAnyScaleTurnsTheKnobAsAtTheDesignsSize) {
    const std::vector<GuiPoint> path = {{165, 31}, {165, 31}, {171, 18}, {179, 25}, {179, 25}};
    float turned[3] = {};
    for (int i = 0; i < 3; ++i) {
        effect->setParameter(4, 0.5f);
        openAt(kScales[i]);
        hl::setTickStepPerPoll(20);
        gestureAt(kScales[i], path);
        turned[i] = effect->getParameter(4);
        closePanel();
    }
    EXPECT_GT(turned[0], 0.75f);
    EXPECT_FLOAT_EQ(turned[1], turned[0]);
    EXPECT_FLOAT_EQ(turned[2], turned[0]);
}

// A press on the drawn handle keeps the value it shows: the pointer turns a
// knob around the centre the handle circles, at every scale.
TEST_F(PanelZoomTest, APressOnTheDrawnHandleKeepsTheValueItShows) {
    constexpr float kValues[] = {0.05f, 0.25f, 0.5f, 0.75f, 0.95f};
    for (int scale : {100, 200}) {
        openAt(scale);
        auto* knob = static_cast<GuiKnob*>(editor->getControl(4));
        for (float value : kValues) {
            knob->setValue(value);
            GuiPoint p;
            knob->valueToHandlePos(p);
            const GuiPoint handle(knob->getSize().left + p.h, knob->getSize().top + p.v);
            effect->setParameter(4, value < 0.5f ? 0.9f : 0.1f);
            idle();
            gestureAt(scale, {handle, handle});
            EXPECT_NEAR(effect->getParameter(4), value, 0.03f) << scale << " " << value;
        }
        closePanel();
    }
}

TEST_F(PanelZoomTest, APressAtAScaledPositionReachesTheControlUnderIt) {
    for (int scale : {150, 200}) {
        effect->setParameter(1, 0.9f);
        effect->setParameter(2, 0.9f);
        openAt(scale);
        AutomationLog::instance().clear();
        // The last design pixel of the Delay knob, right edge 75: beyond it
        // at 1x lies nothing, so a press mapped wrongly misses.
        // Its last device pixel: right and below it the next design pixel
        // starts.
        const platform::Point last{molvex::scaledLength(76, scale) - 1,
                                   molvex::scaledLength(40, scale) - 1};
        hl::scriptInput(
            {{{300 + last.x, 200 + last.y}, kLeft | kAlt}, {{300 + last.x, 200 + last.y}, 0}});
        hl::sendButtonDown(window, last);
        const auto log = AutomationLog::instance().entries();
        ASSERT_FALSE(log.empty()) << scale;
        EXPECT_EQ(log.front().index, 1) << scale;
        EXPECT_NE(effect->getParameter(1), 0.9f);
        EXPECT_EQ(effect->getParameter(2), 0.9f);
        // The device pixel right after it belongs to the design pixel 76: no
        // control there.
        AutomationLog::instance().clear();
        hl::scriptInput({{{300 + molvex::scaledLength(76, scale), 200 + 40}, kLeft | kAlt},
                         {{300 + molvex::scaledLength(76, scale), 200 + 40}, 0}});
        hl::sendButtonDown(window, {molvex::scaledLength(76, scale), 40});
        EXPECT_TRUE(AutomationLog::instance().entries().empty()) << scale;
        closePanel();
    }
}

TEST_F(PanelZoomTest, TheBackgroundMenuOffersTheScalesWithTheShownOneChecked) {
    openAt(150);
    hl::scriptMenuChoice(-1);
    hl::sendButtonDown(window, {3, 3}, true);
    ASSERT_EQ(hl::shownMenus().size(), 1u);
    const hl::ShownMenu& menu = hl::shownMenus().front();
    ASSERT_EQ(menu.entries.size(), 3u);
    EXPECT_EQ(menu.entries[0].text, "100 %");
    EXPECT_EQ(menu.entries[2].text, "200 %");
    EXPECT_FALSE(menu.entries[0].checked);
    EXPECT_TRUE(menu.entries[1].checked);
    EXPECT_EQ(menu.where.x, 2);  // design pixels: device 3 is design 2 at 150 %
    EXPECT_EQ(editor->getShownScale(), 150);
}

TEST_F(PanelZoomTest, ARightClickOnAControlOpensNoMenu) {
    openAt(100);
    hl::sendButtonDown(window, {62, 26}, true);
    EXPECT_TRUE(hl::shownMenus().empty());
}

TEST_F(PanelZoomTest, TheUsersChoiceAppliesAtOnceAndOutranksTheVariable) {
    openAt(100);
    hl::scriptMenuChoice(2);
    hl::sendButtonDown(window, {3, 3}, true);
    EXPECT_EQ(editor->getShownScale(), 200);
    EXPECT_EQ(hostRect().right, 840);
    EXPECT_EQ(hl::pixel(window, 839, 127), resourcePixel(320, 839, 127));
    // The choice lasts for the instance: a reopen keeps it.
    closePanel();
    openPanel();
    EXPECT_EQ(editor->getShownScale(), 200);
}

TEST_F(PanelZoomTest, APanelZoomedWhileOpenLooksAsOneOpenedAtThatScale) {
    auto picture = [&] {
        std::vector<platform::Rgb> pixels;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 840; ++x) pixels.push_back(hl::pixel(window, x, y));
        }
        return pixels;
    };
    openAt(200);
    const auto opened = picture();
    closePanel();
    openAt(100);  // every transparent bitmap has built its mask at 100 %
    hl::scriptMenuChoice(2);
    hl::sendButtonDown(window, {3, 3}, true);
    ASSERT_EQ(editor->getShownScale(), 200);
    const auto zoomed = picture();
    int differing = 0;
    for (std::size_t i = 0; i < opened.size(); ++i) differing += !(opened[i] == zoomed[i]);
    EXPECT_EQ(differing, 0);
}

// A host that answers canDo "sizeWindow" and records the sizes asked for.
struct SizingHost {
    static std::vector<std::pair<int, int>>& sizes() {
        static std::vector<std::pair<int, int>> recorded;
        return recorded;
    }
    static bool& canSize() {
        static bool answer = true;
        return answer;
    }
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float) {
        if (opcode == audioMasterVersion) return 2400;
        if (opcode == audioMasterCanDo && ptr)
            return canSize() && std::string(static_cast<const char*>(ptr)) == "sizeWindow";
        if (opcode == audioMasterSizeWindow) {
            sizes().emplace_back(index, static_cast<int>(value));
            return 1;
        }
        return 0;
    }
};

TEST(PanelZoomHostTest, TheHostIsAskedToResizeOnlyWhenItSaysItCan) {
    for (bool can : {true, false}) {
        hl::reset();
        SizingHost::sizes().clear();
        SizingHost::canSize() = can;
        {
            molvex::FilterDelayEffect effect(&SizingHost::callback,
                                             &molvex::createFilterDelayEditor);
            ASSERT_EQ(effect.dispatcher(effEditOpen, 0, 0, hl::makeParentWindow(), 0.0f), 1);
            const platform::WindowHandle window = hl::lastWindow();
            hl::sendPaint(window);
            hl::scriptMenuChoice(1);
            hl::sendButtonDown(window, {3, 3}, true);
            hl::scriptMenuChoice(1);  // the scale shown already: nothing to ask
            hl::sendButtonDown(window, {2, 2}, true);
            hl::scriptMenuChoice(0);  // back to 100 %: the window shrinks as well
            hl::sendButtonDown(window, {2, 2}, true);
        }
        if (can) {
            ASSERT_EQ(SizingHost::sizes().size(), 2u);
            EXPECT_EQ(SizingHost::sizes()[0], std::make_pair(630, 96));
            EXPECT_EQ(SizingHost::sizes()[1], std::make_pair(420, 64));
        } else {
            EXPECT_TRUE(SizingHost::sizes().empty());
        }
    }
    hl::reset();
}

}  // namespace
