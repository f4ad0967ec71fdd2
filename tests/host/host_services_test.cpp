#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "effect/filter_delay_effect.h"
#include "host/capability_words.h"
#include "host/effect_base_ext.h"
#include "test_host.h"

using namespace molvex;

namespace {

class ServiceEffect : public EffectBaseExt {
public:
    explicit ServiceEffect(HostCallback callback) : EffectBaseExt(callback, 1, 4) {}
    void process(float**, float**, VstInt32) override {}
    void setParameter(VstInt32 index, float value) override {
        if (index >= 0 && index < 4) values[index] = value;
    }
    float getParameter(VstInt32 index) override {
        return index >= 0 && index < 4 ? values[index] : 0.0f;
    }
    float values[4] = {};
};

}  // namespace

TEST(HostServices, AutomationSetsTheParameterBeforeTellingTheHost) {
    RecordingHost host;
    float seenByHost = -1.0f;
    host.answer = [&](AEffect* effect, const HostCall& call) -> VstIntPtr {
        if (call.opcode == audioMasterAutomate)
            seenByHost = effect->getParameter(effect, call.index);
        return 0;
    };
    ServiceEffect effect(RecordingHost::callback);
    effect.automateParameter(3, 0.25f);
    ASSERT_EQ(host.calls.size(), 1u);
    const HostCall& call = host.calls[0];
    EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_EQ(call.index, 3);
    EXPECT_EQ(call.value, 0);
    EXPECT_EQ(call.ptr, nullptr);
    EXPECT_EQ(call.opt, 0.25f);
    EXPECT_EQ(seenByHost, 0.25f);
}

TEST(HostServices, AutomationWithoutAHostStillSetsTheParameter) {
    ServiceEffect effect(nullptr);
    effect.automateParameter(1, 0.75f);
    EXPECT_EQ(effect.getParameter(1), 0.75f);
}

TEST(HostServices, VersionOfZeroCountsAsOne) {
    RecordingHost host;
    ServiceEffect effect(RecordingHost::callback);
    host.defaultAnswer = 0;
    EXPECT_EQ(effect.getHostVersion(), 1);
    host.defaultAnswer = 2;
    EXPECT_EQ(effect.getHostVersion(), 2);
    EXPECT_EQ(ServiceEffect(nullptr).getHostVersion(), 1);
}

TEST(HostServices, PinsCountAsConnectedWhenTheHostAnswersZero) {
    RecordingHost host;
    ServiceEffect effect(RecordingHost::callback);
    host.defaultAnswer = 1;
    EXPECT_FALSE(effect.isInputConnected(0));
    EXPECT_FALSE(effect.isOutputConnected(1));
    host.defaultAnswer = 0;
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_TRUE(effect.isOutputConnected(1));
    ASSERT_EQ(host.calls.size(), 4u);
    EXPECT_EQ(host.calls[0].value, 0);
    EXPECT_EQ(host.calls[1].value, 1);
    EXPECT_EQ(host.calls[1].index, 1);
    ServiceEffect alone(nullptr);
    EXPECT_TRUE(alone.isInputConnected(0));
    EXPECT_TRUE(alone.isOutputConnected(0));
}

TEST(HostServices, StoredValueWrappersReadTheMemberAfterTheCall) {
    RecordingHost host;
    host.answer = [](AEffect* effect, const HostCall& call) -> VstIntPtr {
        if (call.opcode == audioMasterGetSampleRate)
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
        if (call.opcode == audioMasterGetBlockSize)
            effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
        return 48000;
    };
    ServiceEffect effect(RecordingHost::callback);
    EXPECT_EQ(effect.refreshSampleRate(), 96000.0f);
    EXPECT_EQ(effect.refreshBlockSize(), 256);

    host.answer = nullptr;
    host.defaultAnswer = 48000;
    ServiceEffect other(RecordingHost::callback);
    EXPECT_EQ(other.refreshSampleRate(), 44100.0f);
    EXPECT_EQ(other.refreshBlockSize(), 1024);
}

TEST(HostServices, CapabilityQuestionIsTrueOnlyForANonZeroAnswer) {
    RecordingHost host;
    ServiceEffect effect(RecordingHost::callback);
    host.defaultAnswer = 0;
    EXPECT_FALSE(effect.askHostCapability("sizeWindow"));
    host.defaultAnswer = 1;
    EXPECT_TRUE(effect.askHostCapability("sizeWindow"));
    EXPECT_EQ(std::string(static_cast<const char*>(host.calls.back().ptr)), "sizeWindow");
    EXPECT_EQ(host.calls.back().opcode, audioMasterCanDo);
}

// The words a plug-in may ask about leave exactly as written, one question
// each, and only the host's answer decides.
TEST(HostServices, EveryHostCapabilityWordReachesTheHostAsWritten) {
    RecordingHost host;
    ServiceEffect effect(RecordingHost::callback);
    host.answer = [](AEffect*, const HostCall& call) -> VstIntPtr {
        return std::string(static_cast<const char*>(call.ptr)) == "supplyIdle" ? 1 : 0;
    };
    for (const char* word : kHostCapabilityWords) {
        EXPECT_EQ(effect.askHostCapability(word), std::string(word) == "supplyIdle") << word;
        ASSERT_EQ(host.calls.back().opcode, audioMasterCanDo);
        EXPECT_STREQ(static_cast<const char*>(host.calls.back().ptr), word);
    }
    EXPECT_EQ(host.calls.size(), kHostCapabilityWords.size());
}

// Each wrapper sends its own opcode and arguments and shapes the answer.
TEST(HostServices, EveryWrapperSendsItsOpcode) {
    RecordingHost host;
    host.defaultAnswer = 7;
    ServiceEffect e(RecordingHost::callback);
    char text[64] = {};
    int record = 0;
    struct Case {
        VstInt32 opcode;
        std::function<VstIntPtr()> call;
        VstIntPtr expected;
        VstInt32 index = 0;
        VstIntPtr value = 0;
    };
    const Case cases[] = {
        {audioMasterCurrentId, [&] { return e.getHostCurrentId(); }, 7},
        {audioMasterIdle, [&] { return e.hostIdle(); }, 7},
        {audioMasterWantMidi, [&] { return e.requestEvents(1); }, 7, 0, 1},
        {audioMasterGetTime, [&] { return reinterpret_cast<VstIntPtr>(e.getHostTimeInfo(3)); }, 7,
         0, 3},
        {audioMasterTempoAt, [&] { return e.getTempoAt(1000); }, 7, 0, 1000},
        {audioMasterGetNumAutomatableParameters, [&] { return e.getNumAutomatableParameters(); },
         7},
        {audioMasterGetParameterQuantization, [&] { return e.getParameterQuantization(); }, 7},
        {audioMasterIOChanged, [&] { return VstIntPtr(e.notifyIoChanged()); }, 1},
        {audioMasterNeedIdle, [&] { return VstIntPtr(e.requestIdle()); }, 1},
        {audioMasterSizeWindow, [&] { return VstIntPtr(e.requestWindowSize(420, 64)); }, 1, 420,
         64},
        {audioMasterGetInputLatency, [&] { return e.getHostInputLatency(); }, 7},
        {audioMasterGetOutputLatency, [&] { return e.getHostOutputLatency(); }, 7},
        {audioMasterGetPreviousPlug,
         [&] { return reinterpret_cast<VstIntPtr>(e.getPreviousEffect()); }, 7},
        {audioMasterGetNextPlug, [&] { return reinterpret_cast<VstIntPtr>(e.getNextEffect()); }, 7},
        {audioMasterWillReplaceOrAccumulate, [&] { return e.hostWillReplace(); }, 7},
        {audioMasterGetCurrentProcessLevel, [&] { return e.getHostProcessLevel(); }, 7},
        {audioMasterGetAutomationState, [&] { return e.getHostAutomationState(); }, 7},
        {audioMasterOfflineStart, [&] { return VstIntPtr(e.offlineStart(&record, 2, 3)); }, 1, 3,
         2},
        {audioMasterOfflineRead, [&] { return VstIntPtr(e.offlineRead(&record, 5, true)); }, 1, 1,
         5},
        {audioMasterOfflineWrite, [&] { return VstIntPtr(e.offlineWrite(&record, 6)); }, 1, 0, 6},
        {audioMasterOfflineGetCurrentPass, [&] { return VstIntPtr(e.offlineGetCurrentPass()); }, 1},
        {audioMasterOfflineGetCurrentMetaPass,
         [&] { return VstIntPtr(e.offlineGetCurrentMetaPass()); }, 1},
        {audioMasterSetOutputSampleRate, [&] { return e.setOutputSampleRate(22050.0f); }, 7},
        {audioMasterGetSpeakerArrangement,
         [&] { return VstIntPtr(e.getHostSpeakerArrangement(&record, text)); }, 1, 0,
         reinterpret_cast<VstIntPtr>(&record)},
        {audioMasterGetVendorString, [&] { return VstIntPtr(e.getHostVendorString(text)); }, 1},
        {audioMasterGetProductString, [&] { return VstIntPtr(e.getHostProductString(text)); }, 1},
        {audioMasterGetVendorVersion, [&] { return e.getHostVendorVersion(); }, 7},
        {audioMasterVendorSpecific, [&] { return e.hostVendorSpecific(4, 5, text, 1.0f); }, 7, 4,
         5},
        {audioMasterGetLanguage, [&] { return e.getHostLanguage(); }, 7},
        {audioMasterOpenWindow,
         [&] { return reinterpret_cast<VstIntPtr>(e.openHostWindow(&record)); }, 7},
        {audioMasterCloseWindow, [&] { return VstIntPtr(e.closeHostWindow(&record)); }, 1},
        {audioMasterGetDirectory, [&] { return reinterpret_cast<VstIntPtr>(e.getHostDirectory()); },
         7},
        {audioMasterUpdateDisplay, [&] { return VstIntPtr(e.updateHostDisplay()); }, 1},
    };
    for (const Case& c : cases) {
        host.calls.clear();
        EXPECT_EQ(c.call(), c.expected) << c.opcode;
        ASSERT_EQ(host.calls.size(), 1u) << c.opcode;
        EXPECT_EQ(host.calls[0].opcode, c.opcode);
        EXPECT_EQ(host.calls[0].index, c.index) << c.opcode;
        EXPECT_EQ(host.calls[0].value, c.value) << c.opcode;
    }
}

TEST(HostServices, WithoutAHostEveryWrapperAnswersAtOnce) {
    ServiceEffect e(nullptr);
    EXPECT_EQ(e.hostIdle(), 0);
    EXPECT_EQ(e.getHostTimeInfo(0), nullptr);
    EXPECT_FALSE(e.requestWindowSize(1, 1));
    EXPECT_EQ(e.getNextEffect(), nullptr);
    EXPECT_EQ(e.getHostDirectory(), nullptr);
    EXPECT_FALSE(e.askHostCapability("offline"));
    EXPECT_EQ(e.refreshSampleRate(), 44100.0f);
}

TEST(HostServices, ResumeAsksForMidi) {
    RecordingHost host;
    FilterDelayEffect effect(RecordingHost::callback);
    host.calls.clear();
    AEffect* r = effect.getRecord();
    r->dispatcher(r, effMainsChanged, 0, 1, nullptr, 0.0f);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls[0].value, 1);
}
