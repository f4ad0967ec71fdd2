// CLAP hosting: which arguments are CLAP plug-ins, and Molvex.clap driven
// through ClapHostedPlugin: 0..1 spanning each plain range, values set while
// inactive (through flush) and while active (events of the next block),
// control changes reaching the note input, and what the plug-in sends back
// recorded as automation.
#include <gtest/gtest.h>

#include <vector>

#include "error.h"
#include "formats/clap/clap_plugin.h"
#include "formats/registry.h"
#include "host/host_context.h"

namespace {

TEST(ClapArgument, FilesNamedClapAreClap) {
    EXPECT_STREQ(formatOf("/no/such/Thing.clap").name, "CLAP");
    EXPECT_STRNE(formatOf("/no/such/Thing.so").name, "CLAP");
    EXPECT_STRNE(formatOf("/no/such/Thing.clap.lv2").name, "CLAP");
}

struct Molvex : testing::Test {
    HostContext host{48000.0, 512};
    std::unique_ptr<HostedPlugin> opened = openPlugin(MOLVEX_CLAP, host);
    const ClapHostedPlugin& plugin = dynamic_cast<const ClapHostedPlugin&>(*opened);
    void block(int frames = 64) {
        std::vector<float> in[2] = {std::vector<float>(frames, 0.1f),
                                    std::vector<float>(frames, 0.1f)};
        std::vector<float> out[2] = {std::vector<float>(frames), std::vector<float>(frames)};
        float* ins[2] = {in[0].data(), in[1].data()};
        float* outs[2] = {out[0].data(), out[1].data()};
        plugin.processBlock(ins, outs, frames, true);
    }
};

TEST_F(Molvex, ValuesSpanThePlainRangesAndInactiveSetsTakeAtOnce) {
    ASSERT_EQ(plugin.numParams(), 9);
    EXPECT_EQ(plugin.parameterName(1), "Delay");
    EXPECT_EQ(plugin.numInputs(), 2);
    EXPECT_EQ(plugin.noteInput(), 0);
    plugin.setParameter(1, 0.25f);
    EXPECT_NEAR(plugin.getParameter(1), 0.25f, 1e-6);
    EXPECT_NEAR(plugin.plainValue(1), 250.0, 1e-3);
    plugin.setParameter(6, 0.0f);
    EXPECT_NEAR(plugin.plainValue(6), -50.0, 1e-6);
}

TEST_F(Molvex, ActiveSetsAndControlChangesArriveWithTheNextBlock) {
    plugin.configure(48000.0, 512);
    plugin.resume();
    plugin.setParameter(2, 0.5f);
    EXPECT_NEAR(plugin.getParameter(2), 0.0f, 1e-6);
    block();
    EXPECT_NEAR(plugin.plainValue(2), 50.0, 1e-4);
    // Controller 2 at 127 turns Feedback full; the plug-in reports it back.
    plugin.sendControlChanges({{10, 0, 2, 127}});
    block();
    EXPECT_NEAR(plugin.plainValue(2), 100.0, 1e-4);
    const auto reported = host.reportedAutomation();
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back().index, 2);
    EXPECT_NEAR(reported.back().value, 1.0f, 1e-6);
}

TEST(ClapLibrary, NamesWhatIsWrongWithAFile) {
    EXPECT_THROW(ClapLibrary("/no/such/Thing.clap"), HostError);
    try {
        ClapLibrary library(NO_ENTRY_LIBRARY);
        ADD_FAILURE() << "a library without clap_entry was taken";
    } catch (const HostError& e) {
        EXPECT_NE(std::string(e.what()).find("no clap_entry"), std::string::npos) << e.what();
    }
}

}  // namespace
