// The sixteen programs and the current program survive a save and restore
// through lilv's state (what hosts keep in a session), and a state that is
// not well-formed is refused without changing anything.
#include <gtest/gtest.h>
#include <lv2/state/state.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/port_map.h"
#include "lv2_test_world.h"

namespace {

using namespace molvex;
using namespace molvex::lv2;

// A state store held in memory, to call the plug-in's interface directly.
struct Store : lv2test::StateStore {
    explicit Store(lv2test::UridMap* map) : urids(map) {}
    lv2test::UridMap* urids;

    void setPrograms(const std::string& text, std::int32_t current) {
        set(urids->map(kStatePrograms), text.c_str(), text.size() + 1,
            urids->map(LV2_ATOM__String));
        set(urids->map(kStateCurrentProgram), &current, sizeof current, urids->map(LV2_ATOM__Int));
    }
    std::string programs() { return values[urids->map(kStatePrograms)].bytes.c_str(); }
};

const LV2_State_Interface* stateInterface(lv2test::Instance& instance) {
    return static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance.instance, LV2_STATE__interface));
}

// Sixteen programs, each different, one named with spaces.
std::string programsText() {
    std::string text;
    for (int p = 0; p < kProgramCount; ++p) {
        for (int i = 0; i < kParameterCount; ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "%.9g ", (p * 9 + i) / 150.0f);
            text += number;
        }
        text += p == 3   ? "Dub in the hall"
                : p == 9 ? "Twenty-three characters"
                         : "Program " + std::to_string(p);
        text += '\n';
    }
    return text;
}

class State : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(world.plugin, nullptr); }
    lv2test::World world;
};

TEST_F(State, ProgramsAndCurrentProgramComeBackThroughASavedSession) {
    lv2test::Instance first(world, 48000.0);
    ASSERT_TRUE(first.ok());
    const LV2_State_Interface* state = stateInterface(first);
    ASSERT_NE(state, nullptr);
    Store written{&world.urids};
    written.setPrograms(programsText(), 3);
    // Hosts (Ardour) hand save and restore no urid:map: none is given here.
    ASSERT_EQ(state->restore(first.instance->lv2_handle, &Store::retrieve, &written, 0, nullptr),
              LV2_STATE_SUCCESS);
    first.run(8);
    // The current program's values reach the effect: program 3's delay is
    // (3 x 9 + 1) / 150.
    EXPECT_NEAR(first.reports[1], 28.0f / 150.0f * 1000.0f, 1e-3);

    // Through lilv, as a host saves and loads a session.
    LilvState* saved = lilv_state_new_from_instance(
        world.plugin, first.instance, world.urids.mapFeature(), nullptr, nullptr, nullptr, nullptr,
        &lv2test::Instance::getPortValue, &first, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE,
        world.urids.features());
    ASSERT_NE(saved, nullptr);
    char* text =
        lilv_state_to_string(world.world, world.urids.mapFeature(), world.urids.unmapFeature(),
                             saved, "urn:test:session", nullptr);
    lilv_state_free(saved);
    ASSERT_NE(text, nullptr);
    LilvState* loaded = lilv_state_new_from_string(world.world, world.urids.mapFeature(), text);
    lilv_free(text);
    ASSERT_NE(loaded, nullptr);

    lv2test::Instance second(world, 48000.0);
    ASSERT_TRUE(second.ok());
    lilv_state_restore(loaded, second.instance, &lv2test::Instance::setPortValue, &second, 0,
                       world.urids.features());
    lilv_state_free(loaded);
    second.run(8);
    for (int i = 0; i < kParameterCount; ++i)
        EXPECT_FLOAT_EQ(second.reports[i], first.reports[i]) << i;
    Store again{&world.urids};
    ASSERT_EQ(stateInterface(second)->save(second.instance->lv2_handle, &Store::store, &again, 0,
                                           nullptr),
              LV2_STATE_SUCCESS);
    EXPECT_EQ(again.programs(), programsText());
    std::int32_t current = -1;
    std::memcpy(&current, again.values[world.urids.map(kStateCurrentProgram)].bytes.data(),
                sizeof current);
    EXPECT_EQ(current, 3);
}

// Hosts copy a plug-in in memory (duplicate a track, A/B compare, undo):
// lilv's state made from the instance goes straight into another, no file
// or text between them, and the copy carries every program.
TEST_F(State, AnInMemoryCopyCarriesEveryProgram) {
    lv2test::Instance first(world, 48000.0);
    ASSERT_TRUE(first.ok());
    Store written{&world.urids};
    written.setPrograms(programsText(), 9);
    ASSERT_EQ(stateInterface(first)->restore(first.instance->lv2_handle, &Store::retrieve, &written,
                                             0, nullptr),
              LV2_STATE_SUCCESS);
    first.run(8);
    for (const std::uint32_t flags : {0u, unsigned{LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE}}) {
        LilvState* copy = lilv_state_new_from_instance(
            world.plugin, first.instance, world.urids.mapFeature(), nullptr, nullptr, nullptr,
            nullptr, &lv2test::Instance::getPortValue, &first, flags, world.urids.features());
        ASSERT_NE(copy, nullptr);
        lv2test::Instance second(world, 48000.0);
        ASSERT_TRUE(second.ok());
        lilv_state_restore(copy, second.instance, &lv2test::Instance::setPortValue, &second, 0,
                           world.urids.features());
        lilv_state_free(copy);
        second.run(8);
        for (int i = 0; i < kParameterCount; ++i)
            EXPECT_FLOAT_EQ(second.reports[i], first.reports[i]) << i;
        Store again{&world.urids};
        ASSERT_EQ(stateInterface(second)->save(second.instance->lv2_handle, &Store::store, &again,
                                               0, nullptr),
                  LV2_STATE_SUCCESS);
        EXPECT_EQ(again.programs(), programsText());
        std::int32_t current = -1;
        std::memcpy(&current, again.values[world.urids.map(kStateCurrentProgram)].bytes.data(),
                    sizeof current);
        EXPECT_EQ(current, 9);
    }
}

TEST_F(State, MalformedStateIsRefusedAndChangesNothing) {
    lv2test::Instance instance(world, 48000.0);
    ASSERT_TRUE(instance.ok());
    instance.run(8);
    const LV2_State_Interface* state = stateInterface(instance);
    Store before{&world.urids};
    ASSERT_EQ(state->save(instance.instance->lv2_handle, &Store::store, &before, 0,
                          world.urids.features()),
              LV2_STATE_SUCCESS);
    const std::string good = programsText();
    const std::string shortText = good.substr(0, good.rfind('\n', good.size() - 2) + 1);
    const std::string longName = "0 0 0 0 0 0 0 0 0 a name far longer than the field\n";
    struct Case {
        std::string text;
        std::int32_t current;
    } cases[] = {{shortText, 0},
                 {good + good, 0},
                 {good, 16},
                 {good, -1},
                 {"nan" + good.substr(good.find(' ')), 0},
                 {"1.5" + good.substr(good.find(' ')), 0},
                 {longName + good.substr(good.find('\n') + 1), 0},
                 {"0 0 x\n", 0}};
    for (const Case& c : cases) {
        Store bad{&world.urids};
        bad.setPrograms(c.text, c.current);
        EXPECT_NE(state->restore(instance.instance->lv2_handle, &Store::retrieve, &bad, 0,
                                 world.urids.features()),
                  LV2_STATE_SUCCESS);
    }
    Store empty{&world.urids};
    EXPECT_NE(state->restore(instance.instance->lv2_handle, &Store::retrieve, &empty, 0,
                             world.urids.features()),
              LV2_STATE_SUCCESS);
    Store after{&world.urids};
    state->save(instance.instance->lv2_handle, &Store::store, &after, 0, world.urids.features());
    EXPECT_EQ(after.programs(), before.programs());
}

}  // namespace

namespace {

// lv2apply offers no urid:map: the plug-in must still instantiate and play,
// and its state functions refuse instead of guessing at URIDs.
TEST(NoUridMap, PlaysAndRefusesState) {
    lv2test::World world;
    ASSERT_NE(world.plugin, nullptr);
    LilvInstance* instance = lilv_plugin_instantiate(world.plugin, 48000.0, nullptr);
    ASSERT_NE(instance, nullptr);
    std::vector<float> in(64, 0.25f), outL(64), outR(64);
    float controls[kParameterCount] = {0, 0, 0, 0, 12020, 0, 0, 0, -70};
    lilv_instance_connect_port(instance, kPortInputLeft, in.data());
    lilv_instance_connect_port(instance, kPortInputRight, in.data());
    lilv_instance_connect_port(instance, kPortOutputLeft, outL.data());
    lilv_instance_connect_port(instance, kPortOutputRight, outR.data());
    for (std::uint32_t i = 0; i < kParameterCount; ++i)
        lilv_instance_connect_port(instance, kPortFirstControl + i, &controls[i]);
    lilv_instance_activate(instance);
    lilv_instance_run(instance, 64);
    EXPECT_FLOAT_EQ(outL[10], 0.25f);  // dry at 0 dB, wet off
    const auto* state = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(instance, LV2_STATE__interface));
    Store store{&world.urids};
    EXPECT_EQ(state->save(instance->lv2_handle, &Store::store, &store, 0, nullptr),
              LV2_STATE_ERR_NO_FEATURE);
    EXPECT_TRUE(store.values.empty());
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
}

}  // namespace
