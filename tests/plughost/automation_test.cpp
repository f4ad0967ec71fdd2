// Automation files: parsing, errors with their line, and the cutting of the
// timeline so that every event lands on its own frame.
#include <gtest/gtest.h>

#include <sstream>

#include "error.h"
#include "host/host_context.h"
#include "render/automation.h"
#include "render/block_plan.h"

namespace {

std::vector<AutomationEvent> parse(const std::string& text) {
    std::istringstream in(text);
    return parseAutomation(in, "auto.txt");
}

std::string parseError(const std::string& text) {
    try {
        parse(text);
    } catch (const HostError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(AutomationFile, ReadsBothKindsSortedByTime) {
    const auto events = parse(
        "# a comment line\n"
        "\n"
        "1.5 param cutoff 0.25   # trailing comment\n"
        "0.5 cc 16 7 127\n"
        "1.5 param 3 1\n"
        "  0   param Delay 0.0\n");
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].target, "Delay");
    EXPECT_EQ(events[0].line, 6);
    EXPECT_EQ(events[1].kind, AutomationEvent::Kind::ControlChange);
    EXPECT_EQ(events[1].channel, 16);
    EXPECT_EQ(events[1].controller, 7);
    EXPECT_EQ(events[1].ccValue, 127);
    // Equal times keep the file's order.
    EXPECT_EQ(events[2].target, "cutoff");
    EXPECT_FLOAT_EQ(events[2].value, 0.25f);
    EXPECT_EQ(events[3].target, "3");
}

TEST(AutomationFile, ErrorsNameFileLineAndProblem) {
    EXPECT_EQ(parseError("0 param a 0.5\nx param a 0.5\n"), "auto.txt:2: bad time 'x'");
    EXPECT_EQ(parseError("-1 param a 0.5\n"), "auto.txt:1: negative time -1");
    EXPECT_EQ(parseError("1\n"), "auto.txt:1: expected 'param' or 'cc' after the time");
    EXPECT_EQ(parseError("1 knob a 0.5\n"),
              "auto.txt:1: unknown event 'knob' (expected 'param' or 'cc')");
    EXPECT_EQ(parseError("1 param a\n"), "auto.txt:1: expected: SECONDS param INDEX|NAME VALUE");
    EXPECT_EQ(parseError("1 param a 0.5x\n"), "auto.txt:1: bad value '0.5x'");
    EXPECT_EQ(parseError("1 param a 1.01\n"), "auto.txt:1: value 1.01 outside 0..1");
    EXPECT_EQ(parseError("1 cc 1 7\n"),
              "auto.txt:1: expected: SECONDS cc CHANNEL CONTROLLER VALUE");
    EXPECT_EQ(parseError("1 cc 0 7 1\n"), "auto.txt:1: channel 0 outside 1..16");
    EXPECT_EQ(parseError("1 cc 1 128 1\n"), "auto.txt:1: controller 128 outside 0..127");
    EXPECT_EQ(parseError("1 cc 1 7 1.5\n"), "auto.txt:1: bad value '1.5'");
}

TEST(AutomationFile, EventFrameRoundsToTheNearestSample) {
    AutomationEvent e;
    e.seconds = 0.5;
    EXPECT_EQ(eventFrame(e, 48000.0), 24000);
    e.seconds = 1.0 / 3.0;
    EXPECT_EQ(eventFrame(e, 44100.0), 14700);
    e.seconds = 0.00001;  // 0.441 frames
    EXPECT_EQ(eventFrame(e, 44100.0), 0);
}

TEST(AutomationLog, ReplaysAsAnAutomationFile) {
    const std::string log = formatAutomationLog({{0.25, 2, 0.5f}, {1.0, 7, 1.0f}});
    const auto events = parse(log);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_DOUBLE_EQ(events[0].seconds, 0.25);
    EXPECT_EQ(events[0].target, "2");
    EXPECT_FLOAT_EQ(events[0].value, 0.5f);
    EXPECT_EQ(events[1].target, "7");
}

std::vector<BlockSlice> plan(long long total, int block, bool random,
                             std::vector<long long> events) {
    BlockPlanner planner(total, block, random, std::move(events), 7);
    std::vector<BlockSlice> out;
    for (BlockSlice s; planner.next(s);) out.push_back(s);
    return out;
}

TEST(BlockPlan, EventsSplitBlocksAtTheirFrame) {
    // Block 100, events at 0, 150, 150, 230: the host's block grid stays at
    // 0, 100, 200, 300 and slices begin exactly at 150 and 230.
    const auto slices = plan(320, 100, false, {0, 150, 150, 230});
    std::vector<std::pair<long long, int>> shape;
    for (const auto& s : slices) shape.emplace_back(s.start, s.frames);
    EXPECT_EQ(shape, (std::vector<std::pair<long long, int>>{
                         {0, 100}, {100, 50}, {150, 50}, {200, 30}, {230, 70}, {300, 20}}));
    EXPECT_EQ(slices[0].endEvent - slices[0].firstEvent, 1u);
    EXPECT_EQ(slices[2].firstEvent, 1u);  // both events at 150 land together
    EXPECT_EQ(slices[2].endEvent, 3u);
    EXPECT_EQ(slices[4].firstEvent, 3u);
    EXPECT_EQ(slices[4].endEvent, 4u);
    EXPECT_EQ(slices[1].firstEvent, slices[1].endEvent);
}

TEST(BlockPlan, EventsPastTheEndLandOnTheLastFrame) {
    const auto slices = plan(100, 64, false, {99, 500});
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_EQ(slices.back().start, 99);
    EXPECT_EQ(slices.back().frames, 1);
    EXPECT_EQ(slices.back().endEvent - slices.back().firstEvent, 2u);
}

TEST(BlockPlan, RandomSizesCoverEverythingWithoutEmptyCalls) {
    const auto slices = plan(100000, 512, true, {777, 778, 50000});
    long long next = 0;
    bool varied = false;
    for (const auto& s : slices) {
        EXPECT_EQ(s.start, next);
        EXPECT_GE(s.frames, 1);
        EXPECT_LE(s.frames, 512);
        if (s.frames != slices.front().frames) varied = true;
        for (size_t e = s.firstEvent; e < s.endEvent; ++e) {
            const long long frames[] = {777, 778, 50000};
            EXPECT_EQ(frames[e], s.start);
        }
        next = s.start + s.frames;
    }
    EXPECT_EQ(next, 100000);
    EXPECT_TRUE(varied);
}

}  // namespace
