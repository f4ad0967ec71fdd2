#include "render/render.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

#include "audio/audio_file.h"
#include "audio/channel_map.h"
#include "error.h"
#include "formats/registry.h"
#include "host/host_context.h"
#include "output/plot.h"
#include "output/progress.h"
#include "render/automation.h"
#include "render/block_plan.h"

namespace {

using Channel = std::vector<float>;

void resolveTargets(std::vector<AutomationEvent>& events, const HostedPlugin& plugin,
                    const std::string& file) {
    for (auto& e : events) {
        if (e.kind != AutomationEvent::Kind::Parameter) continue;
        try {
            e.index = plugin.findParameter(e.target);
        } catch (const HostError& error) {
            throw HostError(file + ":" + std::to_string(e.line) + ": " + error.what());
        }
    }
}

void writeTextFile(const std::string& path, const std::string& text) {
    commitFile(path, [&](const std::string& temporary) {
        std::ofstream out(temporary);
        out << text;
        out.close();
        if (!out) throw HostError(path + ": cannot write file");
    });
}

// The plug-in's input and output blocks, as the pointer arrays
// processReplacing takes.
class BlockBuffers {
public:
    BlockBuffers(int inputs, int outputs, int blockSize)
        : in(static_cast<size_t>(std::max(inputs, 1)), Channel(static_cast<size_t>(blockSize))),
          out(static_cast<size_t>(outputs), Channel(static_cast<size_t>(blockSize))) {
        for (auto& b : in) inPointers.push_back(b.data());
        for (auto& b : out) outPointers.push_back(b.data());
    }
    float* input(int channel) { return in[static_cast<size_t>(channel)].data(); }
    const Channel& output(int channel) const { return out[static_cast<size_t>(channel)]; }
    // process adds to what is there, so its outputs start silent.
    void silenceOutputs() {
        for (auto& b : out) std::fill(b.begin(), b.end(), 0.0f);
    }
    float** inputs() { return inPointers.data(); }
    float** outputs() { return outPointers.data(); }

private:
    std::vector<Channel> in;
    std::vector<Channel> out;
    std::vector<float*> inPointers;
    std::vector<float*> outPointers;
};

struct Rendered {
    AudioBuffer audio;
    double wallSeconds = 0.0;
    bool replacing = true;
    const char* call = "";
};

// Refuses what cannot be rendered before any audio is made.
void checkAudioRoutines(const HostedPlugin& plugin, const RenderOptions& o) {
    if (plugin.numOutputs() < 1) throw HostError(o.library + ": plug-in has no outputs");
    if (o.accumulate && !plugin.canAccumulate())
        throw HostError(o.library +
                        ": plug-in has no process routine, so --accumulate cannot be used");
    if (!plugin.canAccumulate() && !plugin.canReplace())
        throw HostError(o.library + ": plug-in has no audio routine");
}

// Rate, block size, program and parameters as asked; then resume.
void preparePlugin(const HostedPlugin& plugin, double rate, const RenderOptions& o,
                   std::vector<AutomationEvent>& automation) {
    plugin.configure(rate, o.blockSize);
    if (o.program) {
        if (*o.program >= plugin.numPrograms())
            throw HostError("--program " + std::to_string(*o.program) +
                            " out of range (plug-in has " + std::to_string(plugin.numPrograms()) +
                            " programs)");
        plugin.setProgram(*o.program);
    }
    for (const auto& a : o.assignments)
        plugin.setParameter(plugin.findParameter(a.target), a.value);
    resolveTargets(automation, plugin, o.automationFile);
    plugin.resume();
}

// The automation events that fall into this slice: parameters set now, MIDI
// control changes sent as one event list at their offsets.
void sendEvents(const HostedPlugin& plugin, const std::vector<AutomationEvent>& automation,
                const std::vector<long long>& frames, const BlockSlice& slice,
                std::vector<ControlChange>& midi) {
    midi.clear();
    for (size_t i = slice.firstEvent; i < slice.endEvent; ++i) {
        const auto& e = automation[i];
        if (e.kind == AutomationEvent::Kind::Parameter) {
            plugin.setParameter(e.index, e.value);
        } else {
            midi.push_back({static_cast<int>(frames[i] - slice.start), e.channel - 1, e.controller,
                            e.ccValue});
        }
    }
    plugin.sendControlChanges(midi);
}

// The input and the tail through the plug-in, in the planned blocks, each
// block's automation sent first.
Rendered renderBlocks(const HostedPlugin& plugin, HostContext& context, const AudioBuffer& input,
                      const std::vector<AutomationEvent>& automation, const ChannelMap& map,
                      double rate, const RenderOptions& o) {
    const long long totalFrames =
        static_cast<long long>(input.frames()) + std::llround(o.tailSeconds * rate);
    Rendered r{AudioBuffer(map.writtenChannels(), static_cast<size_t>(totalFrames), rate), 0.0,
               !o.accumulate && plugin.canReplace()};
    r.call = plugin.audioCallName(r.replacing);
    BlockBuffers buffers(plugin.numInputs(), plugin.numOutputs(), o.blockSize);
    std::vector<long long> frames;
    for (const auto& e : automation) frames.push_back(eventFrame(e, rate));
    BlockPlanner planner(totalFrames, o.blockSize, o.randomBlocks, frames);
    std::vector<ControlChange> midi;
    ProgressBar progress;
    const auto wallStart = std::chrono::steady_clock::now();

    BlockSlice slice;
    while (planner.next(slice)) {
        sendEvents(plugin, automation, frames, slice, midi);
        const auto n = static_cast<size_t>(slice.frames);
        const auto start = static_cast<size_t>(slice.start);
        for (int c = 0; c < plugin.numInputs(); ++c)
            map.fillInput(input, c, start, n, buffers.input(c));
        if (!r.replacing) buffers.silenceOutputs();
        context.samplePosition = static_cast<double>(slice.start);
        plugin.processBlock(buffers.inputs(), buffers.outputs(), slice.frames, r.replacing);
        for (int c = 0; c < map.writtenChannels(); ++c) {
            std::copy_n(buffers.output(map.outputFor(c)).begin(), n,
                        r.audio.channels[static_cast<size_t>(c)].begin() +
                            static_cast<std::ptrdiff_t>(start));
        }
        progress.update(static_cast<double>(slice.start + slice.frames) /
                        static_cast<double>(totalFrames));
    }
    progress.finish();
    plugin.suspend();
    r.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return r;
}

// The output files, then one closing line.
void report(const RenderOptions& o, const AudioBuffer& input, const Rendered& r,
            const HostContext& context, const ChannelMap& map, double rate) {
    writeAudioFile(o.output, r.audio);
    if (!o.automationLog.empty())
        writeTextFile(o.automationLog, formatAutomationLog(context.reportedAutomation()));
    if (!o.plotFile.empty()) writePlot(o.plotFile, input, &r.audio, o.output);

    const std::string told = rate != input.sampleRate ? " told to the plug-in, no resampling" : "";
    const double wall = r.wallSeconds;
    std::printf(
        "rendered %.2f s of audio (%d ch, %.0f Hz%s, %s) in %.3f s: %.1fx real time -> %s; "
        "channels: %s\n",
        r.audio.seconds(), r.audio.channelCount(), rate, told.c_str(), r.call, wall,
        wall > 0 ? r.audio.seconds() / wall : 0.0, o.output.c_str(), map.describe().c_str());
}

}  // namespace

int runRender(const RenderOptions& o) {
    if (!o.plotFile.empty() && !plotAvailable()) writePlot(o.plotFile, AudioBuffer(), nullptr, "");
    checkOutputFormat(o.output);
    const AudioBuffer input = readAudioFile(o.input);
    std::vector<AutomationEvent> automation;
    if (!o.automationFile.empty()) automation = loadAutomationFile(o.automationFile);

    // The plug-in runs at the file's rate unless told another; the samples are
    // never resampled, so the output is written at the rate it was made at.
    const double rate = o.rate.value_or(input.sampleRate);
    HostContext context(rate, o.blockSize);
    context.offline = true;
    context.accumulating = o.accumulate;
    const std::unique_ptr<HostedPlugin> opened = openPlugin(o.library, context);
    const HostedPlugin& plugin = *opened;
    checkAudioRoutines(plugin, o);
    const ChannelMap map(input.channelCount(), plugin.numInputs(), plugin.numOutputs(), o.channels,
                         o.input);
    preparePlugin(plugin, rate, o, automation);

    const Rendered rendered = renderBlocks(plugin, context, input, automation, map, rate, o);
    report(o, input, rendered, context, map, rate);
    return 0;
}
