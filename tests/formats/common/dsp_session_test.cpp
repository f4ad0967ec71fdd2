// The DSP session every format but VST 2 drives: a change of the filter type
// alone is heard at once on every road, events split the block at their
// frame, and a state text is carried whole or refused without a change.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "formats/common/dsp_session.h"
#include "white_noise.h"

namespace {

using namespace molvex;

constexpr double kRate = 44100.0;
constexpr std::uint32_t kBlock = 64;

struct Player {
    DspSession session{kRate};
    testsupport::WhiteNoise noise{0.5f, 7};
    std::vector<float> inL = std::vector<float>(kBlock), inR = inL, outL = inL, outR = inL;

    Player() {
        session.activate();
        session.setNormalized(ParameterIndex::Delay, 0.01f);
        session.setNormalized(ParameterIndex::Feedback, 0.5f);
        session.setNormalized(ParameterIndex::Cutoff, 0.3f);
        session.setNormalized(ParameterIndex::Resonance, 0.6f);
        session.setNormalized(ParameterIndex::DryLevel, 0.0f);
        session.setNormalized(ParameterIndex::WetLevel, 1.0f);
    }
    void play(const TimedMidi* events = nullptr, std::uint32_t count = 0) {
        for (std::uint32_t i = 0; i < kBlock; ++i) inR[i] = inL[i] = noise.next();
        const float* in[2] = {inL.data(), inR.data()};
        float* out[2] = {outL.data(), outR.data()};
        session.process(in, out, kBlock, events, count);
    }
};

// Roads a type change takes: the host's or the switch's normalized value,
// a format's plain value, a MIDI control change, a program that differs
// from the current one in its type alone.
struct Road {
    const char* name;
    std::function<void(Player&, float)> change;
};

TEST(DspSession, TypeChangeAloneIsHeardInTheNextBlock) {
    const Road roads[] = {
        {"normalized",
         [](Player& p, float v) { p.session.setNormalized(ParameterIndex::Type, v); }},
        {"plain", [](Player& p, float v) { p.session.setPlain(ParameterIndex::Type, v * 2.0f); }},
        {"midi",
         [](Player& p, float v) {
             const std::uint8_t cc[3] = {0xB0, 3, static_cast<std::uint8_t>(v * 127.0f)};
             p.session.receiveMidi(cc);
         }},
        {"program",
         [](Player& p, float v) {
             FilterDelayEffect& effect = p.session.getEffect();
             effect.setProgram(1);
             for (int i = 0; i < kParameterCount; ++i)
                 effect.setParameter(i, effect.getPrograms()[0].values[i].load());
             effect.setParameter(ParameterIndex::Type, v);
             effect.setProgram(0);
             effect.setProgram(1);
         }},
    };
    for (const Road& road : roads) {
        for (const float type : {0.5f, 1.0f}) {
            Player changed, unchanged;
            for (int b = 0; b < 40; ++b) changed.play(), unchanged.play();
            road.change(changed, type);
            changed.play();
            unchanged.play();
            double difference = 0.0;
            for (std::uint32_t i = 0; i < kBlock; ++i)
                difference += std::fabs(changed.outL[i] - unchanged.outL[i]);
            EXPECT_GT(difference, 0.05) << road.name << " " << type;
        }
    }
}

TEST(DspSession, EventsApplyAtTheirFrame) {
    // Out of order, past the block and short of the block: where they can.
    const TimedMidi events[] = {
        {10, {0xB0, 7, 127}}, {5, {0xB0, 7, 0}}, {30, {0xB0, 7, 64}}, {900, {0xB0, 7, 127}}};
    Player split, pieces;
    split.session.setNormalized(ParameterIndex::DryLevel, 0.5f);
    pieces.session.setNormalized(ParameterIndex::DryLevel, 0.5f);
    split.play(events, 4);
    const std::uint32_t at[] = {10, 10, 30, kBlock};
    std::uint32_t done = 0;
    for (std::uint32_t e = 0; e < 4; ++e) {
        for (std::uint32_t i = done; i < at[e]; ++i)
            pieces.inR[i] = pieces.inL[i] = pieces.noise.next();
        float* in[2] = {pieces.inL.data() + done, pieces.inR.data() + done};
        float* out[2] = {pieces.outL.data() + done, pieces.outR.data() + done};
        if (at[e] > done)
            pieces.session.getEffect().processReplacing(in, out, static_cast<int>(at[e] - done));
        pieces.session.receiveMidi(events[e].bytes);
        done = at[e];
    }
    for (std::uint32_t i = 0; i < kBlock; ++i) ASSERT_EQ(split.outL[i], pieces.outL[i]) << i;
    EXPECT_EQ(split.session.getNormalized(ParameterIndex::DryLevel), 1.0f);
}

TEST(DspSession, ARefusedRateIsReportedAndTheOldOneKept) {
    for (const double rate : {0.0, -44100.0, 5e6, static_cast<double>(NAN)})
        EXPECT_FALSE(DspSession(rate).isUsable()) << rate;
    DspSession session(kRate);
    EXPECT_TRUE(session.isUsable());
    EXPECT_FALSE(session.setSampleRate(1e9));
    EXPECT_EQ(session.getSampleRate(), kRate);
}

TEST(DspSession, StateTextIsCarriedWholeOrRefusedWithoutAChange) {
    DspSession source(kRate);
    for (int p = 0; p < kProgramCount; ++p) {
        source.getEffect().setProgram(p);
        source.setNormalized(ParameterIndex::Pan, p / 16.0f);
    }
    source.getEffect().setProgram(12);
    const std::string text = source.stateText();
    DspSession copy(kRate);
    ASSERT_TRUE(copy.restoreState(text.c_str(), text.size() + 1));
    EXPECT_EQ(copy.stateText(), text);
    EXPECT_EQ(copy.getCurrentProgram(), 12);

    const std::string programs = text.substr(0, text.rfind("program"));
    const std::string refused[] = {programs + "program 16\n",  programs + "program -1\n",
                                   programs + "program 2\nx",  programs + "program 2",
                                   programs + "program \n",    programs.substr(40) + "program 2\n",
                                   std::string("program 2\n"), programs};
    DspSession fresh(kRate);
    const std::string before = fresh.stateText();
    for (const std::string& bad : refused) {
        EXPECT_FALSE(fresh.restoreState(bad.c_str(), bad.size())) << &bad - refused;
        EXPECT_EQ(fresh.stateText(), before);
    }
    EXPECT_FALSE(fresh.restoreState(text.c_str(), text.size() - 1));
    fresh.setPlain(ParameterIndex::Delay, NAN);
    EXPECT_EQ(fresh.stateText(), before);
    const std::string withNul = programs + '\0' + "program 2\n";
    EXPECT_FALSE(fresh.restoreState(withNul.c_str(), withNul.size()));
}

}  // namespace
