// What the GUI tests share: an effect and editor small enough to read at a
// glance, views that count what happens to them, and a fixture that resets
// the headless desktop so every test starts from an empty screen.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/controls/control.h"
#include "gui/controls/tracking_loop.h"
#include "gui/core/bitmap.h"
#include "gui/core/draw_context.h"
#include "gui/core/editor_base.h"
#include "gui/core/frame.h"
#include "host/effect_base_ext.h"
#include "platform/platform.h"

namespace guitest {

// Resource ids of the bitmaps make_test_bitmaps writes.
inline constexpr int kSmallPicture = 900;
inline constexpr int kPalettePicture = 901;
inline constexpr int kTopDownPicture = 902;
inline constexpr int kPanelPicture = 903;
inline constexpr int kHandlePicture = 904;
// Coordinate pictures (coordinate_picture.h).
inline constexpr int kLitCoordinates = 905;
inline constexpr int kUnlitCoordinates = 906;

// Counts the host calls the plug-in makes, per opcode.
struct HostLog {
    static std::vector<VstInt32>& opcodes();
    static int count(VstInt32 opcode);
    static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float);
};

class TestEffect : public EffectBaseExt {
public:
    TestEffect() : EffectBaseExt(&HostLog::callback, 1, 2) {}
    void process(float**, float**, VstInt32) override {}
};

// Makes an editor and has `effect` attach it, as the plug-in's factory does;
// the effect owns it.
template <typename Editor, typename... Arguments>
Editor* attachNew(EffectBase* effect, Arguments&&... arguments) {
    auto editor = std::make_unique<Editor>(effect, std::forward<Arguments>(arguments)...);
    Editor* raw = editor.get();
    effect->attachEditor(std::move(editor));
    return raw;
}

// Builds a frame of `size` on open; counts update calls.
class TestEditor : public GuiEditorBase {
public:
    TestEditor(EffectBase* effect, GuiRect size) : GuiEditorBase(effect), size(size) {
        rect = ERect{0, 0, static_cast<std::int16_t>(size.height()),
                     static_cast<std::int16_t>(size.width())};
    }
    VstIntPtr open(void* parent) override {
        GuiEditorBase::open(parent);
        frame = std::make_unique<GuiFrame>(size, parent, this);
        return frame->getWindow() ? 1 : 0;
    }
    void close() override { frame.reset(); }
    void update() override { ++updates; }

    GuiRect size;
    int updates = 0;
};

// A view that fills its rectangle in one colour and logs what it is asked.
class ColorView : public GuiView {
public:
    ColorView(GuiRect size, GuiColor colour, std::vector<std::string>* log = nullptr,
              std::string name = "")
        : GuiView(size), colour(colour), log(log), name(std::move(name)) {}
    ~ColorView() override { note("deleted"); }
    void draw(GuiDrawContext* context) override {
        ++draws;
        context->setFillColor(colour);
        GuiRect r = size;
        context->fillRect(GuiRect(r.left - 1, r.top - 1, r.right, r.bottom));
        note("draw");
    }
    void mouseDown(GuiDrawContext*, const GuiPoint& where) override {
        lastClick = where;
        ++clicks;
        note("mouseDown");
    }
    void update(GuiDrawContext*) override { note("update"); }
    void focusLost() override { note("focusLost"); }

    void note(const char* what) {
        if (log) log->push_back(name + " " + what);
    }

    GuiColor colour;
    std::vector<std::string>* log;
    std::string name;
    int draws = 0;
    int clicks = 0;
    GuiPoint lastClick{-1, -1};
};

// A horizontal fader: value is the pointer's position across the rectangle,
// clamped to 0..1. Draws a bar in its colour up to the value.
class FaderControl : public GuiControl {
public:
    FaderControl(GuiRect size, ControlListener* listener, std::int32_t tag)
        : GuiControl(size, listener, tag) {}
    void draw(GuiDrawContext* context) override {
        ++draws;
        context->setFillColor(kColorBlack);
        context->fillRect(GuiRect(size.left - 1, size.top - 1, size.right, size.bottom));
        context->setFillColor(kColorYellow);
        const auto end = size.left + static_cast<std::int32_t>(value * size.width());
        context->fillRect(GuiRect(size.left - 1, size.top - 1, end, size.bottom));
        oldValue = value;
    }
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override {
        lastResult =
            guiTrackMouse(*this, context, where, GuiTrackingRules{}, [this](const GuiPoint& p) {
                float v = static_cast<float>(p.h - size.left) / static_cast<float>(size.width());
                return v < 0 ? 0.0f : (v > 1 ? 1.0f : v);
            });
    }
    int draws = 0;
    GuiTrackingResult lastResult = GuiTrackingResult::ignored;
};

// Records every change a control reports, optionally redrawing it the way
// the product editor does.
class RecordingListener : public ControlListener {
public:
    void valueChanged(GuiDrawContext* context, GuiControl* control) override {
        values.push_back(control->getValue());
        tags.push_back(control->getTag());
        if (redraw) control->update(context);
    }
    std::vector<float> values;
    std::vector<std::int32_t> tags;
    bool redraw = false;
};

// Every GUI test starts on an empty headless desktop at tick 1000.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

platform::Rgb rgb(GuiColor c);

}  // namespace guitest
