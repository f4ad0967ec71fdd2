#include "render/automation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli.h"
#include "error.h"
#include "host/host_context.h"

namespace {

[[noreturn]] void fail(const std::string& source, int line, const std::string& what) {
    throw HostError(source + ":" + std::to_string(line) + ": " + what);
}

int intField(const std::string& source, int line, const std::string& name, const std::string& text,
             int min, int max) {
    long long v = 0;
    if (!parseInteger(text, v)) fail(source, line, "bad " + name + " '" + text + "'");
    if (v < min || v > max)
        fail(source, line,
             name + " " + text + " outside " + std::to_string(min) + ".." + std::to_string(max));
    return static_cast<int>(v);
}

}  // namespace

std::vector<AutomationEvent> parseAutomation(std::istream& in, const std::string& source) {
    std::vector<AutomationEvent> events;
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        const size_t hash = raw.find('#');
        if (hash != std::string::npos) raw.erase(hash);
        std::istringstream words(raw);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty()) continue;

        AutomationEvent e;
        e.line = line;
        double seconds = 0;
        if (!parseFloat(w[0], seconds)) fail(source, line, "bad time '" + w[0] + "'");
        if (seconds < 0) fail(source, line, "negative time " + w[0]);
        e.seconds = seconds;
        if (w.size() < 2) fail(source, line, "expected 'param' or 'cc' after the time");
        if (w[1] == "param") {
            if (w.size() != 4) fail(source, line, "expected: SECONDS param INDEX|NAME VALUE");
            e.kind = AutomationEvent::Kind::Parameter;
            e.target = w[2];
            double v = 0;
            if (!parseFloat(w[3], v)) fail(source, line, "bad value '" + w[3] + "'");
            if (v < 0.0 || v > 1.0) fail(source, line, "value " + w[3] + " outside 0..1");
            e.value = static_cast<float>(v);
        } else if (w[1] == "cc") {
            if (w.size() != 5) fail(source, line, "expected: SECONDS cc CHANNEL CONTROLLER VALUE");
            e.kind = AutomationEvent::Kind::ControlChange;
            e.channel = intField(source, line, "channel", w[2], 1, 16);
            e.controller = intField(source, line, "controller", w[3], 0, 127);
            e.ccValue = intField(source, line, "value", w[4], 0, 127);
        } else {
            fail(source, line, "unknown event '" + w[1] + "' (expected 'param' or 'cc')");
        }
        events.push_back(e);
    }
    std::stable_sort(
        events.begin(), events.end(),
        [](const AutomationEvent& a, const AutomationEvent& b) { return a.seconds < b.seconds; });
    return events;
}

std::vector<AutomationEvent> loadAutomationFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw HostError(path + ": cannot open automation file");
    return parseAutomation(in, path);
}

long long eventFrame(const AutomationEvent& event, double sampleRate) {
    return std::llround(event.seconds * sampleRate);
}

std::string formatAutomationLog(const std::vector<ReportedAutomation>& reports) {
    std::string out = "# automation reported by the plug-in (host opcode 0)\n";
    char line[96];
    for (const auto& r : reports) {
        std::snprintf(line, sizeof line, "%.6f param %d %.6g\n", r.seconds, r.index,
                      static_cast<double>(r.value));
        out += line;
    }
    return out;
}
