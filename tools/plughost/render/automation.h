// Automation files: one event per line,
//   SECONDS param INDEX|NAME VALUE     VALUE 0..1, through the record's setter
//   SECONDS cc CHANNEL CONTROLLER VALUE   channel 1..16, controller and
//                                         value 0..127, as a MIDI event
// Blank lines and everything after '#' are ignored. Parameter names may not
// contain spaces in the file; they are matched like --set names.
#pragma once

#include <istream>
#include <string>
#include <vector>

struct AutomationEvent {
    enum class Kind { Parameter, ControlChange };
    Kind kind = Kind::Parameter;
    double seconds = 0.0;
    int line = 0;
    // Parameter events: the target as written and, once resolved, its index.
    std::string target;
    int index = -1;
    float value = 0.0f;
    // Control changes.
    int channel = 1;
    int controller = 0;
    int ccValue = 0;
};

// Parses the text; throws HostError "NAME:LINE: what is wrong". The events
// come back sorted by time, events at the same time in file order.
std::vector<AutomationEvent> parseAutomation(std::istream& in, const std::string& sourceName);
std::vector<AutomationEvent> loadAutomationFile(const std::string& path);

// Frame at which an event lands at the given sample rate.
long long eventFrame(const AutomationEvent& event, double sampleRate);

// Writes reported automation in the file format above, so a log can be
// replayed with --automation.
struct ReportedAutomation;
std::string formatAutomationLog(const std::vector<ReportedAutomation>& reports);
