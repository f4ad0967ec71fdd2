// What a plug-in's host keeps for one instance, whatever the format: the
// rate and block size it was told, the render position, the automation the
// plug-in reported, and, while plughost editor runs, who hears of the
// editor's requests. Formats translate their own callbacks into these.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

// One automation report from a plug-in (VST 2's audioMasterAutomate).
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
    // begins: a gesture's start (audioMasterBeginEdit), else its end.
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
    // Counts calls the plug-in made into the host, for validate's notes.
    std::atomic<long> callbackCount{0};

private:
    mutable std::mutex automationMutex;
    std::vector<ReportedAutomation> automationLog;
    std::atomic<long> reportCount{0};
};

// Marks the calling thread as inside an audio call while it lives, so a
// callback can tell the audio thread apart (audioMasterGetCurrentProcessLevel).
class AudioCallScope {
public:
    AudioCallScope();
    ~AudioCallScope();
    AudioCallScope(const AudioCallScope&) = delete;
    AudioCallScope& operator=(const AudioCallScope&) = delete;

    static bool active();
};
