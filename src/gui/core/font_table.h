// The toolkit's seven fonts. A drawing context's setFont picks a row by id;
// ids outside 0-6 mean row 0. Heights are character heights in pixels (the
// em, not the cell). All rows: ANSI characters, no italic, underline or
// strike-out.
//
// | id | face          | height | weight | pitch, family       |
// |----|---------------|--------|--------|---------------------|
// | 0  | "Arial"       | 12     | 700    | variable, swiss     |
// | 1  | "Arial"       | 18     | 400    | variable, swiss     |
// | 2  | "Arial"       | 14     | 400    | variable, swiss     |
// | 3  | "Arial"       | 12     | 400    | variable, swiss     |
// | 4  | "Arial"       | 11     | 400    | variable, swiss     |
// | 5  | "Small Fonts" | 9      | 400    | variable, swiss     |
// | 6  | "Symbol"      | 13     | 400    | default, decorative |
#pragma once

#include "platform/platform.h"

enum GuiFontId : int {
    kFontSystem = 0,
    kFontLarge = 1,
    kFontMedium = 2,
    kFontNormal = 3,
    kFontSmall = 4,
    kFontTiny = 5,
    kFontSymbol = 6,
};

inline constexpr int kFontCount = 7;

// The row for `id`; row 0 for ids outside the table.
const platform::FontRequest& fontTableEntry(int id);
