// Audio plumbing for validate: buffers sized for a plug-in, scanning of
// outputs for NaN, infinity and denormals, and whole-signal renders with a
// chosen block pattern.
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "audio/audio_buffer.h"
#include "host/hosted_plugin.h"
#include "validate/check_context.h"
#include "validate/check_runner.h"

struct OutputScan {
    size_t nans = 0, infinities = 0, denormals = 0;
    float peak = 0.0f;
    void add(const float* samples, size_t count);
    void merge(const OutputScan& other);
    bool clean() const { return nans == 0 && infinities == 0 && denormals == 0; }
    std::string describe() const;  // "3 NaN, 1 denormal" or "clean"
};

class AudioHarness {
public:
    AudioHarness(const HostedPlugin& instance, int maxFrames);
    float** inputs() { return inPointers.data(); }
    float** outputs() { return outPointers.data(); }
    int inputCount() const { return inputChannels; }
    int outputCount() const { return outputChannels; }

    // Inputs from signal frames [start, start + frames); channel c reads
    // signal channel c modulo its channel count, zero past its end.
    void fillInputs(const AudioBuffer& signal, size_t start, int frames);
    void fillOutputs(float value);
    // One audio call; with replacing false the outputs are accumulated onto.
    void process(int frames, bool replacing);
    void scanOutputs(int frames, OutputScan& scan) const;
    void appendOutputs(int frames, AudioBuffer& to) const;

private:
    const HostedPlugin& plugin;
    int inputChannels, outputChannels;
    std::vector<std::vector<float>> inBuffers, outBuffers;
    std::vector<float*> inPointers, outPointers;
};

// Renders signal through plugin in blocks chosen by nextBlock (called with
// the frames left; its answer is clamped to 1..maxBlock), processReplacing
// where the plug-in can. beforeBlock, if given, runs before each call.
AudioBuffer renderSignal(const HostedPlugin& plugin, const AudioBuffer& signal, int maxBlock,
                         const std::function<int(size_t)>& nextBlock, OutputScan& scan,
                         const std::function<void(size_t)>& beforeBlock = nullptr);

// Largest absolute difference between two renders (over common frames).
double maxDifference(const AudioBuffer& a, const AudioBuffer& b);

// Sets every parameter to a random value in [0, 1].
void randomiseParameters(const HostedPlugin& plugin, std::mt19937& rng);
void setAllParameters(const HostedPlugin& plugin, float value);

// Rate, block size and resume, with the shared context kept in step.
void restart(const HostedPlugin& plugin, double sampleRate, int blockSize);

// Two instances with the same random settings, restarted at 44100 Hz for
// blocks up to `block`: fed the same input, any difference between them
// comes from the way they were driven.
struct Twins {
    std::unique_ptr<HostedPlugin> a, b;
};
Twins twins(CheckContext& v, int block);

// The PASS of a check whose two ways of driving (`what`) gave the same
// output, with the largest difference seen.
CheckResult sameOutput(const std::string& what, double worst);

// One number in a check's message, formatted by `f` ("%.3g dB").
std::string fmt(const char* f, double x);

// A block plan of `n` frames every time.
inline auto fixed(int n) {
    return [n](size_t) { return n; };
}
