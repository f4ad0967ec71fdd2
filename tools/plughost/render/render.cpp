#include "render/render.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "audio/audio_file.h"
#include "audio/channel_map.h"
#include "error.h"
#include "host/event_list.h"
#include "host/plugin.h"
#include "output/plot.h"
#include "output/progress.h"
#include "render/automation.h"
#include "render/block_plan.h"

namespace {

void resolveTargets(std::vector<AutomationEvent>& events, const Plugin& plugin,
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
    const PluginLibrary library(o.library);
    HostContext context(rate, o.blockSize);
    context.offline = true;
    context.accumulating = o.accumulate;
    const Plugin plugin(library, context);

    if (plugin.numOutputs() < 1) throw HostError(o.library + ": plug-in has no outputs");
    if (o.accumulate && !plugin.effect()->process)
        throw HostError(o.library +
                        ": plug-in has no process routine, so --accumulate cannot be used");
    if (!plugin.effect()->process && !(plugin.canReplace() && plugin.effect()->processReplacing))
        throw HostError(o.library + ": plug-in has no audio routine");
    const ChannelMap map(input.channelCount(), plugin.numInputs(), plugin.numOutputs(), o.channels,
                         o.input);

    plugin.configure(rate, o.blockSize);
    if (o.program) {
        if (*o.program >= plugin.numPrograms())
            throw HostError("--program " + std::to_string(*o.program) +
                            " out of range (plug-in has " + std::to_string(plugin.numPrograms()) +
                            " programs)");
        plugin.dispatch(effSetProgram, 0, *o.program);
    }
    for (const auto& a : o.assignments)
        plugin.setParameter(plugin.findParameter(a.target), a.value);
    resolveTargets(automation, plugin, o.automationFile);
    plugin.resume();

    const long long inputFrames = static_cast<long long>(input.frames());
    const long long totalFrames = inputFrames + std::llround(o.tailSeconds * rate);
    const int inputs = plugin.numInputs();
    const int outputs = plugin.numOutputs();
    AudioBuffer result(map.writtenChannels(), static_cast<size_t>(totalFrames), rate);

    std::vector<std::vector<float>> inBuffers(static_cast<size_t>(std::max(inputs, 1)),
                                              std::vector<float>(static_cast<size_t>(o.blockSize)));
    std::vector<std::vector<float>> outBuffers(
        static_cast<size_t>(outputs), std::vector<float>(static_cast<size_t>(o.blockSize)));
    std::vector<float*> inPointers, outPointers;
    for (auto& b : inBuffers) inPointers.push_back(b.data());
    for (auto& b : outBuffers) outPointers.push_back(b.data());

    std::vector<long long> frames;
    for (const auto& e : automation) frames.push_back(eventFrame(e, rate));
    BlockPlanner planner(totalFrames, o.blockSize, o.randomBlocks, frames);
    EventList midi;
    ProgressBar progress;
    const bool replacing = !o.accumulate && plugin.canReplace();
    const auto wallStart = std::chrono::steady_clock::now();

    BlockSlice slice;
    while (planner.next(slice)) {
        midi.clear();
        for (size_t i = slice.firstEvent; i < slice.endEvent; ++i) {
            const auto& e = automation[i];
            if (e.kind == AutomationEvent::Kind::Parameter) {
                plugin.setParameter(e.index, e.value);
            } else {
                midi.addControlChange(static_cast<int>(frames[i] - slice.start), e.channel - 1,
                                      e.controller, e.ccValue);
            }
        }
        if (midi.size() > 0) plugin.dispatch(effProcessEvents, 0, 0, midi.get());

        const auto n = static_cast<size_t>(slice.frames);
        const auto start = static_cast<size_t>(slice.start);
        for (int c = 0; c < inputs; ++c)
            map.fillInput(input, c, start, n, inBuffers[static_cast<size_t>(c)].data());
        if (!replacing) {
            for (auto& b : outBuffers) std::fill(b.begin(), b.end(), 0.0f);
        }
        context.samplePosition = static_cast<double>(slice.start);
        plugin.processBlock(inPointers.data(), outPointers.data(), slice.frames, replacing);
        for (int c = 0; c < map.writtenChannels(); ++c) {
            std::copy_n(outBuffers[static_cast<size_t>(map.outputFor(c))].begin(), n,
                        result.channels[static_cast<size_t>(c)].begin() +
                            static_cast<std::ptrdiff_t>(start));
        }
        progress.update(static_cast<double>(slice.start + slice.frames) /
                        static_cast<double>(totalFrames));
    }
    progress.finish();
    plugin.suspend();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    writeAudioFile(o.output, result);
    if (!o.automationLog.empty())
        writeTextFile(o.automationLog, formatAutomationLog(context.reportedAutomation()));
    if (!o.plotFile.empty()) writePlot(o.plotFile, input, &result, o.output);

    const std::string told = rate != input.sampleRate ? " told to the plug-in, no resampling" : "";
    std::printf(
        "rendered %.2f s of audio (%d ch, %.0f Hz%s, %s) in %.3f s: %.1fx real time -> %s; "
        "channels: %s\n",
        result.seconds(), result.channelCount(), rate, told.c_str(),
        replacing ? "processReplacing" : "process", wall, wall > 0 ? result.seconds() / wall : 0.0,
        o.output.c_str(), map.describe().c_str());
    return 0;
}
