#include "gui/core/font_table.h"

namespace {

using platform::FontFamily;
using platform::FontPitch;

constexpr platform::FontRequest kFontTable[GuiFontId::kCount] = {
    {"Arial", 12, 700, FontPitch::variable, FontFamily::swiss},
    {"Arial", 18, 400, FontPitch::variable, FontFamily::swiss},
    {"Arial", 14, 400, FontPitch::variable, FontFamily::swiss},
    {"Arial", 12, 400, FontPitch::variable, FontFamily::swiss},
    {"Arial", 11, 400, FontPitch::variable, FontFamily::swiss},
    {"Small Fonts", 9, 400, FontPitch::variable, FontFamily::swiss},
    {"Symbol", 13, 400, FontPitch::defaultPitch, FontFamily::decorative},
};

}  // namespace

const platform::FontRequest& fontTableEntry(int id) {
    return kFontTable[id >= 0 && id < GuiFontId::kCount ? id : 0];
}
