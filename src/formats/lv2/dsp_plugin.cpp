#include "formats/lv2/dsp_plugin.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>

#include <cmath>
#include <limits>

#include "effect/parameter_table.h"

namespace molvex::lv2 {

DspPlugin::DspPlugin(double sampleRate, const DspUrids& urids) : session(sampleRate), urids(urids) {
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
    session.activate();
    applyAll = true;
}

void DspPlugin::deactivate() { session.deactivate(); }

void DspPlugin::applyControlInputs() {
    for (int i = 0; i < kParameterCount; ++i) {
        if (!controls[i]) continue;
        const float portValue = *controls[i];
        if (std::isnan(portValue) || (!applyAll && portValue == appliedControls[i])) continue;
        appliedControls[i] = portValue;
        session.setPlain(static_cast<ParameterIndex>(i), portValue);
    }
    applyAll = false;
}

void DspPlugin::stateRestored() {
    for (int i = 0; i < kParameterCount; ++i)
        if (controls[i]) appliedControls[i] = *controls[i];
    applyAll = false;
}

// The conversion (a logarithm for the levels) runs only for a value that
// changed since the last run.
void DspPlugin::reportValues() {
    for (int i = 0; i < kParameterCount; ++i) {
        if (!reports[i]) continue;
        const auto parameter = static_cast<ParameterIndex>(i);
        const float value = session.getNormalized(parameter);
        if (value != reportedValues[i]) {
            reportedValues[i] = value;
            reportedPorts[i] = plainFromNormalized(parameter, value);
        }
        *reports[i] = reportedPorts[i];
    }
}

void DspPlugin::run(std::uint32_t frames) {
    applyControlInputs();
    DspSession::Block block(session, inputs, outputs, frames);
    const auto* sequence = static_cast<const LV2_Atom_Sequence*>(midi);
    // A sequence claims its own size; the host wrote it, but a size smaller
    // than the header would make the walk read before it.
    if (sequence && urids.midiEvent != 0 && sequence->atom.size >= sizeof(LV2_Atom_Sequence_Body)) {
        const auto* end = reinterpret_cast<const char*>(&sequence->body) + sequence->atom.size;
        LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
            // An event that claims more than the sequence holds ends it.
            const auto* body = static_cast<const char*>(LV2_ATOM_BODY_CONST(&event->body));
            if (body > end || event->body.size > static_cast<std::uint32_t>(end - body)) break;
            if (event->body.type != urids.midiEvent) continue;
            block.midiAt(event->time.frames, reinterpret_cast<const std::uint8_t*>(body),
                         event->body.size);
        }
    }
    block.finish();
    reportValues();
}

}  // namespace molvex::lv2
