// Command-line parsing: the options of every command as plain structs, and
// strict number parsing (the whole text must be a finite number). Parsers
// throw UsageError naming the option and the text they could not read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// --set NAME=VALUE or INDEX=VALUE; the target is resolved against the
// plug-in's parameter names once it is loaded.
struct ParameterAssignment {
    std::string target;
    float value = 0.0f;
};

struct InfoOptions {
    std::string library;
    bool json = false;
};

struct RenderOptions {
    std::string library;
    std::string input;
    std::string output;
    std::optional<int> program;
    std::vector<ParameterAssignment> assignments;
    int blockSize = 512;
    bool randomBlocks = false;
    bool accumulate = false;
    double tailSeconds = 0.0;
    std::optional<int> channels;  // output channels; default one per plug-in output
    std::optional<double> rate;   // the rate the plug-in is told; default the file's
    std::string automationFile;
    std::string plotFile;
    std::string automationLog;
};

struct PlotOptions {
    std::string input;
    std::string output;  // empty: plot the input alone
    std::string png;
};

struct BenchOptions {
    std::vector<std::string> libraries;
    double seconds = 10.0;
    int blockSize = 512;
    int runs = 5;
    std::vector<ParameterAssignment> assignments;
};

struct ValidateOptions {
    std::string library;
    int strictness = 5;
    unsigned seed = 1;
    std::string automationLog;
    std::string onlyCheck;  // run the checks whose name contains this
};

struct EditorOptions {
    std::string library;
    std::string screenshot;  // empty: none
    std::string script;      // empty: none
    std::optional<double> seconds;
    bool idleInCallback = false;
    // Close the editor (effEditClose) or destroy the plug-in (effClose) from
    // inside the first automation report or idle request of the session.
    enum class Closes { nothing, editor, plugin };
    enum class Inside { automate, idle };
    Closes closeInCallback = Closes::nothing;
    Inside closeInside = Inside::automate;
};

// Whole-text integer and float parsing; false when text is not entirely a
// number (or the float is not finite).
bool parseInteger(std::string_view text, long long& out);
bool parseFloat(std::string_view text, double& out);

ParameterAssignment parseAssignment(const std::string& text);
InfoOptions parseInfo(const std::vector<std::string>& args);
RenderOptions parseRender(const std::vector<std::string>& args);
PlotOptions parsePlot(const std::vector<std::string>& args);
BenchOptions parseBench(const std::vector<std::string>& args);
ValidateOptions parseValidate(const std::vector<std::string>& args);
EditorOptions parseEditor(const std::vector<std::string>& args);

extern const char* const kUsage;
