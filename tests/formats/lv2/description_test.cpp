// The bundle as lilv reads it: its ports are the effect's parameter table
// (names, defaults) with the units table's symbols and ranges, the MIDI
// port takes MIDI, the panel is a separate X11 UI, and every factory preset
// loads and reaches the effect.
#include <gtest/gtest.h>
#include <lv2/midi/midi.h>
#include <lv2/port-props/port-props.h>
#include <lv2/presets/presets.h>
#include <lv2/ui/ui.h>

#include <cmath>
#include <cstring>
#include <string>

#include "effect/filter_delay_effect.h"
#include "effect/parameter_table.h"
#include "formats/common/factory_presets.h"
#include "formats/lv2/lv2_uris.h"
#include "formats/lv2/port_map.h"
#include "lv2_test_world.h"

namespace {

using namespace molvex;
using namespace molvex::lv2;

std::string trimmed(const char* text) {
    std::string s = text;
    const auto first = s.find_first_not_of(' ');
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

class Description : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(world.plugin, nullptr) << "no Molvex in " MOLVEX_LV2_BUNDLE; }
    const LilvPort* port(const std::string& symbol) {
        LilvNode* node = lilv_new_string(world.world, symbol.c_str());
        const LilvPort* p = lilv_plugin_get_port_by_symbol(world.plugin, node);
        lilv_node_free(node);
        return p;
    }
    bool is(const LilvPort* p, const char* classUri) {
        LilvNode* node = world.uri(classUri);
        const bool answer = lilv_port_is_a(world.plugin, p, node);
        lilv_node_free(node);
        return answer;
    }
    lv2test::World world;
};

TEST_F(Description, ControlPortsAreTheEffectsParameterTable) {
    FilterDelayEffect effect(nullptr);
    ASSERT_EQ(lilv_plugin_get_num_ports(world.plugin), kPortCount);
    for (VstInt32 i = 0; i < kParameterCount; ++i) {
        SCOPED_TRACE(kParameterTable[i].symbol);
        char name[64] = {};
        effect.getParameterName(i, name);
        for (int output = 0; output < 2; ++output) {
            const std::string symbol =
                std::string(kParameterTable[i].symbol) + (output ? "_out" : "");
            const LilvPort* p = port(symbol);
            ASSERT_NE(p, nullptr) << symbol;
            EXPECT_EQ(
                lilv_port_get_index(world.plugin, p),
                (output ? kPortFirstReport : kPortFirstControl) + static_cast<std::uint32_t>(i));
            EXPECT_TRUE(is(p, LV2_CORE__ControlPort));
            EXPECT_TRUE(is(p, output ? LV2_CORE__OutputPort : LV2_CORE__InputPort));
            LilvNode* notOnGui = world.uri(LV2_PORT_PROPS__notOnGUI);
            EXPECT_EQ(lilv_port_has_property(world.plugin, p, notOnGui), output == 1);
            lilv_node_free(notOnGui);
            LilvNode* portName = lilv_port_get_name(world.plugin, p);
            EXPECT_EQ(std::string(lilv_node_as_string(portName)).rfind(trimmed(name), 0), 0u);
            lilv_node_free(portName);
            LilvNode *def, *min, *max;
            lilv_port_get_range(world.plugin, p, &def, &min, &max);
            ASSERT_TRUE(def && min && max);
            EXPECT_EQ(lilv_node_as_float(min), kParameterTable[i].minimum);
            EXPECT_EQ(lilv_node_as_float(max), kParameterTable[i].maximum);
            // The default is the effect's own, through the units table.
            EXPECT_NEAR(
                normalizedFromPlain(static_cast<ParameterIndex>(i), lilv_node_as_float(def)),
                effect.getParameter(i), 1e-6);
            lilv_node_free(def);
            lilv_node_free(min);
            lilv_node_free(max);
        }
    }
}

TEST_F(Description, FilterTypeIsAnEnumerationOfThreeResponses) {
    const LilvPort* p = port("filter_type");
    ASSERT_NE(p, nullptr);
    LilvScalePoints* points = lilv_port_get_scale_points(world.plugin, p);
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(lilv_scale_points_size(points), static_cast<unsigned>(kFilterChoiceCount));
    LILV_FOREACH(scale_points, i, points) {
        const LilvScalePoint* point = lilv_scale_points_get(points, i);
        const int value = static_cast<int>(lilv_node_as_float(lilv_scale_point_get_value(point)));
        ASSERT_GE(value, 0);
        ASSERT_LT(value, kFilterChoiceCount);
        EXPECT_STREQ(lilv_node_as_string(lilv_scale_point_get_label(point)),
                     kFilterChoices[value].name);
        // Each point selects the response its label names.
        EXPECT_EQ(static_cast<int>(filterTypeFor(normalizedFromPlain(ParameterIndex::Type, value))),
                  value);
    }
    lilv_scale_points_free(points);
    LilvNode* enumeration = world.uri(LV2_CORE__enumeration);
    EXPECT_TRUE(lilv_port_has_property(world.plugin, p, enumeration));
    lilv_node_free(enumeration);
}

TEST_F(Description, AudioAndMidiPorts) {
    const char* audio[] = {"in_l", "in_r", "out_l", "out_r"};
    for (std::uint32_t i = 0; i < 4; ++i) {
        const LilvPort* p = port(audio[i]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(lilv_port_get_index(world.plugin, p), kPortInputLeft + i);
        EXPECT_TRUE(is(p, LV2_CORE__AudioPort));
        EXPECT_TRUE(is(p, i < 2 ? LV2_CORE__InputPort : LV2_CORE__OutputPort));
    }
    const LilvPort* midi = port("midi_in");
    ASSERT_NE(midi, nullptr);
    EXPECT_TRUE(is(midi, LV2_ATOM__AtomPort));
    LilvNode* event = world.uri(LV2_MIDI__MidiEvent);
    EXPECT_TRUE(lilv_port_supports_event(world.plugin, midi, event));
    lilv_node_free(event);
}

TEST_F(Description, PanelIsASeparateX11Library) {
    LilvUIs* uis = lilv_plugin_get_uis(world.plugin);
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
    EXPECT_STREQ(lilv_node_as_uri(lilv_ui_get_uri(ui)), kUiUri);
    LilvNode* x11 = world.uri(LV2_UI__X11UI);
    EXPECT_TRUE(lilv_ui_is_a(ui, x11));
    lilv_node_free(x11);
    EXPECT_STRNE(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)),
                 lilv_node_as_uri(lilv_plugin_get_library_uri(world.plugin)));
    lilv_uis_free(uis);
}

TEST_F(Description, FactoryPresetsLoadAndReachTheEffect) {
    LilvNode* presetClass = world.uri(LV2_PRESETS__Preset);
    LilvNodes* presets = lilv_plugin_get_related(world.plugin, presetClass);
    EXPECT_EQ(lilv_nodes_size(presets), static_cast<unsigned>(kFactoryPresetCount));
    lilv_nodes_free(presets);
    lilv_node_free(presetClass);
    for (const FactoryPreset& preset : kFactoryPresets) {
        SCOPED_TRACE(preset.symbol);
        LilvNode* uri = world.uri((std::string(kPresetUriPrefix) + preset.symbol).c_str());
        lilv_world_load_resource(world.world, uri);
        LilvState* state = lilv_state_new_from_world(world.world, world.urids.mapFeature(), uri);
        lilv_node_free(uri);
        ASSERT_NE(state, nullptr);
        EXPECT_STREQ(lilv_state_get_label(state), preset.label);
        lv2test::Instance instance(world, 48000.0);
        ASSERT_TRUE(instance.ok());
        lilv_state_restore(state, instance.instance, &lv2test::Instance::setPortValue, &instance, 0,
                           nullptr);
        lilv_state_free(state);
        instance.run(16);
        for (VstInt32 i = 0; i < kParameterCount; ++i) {
            const auto p = static_cast<ParameterIndex>(i);
            EXPECT_FLOAT_EQ(instance.controls[i], preset.plainValues[i]) << i;
            // A value the port's range does not hold would be clamped away.
            EXPECT_GE(preset.plainValues[i], kParameterTable[i].minimum) << i;
            EXPECT_LE(preset.plainValues[i], kParameterTable[i].maximum) << i;
            // The effect holds what the preset says, in its own terms.
            EXPECT_NEAR(normalizedFromPlain(p, instance.reports[i]),
                        normalizedFromPlain(p, preset.plainValues[i]), 1e-5)
                << i;
        }
    }
}

// Units: what each port value means for the effect.
TEST(PortUnits, ConvertAsTheEffectsValueTextsRead) {
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Delay, 250.0f), 0.25f);
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Feedback, 57.0f), 0.57f);
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::InputLevel, 0.0f), 1.0f);
    EXPECT_NEAR(normalizedFromPlain(ParameterIndex::WetLevel, -6.0206f), 0.5f, 1e-5);
    EXPECT_EQ(normalizedFromPlain(ParameterIndex::DryLevel, kSilenceDecibels), 0.0f);
    EXPECT_EQ(plainFromNormalized(ParameterIndex::DryLevel, 0.0f), kSilenceDecibels);
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Pan, -50.0f), 0.0f);
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Pan, 0.0f), 0.5f);
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Pan, 50.0f), 1.0f);
    // The filter sits at 20 Hz + value^2 x 12000 Hz at 48 kHz.
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Cutoff, 20.0f + 3000.0f), 0.5f);
    EXPECT_FLOAT_EQ(plainFromNormalized(ParameterIndex::Cutoff, 1.0f), 12020.0f);
    EXPECT_EQ(normalizedFromPlain(ParameterIndex::Type, 1.0f), 0.5f);
    EXPECT_EQ(plainFromNormalized(ParameterIndex::Type, 0.7f), 2.0f);
    // Out of range is clamped, NaN passed on for the caller to ignore.
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Delay, 5000.0f), 1.0f);
    EXPECT_FLOAT_EQ(normalizedFromPlain(ParameterIndex::Feedback, -3.0f), 0.0f);
    EXPECT_TRUE(std::isnan(normalizedFromPlain(ParameterIndex::Delay, NAN)));
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        for (float v : {0.0f, 0.1f, 0.5f, 0.8f, 1.0f}) {
            const auto p = static_cast<ParameterIndex>(i);
            if (p == ParameterIndex::Type) continue;
            EXPECT_NEAR(normalizedFromPlain(p, plainFromNormalized(p, v)), v, 1e-5)
                << i << " " << v;
        }
}

}  // namespace
