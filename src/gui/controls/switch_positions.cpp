#include "gui/controls/switch_positions.h"

#include "gui/controls/strip_image.h"

std::int32_t guiSwitchImageRow(float value, std::int32_t positionCount, std::int32_t imageHeight) {
    const double step = 1.0 / (positionCount - 1);
    for (std::int32_t i = 1; i < positionCount; ++i) {
        if (i * step > value) return (i - 1) * imageHeight;
    }
    return (positionCount - 1) * imageHeight;
}

float guiSwitchValueAt(std::int32_t offset, std::int32_t extent, std::int32_t positionCount,
                       bool inclusive) {
    const double zone = static_cast<double>(extent) / positionCount;
    for (std::int32_t i = 1; i < positionCount; ++i) {
        const std::int32_t limit = guiTruncate(i * zone);
        if (offset < limit || (inclusive && offset == limit))
            return static_cast<float>(i - 1) / static_cast<float>(positionCount - 1);
    }
    return 1.0f;
}
