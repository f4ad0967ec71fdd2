// What the panel's own files share about its picture and its value
// display: the bitmap resources it loads and where the display sits (the
// typed-value entry opens exactly over it). Internal to the editor.
#pragma once

#include <cstdint>

#include "gui/core/geometry.h"

namespace molvex::panel {

inline constexpr std::int32_t kBackgroundId = 120;
inline constexpr std::int32_t kKnobBodyId = 121;
inline constexpr std::int32_t kKnobHandleId = 122;
inline constexpr std::int32_t kTypeSwitchId = 123;
inline constexpr std::int32_t kPlusId = 124;
inline constexpr std::int32_t kMinusId = 125;

inline constexpr GuiRect kDisplayRect{252, 22, 284, 38};
inline constexpr std::int32_t kDisplayStyle = 2;

}  // namespace molvex::panel
