// Control changes reach a plug-in in the order of their frames, whatever
// order the caller hands them over in: the test plug-in keeps the last CC 7
// of each list and applies it from its frame, so a list handed on unsorted
// sets the wrong gain at the wrong frame.
#include <gtest/gtest.h>

#include <vector>

#include "formats/registry.h"
#include "host/host_context.h"

namespace {

struct Case {
    const char* name;
    std::vector<ControlChange> changes;
    int changesAt;    // the frame the gain changes at
    float gainAfter;  // from there on
};

TEST(ControlChanges, ReachThePluginInFrameOrder) {
    const std::vector<Case> cases = {
        {"in order", {{100, 0, 7, 0}, {300, 0, 7, 127}}, 300, 1.0f},
        {"reversed", {{300, 0, 7, 127}, {100, 0, 7, 0}}, 300, 1.0f},
        {"last first", {{300, 0, 7, 0}, {50, 0, 7, 127}, {200, 0, 7, 127}}, 300, 0.0f},
        {"same frame keeps its order", {{200, 0, 7, 0}, {200, 0, 7, 127}}, 200, 1.0f},
    };
    constexpr int kFrames = 512;
    for (const Case& c : cases) {
        HostContext context(48000.0, kFrames);
        const auto plugin = openPlugin(FAULT_PLUGIN, context);
        plugin->configure(48000.0, kFrames);
        plugin->resume();
        std::vector<float> left(kFrames, 1.0f), right(kFrames, 1.0f);
        std::vector<float> outLeft(kFrames), outRight(kFrames);
        float* in[] = {left.data(), right.data()};
        float* out[] = {outLeft.data(), outRight.data()};
        plugin->sendControlChanges(c.changes);
        plugin->processBlock(in, out, kFrames, true);
        EXPECT_FLOAT_EQ(outLeft[static_cast<size_t>(c.changesAt) - 1], 0.5f) << c.name;
        EXPECT_FLOAT_EQ(outLeft[static_cast<size_t>(c.changesAt)], c.gainAfter) << c.name;
        EXPECT_FLOAT_EQ(outLeft[kFrames - 1], c.gainAfter) << c.name;
        plugin->suspend();
    }
}

}  // namespace
