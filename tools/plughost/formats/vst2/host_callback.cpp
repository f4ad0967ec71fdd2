#include "formats/vst2/host_callback.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

namespace {

// The words this host answers canDo with 1: what it does of the interface's
// list, and "startStopProcess", which later plug-ins ask about.
constexpr const char* kAnsweredWords[] = {
    "sendVstEvents",       "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "sizeWindow",       "supplyIdle",      "startStopProcess",
};

std::mutex registryMutex;
std::map<AEffect*, HostContext*> registry;
thread_local HostContext* pendingContext = nullptr;
// One record per thread: the pointer we hand out stays valid until the same
// thread asks again, and threads never share a record.
thread_local VstTimeInfo timeInfo;

constexpr double kTempo = 120.0;

HostContext* contextFor(AEffect* effect) {
    if (effect) {
        std::lock_guard<std::mutex> lock(registryMutex);
        auto it = registry.find(effect);
        if (it != registry.end()) return it->second;
    }
    return pendingContext;
}

VstTimeInfo* fillTimeInfo(const HostContext* context) {
    timeInfo = VstTimeInfo{};
    const double rate = context ? context->sampleRate.load() : 44100.0;
    const double position = context ? context->samplePosition.load() : 0.0;
    timeInfo.samplePos = position;
    timeInfo.sampleRate = rate;
    timeInfo.nanoSeconds =
        static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
    timeInfo.ppqPos = position / rate * kTempo / 60.0;
    timeInfo.tempo = kTempo;
    timeInfo.barStartPos = std::floor(timeInfo.ppqPos / 4.0) * 4.0;
    timeInfo.timeSigNumerator = 4;
    timeInfo.timeSigDenominator = 4;
    timeInfo.flags = kVstTransportPlaying | kVstNanosValid | kVstPpqPosValid | kVstTempoValid |
                     kVstBarsValid | kVstTimeSigValid;
    return &timeInfo;
}

EditorHostEvents* editorEventsOf(HostContext* context) {
    return context ? context->editorEvents.load() : nullptr;
}

void copyText(void* ptr, const char* text) {
    // Hosts' strings for these opcodes are at most 64 bytes by convention.
    if (ptr) std::strncpy(static_cast<char*>(ptr), text, 63);
}

bool hostCanDo(const char* word) {
    if (!word) return false;
    for (const char* answered : kAnsweredWords) {
        if (std::strcmp(word, answered) == 0) return true;
    }
    return false;
}

}  // namespace

void bindEffect(AEffect* effect, HostContext* context) {
    std::lock_guard<std::mutex> lock(registryMutex);
    registry[effect] = context;
}

void unbindEffect(AEffect* effect) {
    std::lock_guard<std::mutex> lock(registryMutex);
    registry.erase(effect);
}

void setPendingContext(HostContext* context) { pendingContext = context; }

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) {
    HostContext* context = contextFor(effect);
    if (context) context->callbackCount.fetch_add(1);
    switch (opcode) {
    case audioMasterAutomate:
        if (context) context->recordAutomation(index, opt);
        if (EditorHostEvents* events = editorEventsOf(context)) events->automated(index, opt);
        return 1;
    case audioMasterVersion: return 2400;
    case audioMasterIdle:
        if (EditorHostEvents* events = editorEventsOf(context)) events->idleRequested();
        return 1;
    case audioMasterNeedIdle:
    case audioMasterWantMidi: return 1;
    case audioMasterGetTime: return reinterpret_cast<VstIntPtr>(fillTimeInfo(context));
    case audioMasterTempoAt: return static_cast<VstIntPtr>(kTempo * 10000.0);
    case audioMasterGetSampleRate:
        return context ? static_cast<VstIntPtr>(context->sampleRate.load()) : 44100;
    case audioMasterGetBlockSize: return context ? context->blockSize.load() : 1024;
    case audioMasterWillReplaceOrAccumulate: return context && context->accumulating.load() ? 2 : 1;
    case audioMasterGetCurrentProcessLevel:
        if (!AudioCallScope::active()) return 1;
        return context && context->offline.load() ? 4 : 2;
    case audioMasterGetAutomationState: return 2;
    case audioMasterGetVendorString: copyText(ptr, "Molvex"); return 1;
    case audioMasterGetProductString: copyText(ptr, "plughost"); return 1;
    case audioMasterGetVendorVersion: return 1000;
    case audioMasterCanDo: return hostCanDo(static_cast<const char*>(ptr)) ? 1 : 0;
    case audioMasterGetLanguage: return 1;
    case audioMasterGetDirectory:
        return context ? reinterpret_cast<VstIntPtr>(context->pluginDirectory.c_str()) : 0;
    case audioMasterSizeWindow:
        if (EditorHostEvents* events = editorEventsOf(context))
            return events->sizeRequested(index, static_cast<int>(value)) ? 1 : 0;
        return 1;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        if (EditorHostEvents* events = editorEventsOf(context))
            events->editGesture(index, opcode == audioMasterBeginEdit);
        return 1;
    case audioMasterUpdateDisplay: return 1;
    default: return 0;
    }
}
