// How a render cuts the timeline into audio calls. Host blocks follow one
// another at the block size (or at random sizes from 1 to the block size);
// a block is split wherever an event falls inside it, so every event is
// applied just before the audio call that starts at its frame.
#pragma once

#include <cstddef>
#include <random>
#include <vector>

struct BlockSlice {
    long long start = 0;
    int frames = 0;
    size_t firstEvent = 0;  // events [firstEvent, endEvent) land at `start`
    size_t endEvent = 0;
};

class BlockPlanner {
public:
    // eventFrames must be sorted; events at or beyond totalFrames are
    // applied before the last slice ends (they land at totalFrames - 1 at
    // the latest), never dropped silently.
    BlockPlanner(long long totalFrames, int blockSize, bool randomSizes,
                 std::vector<long long> eventFrames, unsigned seed = 1);
    bool next(BlockSlice& slice);

private:
    long long total_;
    int blockSize_;
    bool random_;
    std::vector<long long> events_;
    std::mt19937 rng_;
    long long position_ = 0;
    long long blockEnd_ = 0;
    size_t nextEvent_ = 0;
};
