#include "gui/controls/knob.h"

#include <cmath>

#include "gui/controls/strip_image.h"
#include "gui/controls/tracking_loop.h"
#include "gui/core/bitmap.h"

namespace {

constexpr float kSweepStart = 3.9269907f;  // 5pi/4, lower left
constexpr float kSweep = 4.712389f;        // 3pi/2
constexpr float kQuarterTurn = 1.5707964f;
constexpr float kHalfTurn = 3.1415927f;
constexpr float kFullTurn = 6.2831855f;

}  // namespace

GuiKnob::GuiKnob(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                 GuiBitmap* background, GuiBitmap* handle, const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      background(background),
      handle(handle),
      backgroundOffset(backgroundOffset) {
    if (handle) inset = handle->getWidth() / 2;
}

float GuiKnob::radius() const { return static_cast<float>(getWidth() - 2 * inset) / 2.0f; }

void GuiKnob::valueToHandlePos(GuiPoint& p) const {
    const float range = max - min;
    const float r = radius();
    float angle = kSweepStart;
    // An empty range has no sweep to spread over: the handle rests at its start.
    if (range != 0.0f) angle = (kSweep / range) * (value - min) + kSweepStart;
    if (!std::isfinite(angle)) angle = kSweepStart;
    p.h = guiTruncate(std::sin(static_cast<double>(angle)) * r + r) + inset;
    p.v = guiTruncate(r - std::cos(static_cast<double>(angle)) * r) + inset;
}

float GuiKnob::handlePosToValue(const GuiPoint& p) const {
    const float range = max - min;
    const float r = radius();
    const float dx = static_cast<float>(p.h - inset) - r;
    const float dy = r - static_cast<float>(p.v - inset);

    float a = 0.0f;
    if (std::fabs(dx) >= 1e-12f || std::fabs(dy) >= 1e-12f) {
        if (dy == 0.0f) a = dx > 0.0f ? -kQuarterTurn : kQuarterTurn;
        else a = -std::atan(dx / dy);
    }
    a += kQuarterTurn;
    if (dy < 0.0f) a += kHalfTurn;
    float t = a / kFullTurn;  // counter-clockwise from the right: 0.25 top, 0.75 bottom

    if (t > 0.625f && t < 0.875f) return t < 0.75f ? min : max;
    t = t >= 0.875f ? t - 0.875f : t + 0.125f;
    t *= 1.3333334f;
    float v = (range - t * range) + min;
    if (v > max) v = max;
    if (v < min) v = min;
    return v;
}

void GuiKnob::setBackground(GuiBitmap* bitmap) { background.reset(bitmap); }

void GuiKnob::draw(GuiDrawContext* context) {
    if (background) background->draw(context, size, backgroundOffset);
    if (handle) {
        GuiPoint p;
        valueToHandlePos(p);
        p.h += size.left - inset;
        p.v += size.top - inset;
        handle->drawTransparent(
            context, GuiRect(p.h, p.v, p.h + handle->getWidth(), p.v + handle->getHeight()));
    }
    oldValue = value;
}

void GuiKnob::mouseDown(GuiDrawContext* context, const GuiPoint& where) {
    // The pointer turns the knob around the centre its handle is drawn
    // around: inset + radius from the view's corner, the same point
    // handlePosToValue measures from, so no inset is added on the way.
    guiTrackMouse(*this, context, where, GuiTrackingRules{}, [this](const GuiPoint& pointer) {
        return handlePosToValue(GuiPoint(pointer.h - size.left, pointer.v - size.top));
    });
}
