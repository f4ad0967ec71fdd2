// One instance of an LV2 plug-in, driven the way HostedPlugin describes.
//
// Every port is connected: audio ports to the caller's buffers at each
// processBlock, control ports to values held here (inputs start at their
// defaults), CV ports to silence, the MIDI input to an atom sequence that
// sendControlChanges fills, other atom ports to empty sequences. The
// instance is made by configure (LV2 fixes the rate at instantiation, and
// the block-length options with it) and remade when either changes;
// resume and suspend are activate and deactivate.
//
// Features given: urid:map and unmap, options (sample rate, minimum,
// nominal and maximum block length) and bufsz:boundedBlockLength.
#pragma once

#include <lilv/lilv.h>
#include <lv2/options/options.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "formats/lv2/lv2_world.h"
#include "host/host_context.h"
#include "host/hosted_editor.h"
#include "host/hosted_plugin.h"

class Lv2Plugin : public HostedPlugin {
public:
    // Throws HostError when the plug-in requires a feature plughost lacks.
    Lv2Plugin(std::shared_ptr<const Lv2World> world, HostContext& context);
    ~Lv2Plugin() override;

    // LV2 gives a host's window no name of the plug-in's: the window is
    // named after the argument.
    std::string title() const override { return ""; }
    int numParams() const override { return static_cast<int>(world->parameters().size()); }
    int numPrograms() const override { return 0; }
    int numInputs() const override { return audioInputs; }
    int numOutputs() const override { return audioOutputs; }
    bool canReplace() const override { return true; }
    bool canAccumulate() const override { return false; }
    const char* audioCallName(bool) const override { return "run"; }
    // The lv2:reportsLatency output as the last run left it; 0 without one.
    int latency() const override;
    // LV2 says nothing of tails.
    long tail() const override { return 0; }

    std::string parameterName(int index) const override { return port(index).name; }
    float getParameter(int index) const override;
    void setParameter(int index, float value) const override;
    void setProgram(int program) const override;

    void resume() const override;
    void suspend() const override;
    void processBlock(float** inputs, float** outputs, int frames, bool replacing) const override;

    // Which UI it has is looked at when one opens (Lv2Ui), which refuses
    // with the reason.
    bool hasEditor() const override { return true; }
    bool editorSize(int&, int&) const override { return false; }
    std::unique_ptr<HostedEditor> openEditor(void* parentWindow,
                                             EditorHostEvents& events) const override;

    const Lv2World& description() const { return *world; }
    const Lv2Port& port(int parameter) const {
        return *world->parameters()[static_cast<size_t>(parameter)];
    }
    // The control input's value in the port's own units, written as given
    // (NaN and out-of-range values included, for validate).
    float portValue(int parameter) const;
    void setPortValue(int parameter, float value) const;
    // Control output ports' values after the last run, by port index.
    float outputValue(unsigned portIndex) const { return values[portIndex]; }
    bool hasMidiInput() const { return midiPort >= 0; }
    // The value of a control input port by its symbol; null for others.
    float* controlBySymbol(const char* symbol) const;
    const LV2_Feature* const* featureList() const { return features.data(); }
    // The rate the instance was made for; 0 before configure.
    double instantiatedRate() const { return instanceRate; }
    // The instance as lilv holds it; null until configure.
    LilvInstance* instance() const { return lilvInstance; }

    // The description lilv reads and each parameter's value (lv2_info.cpp).
    void printInfo(bool json) const override;

private:
    void applyConfiguration(double sampleRate, int blockSize) const override;
    // Appended to the MIDI input's sequence, for the next run.
    void deliverControlChanges(const std::vector<ControlChange>& sorted) const override;
    void instantiate(double sampleRate, int blockSize) const;
    void release() const;
    void connectStaticPorts() const;
    void resetSequences() const;
    unsigned parameterPort(int parameter) const { return port(parameter).index; }

    std::shared_ptr<const Lv2World> world;
    int audioInputs = 0, audioOutputs = 0;
    int midiPort = -1;
    // Port buffers by port index: control values, and for atom and CV ports
    // storage 8-byte aligned as atoms must be.
    mutable std::vector<float> values;
    mutable std::vector<std::vector<std::uint64_t>> portStorage;
    mutable std::vector<unsigned> audioInPorts, audioOutPorts;

    mutable LilvInstance* lilvInstance = nullptr;
    mutable bool active = false;
    mutable double instanceRate = 0.0;
    mutable int instanceBlock = 0;
    // Option values and the feature list point into these.
    mutable std::int32_t minBlock = 0, maxBlock = 0, nominalBlock = 0;
    mutable float rateOption = 0.0f;
    mutable std::vector<LV2_Options_Option> options;
    std::vector<LV2_Feature> featureData;
    std::vector<const LV2_Feature*> features;
};
