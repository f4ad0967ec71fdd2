#include "formats/lv2/dsp_plugin.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>

#include <cmath>
#include <limits>

namespace molvex::lv2 {

DspPlugin::DspPlugin(double sampleRate, const DspUrids& urids) : effect(nullptr), urids(urids) {
    const auto rate = static_cast<float>(sampleRate);
    effect.setSampleRate(rate);
    usable = effect.getSampleRate() == rate && effect.getDelayLineLength() > 0;
    for (float& value : appliedControls) value = 0.0f;
    for (float& value : reportedValues) value = std::numeric_limits<float>::quiet_NaN();
    for (float& value : reportedPorts) value = 0.0f;
}

void DspPlugin::connectPort(std::uint32_t port, void* data) {
    ParameterIndex parameter;
    if (controlInputParameter(port, parameter))
        controls[toIndex(parameter)] = static_cast<float*>(data);
    else if (controlOutputParameter(port, parameter))
        reports[toIndex(parameter)] = static_cast<float*>(data);
    else if (port == kPortInputLeft || port == kPortInputRight)
        inputs[port - kPortInputLeft] = static_cast<const float*>(data);
    else if (port == kPortOutputLeft || port == kPortOutputRight)
        outputs[port - kPortOutputLeft] = static_cast<float*>(data);
    else if (port == kPortMidi) midi = data;
}

void DspPlugin::activate() {
    effect.resume();
    applyAll = true;
}

void DspPlugin::deactivate() { effect.suspend(); }

void DspPlugin::applyControlInputs() {
    for (VstInt32 i = 0; i < kParameterCount; ++i) {
        if (!controls[i]) continue;
        const float portValue = *controls[i];
        if (std::isnan(portValue) || (!applyAll && portValue == appliedControls[i])) continue;
        appliedControls[i] = portValue;
        effect.setParameter(i, toParameter(static_cast<ParameterIndex>(i), portValue));
    }
    applyAll = false;
}

// The same road as the VST 2 build's: one event through processEvents.
void DspPlugin::applyMidiEvent(const std::uint8_t* bytes, std::uint32_t size) {
    if (size < 3) return;
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof event;
    for (int i = 0; i < 3; ++i) event.midiData[i] = static_cast<char>(bytes[i]);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    effect.processEvents(&events);
}

void DspPlugin::stateRestored() {
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        if (controls[i]) appliedControls[i] = *controls[i];
    applyAll = false;
}

void DspPlugin::processPiece(std::uint32_t from, std::uint32_t to) {
    if (to <= from) return;
    float* in[2] = {const_cast<float*>(inputs[0]) + from, const_cast<float*>(inputs[1]) + from};
    float* out[2] = {outputs[0] + from, outputs[1] + from};
    effect.processReplacing(in, out, static_cast<VstInt32>(to - from));
}

// The conversion (a logarithm for the levels) runs only for a value that
// changed since the last run.
void DspPlugin::reportValues() {
    for (VstInt32 i = 0; i < kParameterCount; ++i) {
        if (!reports[i]) continue;
        const float value = effect.getParameter(i);
        if (value != reportedValues[i]) {
            reportedValues[i] = value;
            reportedPorts[i] = toPort(static_cast<ParameterIndex>(i), value);
        }
        *reports[i] = reportedPorts[i];
    }
}

void DspPlugin::run(std::uint32_t frames) {
    applyControlInputs();
    const bool audio = inputs[0] && inputs[1] && outputs[0] && outputs[1];
    std::uint32_t done = 0;
    const auto* sequence = static_cast<const LV2_Atom_Sequence*>(midi);
    if (sequence && urids.midiEvent != 0) {
        // A sequence claims its own size; the host wrote it, but a size
        // smaller than the header would make the walk read before it.
        if (sequence->atom.size >= sizeof(LV2_Atom_Sequence_Body)) {
            const auto* end = reinterpret_cast<const char*>(&sequence->body) + sequence->atom.size;
            LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
                // An event that claims more than the sequence holds ends it.
                const auto* body = static_cast<const char*>(LV2_ATOM_BODY_CONST(&event->body));
                if (body > end || event->body.size > static_cast<std::uint32_t>(end - body)) break;
                if (event->body.type != urids.midiEvent) continue;
                // Events out of order or past the block apply where they can.
                const std::int64_t frame = event->time.frames;
                const auto at = static_cast<std::uint32_t>(
                    frame < static_cast<std::int64_t>(done)
                        ? done
                        : (frame > static_cast<std::int64_t>(frames) ? frames : frame));
                if (audio) processPiece(done, at);
                done = at;
                applyMidiEvent(static_cast<const std::uint8_t*>(LV2_ATOM_BODY_CONST(&event->body)),
                               event->body.size);
            }
        }
    }
    if (audio) processPiece(done, frames);
    reportValues();
}

}  // namespace molvex::lv2
