#include "cli.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "error.h"

namespace {

// Walks the arguments of one command: options (with "--opt VALUE" or
// "--opt=VALUE") and positional words in any order.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : args(arguments) {}

    bool next() {
        if (pos >= args.size()) return false;
        current = args[pos++];
        inlineValue.reset();
        if (current.rfind("--", 0) == 0) {
            size_t eq = current.find('=');
            if (eq != std::string::npos) {
                inlineValue = current.substr(eq + 1);
                current = current.substr(0, eq);
            }
        }
        return true;
    }
    bool isOption() const { return current.size() > 2 && current.rfind("--", 0) == 0; }
    const std::string& word() const { return current; }
    std::string value() {
        if (inlineValue) return *inlineValue;
        if (pos >= args.size()) throw UsageError("option " + current + " needs a value");
        return args[pos++];
    }
    void noValue() const {
        if (inlineValue) throw UsageError("option " + current + " takes no value");
    }

private:
    const std::vector<std::string>& args;
    size_t pos = 0;
    std::string current;
    std::optional<std::string> inlineValue;
};

long long integerOption(const std::string& option, const std::string& text, long long min,
                        long long max) {
    long long v = 0;
    if (!parseInteger(text, v)) throw UsageError("bad number for " + option + ": '" + text + "'");
    if (v < min || v > max)
        throw UsageError(option + " must be between " + std::to_string(min) + " and " +
                         std::to_string(max) + ", not " + text);
    return v;
}

std::string shortNumber(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

double floatOption(const std::string& option, const std::string& text, double min, double max) {
    double v = 0;
    if (!parseFloat(text, v)) throw UsageError("bad number for " + option + ": '" + text + "'");
    if (v < min || v > max)
        throw UsageError(option + " must be between " + shortNumber(min) + " and " +
                         shortNumber(max) + ", not " + text);
    return v;
}

[[noreturn]] void unknownOption(const std::string& command, const std::string& option) {
    throw UsageError("unknown option for " + command + ": " + option);
}

void expectPositionals(const std::string& command, const std::vector<std::string>& words,
                       size_t min, size_t max, const std::string& shape) {
    if (words.size() < min || words.size() > max)
        throw UsageError("usage: plughost " + command + " " + shape);
}

}  // namespace

bool parseInteger(std::string_view text, long long& out) {
    if (text.empty()) return false;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last && first != last;
}

bool parseFloat(std::string_view text, double& out) {
    // strtod rather than from_chars: mingw's libstdc++ lacks the float
    // overloads on some releases.
    if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return false;
    std::string copy(text);
    char* end = nullptr;
    double v = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

ParameterAssignment parseAssignment(const std::string& text) {
    size_t eq = text.rfind('=');
    if (eq == std::string::npos || eq == 0)
        throw UsageError("--set needs NAME=VALUE or INDEX=VALUE, not '" + text + "'");
    ParameterAssignment a;
    a.target = text.substr(0, eq);
    a.value = static_cast<float>(floatOption("--set " + a.target, text.substr(eq + 1), 0.0, 1.0));
    return a;
}

InfoOptions parseInfo(const std::vector<std::string>& args) {
    InfoOptions o;
    std::vector<std::string> words;
    ArgumentReader r(args);
    while (r.next()) {
        if (!r.isOption()) {
            words.push_back(r.word());
        } else if (r.word() == "--json") {
            r.noValue();
            o.json = true;
        } else {
            unknownOption("info", r.word());
        }
    }
    expectPositionals("info", words, 1, 1, "LIB [--json]");
    o.library = words[0];
    return o;
}

RenderOptions parseRender(const std::vector<std::string>& args) {
    RenderOptions o;
    std::vector<std::string> words;
    ArgumentReader r(args);
    while (r.next()) {
        const std::string& w = r.word();
        if (!r.isOption()) {
            words.push_back(w);
        } else if (w == "--program") {
            o.program = static_cast<int>(integerOption(w, r.value(), 0, 1 << 20));
        } else if (w == "--set") {
            o.assignments.push_back(parseAssignment(r.value()));
        } else if (w == "--block") {
            std::string v = r.value();
            if (v == "random") {
                o.randomBlocks = true;
            } else {
                o.blockSize = static_cast<int>(integerOption(w, v, 1, 65536));
            }
        } else if (w == "--accumulate") {
            r.noValue();
            o.accumulate = true;
        } else if (w == "--tail") {
            o.tailSeconds = floatOption(w, r.value(), 0.0, 3600.0);
        } else if (w == "--channels") {
            o.channels = static_cast<int>(integerOption(w, r.value(), 1, 64));
        } else if (w == "--rate") {
            o.rate = floatOption(w, r.value(), 1.0, 10000000.0);
        } else if (w == "--automation") {
            o.automationFile = r.value();
        } else if (w == "--plot") {
            o.plotFile = r.value();
        } else if (w == "--log-automation") {
            o.automationLog = r.value();
        } else {
            unknownOption("render", w);
        }
    }
    expectPositionals("render", words, 3, 3, "LIB IN OUT [options]");
    o.library = words[0];
    o.input = words[1];
    o.output = words[2];
    return o;
}

PlotOptions parsePlot(const std::vector<std::string>& args) {
    PlotOptions o;
    std::vector<std::string> words;
    ArgumentReader r(args);
    while (r.next()) {
        if (r.isOption()) unknownOption("plot", r.word());
        words.push_back(r.word());
    }
    expectPositionals("plot", words, 2, 3, "IN.wav [OUT.wav] PNG");
    o.input = words[0];
    if (words.size() == 3) o.output = words[1];
    o.png = words.back();
    return o;
}

BenchOptions parseBench(const std::vector<std::string>& args) {
    BenchOptions o;
    ArgumentReader r(args);
    while (r.next()) {
        const std::string& w = r.word();
        if (!r.isOption()) {
            o.libraries.push_back(w);
        } else if (w == "--seconds") {
            o.seconds = floatOption(w, r.value(), 0.01, 3600.0);
        } else if (w == "--block") {
            o.blockSize = static_cast<int>(integerOption(w, r.value(), 1, 65536));
        } else if (w == "--runs") {
            o.runs = static_cast<int>(integerOption(w, r.value(), 1, 1000));
        } else if (w == "--set") {
            o.assignments.push_back(parseAssignment(r.value()));
        } else {
            unknownOption("bench", w);
        }
    }
    if (o.libraries.empty())
        throw UsageError(
            "usage: plughost bench LIB [LIB2 ...] [--seconds S] [--block N] [--set ...]");
    return o;
}

ValidateOptions parseValidate(const std::vector<std::string>& args) {
    ValidateOptions o;
    std::vector<std::string> words;
    ArgumentReader r(args);
    while (r.next()) {
        const std::string& w = r.word();
        if (!r.isOption()) {
            words.push_back(w);
        } else if (w == "--strictness") {
            o.strictness = static_cast<int>(integerOption(w, r.value(), 1, 10));
        } else if (w == "--seed") {
            o.seed = static_cast<unsigned>(integerOption(w, r.value(), 0, 0xFFFFFFFFLL));
        } else if (w == "--log-automation") {
            o.automationLog = r.value();
        } else if (w == "--check") {
            o.onlyCheck = r.value();
        } else {
            unknownOption("validate", w);
        }
    }
    expectPositionals("validate", words, 1, 1, "LIB [--strictness 1..10] [--seed N]");
    o.library = words[0];
    return o;
}

EditorOptions parseEditor(const std::vector<std::string>& args) {
    EditorOptions o;
    std::vector<std::string> words;
    ArgumentReader r(args);
    while (r.next()) {
        const std::string& w = r.word();
        if (!r.isOption()) {
            words.push_back(w);
        } else if (w == "--screenshot") {
            o.screenshot = r.value();
        } else if (w == "--script") {
            o.script = r.value();
        } else if (w == "--seconds") {
            o.seconds = floatOption(w, r.value(), 0.0, 24 * 3600.0);
        } else if (w == "--idle-in-callback") {
            r.noValue();
            o.idleInCallback = true;
        } else if (w == "--close-editor-in" || w == "--close-plugin-in") {
            o.closeInCallback = w == "--close-editor-in" ? EditorOptions::Closes::editor
                                                         : EditorOptions::Closes::plugin;
            const std::string inside = r.value();
            if (inside != "automate" && inside != "idle")
                throw UsageError("option " + w + " takes automate or idle");
            o.closeInside =
                inside == "idle" ? EditorOptions::Inside::idle : EditorOptions::Inside::automate;
        } else {
            unknownOption("editor", w);
        }
    }
    expectPositionals("editor", words, 1, 1,
                      "LIB [--screenshot PNG] [--script FILE] [--seconds S] [--idle-in-callback] "
                      "[--close-editor-in|--close-plugin-in automate|idle]");
    o.library = words[0];
    return o;
}

const char* const kUsage =
    "usage: plughost COMMAND ...\n"
    "  info LIB [--json]\n"
    "  render LIB IN OUT [--program N] [--set NAME=VALUE|INDEX=VALUE ...]\n"
    "         [--block N|random] [--accumulate] [--tail SECONDS]\n"
    "         [--automation FILE] [--plot PNG] [--log-automation FILE]\n"
    "         [--channels N] [--rate HZ]\n"
    "         a mono file feeds every input, a stereo file into one input is summed at\n"
    "         half gain; the output has one channel per plug-in output or N; --rate\n"
    "         tells the plug-in HZ instead of the file's rate, without resampling\n"
    "  plot IN [OUT] PNG\n"
    "  bench LIB [LIB2 ...] [--seconds S] [--block N] [--runs N] [--set ...]\n"
    "  validate LIB [--strictness 1..10] [--seed N] [--log-automation FILE] [--check NAME]\n"
    "  editor LIB [--screenshot PNG] [--script FILE] [--seconds S] [--idle-in-callback]\n"
    "         [--close-editor-in|--close-plugin-in automate|idle]\n";
