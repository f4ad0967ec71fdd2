// The VST 2 entry as a host calls it: what the host version answer decides.
#include <gtest/gtest.h>

#include "formats/vst2/plugin_entry.h"
#include "host/effect_base.h"
#include "test_host.h"

namespace {

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode) {
    return effect->dispatcher(effect, opcode, 0, 0, nullptr, 0.0f);
}

}  // namespace

TEST(Entry, HostAnsweringZeroToTheVersionGetsNothing) {
    RecordingHost host;
    host.defaultAnswer = 0;
    EXPECT_EQ(pluginMain(RecordingHost::callback), nullptr);
    ASSERT_EQ(host.calls.size(), 1u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(pluginMain(nullptr), nullptr);
}

TEST(Entry, EveryNonZeroVersionMakesAnIndependentInstance) {
    for (VstIntPtr version : {1, 2, 2400}) {
        RecordingHost host;
        host.defaultAnswer = version;
        AEffect* first = pluginMain(RecordingHost::callback);
        AEffect* second = pluginMain(RecordingHost::callback);
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
        EXPECT_NE(first, second);
        EXPECT_EQ(first->magic, fourCharCode('V', 's', 't', 'P'));
        EXPECT_EQ(EffectBase::fromRecord(first)->getRecord(), first);
        EXPECT_EQ(dispatch(first, effClose), 1);
        EXPECT_EQ(dispatch(second, effClose), 1);
    }
}
