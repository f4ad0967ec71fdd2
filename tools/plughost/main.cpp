// plughost: a command-line VST 2 and LV2 host. See cli.cpp for the commands.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "audio/audio_file.h"
#include "bench/bench.h"
#include "cli.h"
#include "editor/editor_command.h"
#include "error.h"
#include "info/info.h"
#include "molvex_version.h"
#include "output/plot.h"
#include "render/render.h"
#include "validate/validate.h"

namespace {

int runPlot(const PlotOptions& o) {
    if (!plotAvailable()) writePlot(o.png, AudioBuffer(), nullptr, "");
    const AudioBuffer input = readAudioFile(o.input);
    if (o.output.empty()) {
        writePlot(o.png, input, nullptr, o.input);
    } else {
        const AudioBuffer output = readAudioFile(o.output);
        writePlot(o.png, input, &output, o.output);
    }
    std::printf("plotted %s\n", o.png.c_str());
    return 0;
}

int dispatchCommand(const std::string& command, const std::vector<std::string>& args) {
    if (command == "info") return runInfo(parseInfo(args));
    if (command == "render") return runRender(parseRender(args));
    if (command == "plot") return runPlot(parsePlot(args));
    if (command == "bench") return runBench(parseBench(args));
    if (command == "validate") return runValidate(parseValidate(args));
    if (command == "editor") return runEditor(parseEditor(args));
    if (command == "--version" || command == "version") {
        std::printf("plughost %s\n", MOLVEX_VERSION);
        return 0;
    }
    if (command == "help" || command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    throw UsageError("unknown command '" + command + "' (try plughost help)");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return dispatchCommand(argv[1], args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "plughost: %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "plughost: %s\n", e.what());
        return 1;
    }
}
