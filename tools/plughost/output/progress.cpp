#include "output/progress.h"

#include <cstdio>

#include "host/system.h"

ProgressBar::ProgressBar() : enabled(stderrIsTerminal()), start(std::chrono::steady_clock::now()) {}

ProgressBar::~ProgressBar() { finish(); }

void ProgressBar::finish() {
    if (shown) std::fprintf(stderr, "\r%60s\r", "");
    shown = false;
    enabled = false;
}

void ProgressBar::update(double fraction) {
    if (!enabled) return;
    const int percent = static_cast<int>(fraction * 100.0);
    if (percent == lastPercent) return;
    if (!shown && std::chrono::steady_clock::now() - start < std::chrono::seconds(1)) return;
    shown = true;
    lastPercent = percent;
    constexpr int kWidth = 40;
    char bar[kWidth + 1];
    const int filled = percent * kWidth / 100;
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\rrendering [%s] %3d%%", bar, percent);
    std::fflush(stderr);
}
