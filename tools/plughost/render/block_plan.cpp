#include "render/block_plan.h"

#include <algorithm>

BlockPlanner::BlockPlanner(long long totalFrames, int requestedBlockSize, bool randomBlockSizes,
                           std::vector<long long> sortedEventFrames, unsigned seed)
    : total(totalFrames),
      blockSize(std::max(1, requestedBlockSize)),
      randomSizes(randomBlockSizes),
      eventFrames(std::move(sortedEventFrames)),
      rng(seed) {
    for (long long& f : eventFrames) f = std::clamp(f, 0LL, std::max(0LL, total - 1));
}

bool BlockPlanner::next(BlockSlice& slice) {
    if (position >= total) return false;
    if (position >= blockEnd) {
        int size = blockSize;
        if (randomSizes) size = std::uniform_int_distribution<int>(1, blockSize)(rng);
        blockEnd = std::min(total, position + size);
    }
    slice.start = position;
    slice.firstEvent = nextEvent;
    while (nextEvent < eventFrames.size() && eventFrames[nextEvent] <= position) ++nextEvent;
    slice.endEvent = nextEvent;
    long long end = blockEnd;
    if (nextEvent < eventFrames.size() && eventFrames[nextEvent] < end)
        end = eventFrames[nextEvent];
    slice.frames = static_cast<int>(end - position);
    position = end;
    return true;
}
