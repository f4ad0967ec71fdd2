// The entry, factory and descriptor as a scanning host meets them, and the
// ports, latency and tail a host reads before it plays.
#include <gtest/gtest.h>

#include <clap/ext/audio-ports.h>
#include <clap/ext/latency.h>
#include <clap/ext/note-ports.h>

#include <cstring>
#include <string>

#include <cmath>

#include "clap_host.h"
#include "white_noise.h"

namespace {

using claptest::Host;
using claptest::Instance;
using claptest::Library;

TEST(ClapEntry, FactoryAnswersOnlyItsOwnIdAndOnlyTheWholeId) {
    Library library(MOLVEX_CLAP_PLUGIN);
    ASSERT_TRUE(library.ok()) << library.error();
    const clap_plugin_entry_t* entry = library.getEntry();
    EXPECT_EQ(entry->get_factory("clap.plugin-factory.x"), nullptr);
    EXPECT_EQ(entry->get_factory("clap.plugin-factor"), nullptr);
    EXPECT_EQ(entry->get_factory("clap.preset-discovery-factory"), nullptr);
    EXPECT_EQ(entry->get_factory(nullptr), nullptr);
    const clap_plugin_factory_t* factory = library.factory();
    ASSERT_NE(factory, nullptr);
    ASSERT_EQ(factory->get_plugin_count(factory), 1u);
    EXPECT_EQ(factory->get_plugin_descriptor(factory, 1), nullptr);
    const std::string id = factory->get_plugin_descriptor(factory, 0)->id;
    Host host;
    for (const std::string& wrong : {id + " ", id + "x", id.substr(0, id.size() - 1),
                                     std::string("com.other.plugin"), std::string()})
        EXPECT_EQ(factory->create_plugin(factory, host.get(), wrong.c_str()), nullptr) << wrong;
    EXPECT_EQ(factory->create_plugin(factory, host.get(), nullptr), nullptr);
    EXPECT_EQ(factory->create_plugin(factory, nullptr, id.c_str()), nullptr);
}

TEST(ClapEntry, DescriptorCarriesTheProjectVersionAndTheEffectsFeatures) {
    Library library(MOLVEX_CLAP_PLUGIN);
    ASSERT_TRUE(library.ok());
    const clap_plugin_descriptor_t* d =
        library.factory()->get_plugin_descriptor(library.factory(), 0);
    EXPECT_STREQ(d->id, "com.molvex.filter-delay");
    EXPECT_STREQ(d->name, "Molvex");
    EXPECT_STREQ(d->version, MOLVEX_VERSION);
    EXPECT_TRUE(clap_version_is_compatible(d->clap_version));
    std::string features;
    for (const char* const* f = d->features; *f; ++f) features += std::string(*f) + ",";
    EXPECT_EQ(features, "audio-effect,stereo,delay,");
}

TEST(ClapEntry, InitAndDeinitRepeatAndCreatingAsksTheHostNothing) {
    Library library(MOLVEX_CLAP_PLUGIN);
    ASSERT_TRUE(library.ok());
    const clap_plugin_entry_t* entry = library.getEntry();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(entry->init(MOLVEX_CLAP_PLUGIN));
        entry->deinit();
    }
    Host host;
    const clap_plugin_factory_t* factory = library.factory();
    const clap_plugin_t* plugin =
        factory->create_plugin(factory, host.get(), "com.molvex.filter-delay");
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(host.extensionQueries, 0);
    // Destroyed before init and unactivated, as Qtractor's first instance is.
    plugin->destroy(plugin);
}

TEST(ClapEntry, HostWithoutExtensionsGetsAWorkingInstance) {
    Library library(MOLVEX_CLAP_PLUGIN);
    Host host;
    host.offerExtensions = false;
    Instance instance(library, host);
    ASSERT_TRUE(instance.ok());
    ASSERT_TRUE(instance.activate(48000.0));
    instance.events.paramValue(0, 7, 0.0);  // dry level 0 dB
    instance.inL.assign(64, 0.25f);
    instance.inR.assign(64, 0.25f);
    EXPECT_EQ(instance.process(64), CLAP_PROCESS_CONTINUE);
    EXPECT_FLOAT_EQ(instance.outL[10], 0.25f);
}

TEST(ClapEntry, PortsAreOneStereoPairInPlaceAndOneMidiInput) {
    Library library(MOLVEX_CLAP_PLUGIN);
    Host host;
    Instance instance(library, host);
    ASSERT_TRUE(instance.ok());
    const auto* audio = instance.extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    ASSERT_NE(audio, nullptr);
    for (bool input : {true, false}) {
        ASSERT_EQ(audio->count(instance.get(), input), 1u);
        clap_audio_port_info_t info{};
        ASSERT_TRUE(audio->get(instance.get(), 0, input, &info));
        EXPECT_EQ(info.channel_count, 2u);
        EXPECT_STREQ(info.port_type, CLAP_PORT_STEREO);
        EXPECT_TRUE(info.flags & CLAP_AUDIO_PORT_IS_MAIN);
        EXPECT_EQ(info.in_place_pair, info.id);
        EXPECT_FALSE(audio->get(instance.get(), 1, input, &info));
    }
    const auto* notes = instance.extension<clap_plugin_note_ports_t>(CLAP_EXT_NOTE_PORTS);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->count(instance.get(), true), 1u);
    EXPECT_EQ(notes->count(instance.get(), false), 0u);
    clap_note_port_info_t info{};
    ASSERT_TRUE(notes->get(instance.get(), 0, true, &info));
    EXPECT_TRUE(info.supported_dialects & CLAP_NOTE_DIALECT_MIDI);
    EXPECT_EQ(info.preferred_dialect, static_cast<std::uint32_t>(CLAP_NOTE_DIALECT_MIDI));
    const auto* latency = instance.extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
    ASSERT_NE(latency, nullptr);
    EXPECT_EQ(latency->get(instance.get()), 0u);
    EXPECT_EQ(instance.extension<void>("clap.unknown"), nullptr);
}

struct TailCase {
    const char* what;
    double delayMs, feedbackPercent, resonancePercent;
    bool infinite;
    double atLeastSeconds;
};

class ClapTail : public testing::TestWithParam<TailCase> {};

// The tail covers every echo down to -100 dB, and never ends while the
// feedback holds the signal.
TEST_P(ClapTail, CoversTheEchoesTheSettingsRingFor) {
    const TailCase& c = GetParam();
    Library library(MOLVEX_CLAP_PLUGIN);
    Host host;
    Instance instance(library, host);
    ASSERT_TRUE(instance.activate(48000.0));
    instance.events.paramValue(0, 1, c.delayMs);
    instance.events.paramValue(0, 2, c.feedbackPercent);
    instance.events.paramValue(0, 5, c.resonancePercent);
    instance.process(16);
    struct Tail {
        std::uint32_t (*get)(const clap_plugin_t*);
    };
    const auto* tail = instance.extension<Tail>("clap.tail");
    ASSERT_NE(tail, nullptr);
    const std::uint32_t samples = tail->get(instance.get());
    if (c.infinite) {
        EXPECT_GE(samples, 0x7fffffffu) << c.what;
        return;
    }
    EXPECT_LT(samples, 0x7fffffffu) << c.what;
    EXPECT_GE(samples, c.atLeastSeconds * 48000.0) << c.what;
    EXPECT_LE(samples, c.atLeastSeconds * 48000.0 * 3 + 48000) << c.what;
    EXPECT_GE(host.tailChanges, 1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Settings, ClapTail,
                         testing::Values(TailCase{"no feedback: one echo", 250, 0, 0, false, 0.25},
                                         // 0.5^17 is below -100 dB: 18 echoes of 100 ms.
                                         TailCase{"half feedback", 100, 50, 0, false, 1.7},
                                         TailCase{"full feedback holds", 300, 100, 0, true, 0},
                                         TailCase{"resonance lifts the loop over unity", 300, 80,
                                                  100, true, 0}));

}  // namespace

namespace {

// Rates the effect can make a line for are taken, others refused with the
// instance left as it was (still usable at a good rate afterwards).
TEST(ClapActivation, TakesRatesFromOneKilohertzTo768AndRefusesNonsense) {
    Library library(MOLVEX_CLAP_PLUGIN);
    Host host;
    Instance instance(library, host);
    for (double rate : {1000.0, 44100.0, 96000.0, 768000.0}) {
        EXPECT_TRUE(instance.activate(rate)) << rate;
        instance.deactivate();
    }
    for (double rate : {0.0, -48000.0, 0.5, 5e6, double(NAN), double(INFINITY)})
        EXPECT_FALSE(instance.activate(rate)) << rate;
    EXPECT_TRUE(instance.activate(48000.0));
}

// In place (outputs are the inputs) gives what separate buffers give.
TEST(ClapAudio, InPlaceIsTheSameAsOutOfPlace) {
    Library library(MOLVEX_CLAP_PLUGIN);
    Host host;
    auto render = [&](bool inPlace) {
        Instance instance(library, host);
        EXPECT_TRUE(instance.activate(48000.0));
        instance.inL = testsupport::whiteNoise(2048, 0.5f, 5);
        instance.inR = testsupport::whiteNoise(2048, 0.5f, 6);
        instance.events.paramValue(0, 1, 5.0);
        instance.events.paramValue(0, 7, -3.0);
        for (std::size_t at = 0; at < 2048; at += 512) instance.process(512, at, inPlace);
        return inPlace ? std::make_pair(instance.inL, instance.inR)
                       : std::make_pair(instance.outL, instance.outR);
    };
    const auto apart = render(false);
    const auto same = render(true);
    EXPECT_EQ(apart.first, same.first);
    EXPECT_EQ(apart.second, same.second);
    EXPECT_NE(apart.first, apart.second);
}

}  // namespace
