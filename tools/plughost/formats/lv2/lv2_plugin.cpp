#include "formats/lv2/lv2_plugin.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/midi/midi.h>
#include <lv2/parameters/parameters.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "error.h"
#include "formats/lv2/lv2_ui.h"

namespace {

// Room for a few hundred MIDI events per block.
constexpr size_t kSequenceWords = 8192;

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : ", ") + w;
    return out;
}

}  // namespace

Lv2Plugin::Lv2Plugin(std::shared_ptr<const Lv2World> description, HostContext& context)
    : HostedPlugin(context), world(std::move(description)) {
    const auto missing = world->missingFeatures();
    if (!missing.empty())
        throw HostError(world->argument() + ": the plug-in requires " + joined(missing) +
                        ", which plughost does not provide");
    const auto& ports = world->ports();
    values.assign(ports.size(), 0.0f);
    portStorage.resize(ports.size());
    for (const auto& p : ports) {
        values[p.index] = p.defaultValue;
        if (p.kind == Lv2PortKind::Audio) {
            (p.input ? audioInPorts : audioOutPorts).push_back(p.index);
        } else if (p.kind == Lv2PortKind::Atom) {
            portStorage[p.index].assign(kSequenceWords, 0);
            if (p.midi && midiPort < 0) midiPort = static_cast<int>(p.index);
        }
    }
    audioInputs = static_cast<int>(audioInPorts.size());
    audioOutputs = static_cast<int>(audioOutPorts.size());

    UridMap& urids = world->urids();
    auto option = [&](const char* key, const char* type, std::uint32_t size, const void* value) {
        options.push_back({LV2_OPTIONS_INSTANCE, 0, urids.map(key), size, urids.map(type), value});
    };
    option(LV2_PARAMETERS__sampleRate, LV2_ATOM__Float, sizeof(float), &rateOption);
    option(LV2_BUF_SIZE__minBlockLength, LV2_ATOM__Int, sizeof(std::int32_t), &minBlock);
    option(LV2_BUF_SIZE__maxBlockLength, LV2_ATOM__Int, sizeof(std::int32_t), &maxBlock);
    option(LV2_BUF_SIZE__nominalBlockLength, LV2_ATOM__Int, sizeof(std::int32_t), &nominalBlock);
    options.push_back({LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr});
    featureData = {{LV2_URID__map, urids.mapFeature()},
                   {LV2_URID__unmap, urids.unmapFeature()},
                   {LV2_OPTIONS__options, options.data()},
                   {LV2_BUF_SIZE__boundedBlockLength, nullptr}};
    for (const auto& f : featureData) features.push_back(&f);
    features.push_back(nullptr);
}

Lv2Plugin::~Lv2Plugin() { release(); }

void Lv2Plugin::instantiate(double sampleRate, int blockSize) const {
    release();
    rateOption = static_cast<float>(sampleRate);
    minBlock = 0;
    maxBlock = nominalBlock = blockSize;
    lilvInstance = lilv_plugin_instantiate(world->plugin(), sampleRate, features.data());
    if (!lilvInstance)
        throw HostError(world->argument() + ": the plug-in refused to instantiate at " +
                        std::to_string(static_cast<long>(sampleRate)) + " Hz");
    instanceRate = sampleRate;
    instanceBlock = blockSize;
    for (const auto& p : world->ports()) {
        if (p.kind == Lv2PortKind::Cv)
            portStorage[p.index].assign(static_cast<size_t>(blockSize) / 2 + 1, 0);
    }
    connectStaticPorts();
}

void Lv2Plugin::release() const {
    if (!lilvInstance) return;
    if (active) lilv_instance_deactivate(lilvInstance);
    active = false;
    lilv_instance_free(lilvInstance);
    lilvInstance = nullptr;
}

void Lv2Plugin::connectStaticPorts() const {
    for (const auto& p : world->ports()) {
        if (p.kind == Lv2PortKind::Control) {
            lilv_instance_connect_port(lilvInstance, p.index, &values[p.index]);
        } else if (p.kind == Lv2PortKind::Atom || p.kind == Lv2PortKind::Cv) {
            lilv_instance_connect_port(lilvInstance, p.index, portStorage[p.index].data());
        } else if (p.kind == Lv2PortKind::Other) {
            lilv_instance_connect_port(lilvInstance, p.index, nullptr);
        }
    }
    resetSequences();
}

// Inputs become empty sequences; outputs get their whole capacity, as a
// chunk the plug-in writes its sequence into.
void Lv2Plugin::resetSequences() const {
    const LV2_URID sequence = world->urids().map(LV2_ATOM__Sequence);
    const LV2_URID chunk = world->urids().map(LV2_ATOM__Chunk);
    for (const auto& p : world->ports()) {
        if (p.kind != Lv2PortKind::Atom) continue;
        auto* seq = reinterpret_cast<LV2_Atom_Sequence*>(portStorage[p.index].data());
        if (p.input) {
            seq->atom.size = sizeof(LV2_Atom_Sequence_Body);
            seq->atom.type = sequence;
            seq->body.unit = 0;
            seq->body.pad = 0;
        } else {
            seq->atom.size = static_cast<uint32_t>(kSequenceWords * 8 - sizeof(LV2_Atom));
            seq->atom.type = chunk;
        }
    }
}

float Lv2Plugin::getParameter(int index) const {
    const Lv2Port& p = port(index);
    return std::clamp(p.toNormalised(values[p.index]), 0.0f, 1.0f);
}

void Lv2Plugin::setParameter(int index, float value) const {
    values[parameterPort(index)] = port(index).fromNormalised(value);
}

float Lv2Plugin::portValue(int parameter) const { return values[parameterPort(parameter)]; }

void Lv2Plugin::setPortValue(int parameter, float value) const {
    values[parameterPort(parameter)] = value;
}

void Lv2Plugin::setProgram(int program) const {
    throw HostError(world->argument() + ": the plug-in has no programs (asked for " +
                    std::to_string(program) + ")");
}

void Lv2Plugin::applyConfiguration(double sampleRate, int blockSize) const {
    if (lilvInstance && sampleRate == instanceRate && blockSize == instanceBlock) return;
    instantiate(sampleRate, blockSize);
}

void Lv2Plugin::resume() const {
    if (!lilvInstance) instantiate(context().sampleRate, context().blockSize);
    if (active) return;
    lilv_instance_activate(lilvInstance);
    active = true;
}

void Lv2Plugin::suspend() const {
    if (!lilvInstance || !active) return;
    lilv_instance_deactivate(lilvInstance);
    active = false;
}

void Lv2Plugin::deliverControlChanges(const std::vector<ControlChange>& sorted) const {
    if (midiPort < 0) return;
    const LV2_URID midiEvent = world->urids().map(LV2_MIDI__MidiEvent);
    auto* seq =
        reinterpret_cast<LV2_Atom_Sequence*>(portStorage[static_cast<size_t>(midiPort)].data());
    for (const auto& c : sorted) {
        struct {
            LV2_Atom_Event event;
            std::uint8_t message[3];
        } e{};
        e.event.time.frames = c.frame;
        e.event.body.size = 3;
        e.event.body.type = midiEvent;
        e.message[0] = static_cast<std::uint8_t>(LV2_MIDI_MSG_CONTROLLER | (c.channel & 0x0F));
        e.message[1] = static_cast<std::uint8_t>(c.controller & 0x7F);
        e.message[2] = static_cast<std::uint8_t>(c.value & 0x7F);
        lv2_atom_sequence_append_event(seq, kSequenceWords * 8 - sizeof(LV2_Atom), &e.event);
    }
}

void Lv2Plugin::processBlock(float** inputs, float** outputs, int frames, bool) const {
    if (!active) resume();
    for (size_t i = 0; i < audioInPorts.size(); ++i)
        lilv_instance_connect_port(lilvInstance, audioInPorts[i], inputs[i]);
    for (size_t i = 0; i < audioOutPorts.size(); ++i)
        lilv_instance_connect_port(lilvInstance, audioOutPorts[i], outputs[i]);
    AudioCallScope scope;
    lilv_instance_run(lilvInstance, static_cast<uint32_t>(std::max(frames, 0)));
    resetSequences();
}

float* Lv2Plugin::controlBySymbol(const char* symbol) const {
    for (const auto& p : world->ports()) {
        if (p.kind == Lv2PortKind::Control && p.input && p.symbol == symbol)
            return &values[p.index];
    }
    return nullptr;
}

int Lv2Plugin::latency() const {
    if (!lilv_plugin_has_latency(world->plugin())) return 0;
    const float frames = values[lilv_plugin_get_latency_port_index(world->plugin())];
    return std::isfinite(frames) ? static_cast<int>(frames) : 0;
}

std::unique_ptr<HostedEditor> Lv2Plugin::openEditor(void* parentWindow,
                                                    EditorHostEvents& events) const {
    return std::make_unique<Lv2Ui>(*this, parentWindow, events);
}
