#include "formats/clap/clap_plugin.h"

#include <clap/events.h>

#include <cmath>

#include "formats/clap/clap_panel.h"
#include "formats/clap/descriptor.h"
#include "formats/clap/extensions.h"
#include "formats/clap/parameter_units.h"
#include "formats/clap/state_stream.h"

namespace molvex::clap {

namespace {

constexpr VstIntPtr kHostVersion = 2400;
// Below this loop gain an echo has died away (-100 dB) within the repeats
// counted; at or above it the feedback holds the signal.
constexpr double kHeldLoopGain = 0.999;
constexpr double kSilence = 1e-5;
// The filter rings for a while after the last echo; 50 ms covers its Q.
constexpr double kFilterRingSeconds = 0.05;

ClapPlugin* self(const clap_plugin_t* plugin) { return ClapPlugin::of(plugin); }

const clap_plugin_t kRecord = {
    &pluginDescriptor(),
    nullptr,
    [](const clap_plugin_t* p) { return self(p)->init(); },
    [](const clap_plugin_t* p) { delete self(p); },
    [](const clap_plugin_t* p, double rate, std::uint32_t, std::uint32_t) {
        return self(p)->activate(rate);
    },
    [](const clap_plugin_t* p) { self(p)->deactivate(); },
    [](const clap_plugin_t*) { return true; },
    [](const clap_plugin_t*) {},
    [](const clap_plugin_t* p) { self(p)->reset(); },
    [](const clap_plugin_t* p, const clap_process_t* process) -> clap_process_status {
        return process ? self(p)->process(*process) : CLAP_PROCESS_ERROR;
    },
    [](const clap_plugin_t* p, const char* id) { return self(p)->extension(id); },
    [](const clap_plugin_t*) {},
};

}  // namespace

ClapPlugin::ClapPlugin(const clap_host_t* clapHost)
    : record(kRecord), host(clapHost), effect(&effectCallback) {
    record.plugin_data = this;
    effect.getRecord()->user = this;
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        defaults[i] = toPlain(static_cast<ParameterIndex>(i), effect.getParameter(i));
}

ClapPlugin::~ClapPlugin() = default;

bool ClapPlugin::init() {
    host.queryExtensions();
    return true;
}

bool ClapPlugin::activate(double sampleRate) {
    const auto rate = static_cast<float>(sampleRate);
    effect.setSampleRate(rate);
    if (effect.getSampleRate() != rate || effect.getDelayLineLength() <= 0) return false;
    effect.resume();
    lastTail = tail();
    active.store(true, std::memory_order_release);
    return true;
}

void ClapPlugin::deactivate() {
    active.store(false, std::memory_order_release);
    effect.suspend();
}

void ClapPlugin::reset() { effect.suspend(); }

const void* ClapPlugin::extension(const char* id) const { return findExtension(id); }

double ClapPlugin::defaultValue(clap_id id) const {
    ParameterIndex parameter;
    return parameterOfId(id, parameter) ? defaults[toIndex(parameter)] : 0.0;
}

bool ClapPlugin::getValue(clap_id id, double& value) {
    ParameterIndex parameter;
    if (!parameterOfId(id, parameter)) return false;
    value = toPlain(parameter, effect.getParameter(parameter));
    return true;
}

void ClapPlugin::pushOut(const clap_event_header_t& event) {
    if (outEvents && outEvents->try_push) outEvents->try_push(outEvents, &event);
}

void ClapPlugin::reportControllerChange(VstInt32 index, float value) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE,
                    CLAP_EVENT_DONT_RECORD};
    event.param_id = static_cast<clap_id>(index);
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = toPlain(static_cast<ParameterIndex>(index), value);
    pushOut(event.header);
}

void ClapPlugin::applyEvent(const clap_event_header_t& header) {
    if (header.space_id != CLAP_CORE_EVENT_SPACE_ID) return;
    if (header.type == CLAP_EVENT_PARAM_VALUE && header.size >= sizeof(clap_event_param_value_t)) {
        const auto& event = reinterpret_cast<const clap_event_param_value_t&>(header);
        ParameterIndex parameter;
        if (!parameterOfId(event.param_id, parameter)) return;
        const float value = toEffectValue(parameter, event.value);
        if (!std::isnan(value)) effect.setParameter(parameter, value);
    } else if (header.type == CLAP_EVENT_MIDI && header.size >= sizeof(clap_event_midi_t)) {
        const auto& event = reinterpret_cast<const clap_event_midi_t&>(header);
        VstMidiEvent midi{};
        midi.type = kVstMidiType;
        midi.byteSize = sizeof midi;
        for (int i = 0; i < 3; ++i) midi.midiData[i] = static_cast<char>(event.data[i]);
        VstEvents events{};
        events.numEvents = 1;
        events.events[0] = reinterpret_cast<VstEvent*>(&midi);
        effect.processEvents(&events);
    }
}

void ClapPlugin::panelEdit(const PanelEdit& edit) {
    if (edits.push(edit)) host.requestFlush();
}

void ClapPlugin::applyPanelEdits() {
    PanelEdit edit;
    while (edits.pop(edit)) {
        ParameterIndex parameter;
        if (!parameterOfId(edit.parameter, parameter)) continue;
        if (edit.kind == PanelEdit::Kind::value) {
            effect.setParameter(parameter, edit.value);
            clap_event_param_value_t event{};
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
            event.param_id = edit.parameter;
            event.note_id = -1;
            event.port_index = -1;
            event.channel = -1;
            event.key = -1;
            event.value = toPlain(parameter, edit.value);
            pushOut(event.header);
        } else {
            clap_event_param_gesture_t event{};
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID,
                            edit.kind == PanelEdit::Kind::begin
                                ? static_cast<std::uint16_t>(CLAP_EVENT_PARAM_GESTURE_BEGIN)
                                : static_cast<std::uint16_t>(CLAP_EVENT_PARAM_GESTURE_END),
                            0};
            event.param_id = edit.parameter;
            pushOut(event.header);
        }
    }
}

void ClapPlugin::processPiece(const clap_process_t& process, std::uint32_t from, std::uint32_t to) {
    if (to <= from) return;
    const clap_audio_buffer_t& in = process.audio_inputs[0];
    clap_audio_buffer_t& out = process.audio_outputs[0];
    float* inputs[2] = {in.data32[0] + from, in.data32[in.channel_count > 1 ? 1 : 0] + from};
    float* outputs[2] = {out.data32[0] + from, out.data32[1] + from};
    effect.processReplacing(inputs, outputs, static_cast<VstInt32>(to - from));
}

void ClapPlugin::applyEvents(const clap_input_events_t* in, std::uint32_t frames,
                             const clap_process_t* audio) {
    std::uint32_t done = 0;
    const std::uint32_t count = in && in->size && in->get ? in->size(in) : 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const clap_event_header_t* header = in->get(in, i);
        if (!header) continue;
        // Events out of order or past the block apply where they can.
        const std::uint32_t at =
            header->time < done ? done : (header->time > frames ? frames : header->time);
        if (audio) processPiece(*audio, done, at);
        done = at;
        applyEvent(*header);
    }
    if (audio) processPiece(*audio, done, frames);
}

namespace {
bool hasStereo(const clap_audio_buffer_t* buffers, std::uint32_t count, std::uint32_t channels) {
    return buffers && count > 0 && buffers[0].data32 && buffers[0].channel_count >= channels &&
           buffers[0].data32[0] && (channels < 2 || buffers[0].data32[1]);
}
}  // namespace

clap_process_status ClapPlugin::process(const clap_process_t& process) {
    if (!isActive()) return CLAP_PROCESS_ERROR;
    outEvents = process.out_events;
    applyPanelEdits();
    const bool audio = hasStereo(process.audio_inputs, process.audio_inputs_count, 1) &&
                       hasStereo(process.audio_outputs, process.audio_outputs_count, 2);
    applyEvents(process.in_events, process.frames_count, audio ? &process : nullptr);
    outEvents = nullptr;
    checkTail();
    // Never ask to sleep: the line may hold echoes after the input falls
    // silent, and the host's tail counts from the tail extension.
    return CLAP_PROCESS_CONTINUE;
}

void ClapPlugin::flush(const clap_input_events_t* in, const clap_output_events_t* out) {
    outEvents = out;
    applyPanelEdits();
    applyEvents(in, 0, nullptr);
    outEvents = nullptr;
    if (isActive()) checkTail();
}

void ClapPlugin::checkTail() {
    const std::uint32_t now = tail();
    if (now == lastTail) return;
    lastTail = now;
    host.tailChanged();
}

std::uint32_t ClapPlugin::tail() {
    const double rate = effect.getSampleRate();
    const double delay = std::floor(effect.getParameter(ParameterIndex::Delay) * rate);
    const double feedback = effect.getParameter(ParameterIndex::Feedback);
    // The filter's Q (1 to 5) lifts its peak above unity: the loop gain is
    // the feedback times that peak, a second-order section's at its worst.
    const double q = 1.0 + 4.0 * effect.getParameter(ParameterIndex::Resonance);
    const double loop = feedback * q / std::sqrt(1.0 - 1.0 / (4.0 * q * q));
    if (loop >= kHeldLoopGain) return kInfiniteTail;
    const double repeats = loop > 0.0 ? std::ceil(std::log(kSilence) / std::log(loop)) : 0.0;
    const double samples = (repeats + 1.0) * (delay + 1.0) + kFilterRingSeconds * rate;
    return samples >= kInfiniteTail ? kInfiniteTail : static_cast<std::uint32_t>(samples);
}

bool ClapPlugin::saveState(const clap_ostream_t* stream) {
    const StateBytes bytes = encodeState(effect);
    return writeAll(stream, bytes.data(), bytes.size());
}

bool ClapPlugin::loadState(const clap_istream_t* stream) {
    StateBytes bytes{};
    if (!readExactly(stream, bytes) || !decodeState(bytes, effect)) return false;
    host.rescanValues();
    return true;
}

ClapPanel& ClapPlugin::ensurePanel() {
    if (!panel) panel = std::make_unique<ClapPanel>(*this);
    return *panel;
}

void ClapPlugin::dropPanel() { panel.reset(); }

// The effect reports a MIDI control change as automation; CLAP hears it as
// a parameter output event the host does not record.
VstIntPtr ClapPlugin::effectCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr,
                                     void*, float opt) {
    if (opcode == audioMasterVersion) return kHostVersion;
    auto* plugin = record ? static_cast<ClapPlugin*>(record->user) : nullptr;
    if (plugin && opcode == audioMasterAutomate) plugin->reportControllerChange(index, opt);
    return 0;
}

}  // namespace molvex::clap
