// PanelScale: which scale the panel is shown at, in per cent (100, 150 or
// 200), from the sources that may have a say, first one that answers wins:
//
// | # | source       | how it arrives                                  |
// |---|--------------|-------------------------------------------------|
// | 1 | the user     | chooseUser, from the panel's background menu;   |
// |   |              | lasts for the instance (no settings file)       |
// | 2 | the host     | setHostScale: a format that carries one (the    |
// |   |              | LV2 UI's ui:scaleFactor option); any factor the |
// |   |              | host offers, 1 included, outranks 3 and 4       |
// | 3 | environment  | MOLVEX_UI_SCALE: "1", "1.5", "2" (a factor) or  |
// |   |              | "150" (per cent); overrides the desktop         |
// | 4 | the desktop  | its DPI: 144 gives 150 %, 192 and above 200 %   |
// | 5 | nothing said | 100 %                                           |
//
// Every answer is snapped to the nearest scale the panel has bitmaps for
// (below 125 % is 100 %, below 175 % is 150 %, the rest 200 %); text that
// is not a positive number says nothing.
//
// The sources are injected so tests can play each one; `systemSources`
// reads the real environment and the platform's desktop DPI.
//
// Threads: user-interface thread only.
#pragma once

#include <functional>
#include <optional>

#include "platform/platform.h"

namespace molvex {

struct ScaleSources {
    // The variable's text, null when it is not set.
    std::function<const char*()> environment;
    // Dots per inch for a panel in `parent`; 0 when the desktop says nothing.
    std::function<int(platform::NativeWindow parent)> desktopDpi;
};

ScaleSources systemSources();

class PanelScale {
public:
    explicit PanelScale(ScaleSources sources);

    // The scale for a panel in `parent` (null before the host names one).
    int current(platform::NativeWindow parent) const;

    void chooseUser(int scalePercent) { user = snap(scalePercent); }
    int userChoice() const { return user; }
    // 0 forgets the host's scale.
    void setHostScale(int scalePercent) { host = scalePercent > 0 ? snap(scalePercent) : 0; }

    // The nearest of 100, 150, 200; 0 stays 0 (nothing said).
    static int snap(int scalePercent);
    // MOLVEX_UI_SCALE's text in per cent, snapped; 0 for no number.
    static int fromText(const char* text);
    static int fromDpi(int dpi);

private:
    int desktopDpiFor(platform::NativeWindow parent) const;

    ScaleSources sources;
    int user = 0;
    int host = 0;
    mutable std::optional<int> desktopDpiWithoutWindow;
};

}  // namespace molvex
