// Draws a small panel with the headless backend and writes it as PNG: a
// background bitmap, text in three fonts, knob-like views with a transparent
// handle, a meter and a dotted frame. The picture in docs/ comes from here.
#include <cmath>
#include <cstdio>

#include "gui/core/bitmap.h"
#include "gui/core/draw_context.h"
#include "gui/core/frame.h"
#include "platform/headless/headless_system.h"

namespace {

class Label : public GuiView {
public:
    Label(GuiRect r, const char* text, int font, GuiTextAlign align)
        : GuiView(r), text(text), font(font), align(align) {}
    void draw(GuiDrawContext* c) override {
        c->setFont(font);
        c->setFontColor(kColorWhite);
        c->drawString(text, size, false, align);
    }
    const char* text;
    int font;
    GuiTextAlign align;
};

class Knob : public GuiView {
public:
    Knob(GuiRect r, float value, GuiBitmap* handle) : GuiView(r), value(value), handle(handle) {
        handle->addRef();
    }
    ~Knob() override { handle->release(); }
    void draw(GuiDrawContext* c) override {
        c->setFillColor(GuiColor{170, 180, 200, 0});
        c->fillEllipse(size);
        c->setFrameColor(GuiColor{200, 210, 230, 0});
        c->drawEllipse(size);
        // The handle travels 270 degrees from lower left to lower right.
        const double angle = (225.0 - 270.0 * value) * M_PI / 180.0;
        const int cx = (size.left + size.right) / 2, cy = (size.top + size.bottom) / 2;
        const double radius = size.width() / 2.0 - 8;
        const int hx = cx + static_cast<int>(std::lround(radius * std::cos(angle))) - 5;
        const int hy = cy - static_cast<int>(std::lround(radius * std::sin(angle))) - 5;
        handle->drawTransparent(c, GuiRect(hx, hy, hx + 11, hy + 11));
        c->setFrameColor(kColorYellow);
        c->drawArc(GuiRect(size.left - 3, size.top - 3, size.right + 3, size.bottom + 3),
                   GuiPoint(size.left, size.bottom + 3), GuiPoint(hx + 5, hy + 5));
    }
    float value;
    GuiBitmap* handle;
};

class Meter : public GuiView {
public:
    Meter(GuiRect r, int lit) : GuiView(r), lit(lit) {}
    void draw(GuiDrawContext* c) override {
        c->setFrameColor(kColorGrey);
        c->drawRect(size);
        for (int i = 0; i < 10; ++i) {
            const int x = size.left + 2 + i * 6;
            c->setFillColor(i < lit ? (i < 7 ? kColorGreen : kColorRed) : GuiColor{40, 40, 40, 0});
            c->fillRect(GuiRect(x, size.top + 1, x + 5, size.bottom - 1));
        }
    }
    int lit;
};

class DottedBox : public GuiView {
public:
    explicit DottedBox(GuiRect r) : GuiView(r) {}
    void draw(GuiDrawContext* c) override {
        c->setLineStyle(GuiLineStyle::kDotted);
        c->setFrameColor(kColorCyan);
        c->drawRect(size);
        c->setFillColor(GuiColor{20, 20, 60, 0});
        c->setFontColor(kColorCyan);
        c->setFont(GuiFontId::kTiny);
        c->drawString("LP  HP  BP",
                      GuiRect(size.left + 2, size.top + 2, size.right - 2, size.bottom - 2), true,
                      GuiTextAlign::kCenter);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "toolkit_panel.png";
    platform::headless::reset();
    GuiFrame frame(GuiRect(0, 0, 240, 90), platform::headless::makeParentWindow(), nullptr);
    GuiBitmap* panel = new GuiBitmap(903);
    GuiBitmap* handle = new GuiBitmap(904);
    if (panel->getWidth() == 0 || handle->getWidth() == 0 || !frame.getWindow()) return 1;
    frame.setBackground(panel);
    panel->release();
    frame.addView(new Label(GuiRect(8, 2, 232, 18), "Molvex toolkit", GuiFontId::kSystem,
                            GuiTextAlign::kLeft));
    frame.addView(new Knob(GuiRect(14, 24, 50, 60), 0.3f, handle));
    frame.addView(new Knob(GuiRect(64, 24, 100, 60), 0.8f, handle));
    handle->release();
    frame.addView(
        new Label(GuiRect(14, 62, 50, 72), "TIME", GuiFontId::kSmall, GuiTextAlign::kCenter));
    frame.addView(
        new Label(GuiRect(64, 62, 100, 72), "FB", GuiFontId::kSmall, GuiTextAlign::kCenter));
    frame.addView(new Meter(GuiRect(120, 28, 183, 40), 8));
    frame.addView(new DottedBox(GuiRect(120, 46, 220, 62)));
    frame.addView(
        new Label(GuiRect(120, 72, 236, 88), "250 ms", GuiFontId::kNormal, GuiTextAlign::kRight));
    if (!platform::headless::sendPaint(frame.getWindow())) return 1;
    if (!platform::headless::writePng(frame.getWindow(), path)) return 1;
    std::printf("wrote %s\n", path);
    return 0;
}
