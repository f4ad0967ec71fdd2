// GuiAxisSlider: what GuiHorizontalSlider and GuiVerticalSlider are, written
// once for either axis. Only the two public classes construct it; their
// headers describe the behaviour.
//
// Positions are frame coordinates of the handle's leading edge (left or
// top) on the axis; `zeroAtMinBit` is the style bit that puts value 0 at
// minPos (0x08 horizontal, 0x20 vertical).
//
// Virtual operations after GuiControl's: 20 setDrawTransparentHandle,
// 21 setHandleOffset, as both public classes have them.
//
// Ownership: handle and background hold one reference each.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/axis.h"
#include "gui/controls/control.h"
#include "gui/controls/slider_travel.h"
#include "gui/core/bitmap_ref.h"

// The sliders' style bits, both axes in one family.
struct GuiSliderStyle {
    static constexpr std::int32_t kHorizontalZeroAtMin = 0x08;
    static constexpr std::int32_t kHorizontalMouseZeroAtMax = 0x10;
    static constexpr std::int32_t kVerticalZeroAtMin = 0x20;
    static constexpr std::int32_t kVerticalMouseZeroAtMax = 0x40;
};

class GuiAxisSlider : public GuiControl {
public:
    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
    bool wheel(GuiDrawContext* context, const GuiPoint& where, int notches,
               unsigned keys) override {
        (void)where;
        if (!mouseEnabled) return false;
        gestureTo(context, wheelTarget(notches, keys));
        return true;
    }

    virtual void setDrawTransparentHandle(bool transparent) { drawTransparentHandle = transparent; }
    virtual void setHandleOffset(const GuiPoint& offset) { handleOffset = offset; }

    std::int32_t getHandlePos() const { return handlePos; }

protected:
    GuiAxisSlider(GuiAxis axis, std::int32_t zeroAtMinBit, const GuiRect& size,
                  ControlListener* listener, std::int32_t tag, std::int32_t minPos,
                  std::int32_t maxPos, GuiBitmap* handle, GuiBitmap* background,
                  const GuiPoint& backgroundOffset, std::int32_t style);

    GuiSliderTravel travel() const;

    GuiAxis axis;
    std::int32_t zeroAtMinBit;
    GuiBitmapRef handle;
    GuiBitmapRef background;
    std::int32_t handleWidth;
    std::int32_t handleHeight;
    GuiPoint backgroundOffset;
    GuiPoint handleOffset;
    std::int32_t minPos;
    std::int32_t maxPos;
    std::int32_t style;
    std::int32_t handlePos;
    bool drawTransparentHandle = true;
    std::int32_t minLimit;
    std::int32_t maxLimit;
    std::int32_t viewWidth;
    std::int32_t viewHeight;
};
