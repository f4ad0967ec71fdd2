// A progress bar on stderr, shown only when stderr is a terminal and the
// work has already taken more than a second (short renders stay quiet).
#pragma once

#include <chrono>

class ProgressBar {
public:
    ProgressBar();
    ~ProgressBar();
    void update(double fraction);  // 0..1; cheap enough for every block
    void finish();                 // clears the bar; also done on destruction

private:
    bool enabled;
    bool shown = false;
    int lastPercent = -1;
    std::chrono::steady_clock::time_point start;
};
