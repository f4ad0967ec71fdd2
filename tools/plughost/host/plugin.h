// A plug-in library and the instances made from it, seen from the host.
//
// PluginLibrary loads the file and finds its entry (`main`, or
// `VSTPluginMain` as many plug-ins also export). Plugin calls the entry,
// checks the record and closes the instance (effClose) when destroyed. All
// failures throw HostError with one line naming the library and the fault.
#pragma once

#include <memory>
#include <string>

#include "host/event_list.h"
#include "host/host_callback.h"
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

class Plugin : public HostedPlugin {
public:
    // Creates an instance bound to context and sends effOpen.
    Plugin(const PluginLibrary& library, HostContext& context);
    ~Plugin() override;
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    AEffect* effect() const { return record; }
    HostContext& context() const override { return hostContext; }
    int numParams() const override { return record->numParams; }
    int numPrograms() const override { return record->numPrograms; }
    int numInputs() const override { return record->numInputs; }
    int numOutputs() const override { return record->numOutputs; }
    bool canReplace() const override { return (record->flags & effFlagsCanReplacing) != 0; }
    bool canAccumulate() const override { return record->process != nullptr; }
    const char* audioCallName(bool replacing) const override {
        return replacing ? "processReplacing" : "process";
    }
    bool hasEditor() const { return (record->flags & effFlagsHasEditor) != 0; }

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
    // suspended, then resume (which also starts processing).
    void configure(double sampleRate, int blockSize) const override;
    void resume() const override;
    void suspend() const override;
    // Sent at once as one event list (effProcessEvents), for the next block.
    void sendControlChanges(const std::vector<ControlChange>& changes) const override;
    // Destroys the instance now (effClose), as a host may from inside one of
    // the plug-in's own calls; the destructor then leaves it be.
    void closeNow();

    // One audio call; replacing selects processReplacing over process.
    void processBlock(float** inputs, float** outputs, int frames, bool replacing) const override;

private:
    HostContext& hostContext;
    AEffect* record = nullptr;
    mutable bool resumed = false;  // so an instance is suspended before it is closed
    mutable EventList midi;
};

// Text from a plug-in's buffer made safe to print: cut at the terminator
// (or the buffer's end), control characters replaced by '?'.
std::string printableText(const char* buffer, size_t size);
