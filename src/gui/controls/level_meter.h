// GuiLevelMeter: a bar made of a lit bitmap and an unlit bitmap split at
// the value, quantized to a number of segments. No mouse handling; it never
// reports (listener null, tag 0).
//
// The bar rises at once but falls by at most `fallStep` per drawing (1.0 at
// construction: at once). Horizontal (style 0x01): lit from the left.
// Vertical: lit from the bottom, the split at max - value. A meter without
// a lit bitmap draws nothing; without an unlit one only the lit part. A
// segment count below 1 counts as 1.
//
// | part  | horizontal: source, destination    | vertical: source, destination |
// |-------|------------------------------------|-------------------------------|
// | unlit | (w, 0) of unlit, split .. right    | (0, 0) of unlit, top .. split |
// | lit   | (0, 0) of lit, left .. split       | (0, h) of lit, split .. bottom|
// w and h are the lit bitmap's width or height times k / segmentCount.
//
// Virtual operations after GuiControl's: 20 setFallStep.
//
// Ownership: both bitmaps hold one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

struct GuiLevelMeterStyle {
    static constexpr std::int32_t kHorizontal = 0x01;
};

class GuiLevelMeter : public GuiControl {
public:
    GuiLevelMeter(const GuiRect& size, GuiBitmap* onBitmap, GuiBitmap* offBitmap,
                  std::int32_t segmentCount, std::int32_t style);

    void draw(GuiDrawContext* context) override;

    virtual void setFallStep(float step) { fallStep = step; }

protected:
    GuiBitmapRef onBitmap;
    GuiBitmapRef offBitmap;
    std::int32_t segmentCount;
    std::int32_t style;
    float fallStep = 1.0f;
    GuiRect onRect;
    GuiRect offRect;

private:
    void limitAndFall();
};
