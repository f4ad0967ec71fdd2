// LV2 hosting: which arguments are LV2 plug-ins, how 0..1 values span a
// port's range, and Molvex's bundle driven through Lv2Plugin (parameters,
// MIDI control changes, instances remade only when the rate or block size
// changes).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "error.h"
#include "formats/lv2/lv2_argument.h"
#include "formats/lv2/lv2_plugin.h"
#include "host/host_context.h"

namespace {

TEST(Lv2Argument, BundlesAndUrisAreLv2AndLibrariesAreNot) {
    EXPECT_TRUE(isLv2Argument("/no/such/Thing.lv2"));
    EXPECT_TRUE(isLv2Argument("/no/such/Thing.lv2/"));
    EXPECT_TRUE(isLv2Argument("urn:ardour:a-delay"));
    EXPECT_TRUE(isLv2Argument("http://zamaudio.com/lv2/zamdelay"));
    EXPECT_FALSE(isLv2Argument("/no/such/lib.so"));
    EXPECT_FALSE(isLv2Argument("build/Molvex.so"));

    const auto dir = std::filesystem::temp_directory_path() / "plughost-lv2-argument";
    std::filesystem::create_directories(dir / "plain");
    std::filesystem::create_directories(dir / "described");
    std::ofstream(dir / "described" / "manifest.ttl") << "\n";
    std::ofstream(dir / "odd:name.so") << "\n";
    EXPECT_FALSE(isLv2Argument((dir / "plain").string()));
    EXPECT_TRUE(isLv2Argument((dir / "described").string()));
    EXPECT_FALSE(isLv2Argument((dir / "odd:name.so").string()));  // a file, however named
    std::filesystem::remove_all(dir);
}

TEST(Lv2Port, NormalisedValuesSpanTheRange) {
    Lv2Port linear;
    linear.minimum = -70.0f;
    linear.maximum = 10.0f;
    EXPECT_FLOAT_EQ(linear.fromNormalised(0.0f), -70.0f);
    EXPECT_FLOAT_EQ(linear.fromNormalised(0.25f), -50.0f);
    EXPECT_FLOAT_EQ(linear.fromNormalised(1.0f), 10.0f);
    EXPECT_FLOAT_EQ(linear.toNormalised(-50.0f), 0.25f);

    Lv2Port frequency;
    frequency.minimum = 20.0f;
    frequency.maximum = 20000.0f;
    frequency.logarithmic = true;
    EXPECT_NEAR(frequency.fromNormalised(0.5f), std::sqrt(20.0 * 20000.0), 1e-2);
    EXPECT_NEAR(frequency.toNormalised(200.0f), 1.0 / 3.0, 1e-6);
    EXPECT_FLOAT_EQ(frequency.fromNormalised(1.0f), 20000.0f);

    Lv2Port choice;
    choice.minimum = 0.0f;
    choice.maximum = 2.0f;
    choice.stepped = true;
    EXPECT_EQ(choice.fromNormalised(0.3f), 1.0f);
    EXPECT_EQ(choice.fromNormalised(0.2f), 0.0f);
}

class MolvexBundle : public ::testing::Test {
protected:
    HostContext context{44100.0, 256};
    Lv2Plugin plugin{std::make_shared<const Lv2World>(MOLVEX_LV2_BUNDLE), context};
    std::vector<float> in[2] = {std::vector<float>(256, 0.0f), std::vector<float>(256, 0.0f)};
    std::vector<float> out[2] = {std::vector<float>(256), std::vector<float>(256)};
    float* ins[2] = {in[0].data(), in[1].data()};
    float* outs[2] = {out[0].data(), out[1].data()};

    float reported(const char* symbol) {
        for (const auto& p : plugin.description().ports())
            if (p.symbol == symbol) return plugin.outputValue(p.index);
        ADD_FAILURE() << "no port " << symbol;
        return NAN;
    }
};

TEST_F(MolvexBundle, ControlInputsAreTheParametersInPortOrder) {
    ASSERT_EQ(plugin.numParams(), 9);
    EXPECT_EQ(plugin.numInputs(), 2);
    EXPECT_EQ(plugin.numOutputs(), 2);
    EXPECT_TRUE(plugin.hasMidiInput());
    EXPECT_EQ(plugin.parameterName(1), "Delay");
    EXPECT_EQ(plugin.findParameter("dry level"), 7);
    plugin.setParameter(1, 0.6f);
    EXPECT_FLOAT_EQ(plugin.portValue(1), 600.0f);
    EXPECT_FLOAT_EQ(plugin.getParameter(1), 0.6f);
    EXPECT_THROW(plugin.setProgram(0), HostError);
}

TEST_F(MolvexBundle, ControlChangesReachTheMidiInput) {
    plugin.configure(44100.0, 256);
    plugin.resume();
    plugin.processBlock(ins, outs, 256, true);
    EXPECT_FLOAT_EQ(reported("feedback_out"), 0.0f);
    // Controller 2 is Feedback; 127 is its top.
    plugin.sendControlChanges({{10, 2, 2, 127}});
    plugin.processBlock(ins, outs, 256, true);
    EXPECT_FLOAT_EQ(reported("feedback_out"), 100.0f);
    // The sequence is emptied after the run: the next run sees only the
    // port's new value, not the control change again.
    plugin.setParameter(2, 0.5f);
    plugin.processBlock(ins, outs, 256, true);
    EXPECT_FLOAT_EQ(reported("feedback_out"), 50.0f);
}

TEST_F(MolvexBundle, InstanceIsRemadeOnlyForANewRateOrBlockSize) {
    plugin.configure(44100.0, 256);
    LilvInstance* first = plugin.instance();
    ASSERT_NE(first, nullptr);
    plugin.configure(44100.0, 256);
    EXPECT_EQ(plugin.instance(), first);
    EXPECT_EQ(plugin.instantiatedRate(), 44100.0);
    plugin.configure(48000.0, 256);
    EXPECT_EQ(context.sampleRate.load(), 48000.0);
    EXPECT_EQ(plugin.instantiatedRate(), 48000.0);
    plugin.resume();
    plugin.processBlock(ins, outs, 256, true);
    for (float x : out[0]) ASSERT_TRUE(std::isfinite(x));
}

TEST(Lv2World, RefusesWhatIsNoPlugin) {
    EXPECT_THROW(Lv2World("/no/such/Thing.lv2"), HostError);
    EXPECT_THROW(Lv2World("urn:nobody:nothing"), HostError);
    EXPECT_THROW(Lv2World(std::filesystem::temp_directory_path().string()), HostError);
}

}  // namespace
