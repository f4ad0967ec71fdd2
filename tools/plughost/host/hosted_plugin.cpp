#include "host/hosted_plugin.h"

#include <algorithm>
#include <cctype>

#include "cli.h"
#include "error.h"
#include "host/host_context.h"

void HostedPlugin::configure(double sampleRate, int blockSize) const {
    hostContext.sampleRate = sampleRate;
    hostContext.blockSize = blockSize;
    applyConfiguration(sampleRate, blockSize);
}

void HostedPlugin::sendControlChanges(const std::vector<ControlChange>& changes) const {
    if (changes.empty()) return;
    std::vector<ControlChange> sorted = changes;
    std::stable_sort(
        sorted.begin(), sorted.end(),
        [](const ControlChange& a, const ControlChange& b) { return a.frame < b.frame; });
    deliverControlChanges(sorted);
}

int HostedPlugin::findParameter(const std::string& indexOrName) const {
    long long index = 0;
    if (parseInteger(indexOrName, index)) {
        if (index < 0 || index >= numParams())
            throw HostError("parameter index " + indexOrName + " out of range (plug-in has " +
                            std::to_string(numParams()) + " parameters)");
        return static_cast<int>(index);
    }
    const std::string wanted = normalisedName(indexOrName);
    for (int i = 0; i < numParams(); ++i) {
        if (normalisedName(parameterName(i)) == wanted) return i;
    }
    throw HostError("no parameter named '" + indexOrName + "'");
}

std::string normalisedName(const std::string& name) {
    size_t begin = name.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    size_t end = name.find_last_not_of(' ');
    std::string out = name.substr(begin, end - begin + 1);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}
