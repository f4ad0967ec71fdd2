// The nine parameters as a CLAP host shows and automates them: ids, plain
// ranges in the LV2 build's units, texts both ways, events for unknown
// parameters, flush against process, and MIDI reported back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "clap_host.h"

namespace {

using claptest::Host;
using claptest::Instance;
using claptest::Library;

struct Row {
    const char* name;
    double minimum, maximum;
    bool stepped;
};

// The LV2 build's ports, in the same units.
const Row kRows[] = {
    {"Input Level", -70, 0, false}, {"Delay", 0, 1000, false},    {"Feedback", 0, 100, false},
    {"Type", 0, 2, true},           {"Cutoff", 20, 12020, false}, {"Resonance", 0, 100, false},
    {"Pan", -50, 50, false},        {"Dry Level", -70, 0, false}, {"Wet Level", -70, 0, false},
};

struct Fixture : testing::Test {
    Library library{MOLVEX_CLAP_PLUGIN};
    Host host;
    Instance instance{library, host};
    const clap_plugin_params_t* params() {
        return instance.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    }
    std::string text(clap_id id, double value) {
        char buffer[64] = {};
        if (!params()->value_to_text(instance.get(), id, value, buffer, sizeof buffer)) return "!";
        return buffer;
    }
    bool read(clap_id id, const char* text, double& value) {
        return params()->text_to_value(instance.get(), id, text, &value);
    }
};

using ClapParameters = Fixture;

TEST_F(ClapParameters, InfoMatchesTheTableAndDefaultsAreTheEffectsOwn) {
    ASSERT_NE(params(), nullptr);
    ASSERT_EQ(params()->count(instance.get()), 9u);
    // The effect's defaults: 0 dB in, 500 ms, no feedback, low-pass at the
    // top, no resonance, centre, dry silent, wet 0.8.
    const double defaults[] = {
        0.0, 500.0, 0.0, 0.0, 12020.0, 0.0, 0.0, -70.0, 20 * std::log10(0.8)};
    for (std::uint32_t i = 0; i < 9; ++i) {
        clap_param_info_t info{};
        ASSERT_TRUE(params()->get_info(instance.get(), i, &info));
        EXPECT_EQ(info.id, i);
        EXPECT_STREQ(info.name, kRows[i].name);
        EXPECT_DOUBLE_EQ(info.min_value, kRows[i].minimum) << i;
        EXPECT_DOUBLE_EQ(info.max_value, kRows[i].maximum) << i;
        EXPECT_NEAR(info.default_value, defaults[i], 1e-3) << i;
        EXPECT_NEAR(instance.value(i), defaults[i], 1e-3) << i;
        EXPECT_TRUE(info.flags & CLAP_PARAM_IS_AUTOMATABLE);
        EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, kRows[i].stepped) << i;
    }
    clap_param_info_t info{};
    EXPECT_FALSE(params()->get_info(instance.get(), 9, &info));
    double v = 0;
    EXPECT_FALSE(params()->get_value(instance.get(), 9, &v));
}

struct TextCase {
    clap_id id;
    double value;
    const char* text;
};

TEST_F(ClapParameters, TextsCarryTheirUnits) {
    const TextCase cases[] = {
        {0, -6.02, "-6.0 dB"},  {1, 250, "250.0 ms"}, {2, 60, "60.0 %"},    {3, 0, "Low-pass"},
        {3, 1, "High-pass"},    {3, 2, "Band-pass"},  {4, 2000, "2000 Hz"}, {5, 40, "40.0 %"},
        {6, -25, "L25"},        {6, 0, "<C>"},        {6, 25, "R25"},       {8, -70, "-70.0 dB"},
        {1, 5000, "1000.0 ms"},  // held to the range
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(text(c.id, c.value), c.text) << c.id << " " << c.value;
    char small[4];
    EXPECT_FALSE(params()->value_to_text(instance.get(), 1, 250, small, sizeof small));
    EXPECT_FALSE(params()->value_to_text(instance.get(), 9, 0, small, sizeof small));
}

TEST_F(ClapParameters, TextsReadBackAndNoNumberIsRefused) {
    const TextCase cases[] = {
        {0, -6, "-6.0 dB"},  {1, 250, "250 ms"}, {1, 250, "250"}, {3, 1, "High-pass"},
        {3, 2, "band-pass"}, {3, 2, "2"},        {3, 1, "1.4"},   {4, 2000, "2000 Hz"},
        {6, -25, "L25"},     {6, 25, "R25"},     {6, 0, "<C>"},   {6, -10, "-10"},
        {2, 100, "250 %"},
    };
    for (const TextCase& c : cases) {
        double v = -1;
        ASSERT_TRUE(read(c.id, c.text, v)) << c.text;
        EXPECT_NEAR(v, c.value, 1e-9) << c.text;
    }
    double v = 0;
    for (const char* bad : {"", "ms", "loud", "nan", "L", "Sideways"})
        for (clap_id id : {0u, 1u, 3u, 6u}) EXPECT_FALSE(read(id, bad, v)) << id << " " << bad;
    EXPECT_FALSE(read(9, "1", v));
}

// value -> text -> value -> text gives the same text for every parameter
// across its range.
TEST_F(ClapParameters, TextRoundTripIsStable) {
    for (std::uint32_t id = 0; id < 9; ++id)
        for (int step = 0; step <= 100; ++step) {
            const double plain =
                kRows[id].minimum + (kRows[id].maximum - kRows[id].minimum) * step / 100.0 + 0.0137;
            const std::string first = text(id, plain);
            double back = 0;
            ASSERT_TRUE(read(id, first.c_str(), back)) << first;
            EXPECT_EQ(text(id, back), first) << id << " " << plain;
        }
}

TEST_F(ClapParameters, EventsForUnknownParametersAndNanChangeNothing) {
    ASSERT_TRUE(instance.activate(48000.0));
    double before[9];
    for (clap_id i = 0; i < 9; ++i) before[i] = instance.value(i);
    instance.events.paramValue(0, 9, 0.5);
    instance.events.paramValue(0, 0xFFFFFFFFu, 0.5);
    instance.events.paramValue(0, 2, NAN);
    clap_event_param_value_t foreign{};
    foreign.header = {sizeof foreign, 0, 7, CLAP_EVENT_PARAM_VALUE, 0};
    foreign.param_id = 2;
    foreign.value = 50;
    instance.events.raw(foreign.header);
    instance.process(32);
    for (clap_id i = 0; i < 9; ++i) EXPECT_EQ(instance.value(i), before[i]) << i;
    // Beyond the range is held to it.
    instance.events.paramValue(0, 2, 1e9);
    instance.events.paramValue(0, 1, -5);
    instance.process(32);
    EXPECT_DOUBLE_EQ(instance.value(2), 100.0);
    EXPECT_DOUBLE_EQ(instance.value(1), 0.0);
}

TEST_F(ClapParameters, FlushInactiveAndActiveGivesWhatProcessGives) {
    Instance processed(library, host);
    ASSERT_TRUE(processed.activate(48000.0));
    auto feed = [](Instance& i) {
        i.events.paramValue(0, 1, 123.0);
        i.events.paramValue(0, 4, 3000.0);
        i.events.midi(0, 0xB0, 2, 64);
    };
    feed(processed);
    processed.process(16);
    feed(instance);
    instance.flush();  // inactive: main thread
    Instance active(library, host);
    ASSERT_TRUE(active.activate(48000.0));
    feed(active);
    active.flush();
    for (clap_id i = 0; i < 9; ++i) {
        EXPECT_EQ(instance.value(i), processed.value(i)) << i;
        EXPECT_EQ(active.value(i), processed.value(i)) << i;
    }
    ASSERT_EQ(instance.output.size(), processed.output.size());
}

TEST_F(ClapParameters, ControlChangeIsReportedBackNotToBeRecorded) {
    ASSERT_TRUE(instance.activate(48000.0));
    instance.events.midi(5, 0xB3, 2, 127);  // feedback, any channel
    instance.events.midi(6, 0xB0, 9, 127);  // no tenth parameter
    instance.events.midi(7, 0x90, 2, 100);  // a note, not a controller
    instance.process(32);
    ASSERT_EQ(instance.output.size(), 1u);
    const claptest::OutputEvent& e = instance.output[0];
    EXPECT_EQ(e.type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_EQ(e.id, 2u);
    EXPECT_TRUE(e.flags & CLAP_EVENT_DONT_RECORD);
    EXPECT_NEAR(e.value, 100.0, 1e-4);
    EXPECT_NEAR(instance.value(2), 100.0, 1e-4);
}

}  // namespace
