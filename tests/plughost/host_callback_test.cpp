// What plug-ins hear from the host callback.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "formats/vst2/host_callback.h"
#include "formats/vst2/vst2_info.h"
#include "formats/vst2/vst2_plugin.h"
#include "validate/validate_harness.h"

namespace {

VstIntPtr call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
               void* ptr = nullptr, float opt = 0) {
    return hostCallback(e, opcode, index, value, ptr, opt);
}

struct Bound {
    AEffect effect{};
    HostContext context{48000.0, 256};
    Bound() { bindEffect(&effect, &context); }
    ~Bound() { unbindEffect(&effect); }
};

TEST(HostCallback, AnswersLikeAVersion2400Host) {
    EXPECT_EQ(call(nullptr, audioMasterVersion), 2400);  // asked from inside main
    Bound b;
    EXPECT_EQ(call(&b.effect, audioMasterGetSampleRate), 48000);
    EXPECT_EQ(call(&b.effect, audioMasterGetBlockSize), 256);
    b.context.accumulating = true;
    EXPECT_EQ(call(&b.effect, audioMasterWillReplaceOrAccumulate), 2);
    char text[64] = {};
    EXPECT_EQ(call(&b.effect, audioMasterGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Molvex");
    EXPECT_EQ(call(&b.effect, audioMasterGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "plughost");
    char yes[] = "sendVstTimeInfo", no[] = "offline";
    EXPECT_EQ(call(&b.effect, audioMasterCanDo, 0, 0, yes), 1);
    EXPECT_EQ(call(&b.effect, audioMasterCanDo, 0, 0, no), 0);
    EXPECT_EQ(call(&b.effect, audioMasterCanDo, 0, 0, nullptr), 0);
    EXPECT_EQ(call(&b.effect, 9999), 0);
}

struct HeardEvents final : EditorHostEvents {
    std::vector<std::string> heard;
    bool acceptSize = true;
    void automated(int index, float value) override {
        heard.push_back("automate " + std::to_string(index) + " " + std::to_string(value));
    }
    void editGesture(int index, bool begins) override {
        heard.push_back((begins ? "begin " : "end ") + std::to_string(index));
    }
    void idleRequested() override { heard.push_back("idle"); }
    bool sizeRequested(int width, int height) override {
        heard.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
        return acceptSize;
    }
};

TEST(HostCallback, AnOpenEditorsHostHearsWhatTheEditorAsks) {
    Bound b;
    HeardEvents events;
    EXPECT_EQ(call(&b.effect, audioMasterSizeWindow, 420, 64), 1);  // no editor host: accepted
    b.context.editorEvents = &events;
    EXPECT_EQ(call(&b.effect, audioMasterBeginEdit, 4), 1);
    EXPECT_EQ(call(&b.effect, audioMasterAutomate, 4, 0, nullptr, 0.5f), 1);
    EXPECT_EQ(call(&b.effect, audioMasterEndEdit, 4), 1);
    EXPECT_EQ(call(&b.effect, audioMasterIdle), 1);
    EXPECT_EQ(call(&b.effect, audioMasterSizeWindow, 420, 64), 1);
    events.acceptSize = false;
    EXPECT_EQ(call(&b.effect, audioMasterSizeWindow, 9000, 9000), 0);
    EXPECT_EQ(events.heard, (std::vector<std::string>{"begin 4", "automate 4 0.500000", "end 4",
                                                      "idle", "size 420x64", "size 9000x9000"}));
    EXPECT_EQ(b.context.automationCount(), 1);  // the log keeps it too

    b.context.editorEvents = nullptr;
    call(&b.effect, audioMasterAutomate, 4, 0, nullptr, 0.7f);
    call(&b.effect, audioMasterIdle);
    EXPECT_EQ(events.heard.size(), 6u);
}

TEST(HostCallback, TimeInfoFollowsThePositionAt120Bpm) {
    Bound b;
    b.context.samplePosition = 96000.0;  // two seconds: four beats
    auto* t = reinterpret_cast<VstTimeInfo*>(call(&b.effect, audioMasterGetTime));
    ASSERT_NE(t, nullptr);
    EXPECT_DOUBLE_EQ(t->tempo, 120.0);
    EXPECT_DOUBLE_EQ(t->sampleRate, 48000.0);
    EXPECT_DOUBLE_EQ(t->samplePos, 96000.0);
    EXPECT_DOUBLE_EQ(t->ppqPos, 4.0);
    EXPECT_DOUBLE_EQ(t->barStartPos, 4.0);
    EXPECT_EQ(t->timeSigNumerator, 4);
    EXPECT_TRUE(t->flags & kVstTempoValid);
    EXPECT_TRUE(t->flags & kVstPpqPosValid);
    EXPECT_EQ(call(&b.effect, audioMasterTempoAt), 1200000);
}

TEST(HostCallback, LogsAutomationWithItsTime) {
    Bound b;
    b.context.samplePosition = 24000.0;
    call(&b.effect, audioMasterAutomate, 3, 0, nullptr, 0.25f);
    // From another thread too, as MIDI handling or an editor would.
    std::thread([&] { call(&b.effect, audioMasterAutomate, 5, 0, nullptr, 1.0f); }).join();
    const auto log = b.context.reportedAutomation();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].index, 3);
    EXPECT_FLOAT_EQ(log[0].value, 0.25f);
    EXPECT_DOUBLE_EQ(log[0].seconds, 0.5);
    EXPECT_EQ(log[1].index, 5);
    EXPECT_EQ(b.context.automationCount(), 2);
}

TEST(HostCallback, ProcessLevelTellsTheAudioCallApart) {
    Bound b;
    EXPECT_EQ(call(&b.effect, audioMasterGetCurrentProcessLevel), 1);
    {
        AudioCallScope audio;
        EXPECT_EQ(call(&b.effect, audioMasterGetCurrentProcessLevel), 2);
        b.context.offline = true;
        EXPECT_EQ(call(&b.effect, audioMasterGetCurrentProcessLevel), 4);
    }
    EXPECT_EQ(call(&b.effect, audioMasterGetCurrentProcessLevel), 1);
}

TEST(InfoText, CodesAndFlagsReadable) {
    EXPECT_EQ(fourCharText(fourCharCode('m', 'x', '6', '7')), "mx67");
    EXPECT_EQ(fourCharText(0x41000142), "A..B");
    EXPECT_EQ(flagNames(0x19), "hasEditor canMono canReplacing");
    EXPECT_EQ(flagNames(0), "none");
    EXPECT_EQ(flagNames(0x100 | 0x40000), "isSynth unknown:0x40000");
}

TEST(InfoText, PluginTextIsCutAndMadePrintable) {
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(printableText(unterminated, 3), "abc");
    EXPECT_EQ(printableText("ta\tb\x01\0after", 12), "ta?b?");
}

TEST(OutputScan, CountsEveryKindOfBadSample) {
    const float samples[] = {0.0f, 1e-39f, -1e-39f, NAN, INFINITY, -INFINITY, -0.5f, 1e-30f};
    OutputScan scan;
    scan.add(samples, 8);
    EXPECT_EQ(scan.nans, 1u);
    EXPECT_EQ(scan.infinities, 2u);
    EXPECT_EQ(scan.denormals, 2u);
    EXPECT_FLOAT_EQ(scan.peak, 0.5f);
    EXPECT_EQ(scan.describe(), "1 NaN, 2 infinite, 2 denormal output samples");
    OutputScan clean;
    clean.add(samples + 6, 2);
    EXPECT_TRUE(clean.clean());
}

TEST(OutputScan, DifferenceTreatsNaNAsInfinitelyFar) {
    AudioBuffer a(1, 3, 44100.0), b(1, 3, 44100.0);
    b.channels[0][1] = 0.25f;
    EXPECT_DOUBLE_EQ(maxDifference(a, b), 0.25);
    b.channels[0][2] = NAN;
    EXPECT_TRUE(std::isinf(maxDifference(a, b)));
}

}  // namespace
