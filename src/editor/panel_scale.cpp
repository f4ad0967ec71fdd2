#include "editor/panel_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace molvex {

namespace {

constexpr int kUnscaledDpi = 96;
constexpr const char* kVariable = "MOLVEX_UI_SCALE";

}  // namespace

ScaleSources systemSources() {
    ScaleSources sources;
    sources.environment = [] { return static_cast<const char*>(std::getenv(kVariable)); };
    sources.desktopDpi = [](platform::NativeWindow parent) { return platform::desktopDpi(parent); };
    return sources;
}

PanelScale::PanelScale(ScaleSources s) : sources(std::move(s)) {}

int PanelScale::snap(int scalePercent) {
    if (scalePercent <= 0) return 0;
    if (scalePercent < 125) return 100;
    if (scalePercent < 175) return 150;
    return 200;
}

int PanelScale::fromText(const char* text) {
    if (!text || !*text) return 0;
    char* end = nullptr;
    const double number = std::strtod(text, &end);
    if (end == text || !std::isfinite(number) || number <= 0) return 0;
    while (*end == ' ' || *end == '%') ++end;
    if (*end) return 0;
    // Small numbers are factors ("1.5"), larger ones per cent ("150").
    const double percent = number <= 8 ? number * 100 : number;
    return snap(static_cast<int>(std::min(percent, 1000.0) + 0.5));
}

int PanelScale::fromDpi(int dpi) {
    return dpi > 0 ? snap((dpi * 100 + kUnscaledDpi / 2) / kUnscaledDpi) : 0;
}

// Without a window the desktop is asked once: hosts ask a closed panel for
// its rectangle (effEditGetRect) often, and each answer would otherwise open
// a connection to the X server.
int PanelScale::desktopDpiFor(platform::NativeWindow parent) const {
    if (parent) return sources.desktopDpi(parent);
    if (!desktopDpiWithoutWindow) desktopDpiWithoutWindow = sources.desktopDpi(nullptr);
    return *desktopDpiWithoutWindow;
}

int PanelScale::current(platform::NativeWindow parent) const {
    if (user) return user;
    if (host) return host;
    if (sources.environment) {
        if (const int fromVariable = fromText(sources.environment())) return fromVariable;
    }
    if (sources.desktopDpi) {
        if (const int fromDesktop = fromDpi(desktopDpiFor(parent))) return fromDesktop;
    }
    return 100;
}

}  // namespace molvex
