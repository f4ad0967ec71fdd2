#include "block_plan.h"

#include <algorithm>

BlockPlanner::BlockPlanner(long long totalFrames, int blockSize, bool randomSizes,
                           std::vector<long long> eventFrames, unsigned seed)
    : total_(totalFrames), blockSize_(std::max(1, blockSize)), random_(randomSizes),
      events_(std::move(eventFrames)), rng_(seed) {
    for (long long& f : events_) f = std::clamp(f, 0LL, std::max(0LL, total_ - 1));
}

bool BlockPlanner::next(BlockSlice& slice) {
    if (position_ >= total_) return false;
    if (position_ >= blockEnd_) {
        int size = blockSize_;
        if (random_) size = std::uniform_int_distribution<int>(1, blockSize_)(rng_);
        blockEnd_ = std::min(total_, position_ + size);
    }
    slice.start = position_;
    slice.firstEvent = nextEvent_;
    while (nextEvent_ < events_.size() && events_[nextEvent_] <= position_) ++nextEvent_;
    slice.endEvent = nextEvent_;
    long long end = blockEnd_;
    if (nextEvent_ < events_.size() && events_[nextEvent_] < end) end = events_[nextEvent_];
    slice.frames = static_cast<int>(end - position_);
    position_ = end;
    return true;
}
