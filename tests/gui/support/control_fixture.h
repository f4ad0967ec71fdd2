// A painted, open editor whose frame sits at (300, 200) on the headless
// screen, for the control tests: add controls, script the pointer in window
// coordinates, read pixels back.
#pragma once

#include <memory>

#include "coordinate_picture.h"
#include "platform/headless/headless_system.h"
#include "test_support.h"

namespace guitest {

class ControlFixture : public HeadlessTest {
protected:
    static constexpr int kOriginX = 300;
    static constexpr int kOriginY = 200;
    static constexpr unsigned kLeft = platform::kMouseLeft;
    static constexpr unsigned kRight = platform::kMouseRight;
    static constexpr unsigned kShift = platform::kKeyShift;
    static constexpr unsigned kControl = platform::kKeyControl;
    static constexpr unsigned kAlt = platform::kKeyAlt;

    void SetUp() override {
        HeadlessTest::SetUp();
        effect = std::make_unique<TestEffect>();
        editor = attachNew<TestEditor>(effect.get(), GuiRect(0, 0, 300, 120));
        ASSERT_EQ(editor->open(platform::headless::makeParentWindow()), 1);
        frame = editor->getFrame();
        window = frame->getWindow();
        platform::headless::setWindowOrigin(window, {kOriginX, kOriginY});
        platform::headless::sendPaint(window);
        listener.redraw = true;  // as the product editor does
    }
    void TearDown() override {
        editor->close();
        effect.reset();
        HeadlessTest::TearDown();
    }

    template <class Control>
    Control* add(Control* control) {
        frame->addView(control);
        return control;
    }
    static platform::headless::InputState at(int x, int y, unsigned buttons) {
        return {{kOriginX + x, kOriginY + y}, buttons};
    }
    // Presses at (x, y) with `buttons`, then plays `then`. A state's position
    // is seen by a tracking loop only when the state after it still holds a
    // button, as with a real pointer sampled while held, so the last state is
    // held one poll longer and then released where it is. Whatever an
    // earlier press left unread is dropped first.
    bool press(int x, int y, unsigned buttons,
               std::vector<platform::headless::InputState> then = {}) {
        while (platform::headless::pendingInput() > 0) (void)platform::mouseState();
        then.insert(then.begin(), at(x, y, buttons));
        if (then.back().buttons != 0) {
            platform::headless::InputState last = then.back();
            then.push_back(last);
            last.buttons = 0;
            then.push_back(last);
        }
        platform::headless::scriptInput(then);
        return platform::headless::sendButtonDown(window, {x, y});
    }
    platform::Rgb pixel(int x, int y) const { return platform::headless::pixel(window, x, y); }
    static platform::Rgb coordinate(int x, int y, std::uint8_t blue = kLitBlue) {
        const CoordinateColor c = coordinateColor(x, y, blue);
        return platform::Rgb{c.r, c.g, c.b};
    }
    GuiBitmap* bitmap(int id) {
        bitmaps.emplace_back(new GuiBitmap(id));
        return bitmaps.back().get();
    }

    struct Release {
        void operator()(GuiBitmap* b) const { b->release(); }
    };
    std::unique_ptr<TestEffect> effect;
    TestEditor* editor = nullptr;  // the effect deletes it
    GuiFrame* frame = nullptr;
    platform::WindowHandle window = nullptr;
    RecordingListener listener;
    // The creator's references, released after TearDown has closed the
    // editor and its views have let go of theirs.
    std::vector<std::unique_ptr<GuiBitmap, Release>> bitmaps;
};

}  // namespace guitest
