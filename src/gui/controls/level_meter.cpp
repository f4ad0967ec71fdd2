#include "gui/controls/level_meter.h"

#include <algorithm>

#include "gui/controls/strip_image.h"
#include "gui/core/bitmap.h"

namespace {

GuiRect ordered(const GuiRect& r) {
    return GuiRect(std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                   std::max(r.top, r.bottom));
}

}  // namespace

GuiLevelMeter::GuiLevelMeter(const GuiRect& size, GuiBitmap* onBitmap, GuiBitmap* offBitmap,
                             std::int32_t segmentCount, std::int32_t style)
    : GuiControl(size, nullptr, 0),
      onBitmap(onBitmap),
      offBitmap(offBitmap),
      segmentCount(segmentCount < 1 ? 1 : segmentCount),
      style(style),
      onRect(ordered(size)),
      offRect(ordered(size)) {}

void GuiLevelMeter::limitAndFall() {
    if (value > getMax()) value = getMax();
    if (value < getMin()) value = getMin();
    float limit = oldValue - fallStep;
    if (limit < getMin()) limit = getMin();
    if (value < limit) value = limit;
    oldValue = value;
}

void GuiLevelMeter::draw(GuiDrawContext* context) {
    if (!onBitmap) return;
    limitAndFall();
    const double segments = segmentCount;
    GuiPoint offSource;
    GuiPoint onSource;
    if (style & GuiLevelMeterStyle::kHorizontal) {
        const std::int32_t k = guiTruncate(segments * value + 0.5);
        const std::int32_t w =
            guiTruncate(onBitmap->getWidth() * static_cast<double>(k) / segments);
        offRect.left = onRect.right = size.left + w;
        offSource = GuiPoint(w, 0);
    } else {
        const std::int32_t k = guiTruncate((getMax() - value) * segments + 0.5);
        const std::int32_t h =
            guiTruncate(onBitmap->getHeight() * static_cast<double>(k) / segments);
        onRect.top = offRect.bottom = size.top + h;
        onSource = GuiPoint(0, h);
    }
    if (offBitmap) offBitmap->draw(context, offRect, offSource);
    onBitmap->draw(context, onRect, onSource);
}
