// A VST 2 plug-in library and the instances made from it, seen from the host.
//
// PluginLibrary loads the file and finds its entry (`main`, or
// `VSTPluginMain` as many plug-ins also export). Vst2Plugin calls the entry,
// checks the record and closes the instance (effClose) when destroyed; it
// keeps the library loaded while it lives. All failures throw HostError with
// one line naming the library and the fault.
#pragma once

#include <memory>
#include <string>

#include "formats/vst2/event_list.h"
#include "formats/vst2/host_callback.h"
#include "host/hosted_plugin.h"
#include "host/plugin_loader.h"
#include "vst2_interface.h"

class PluginLibrary {
public:
    explicit PluginLibrary(const std::string& path);
    PluginMainProc entry() const { return mainEntry; }
    const std::string& path() const { return libraryPath; }
    std::string directory() const;

private:
    std::string libraryPath;
    std::unique_ptr<LoadedLibrary> loadedLibrary;
    PluginMainProc mainEntry = nullptr;
};

class Vst2Plugin : public HostedPlugin {
public:
    // Creates an instance bound to context and sends effOpen.
    Vst2Plugin(std::shared_ptr<const PluginLibrary> library, HostContext& context);
    ~Vst2Plugin() override;

    AEffect* effect() const { return record; }
    std::string title() const override { return text(effGetEffectName); }
    int numParams() const override { return record->numParams; }
    int numPrograms() const override { return record->numPrograms; }
    int numInputs() const override { return record->numInputs; }
    int numOutputs() const override { return record->numOutputs; }
    bool canReplace() const override { return (record->flags & effFlagsCanReplacing) != 0; }
    bool canAccumulate() const override { return record->process != nullptr; }
    const char* audioCallName(bool replacing) const override {
        return replacing ? "processReplacing" : "process";
    }
    int latency() const override { return record->initialDelay; }
    long tail() const override { return static_cast<long>(dispatch(effGetTailSize)); }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) const;
    // Text answered into a zeroed host buffer, cut at the terminator and
    // with control characters replaced, so that any answer prints safely.
    std::string text(VstInt32 opcode, VstInt32 index = 0) const;
    std::string parameterName(int index) const override { return text(effGetParamName, index); }
    std::string parameterLabel(int index) const { return text(effGetParamLabel, index); }
    std::string parameterDisplay(int index) const { return text(effGetParamDisplay, index); }
    std::string programName() const { return text(effGetProgramName); }

    void setParameter(int index, float value) const override;
    float getParameter(int index) const override;
    void setProgram(int program) const override { dispatch(effSetProgram, 0, program); }

    // Host set-up in the order hosts use: rate and block size while
    // suspended (configure), then resume (which also starts processing).
    void resume() const override;
    void suspend() const override;
    // One audio call; replacing selects processReplacing over process.
    void processBlock(float** inputs, float** outputs, int frames, bool replacing) const override;

    bool hasEditor() const override { return (record->flags & effFlagsHasEditor) != 0; }
    // The editor rectangle (effEditGetRect), or false while it gives none.
    bool editorSize(int& width, int& height) const override;
    std::unique_ptr<HostedEditor> openEditor(void* parentWindow,
                                             EditorHostEvents& events) const override;
    bool closesInCallbacks() const override { return true; }
    // effClose now; the destructor then leaves the instance be.
    void closeNow() override;
    // The record's fields and everything the dispatcher answers a host
    // (vst2_info.cpp).
    void printInfo(bool json) const override;

private:
    void applyConfiguration(double sampleRate, int blockSize) const override;
    // Sent at once as one event list (effProcessEvents), for the next block.
    void deliverControlChanges(const std::vector<ControlChange>& sorted) const override;

    std::shared_ptr<const PluginLibrary> library;  // outlives the instance
    AEffect* record = nullptr;
    mutable bool resumed = false;  // so an instance is suspended before it is closed
    mutable EventList midi;
};

// Text from a plug-in's buffer made safe to print: cut at the terminator
// (or the buffer's end), control characters replaced by '?'.
std::string printableText(const char* buffer, size_t size);
