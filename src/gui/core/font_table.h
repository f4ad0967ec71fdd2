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

// Font ids are plain ints: any int is accepted, and ids outside the table
// mean row 0.
struct GuiFontId {
    static constexpr int kSystem = 0;
    static constexpr int kLarge = 1;
    static constexpr int kMedium = 2;
    static constexpr int kNormal = 3;
    static constexpr int kSmall = 4;
    static constexpr int kTiny = 5;
    static constexpr int kSymbol = 6;
    static constexpr int kCount = 7;
};

// The row for `id`; row 0 for ids outside the table.
const platform::FontRequest& fontTableEntry(int id);
