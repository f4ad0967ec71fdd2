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
    // Events at or beyond totalFrames are applied before the last slice ends
    // (they land at totalFrames - 1 at the latest), never dropped silently.
    BlockPlanner(long long totalFrames, int requestedBlockSize, bool randomBlockSizes,
                 std::vector<long long> sortedEventFrames, unsigned seed = 1);
    bool next(BlockSlice& slice);

private:
    long long total;
    int blockSize;
    bool randomSizes;
    std::vector<long long> eventFrames;
    std::mt19937 rng;
    long long position = 0;
    long long blockEnd = 0;
    size_t nextEvent = 0;
};
