// The host side of the interface: the callback every plug-in instance gets
// from `main`, and the state it answers from.
//
// Each instance is bound to one HostContext (sample rate, block size, time,
// automation log). The callback finds the context from the AEffect pointer;
// during `main`, before the record exists, it uses the context that
// Plugin's constructor announces on the calling thread.
//
// What the callback answers, by host opcode (audioMaster...):
//   Automate            logs index and value (with the render position), 1
//   Version             2400
//   Idle, NeedIdle      1 (an open editor's host hears of Idle first)
//   WantMidi            1 (MIDI is delivered through effProcessEvents)
//   GetTime             a VstTimeInfo at 120 BPM in 4/4, playing
//   TempoAt             1200000 (BPM times 10000)
//   GetSampleRate, GetBlockSize   the context's sample rate and block size
//   WillReplaceOrAccumulate       1 for processReplacing, 2 for process
//   GetCurrentProcessLevel        2 real time (4 while rendering offline)
//                                 inside an audio call, 1 otherwise
//   GetAutomationState  2 (read)
//   GetVendorString, GetProductString, GetVendorVersion
//                       vendor "Molvex", product "plughost", version 1000
//   CanDo               1 for the words it handles (host_callback.cpp), else 0
//   GetLanguage         1 (English)
//   GetDirectory        the plug-in library's folder
//   SizeWindow          what an open editor's host answers, else 1
//   UpdateDisplay, BeginEdit, EndEdit   1
// Everything else answers 0; IOChanged among them, since buffers are
// sized once from the record's channel counts. The callback is safe to call from any thread.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "vst2_interface.h"

// One automation report (audioMasterAutomate) from a plug-in.
struct ReportedAutomation {
    double seconds;  // render position when it arrived
    int index;
    float value;
};

// What the host of an open editor hears of (plughost editor), on whatever
// thread the plug-in calls from.
class EditorHostEvents {
public:
    virtual ~EditorHostEvents() = default;
    virtual void automated(int index, float value) = 0;
    // begins: audioMasterBeginEdit, else audioMasterEndEdit.
    virtual void editGesture(int index, bool begins) = 0;
    virtual void idleRequested() = 0;
    virtual bool sizeRequested(int width, int height) = 0;
};

class HostContext {
public:
    HostContext(double sampleRate, int blockSize);

    std::atomic<double> sampleRate;
    std::atomic<int> blockSize;
    std::atomic<bool> accumulating{false};
    std::atomic<bool> offline{false};
    // Frame position of the block being processed; time info derives from it.
    std::atomic<double> samplePosition{0.0};
    std::string pluginDirectory;

    void recordAutomation(int index, float value);
    std::vector<ReportedAutomation> reportedAutomation() const;
    long automationCount() const { return reportCount.load(); }
    // Set while an editor is open in plughost editor; null otherwise. The
    // pointer is atomic because the plug-in may report from any thread; its
    // owner clears it before it goes away.
    std::atomic<EditorHostEvents*> editorEvents{nullptr};
    // Counts calls of host opcodes the plug-in made, for validate's notes.
    std::atomic<long> callbackCount{0};

private:
    mutable std::mutex automationMutex;
    std::vector<ReportedAutomation> automationLog;
    std::atomic<long> reportCount{0};
};

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt);

// Binding of records to contexts; Plugin uses these.
void bindEffect(AEffect* effect, HostContext* context);
void unbindEffect(AEffect* effect);
// The context that callbacks without a known record on this thread use
// (set around the call of `main`).
void setPendingContext(HostContext* context);

// Marks the calling thread as inside an audio call while it lives.
class AudioCallScope {
public:
    AudioCallScope();
    ~AudioCallScope();
    AudioCallScope(const AudioCallScope&) = delete;
    AudioCallScope& operator=(const AudioCallScope&) = delete;
};
