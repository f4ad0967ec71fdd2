#include "cli.h"

#include <algorithm>
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

// One row per option of a command: its name, whether it takes a value
// ("--opt VALUE" or "--opt=VALUE"), and what it does to the options. The
// option's name is passed on for error messages.
template <typename Options>
struct OptionRule {
    const char* name;
    bool takesValue;
    void (*apply)(Options& o, const std::string& option, const std::string& value);
};
template <typename Options>
using OptionTable = std::vector<OptionRule<Options>>;

// Applies every option of `args` by its row of `table` and answers the
// positional words in order.
template <typename Options>
std::vector<std::string> readArguments(const char* command, const std::vector<std::string>& args,
                                       const OptionTable<Options>& table, Options& o) {
    std::vector<std::string> words;
    ArgumentReader r(args);
    while (r.next()) {
        const std::string& w = r.word();
        if (!r.isOption()) {
            words.push_back(w);
            continue;
        }
        const auto rule =
            std::find_if(table.begin(), table.end(),
                         [&](const OptionRule<Options>& row) { return w == row.name; });
        if (rule == table.end()) unknownOption(command, w);
        if (rule->takesValue) {
            const std::string value = r.value();
            rule->apply(o, w, value);
        } else {
            r.noValue();
            rule->apply(o, w, std::string());
        }
    }
    return words;
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
    static const OptionTable<InfoOptions> options = {
        {"--json", false,
         [](InfoOptions& o, const std::string&, const std::string&) { o.json = true; }},
    };
    InfoOptions o;
    const auto words = readArguments("info", args, options, o);
    expectPositionals("info", words, 1, 1, "LIB [--json]");
    o.library = words[0];
    return o;
}

RenderOptions parseRender(const std::vector<std::string>& args) {
    using O = RenderOptions;
    using S = const std::string&;
    static const OptionTable<O> options = {
        {"--program", true,
         [](O& o, S w, S v) { o.program = static_cast<int>(integerOption(w, v, 0, 1 << 20)); }},
        {"--set", true, [](O& o, S, S v) { o.assignments.push_back(parseAssignment(v)); }},
        {"--block", true,
         [](O& o, S w, S v) {
             if (v == "random") {
                 o.randomBlocks = true;
             } else {
                 o.blockSize = static_cast<int>(integerOption(w, v, 1, 65536));
             }
         }},
        {"--accumulate", false, [](O& o, S, S) { o.accumulate = true; }},
        {"--tail", true, [](O& o, S w, S v) { o.tailSeconds = floatOption(w, v, 0.0, 3600.0); }},
        {"--channels", true,
         [](O& o, S w, S v) { o.channels = static_cast<int>(integerOption(w, v, 1, 64)); }},
        {"--rate", true, [](O& o, S w, S v) { o.rate = floatOption(w, v, 1.0, 10000000.0); }},
        {"--automation", true, [](O& o, S, S v) { o.automationFile = v; }},
        {"--plot", true, [](O& o, S, S v) { o.plotFile = v; }},
        {"--log-automation", true, [](O& o, S, S v) { o.automationLog = v; }},
    };
    O o;
    const auto words = readArguments("render", args, options, o);
    expectPositionals("render", words, 3, 3, "LIB IN OUT [options]");
    o.library = words[0];
    o.input = words[1];
    o.output = words[2];
    return o;
}

PlotOptions parsePlot(const std::vector<std::string>& args) {
    static const OptionTable<PlotOptions> options = {};
    PlotOptions o;
    const auto words = readArguments("plot", args, options, o);
    expectPositionals("plot", words, 2, 3, "IN.wav [OUT.wav] PNG");
    o.input = words[0];
    if (words.size() == 3) o.output = words[1];
    o.png = words.back();
    return o;
}

BenchOptions parseBench(const std::vector<std::string>& args) {
    using O = BenchOptions;
    using S = const std::string&;
    static const OptionTable<O> options = {
        {"--seconds", true, [](O& o, S w, S v) { o.seconds = floatOption(w, v, 0.01, 3600.0); }},
        {"--block", true,
         [](O& o, S w, S v) { o.blockSize = static_cast<int>(integerOption(w, v, 1, 65536)); }},
        {"--runs", true,
         [](O& o, S w, S v) { o.runs = static_cast<int>(integerOption(w, v, 1, 1000)); }},
        {"--set", true, [](O& o, S, S v) { o.assignments.push_back(parseAssignment(v)); }},
    };
    O o;
    o.libraries = readArguments("bench", args, options, o);
    if (o.libraries.empty())
        throw UsageError(
            "usage: plughost bench LIB [LIB2 ...] [--seconds S] [--block N] [--set ...]");
    return o;
}

ValidateOptions parseValidate(const std::vector<std::string>& args) {
    using O = ValidateOptions;
    using S = const std::string&;
    static const OptionTable<O> options = {
        {"--strictness", true,
         [](O& o, S w, S v) { o.strictness = static_cast<int>(integerOption(w, v, 1, 10)); }},
        {"--seed", true,
         [](O& o, S w, S v) {
             o.seed = static_cast<unsigned>(integerOption(w, v, 0, 0xFFFFFFFFLL));
         }},
        {"--log-automation", true, [](O& o, S, S v) { o.automationLog = v; }},
        {"--check", true, [](O& o, S, S v) { o.onlyCheck = v; }},
    };
    O o;
    const auto words = readArguments("validate", args, options, o);
    expectPositionals("validate", words, 1, 1, "LIB [--strictness 1..10] [--seed N]");
    o.library = words[0];
    return o;
}

// --close-editor-in / --close-plugin-in: what the host closes, and inside
// which of its callbacks.
void closeInside(EditorOptions& o, EditorOptions::Closes what, const std::string& word,
                 const std::string& inside) {
    if (inside != "automate" && inside != "idle")
        throw UsageError("option " + word + " takes automate or idle");
    o.closeInCallback = what;
    o.closeInside =
        inside == "idle" ? EditorOptions::Inside::idle : EditorOptions::Inside::automate;
}

EditorOptions parseEditor(const std::vector<std::string>& args) {
    using O = EditorOptions;
    using S = const std::string&;
    static const OptionTable<O> options = {
        {"--screenshot", true, [](O& o, S, S v) { o.screenshot = v; }},
        {"--script", true, [](O& o, S, S v) { o.script = v; }},
        {"--seconds", true,
         [](O& o, S w, S v) { o.seconds = floatOption(w, v, 0.0, 24 * 3600.0); }},
        {"--idle-in-callback", false, [](O& o, S, S) { o.idleInCallback = true; }},
        {"--close-editor-in", true,
         [](O& o, S w, S v) { closeInside(o, O::Closes::editor, w, v); }},
        {"--close-plugin-in", true,
         [](O& o, S w, S v) { closeInside(o, O::Closes::plugin, w, v); }},
    };
    O o;
    const auto words = readArguments("editor", args, options, o);
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
    "         [--close-editor-in|--close-plugin-in automate|idle]\n"
    "  --version\n"
    "LIB is a VST 2 library or an LV2 plug-in: a bundle (DIR.lv2) or a URI (see lv2ls)\n";
