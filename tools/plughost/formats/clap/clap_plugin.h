// One instance of a CLAP plug-in, driven the way HostedPlugin describes.
//
// Parameters are the params extension's, in its order; 0..1 spans each
// one's plain range linearly. While active, a parameter set and the control
// changes become events of the next processBlock (control changes as MIDI
// on the first note input, at their frames); while inactive the plug-in's
// flush takes a parameter set at once. Read-only parameters (meters) are
// reported, never set. The audio ports' channels are the
// inputs and outputs, port after port. Output events of parameter values
// are recorded as automation.
#pragma once

#include <clap/events.h>
#include <clap/ext/audio-ports.h>
#include <clap/ext/gui.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/plugin.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "formats/clap/clap_host.h"
#include "host/host_context.h"
#include "host/hosted_plugin.h"

// Events kept whole and in time order, as a host hands them to process.
class ClapEventList {
public:
    void add(const clap_event_header_t& event);
    void clear() { events.clear(); }
    std::size_t size() const { return events.size(); }
    const clap_input_events_t* input();

private:
    std::vector<std::vector<std::uint64_t>> events;
    clap_input_events_t list{};
};

// An event the plug-in sent the host: a parameter's value or a gesture.
struct ClapOutputEvent {
    std::uint16_t type;
    std::uint32_t flags;
    clap_id id;
    double value;  // plain, for a value
};

class ClapHostedPlugin : public HostedPlugin {
public:
    // Throws HostError when the plug-in cannot be made or initialised.
    ClapHostedPlugin(std::shared_ptr<const ClapLibrary> library, HostContext& context);
    ~ClapHostedPlugin() override;

    std::string title() const override { return library->descriptor().name; }
    int numParams() const override { return static_cast<int>(infos.size()); }
    int numPrograms() const override { return 0; }
    int numInputs() const override { return inputChannels; }
    int numOutputs() const override { return outputChannels; }
    bool canReplace() const override { return true; }
    bool canAccumulate() const override { return false; }
    const char* audioCallName(bool) const override { return "process"; }
    int latency() const override;
    long tail() const override;

    std::string parameterName(int index) const override { return infos[index].name; }
    float getParameter(int index) const override;
    void setParameter(int index, float value) const override;
    void setProgram(int) const override {}

    void resume() const override;
    void suspend() const override;
    void processBlock(float** inputs, float** outputs, int frames, bool replacing) const override;

    bool hasEditor() const override { return gui != nullptr; }
    bool editorSize(int& width, int& height) const override;
    std::unique_ptr<HostedEditor> openEditor(void* parentWindow,
                                             EditorHostEvents& events) const override;

    // The descriptor, extensions, ports and parameters (clap_info.cpp).
    void printInfo(bool json) const override;

    // For info and validate.
    const clap_plugin_t* plugin() const { return instance; }
    const clap_plugin_params_t* params() const { return paramsExt; }
    const clap_plugin_state_t* state() const { return stateExt; }
    const clap_plugin_gui_t* guiExtension() const { return gui; }
    const clap_param_info_t& info(int index) const { return infos[index]; }
    ClapHost& host() const { return *clapHost; }
    const ClapLibrary& getLibrary() const { return *library; }
    bool isActive() const { return active; }
    // The plain value of a parameter, and a plain value set as an event.
    double plainValue(int index) const;
    bool isReadOnly(int index) const {
        return (infos[static_cast<std::size_t>(index)].flags & CLAP_PARAM_IS_READONLY) != 0;
    }
    // A plain value as 0..1 of the parameter's range.
    float normalised(int index, double plain) const;
    void setPlainValue(int index, double plain) const;
    // Events for the next processBlock, or for flush now while inactive.
    ClapEventList& pendingEvents() const { return pending; }
    // params.flush with the pending events; the plug-in's events to `out`.
    void flush(std::vector<ClapOutputEvent>* out = nullptr) const;
    // What process calls send is kept here while `out` is set.
    void captureOutput(std::vector<ClapOutputEvent>* out) const { captured = out; }
    // The index of a parameter id, or -1.
    int indexOf(clap_id id) const;
    // A process call with the caller's own audio ports (validate).
    clap_process_status processWith(const clap_process_t& process) const;
    int noteInput() const { return midiPort; }

private:
    void applyConfiguration(double sampleRate, int blockSize) const override;
    void deliverControlChanges(const std::vector<ControlChange>& sorted) const override;
    void readPorts();
    const clap_output_events_t* outputList() const;

    std::shared_ptr<const ClapLibrary> library;
    std::unique_ptr<ClapHost> clapHost;
    const clap_plugin_t* instance = nullptr;
    const clap_plugin_params_t* paramsExt = nullptr;
    const clap_plugin_state_t* stateExt = nullptr;
    const clap_plugin_gui_t* gui = nullptr;
    std::vector<clap_param_info_t> infos;
    std::vector<std::uint32_t> inputPortChannels, outputPortChannels;
    int inputChannels = 0, outputChannels = 0;
    int midiPort = -1;
    mutable ClapEventList pending;
    mutable clap_output_events_t outList{};
    mutable std::vector<ClapOutputEvent>* captured = nullptr;
    mutable bool active = false, processing = false;
    mutable double rate = 44100.0;
    mutable int maxBlock = 512;
    mutable std::int64_t steadyTime = 0;
};
