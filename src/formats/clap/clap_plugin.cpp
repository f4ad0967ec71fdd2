#include "formats/clap/clap_plugin.h"

#include <clap/events.h>

#include <cmath>

#include "effect/parameter_table.h"
#include "formats/clap/clap_panel.h"
#include "formats/clap/descriptor.h"
#include "formats/clap/extensions.h"
#include "formats/clap/parameter_units.h"
#include "formats/clap/state_stream.h"

namespace molvex::clap {

namespace {

// The rate an instance is made at; activate sets the host's.
constexpr double kCreationRate = 44100.0;
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

clap_event_param_value_t valueEvent(clap_id id, double plain, std::uint32_t flags) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, flags};
    event.param_id = id;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = plain;
    return event;
}

}  // namespace

ClapPlugin::ClapPlugin(const clap_host_t* clapHost)
    : record(kRecord), host(clapHost), session(kCreationRate) {
    record.plugin_data = this;
}

ClapPlugin::~ClapPlugin() = default;

bool ClapPlugin::init() {
    host.queryExtensions();
    return true;
}

bool ClapPlugin::activate(double sampleRate) {
    if (!session.setSampleRate(sampleRate)) return false;
    // An activation starts as a fresh instance would.
    session.reset();
    session.activate();
    lastTail = tail();
    active.store(true, std::memory_order_release);
    return true;
}

void ClapPlugin::deactivate() {
    active.store(false, std::memory_order_release);
    session.deactivate();
}

void ClapPlugin::reset() { session.reset(); }

const void* ClapPlugin::extension(const char* id) const { return findExtension(id); }

double ClapPlugin::defaultValue(clap_id id) {
    ParameterIndex parameter;
    if (!parameterOfId(id, parameter)) return 0.0;
    return toPlain(parameter, parameterRow(parameter).defaultValue);
}

bool ClapPlugin::getValue(clap_id id, double& value) {
    ParameterIndex parameter;
    if (!parameterOfId(id, parameter)) return false;
    value = session.getPlain(parameter);
    return true;
}

void ClapPlugin::pushOut(const clap_event_header_t& event) {
    if (outEvents && outEvents->try_push) outEvents->try_push(outEvents, &event);
}

void ClapPlugin::reportParameter(ParameterIndex parameter, std::uint32_t flags) {
    const clap_event_param_value_t event =
        valueEvent(static_cast<clap_id>(toIndex(parameter)), session.getPlain(parameter), flags);
    pushOut(event.header);
}

void ClapPlugin::applyEvent(const clap_event_header_t& header, DspSession::Block& block) {
    if (header.space_id != CLAP_CORE_EVENT_SPACE_ID) return;
    if (header.type == CLAP_EVENT_PARAM_VALUE && header.size >= sizeof(clap_event_param_value_t)) {
        const auto& event = reinterpret_cast<const clap_event_param_value_t&>(header);
        ParameterIndex parameter;
        if (parameterOfId(event.param_id, parameter))
            block.plainAt(header.time, parameter, static_cast<float>(event.value));
    } else if (header.type == CLAP_EVENT_MIDI && header.size >= sizeof(clap_event_midi_t)) {
        const auto& event = reinterpret_cast<const clap_event_midi_t&>(header);
        // A control change moves at most one parameter; it is the one whose
        // value differs afterwards.
        float before[kParameterCount];
        for (int i = 0; i < kParameterCount; ++i)
            before[i] = session.getNormalized(static_cast<ParameterIndex>(i));
        block.midiAt(header.time, event.data, 3);
        for (int i = 0; i < kParameterCount; ++i) {
            const auto parameter = static_cast<ParameterIndex>(i);
            if (session.getNormalized(parameter) != before[i])
                reportParameter(parameter, CLAP_EVENT_DONT_RECORD);
        }
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
            session.setNormalized(parameter, edit.value);
            reportParameter(parameter, 0);
            continue;
        }
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

void ClapPlugin::applyEvents(const clap_input_events_t* in, DspSession::Block& block) {
    const std::uint32_t count = in && in->size && in->get ? in->size(in) : 0;
    for (std::uint32_t i = 0; i < count; ++i)
        if (const clap_event_header_t* header = in->get(in, i)) applyEvent(*header, block);
    block.finish();
}

namespace {
// The first port's channels when it has `channels` of them, else null.
bool stereo(const clap_audio_buffer_t* buffers, std::uint32_t count, std::uint32_t channels,
            float* out[2]) {
    if (!buffers || count == 0 || !buffers[0].data32 || buffers[0].channel_count < channels)
        return false;
    out[0] = buffers[0].data32[0];
    out[1] = buffers[0].data32[channels > 1 ? 1 : 0];
    return out[0] && out[1];
}
}  // namespace

clap_process_status ClapPlugin::process(const clap_process_t& process) {
    if (!isActive()) return CLAP_PROCESS_ERROR;
    outEvents = process.out_events;
    applyPanelEdits();
    float* in[2] = {};
    float* out[2] = {};
    const bool audio = stereo(process.audio_inputs, process.audio_inputs_count, 2, in) &&
                       stereo(process.audio_outputs, process.audio_outputs_count, 2, out);
    const float* const* inputs = audio ? in : nullptr;
    float* const* outputs = audio ? out : nullptr;
    DspSession::Block block(session, inputs, outputs, process.frames_count);
    applyEvents(process.in_events, block);
    outEvents = nullptr;
    checkTail();
    // Never ask to sleep: the line may hold echoes after the input falls
    // silent, and the host's tail counts from the tail extension.
    return CLAP_PROCESS_CONTINUE;
}

void ClapPlugin::flush(const clap_input_events_t* in, const clap_output_events_t* out) {
    outEvents = out;
    applyPanelEdits();
    DspSession::Block block(session, nullptr, nullptr, 0);
    applyEvents(in, block);
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
    const double rate = session.getSampleRate();
    const double delay = std::floor(session.getNormalized(ParameterIndex::Delay) * rate);
    const double feedback = session.getNormalized(ParameterIndex::Feedback);
    // The filter's Q (1 to 5) lifts its peak above unity: the loop gain is
    // the feedback times that peak, a second-order section's at its worst.
    const double q = 1.0 + 4.0 * session.getNormalized(ParameterIndex::Resonance);
    const double loop = feedback * q / std::sqrt(1.0 - 1.0 / (4.0 * q * q));
    if (loop >= kHeldLoopGain) return kInfiniteTail;
    const double repeats = loop > 0.0 ? std::ceil(std::log(kSilence) / std::log(loop)) : 0.0;
    const double samples = (repeats + 1.0) * (delay + 1.0) + kFilterRingSeconds * rate;
    return samples >= kInfiniteTail ? kInfiniteTail : static_cast<std::uint32_t>(samples);
}

bool ClapPlugin::saveState(const clap_ostream_t* stream) {
    return writeState(stream, session.stateText());
}

bool ClapPlugin::loadState(const clap_istream_t* stream) {
    std::string text;
    if (!readState(stream, text) || !session.restoreState(text.data(), text.size())) return false;
    host.rescanValues();
    return true;
}

ClapPanel& ClapPlugin::ensurePanel() {
    if (!panel) panel = std::make_unique<ClapPanel>(*this);
    return *panel;
}

void ClapPlugin::dropPanel() { panel.reset(); }

}  // namespace molvex::clap
