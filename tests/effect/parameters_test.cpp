#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "effect/filter_delay_effect.h"
#include "midi_events.h"
#include "test_host.h"

using namespace molvex;
using enum ParameterIndex;
using enum FilterType;

namespace {

// Remembers every parameter change the effect reports to its editor.
class RecordingEditor : public PluginEditor {
public:
    using PluginEditor::PluginEditor;
    void setParameter(VstInt32 index, float value) override {
        changes.emplace_back(index, value);
        PluginEditor::setParameter(index, value);
    }
    std::vector<std::pair<VstInt32, float>> changes;
};

std::unique_ptr<PluginEditor> makeRecordingEditor(FilterDelayEffect& effect) {
    return std::make_unique<RecordingEditor>(&effect);
}

std::string programName(FilterDelayEffect& effect) {
    char text[64];
    effect.getProgramName(text);
    return text;
}

std::string display(FilterDelayEffect& effect, VstInt32 index, float value) {
    effect.setParameter(index, value);
    char text[64];
    effect.getParameterDisplay(index, text);
    return text;
}
std::string display(FilterDelayEffect& effect, ParameterIndex parameter, float value) {
    return display(effect, toIndex(parameter), value);
}

// A block of no frames lets the audio side take up parameter changes.
void settle(FilterDelayEffect& effect) { effect.processReplacing(nullptr, nullptr, 0); }

}  // namespace

TEST(Parameters, ConstructionAppliesProgramZero) {
    FilterDelayEffect effect(nullptr);
    EXPECT_EQ(effect.getDelaySamples(), 22049);
    EXPECT_EQ(effect.getWriteIndex(), 0);
    EXPECT_EQ(effect.getReadIndex(), 22051);
    EXPECT_NEAR(effect.getPanGainLeft(), 0.707, 5e-7);
    EXPECT_NEAR(effect.getPanGainRight(), 0.707, 5e-7);
    EXPECT_EQ(effect.getParameter(9), 0.0f);
    EXPECT_EQ(effect.getParameter(-1), 0.0f);
}

TEST(Parameters, EveryProgramTheHostSelectsStartsAtTheConstructedValues) {
    FilterDelayEffect reference(nullptr);
    FilterDelayEffect effect(nullptr);
    AEffect* record = effect.getRecord();
    for (VstInt32 program = 15; program >= 0; --program) {
        record->dispatcher(record, effSetProgram, 0, program, nullptr, 0.0f);
        ASSERT_EQ(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0.0f), program);
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            EXPECT_EQ(record->getParameter(record, i), reference.getParameter(i)) << program;
    }
}

TEST(Parameters, ProgramZeroSelectedAfterAnotherBringsItsValuesBack) {
    FilterDelayEffect effect(nullptr);
    AEffect* record = effect.getRecord();
    effect.setParameter(Delay, 0.25f);
    effect.setParameter(Pan, 0.0f);
    settle(effect);
    const VstInt32 delayOfProgramZero = effect.getDelaySamples();

    record->dispatcher(record, effSetProgram, 0, 3, nullptr, 0.0f);
    effect.setParameter(Delay, 0.75f);
    effect.setParameter(Pan, 1.0f);
    settle(effect);
    ASSERT_NE(effect.getDelaySamples(), delayOfProgramZero);

    record->dispatcher(record, effSetProgram, 0, 0, nullptr, 0.0f);
    settle(effect);
    EXPECT_EQ(record->dispatcher(record, effGetProgram, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.getParameter(Delay), 0.25f);
    EXPECT_EQ(effect.getParameter(Pan), 0.0f);
    EXPECT_EQ(effect.getDelaySamples(), delayOfProgramZero);
    EXPECT_NEAR(effect.getPanGainRight(), 0.0f, 1e-6);
}

TEST(Parameters, NamesAndLabels) {
    FilterDelayEffect effect(nullptr);
    const char* names[] = {"Input Level", " Delay ", "Feedback",  " Type ",   " Cutoff ",
                           "Resonance",   " Pan ",   "Dry Level", "Wet Level"};
    const char* labels[] = {" db ", "ms", "%", "", "", "", "", " db ", " db "};
    for (VstInt32 i = 0; i < kParameterCount; ++i) {
        char text[64];
        effect.getParameterName(i, text);
        EXPECT_STREQ(text, names[i]);
        effect.getParameterLabel(i, text);
        EXPECT_STREQ(text, labels[i]);
    }
    char untouched[16] = "keep";
    effect.getParameterName(9, untouched);
    effect.getParameterLabel(9, untouched);
    effect.getParameterDisplay(9, untouched);
    EXPECT_STREQ(untouched, "keep");
}

TEST(Parameters, DisplayTexts) {
    FilterDelayEffect effect(nullptr);
    EXPECT_EQ(display(effect, Delay, 0.5f), "500");
    EXPECT_EQ(display(effect, Feedback, 0.57f), "56");
    EXPECT_EQ(display(effect, Resonance, 1.0f), "100");
    EXPECT_EQ(display(effect, Cutoff, 0.5f), "5512");
    EXPECT_EQ(display(effect, Pan, 0.5f), "<C>");
    EXPECT_EQ(display(effect, Pan, 0.51f), "<C>");
    EXPECT_EQ(display(effect, Pan, 0.0f), "L50");
    EXPECT_EQ(display(effect, Pan, 1.0f), "R50");
    EXPECT_EQ(display(effect, Pan, 0.25f), "L25");
    EXPECT_EQ(display(effect, Type, 0.33f), "HighPass");
    EXPECT_EQ(display(effect, Type, 0.66f), "BandPass");
    EXPECT_EQ(display(effect, Type, 0.329f), "LowPass");
    EXPECT_EQ(display(effect, InputLevel, 1.0f), "0.000000");
    EXPECT_EQ(display(effect, DryLevel, 0.0f), "  -oo   ");
    EXPECT_EQ(display(effect, WetLevel, 0.5f), "-6.02059");
}

TEST(Parameters, AbsurdValuesStillGiveShortTexts) {
    FilterDelayEffect effect(nullptr);
    for (float value : {1e30f, -1e30f, std::nanf(""), 3e9f})
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            EXPECT_LE(display(effect, static_cast<ParameterIndex>(i), value).size(), 8u)
                << i << " " << value;
}

TEST(Programs, NamesAreNumberedWhileTheyReadInit) {
    FilterDelayEffect effect(nullptr);
    EXPECT_EQ(programName(effect), "Init 1");
    effect.setProgram(15);
    EXPECT_EQ(programName(effect), "Init 16");
    char init[] = "Init";
    effect.setProgramName(init);
    EXPECT_EQ(programName(effect), "Init 16");
    char bass[] = "Bass";
    effect.setProgramName(bass);
    EXPECT_EQ(programName(effect), "Bass");
    effect.setProgram(14);
    EXPECT_EQ(programName(effect), "Init 15");
}

TEST(Programs, LongNamesAreCutToTheField) {
    FilterDelayEffect effect(nullptr);
    char longName[] = "A name much longer than twenty-three characters";
    effect.setProgramName(longName);
    char text[64];
    std::memset(text, '#', sizeof text);
    effect.getProgramName(text);
    EXPECT_STREQ(text, std::string(longName, 23).c_str());
    effect.setProgram(1);
    EXPECT_EQ(programName(effect), "Init 2");
}

TEST(Programs, EditingAParameterEditsTheCurrentProgram) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Feedback, 0.4f);
    effect.setProgram(1);
    EXPECT_EQ(effect.getParameter(Feedback), 0.0f);
    effect.setProgram(0);
    EXPECT_EQ(effect.getParameter(Feedback), 0.4f);
}

TEST(Programs, ADispatchedNegativeProgramIsRefused) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    r->dispatcher(r, effSetProgram, 0, 3, nullptr, 0.0f);
    r->dispatcher(r, effSetProgram, 0, -1, nullptr, 0.0f);
    r->dispatcher(r, effSetProgram, 0, 16, nullptr, 0.0f);
    EXPECT_EQ(r->dispatcher(r, effGetProgram, 0, 0, nullptr, 0.0f), 3);
    r->dispatcher(r, effSetProgram, 0, 15, nullptr, 0.0f);
    EXPECT_EQ(r->dispatcher(r, effGetProgram, 0, 0, nullptr, 0.0f), 15);
}

TEST(Parameters, ZeroDelayBecomesOneSample) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Delay, 0.0f);
    settle(effect);
    EXPECT_EQ(effect.getDelaySamples(), 0);
    EXPECT_EQ(effect.getReadIndex(), 0);
    EXPECT_EQ(effect.getWriteIndex(), 1);
    effect.setParameter(Delay, 0.0f);
    settle(effect);
    EXPECT_EQ(effect.getWriteIndex(), 2);
    EXPECT_EQ(effect.getReadIndex(), 1);
}

TEST(Parameters, LongestDelayIsOneSampleShortOfASecond) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Delay, 1.0f);
    settle(effect);
    EXPECT_EQ(effect.getDelaySamples(), 44099);
    EXPECT_EQ(effect.getReadIndex(), 1);
}

TEST(Parameters, DelaysOutsideTheRangeStayInsideTheLine) {
    FilterDelayEffect effect(nullptr);
    for (float value : {-1.0f, 2.0f, 1e30f, -1e30f, std::nanf(""), 1.0000001f}) {
        effect.setParameter(Delay, value);
        settle(effect);
        EXPECT_GE(effect.getReadIndex(), 0) << value;
        EXPECT_LT(effect.getReadIndex(), effect.getDelayLineLength()) << value;
        EXPECT_GE(effect.getWriteIndex(), 0) << value;
        EXPECT_LT(effect.getWriteIndex(), effect.getDelayLineLength()) << value;
        const float kept = effect.getParameter(Delay);
        EXPECT_TRUE(kept == value || (std::isnan(kept) && std::isnan(value))) << "value is kept";
    }
}

TEST(Parameters, PanIsConstantPower) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Pan, 0.0f);
    settle(effect);
    EXPECT_NEAR(effect.getPanGainLeft(), 0.99985, 1e-5);
    EXPECT_NEAR(effect.getPanGainRight(), 0.0, 1e-7);
    effect.setParameter(Pan, 1.0f);
    settle(effect);
    EXPECT_NEAR(effect.getPanGainLeft(), 0.0, 1e-7);
    EXPECT_NEAR(effect.getPanGainRight(), 0.99985, 1e-5);
    for (float pan : {0.1f, 0.3f, 0.7f}) {
        effect.setParameter(Pan, pan);
        settle(effect);
        const double power = double(effect.getPanGainLeft()) * effect.getPanGainLeft() +
                             double(effect.getPanGainRight()) * effect.getPanGainRight();
        EXPECT_NEAR(power, 2 * 0.707 * 0.707, 1e-6) << pan;
    }
}

TEST(Parameters, EveryChangeReachesTheEditorEvenOutOfRange) {
    FilterDelayEffect effect(nullptr, makeRecordingEditor);
    auto* editor = static_cast<RecordingEditor*>(effect.getEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(effect.getRecord()->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_TRUE(editor->changes.empty()) << "no editor existed while program 0 was applied";
    effect.setParameter(12, 0.3f);
    ASSERT_EQ(editor->changes.size(), 1u);
    EXPECT_EQ(editor->changes[0].first, 12);
    EXPECT_EQ(editor->changes[0].second, 0.3f);
    effect.setProgram(2);
    EXPECT_EQ(editor->changes.size(), 10u);
}

TEST(Parameters, FilterFollowsItsParameters) {
    FilterDelayEffect effect(nullptr);
    effect.setParameter(Type, 0.5f);
    effect.setParameter(Resonance, 1.0f);
    effect.setParameter(Cutoff, 0.5f);
    settle(effect);
    EXPECT_EQ(effect.getFilter().getType(), HighPass);
    EXPECT_DOUBLE_EQ(effect.getFilter().getQ(), 5.0);
    EXPECT_NEAR(effect.getFilter().getOmega(), (20.0 / 44100 + 0.0625) * 6.283185307179586, 1e-12);
}

TEST(Midi, ControlChangesSetParametersOnAnyChannel) {
    RecordingHost host;
    FilterDelayEffect effect(RecordingHost::callback);
    host.calls.clear();
    testsupport::MidiEvents list;
    list.add(0xB5, 2, 64).add(0xB0, 8, 127);  // feedback, wet level
    AEffect* r = effect.getRecord();
    EXPECT_EQ(r->dispatcher(r, effProcessEvents, 0, 0, list.list(), 0.0f), 1);
    EXPECT_EQ(effect.getParameter(Feedback), 64 * 0.007874016f);
    EXPECT_EQ(effect.getParameter(WetLevel), 127 * 0.007874016f);
    const auto automation = host.callsWith(audioMasterAutomate);
    ASSERT_EQ(automation.size(), 2u);
    EXPECT_EQ(automation[0].index, 2);
    EXPECT_EQ(automation[0].opt, 64 * 0.007874016f);
}

TEST(Midi, OtherMessagesChangeNothing) {
    RecordingHost host;
    FilterDelayEffect effect(RecordingHost::callback);
    host.calls.clear();
    testsupport::MidiEvents list;
    list.add(0xB0, 9, 100).add(0x90, 2, 100).add(0xB0, 2, 100).addMissing();  // 9, note, sysex
    list[2].type = kVstSysExType;
    effect.processEvents(list.list());
    EXPECT_EQ(effect.getParameter(Feedback), 0.0f);
    EXPECT_TRUE(host.callsWith(audioMasterAutomate).empty());
    EXPECT_EQ(effect.processEvents(nullptr), 1);
}

TEST(Midi, HostsAreToldThatMidiIsWanted) {
    RecordingHost host;
    FilterDelayEffect effect(RecordingHost::callback);
    AEffect* r = effect.getRecord();
    auto ask = [&](const char* word) {
        std::string text = word;
        return r->dispatcher(r, effCanDo, 0, 0, text.data(), 0.0f);
    };
    EXPECT_EQ(ask("receiveVstEvents"), 1);
    EXPECT_EQ(ask("receiveVstMidiEvent"), 1);
    // Only exact words: it sends nothing, takes no time info, and a word that
    // merely starts like one of the two is another word.
    for (const char* other : {"sendVstEvents", "sendVstMidiEvent", "receiveVstTimeInfo", "2in2out",
                              "receiveVstEventsX", "receivevstevents", "receiveVst", ""})
        EXPECT_EQ(ask(other), 0) << other;
    EXPECT_EQ(r->dispatcher(r, effCanDo, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.canDo(nullptr), 0);
}
