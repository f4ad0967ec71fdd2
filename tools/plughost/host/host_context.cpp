#include "host/host_context.h"

namespace {

// Per thread, so instances processing on threads of their own never see
// each other's audio calls.
thread_local bool insideAudioCall = false;

}  // namespace

HostContext::HostContext(double rate, int block) : sampleRate(rate), blockSize(block) {}

void HostContext::recordAutomation(int index, float value) {
    reportCount.fetch_add(1);
    const double seconds = samplePosition.load() / sampleRate.load();
    std::lock_guard<std::mutex> lock(automationMutex);
    automationLog.push_back({seconds, index, value});
}

std::vector<ReportedAutomation> HostContext::reportedAutomation() const {
    std::lock_guard<std::mutex> lock(automationMutex);
    return automationLog;
}

AudioCallScope::AudioCallScope() { insideAudioCall = true; }
AudioCallScope::~AudioCallScope() { insideAudioCall = false; }
bool AudioCallScope::active() { return insideAudioCall; }
