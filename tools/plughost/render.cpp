#include "render.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "audio_file.h"
#include "automation.h"
#include "block_plan.h"
#include "error.h"
#include "event_list.h"
#include "plot.h"
#include "plugin.h"
#include "progress.h"

namespace {

void resolveTargets(std::vector<AutomationEvent>& events, const Plugin& plugin, const std::string& file) {
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

    const PluginLibrary library(o.library);
    HostContext context(input.sampleRate, o.blockSize);
    context.offline = true;
    context.accumulating = o.accumulate;
    const Plugin plugin(library, context);

    if (plugin.numOutputs() < 1) throw HostError(o.library + ": plug-in has no outputs");
    if (o.accumulate && !plugin.effect()->process)
        throw HostError(o.library + ": plug-in has no process routine, so --accumulate cannot be used");
    if (!plugin.effect()->process && !(plugin.canReplace() && plugin.effect()->processReplacing))
        throw HostError(o.library + ": plug-in has no audio routine");
    if (input.channelCount() > plugin.numInputs())
        throw HostError(o.input + ": has " + std::to_string(input.channelCount()) +
                        " channels but the plug-in takes " + std::to_string(plugin.numInputs()) +
                        " input" + (plugin.numInputs() == 1 ? "" : "s"));

    plugin.configure(input.sampleRate, o.blockSize);
    if (o.program) {
        if (*o.program >= plugin.numPrograms())
            throw HostError("--program " + std::to_string(*o.program) + " out of range (plug-in has " +
                            std::to_string(plugin.numPrograms()) + " programs)");
        plugin.dispatch(effSetProgram, 0, *o.program);
    }
    for (const auto& a : o.assignments) plugin.setParameter(plugin.findParameter(a.target), a.value);
    resolveTargets(automation, plugin, o.automationFile);
    plugin.resume();

    const long long inputFrames = static_cast<long long>(input.frames());
    const long long totalFrames = inputFrames + std::llround(o.tailSeconds * input.sampleRate);
    const int inputs = plugin.numInputs();
    const int outputs = plugin.numOutputs();
    AudioBuffer result(outputs, static_cast<size_t>(totalFrames), input.sampleRate);

    std::vector<std::vector<float>> inBuffers(static_cast<size_t>(std::max(inputs, 1)),
                                              std::vector<float>(static_cast<size_t>(o.blockSize)));
    std::vector<std::vector<float>> outBuffers(static_cast<size_t>(outputs),
                                               std::vector<float>(static_cast<size_t>(o.blockSize)));
    std::vector<float*> inPointers, outPointers;
    for (auto& b : inBuffers) inPointers.push_back(b.data());
    for (auto& b : outBuffers) outPointers.push_back(b.data());

    std::vector<long long> frames;
    for (const auto& e : automation) frames.push_back(eventFrame(e, input.sampleRate));
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
        for (int c = 0; c < inputs; ++c) {
            // A mono file feeds every input; a stereo one feeds inputs 0, 1.
            const int source = input.channelCount() == 1 ? 0 : c;
            float* dst = inBuffers[static_cast<size_t>(c)].data();
            for (size_t i = 0; i < n; ++i) {
                const size_t f = start + i;
                dst[i] = source < input.channelCount() && f < input.frames()
                             ? input.channels[static_cast<size_t>(source)][f]
                             : 0.0f;
            }
        }
        if (!replacing) {
            for (auto& b : outBuffers) std::fill(b.begin(), b.end(), 0.0f);
        }
        context.samplePosition = static_cast<double>(slice.start);
        plugin.processBlock(inPointers.data(), outPointers.data(), slice.frames, replacing);
        for (int c = 0; c < outputs; ++c) {
            std::copy_n(outBuffers[static_cast<size_t>(c)].begin(), n,
                        result.channels[static_cast<size_t>(c)].begin() + static_cast<std::ptrdiff_t>(start));
        }
        progress.update(static_cast<double>(slice.start + slice.frames) / static_cast<double>(totalFrames));
    }
    progress.finish();
    plugin.suspend();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    writeAudioFile(o.output, result);
    if (!o.automationLog.empty()) writeTextFile(o.automationLog, formatAutomationLog(context.reportedAutomation()));
    if (!o.plotFile.empty()) writePlot(o.plotFile, input, &result, o.output);

    std::printf("rendered %.2f s of audio (%d ch, %.0f Hz, %s) in %.3f s: %.1fx real time -> %s\n",
                result.seconds(), outputs, input.sampleRate, replacing ? "processReplacing" : "process",
                wall, wall > 0 ? result.seconds() / wall : 0.0, o.output.c_str());
    return 0;
}
