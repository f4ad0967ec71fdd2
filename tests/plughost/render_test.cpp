// Rendering end to end through the test plug-in (a gain on parameter 0 and
// MIDI CC 7): automation lands on its exact frame whatever the block sizes,
// mono input feeds both inputs, and failures leave no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "audio/wav_file.h"
#include "error.h"
#include "render/render.h"

namespace fs = std::filesystem;

namespace {

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plughost_render_" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    // Constant 1.0 on every channel, so the output is the gain itself.
    std::string ones(int channels, size_t frames, double rate) {
        AudioBuffer b(channels, frames, rate);
        for (auto& c : b.channels) std::fill(c.begin(), c.end(), 1.0f);
        writeWavFile(path("in.wav"), b, WavSampleFormat::Float32);
        return path("in.wav");
    }

    std::string file(const std::string& name, const std::string& text) {
        std::ofstream(path(name)) << text;
        return path(name);
    }

    RenderOptions options(const std::string& input) {
        RenderOptions o;
        o.library = FAULT_PLUGIN;
        o.input = input;
        o.output = path("out.wav");
        return o;
    }

    fs::path dir;
};

// First frame at which channel 0 differs from its first sample.
size_t firstChange(const AudioBuffer& b, size_t from = 0) {
    for (size_t f = from + 1; f < b.frames(); ++f) {
        if (b.channels[0][f] != b.channels[0][from]) return f;
    }
    return b.frames();
}

TEST_F(RenderTest, ParameterAndControlChangesLandOnTheirFrame) {
    const std::string automation = file("a.txt",
                                        "0 param Gain 0.25\n"
                                        "0.5 param 0 0.75\n"   // frame 24000 at 48 kHz
                                        "0.75 cc 1 7 127\n");  // frame 36000
    for (const char* block : {"512", "random", "1", "4096"}) {
        RenderOptions o = options(ones(2, 48000, 48000.0));
        o.automationFile = automation;
        if (std::string(block) == "random") {
            o.randomBlocks = true;
        } else {
            o.blockSize = std::stoi(block);
        }
        testing::internal::CaptureStdout();
        ASSERT_EQ(runRender(o), 0);
        testing::internal::GetCapturedStdout();
        const AudioBuffer out = readWavFile(o.output);
        ASSERT_EQ(out.frames(), 48000u);
        EXPECT_EQ(out.sampleRate, 48000.0);
        EXPECT_FLOAT_EQ(out.channels[0][0], 0.25f) << block;
        EXPECT_EQ(firstChange(out), 24000u) << block;
        EXPECT_FLOAT_EQ(out.channels[1][24000], 0.75f) << block;
        EXPECT_EQ(firstChange(out, 24000), 36000u) << block;
        EXPECT_FLOAT_EQ(out.channels[0][36000], 1.0f) << block;
    }
}

// Each control change goes to the plug-in in its own block only: a later
// block with MIDI of its own must not send the earlier ones again.
TEST_F(RenderTest, AControlChangeIsSentInItsBlockOnly) {
    RenderOptions o = options(ones(2, 48000, 48000.0));
    o.automationFile = file("once.txt",
                            "0.25 cc 1 7 127\n"   // gain 1 at frame 12000
                            "0.5 param 0 0.5\n"   // then 0.5
                            "0.75 cc 1 8 64\n");  // a controller the plug-in ignores
    testing::internal::CaptureStdout();
    ASSERT_EQ(runRender(o), 0);
    testing::internal::GetCapturedStdout();
    const AudioBuffer out = readWavFile(o.output);
    ASSERT_EQ(out.frames(), 48000u);
    EXPECT_FLOAT_EQ(out.channels[0][12000], 1.0f);
    EXPECT_FLOAT_EQ(out.channels[0][24000], 0.5f);
    EXPECT_EQ(firstChange(out, 24000), 48000u);
}

TEST_F(RenderTest, MonoFeedsBothInputsAndTheTailIsAppended) {
    RenderOptions o = options(ones(1, 1000, 22050.0));
    o.assignments.push_back({"gain", 0.5f});
    o.tailSeconds = 0.1;
    o.accumulate = true;
    testing::internal::CaptureStdout();
    ASSERT_EQ(runRender(o), 0);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("process)"), std::string::npos) << said;
    const AudioBuffer out = readWavFile(o.output);
    ASSERT_EQ(out.channelCount(), 2);
    EXPECT_EQ(out.frames(), 1000u + 2205u);
    EXPECT_EQ(out.sampleRate, 22050.0);
    EXPECT_FLOAT_EQ(out.channels[0][999], 0.5f);
    EXPECT_FLOAT_EQ(out.channels[1][999], 0.5f);
    EXPECT_FLOAT_EQ(out.channels[1][1000], 0.0f);
}

// The plug-in is told the rate; the samples are not resampled, so the tail and
// the automation count in the told rate and the file is written at it.
TEST_F(RenderTest, AToldRateTimesEverythingAtThatRate) {
    RenderOptions o = options(ones(1, 1000, 44100.0));
    o.rate = 96000.0;
    o.tailSeconds = 0.01;
    o.automationFile = file("a.txt", "0 param 0 0.5\n0.005 param 0 1\n");
    testing::internal::CaptureStdout();
    ASSERT_EQ(runRender(o), 0);
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("96000 Hz told to the plug-in, no resampling"), std::string::npos) << said;
    const AudioBuffer out = readWavFile(o.output);
    EXPECT_EQ(out.sampleRate, 96000.0);
    EXPECT_EQ(out.frames(), 1000u + 960u);
    EXPECT_EQ(firstChange(out), 480u);
}

TEST_F(RenderTest, FailuresLeaveNoOutputBehind) {
    const std::string in = ones(3, 100, 44100.0);
    RenderOptions o = options(in);
    try {
        runRender(o);
        FAIL() << "three channels into two inputs were accepted";
    } catch (const HostError& e) {
        EXPECT_EQ(std::string(e.what()), in + ": has 3 channels but the plug-in takes 2 inputs");
    }
    o = options(ones(2, 100, 44100.0));
    o.automationFile = file("bad.txt", "0.1 param Volume 0.5\n");
    try {
        runRender(o);
        FAIL() << "an unknown parameter name was accepted";
    } catch (const HostError& e) {
        EXPECT_EQ(std::string(e.what()), path("bad.txt") + ":1: no parameter named 'Volume'");
    }
    for (const auto& entry : fs::directory_iterator(dir)) {
        EXPECT_EQ(entry.path().filename().string().find("out"), std::string::npos) << entry.path();
    }
}

}  // namespace
