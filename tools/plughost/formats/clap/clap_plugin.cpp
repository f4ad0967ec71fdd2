#include "formats/clap/clap_plugin.h"

#include <clap/ext/latency.h>
#include <clap/ext/note-ports.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "error.h"
#include "formats/clap/clap_commands.h"
#include "formats/clap/clap_editor.h"

void ClapEventList::add(const clap_event_header_t& event) {
    std::vector<std::uint64_t> storage((event.size + 7) / 8);
    std::memcpy(storage.data(), &event, event.size);
    auto later = std::upper_bound(
        events.begin(), events.end(), event.time,
        [](std::uint32_t time, const std::vector<std::uint64_t>& e) {
            return time < reinterpret_cast<const clap_event_header_t*>(e.data())->time;
        });
    events.insert(later, std::move(storage));
}

const clap_input_events_t* ClapEventList::input() {
    list.ctx = this;
    list.size = [](const clap_input_events_t* l) {
        return static_cast<std::uint32_t>(static_cast<ClapEventList*>(l->ctx)->events.size());
    };
    list.get = [](const clap_input_events_t* l, std::uint32_t i) -> const clap_event_header_t* {
        auto& events = static_cast<ClapEventList*>(l->ctx)->events;
        return i < events.size() ? reinterpret_cast<const clap_event_header_t*>(events[i].data())
                                 : nullptr;
    };
    return &list;
}

ClapHostedPlugin::ClapHostedPlugin(std::shared_ptr<const ClapLibrary> lib, HostContext& context)
    : HostedPlugin(context), library(std::move(lib)), clapHost(std::make_unique<ClapHost>()) {
    const clap_plugin_factory_t& factory = library->factory();
    instance = factory.create_plugin(&factory, clapHost->get(), library->descriptor().id);
    if (!instance) throw HostError(library->path() + ": create_plugin gave no plug-in");
    if (!instance->init(instance)) {
        instance->destroy(instance);
        instance = nullptr;
        throw HostError(library->path() + ": the plug-in's init failed");
    }
    paramsExt = static_cast<const clap_plugin_params_t*>(
        instance->get_extension(instance, CLAP_EXT_PARAMS));
    stateExt =
        static_cast<const clap_plugin_state_t*>(instance->get_extension(instance, CLAP_EXT_STATE));
    gui = static_cast<const clap_plugin_gui_t*>(instance->get_extension(instance, CLAP_EXT_GUI));
    if (paramsExt) {
        const std::uint32_t count = paramsExt->count(instance);
        for (std::uint32_t i = 0; i < count; ++i) {
            clap_param_info_t info{};
            if (paramsExt->get_info(instance, i, &info)) infos.push_back(info);
        }
    }
    readPorts();
    outList.ctx = const_cast<ClapHostedPlugin*>(this);
    outList.try_push = [](const clap_output_events_t* l, const clap_event_header_t* e) {
        const auto* self = static_cast<const ClapHostedPlugin*>(l->ctx);
        if (e->space_id != CLAP_CORE_EVENT_SPACE_ID) return true;
        if (e->type == CLAP_EVENT_PARAM_VALUE && e->size >= sizeof(clap_event_param_value_t)) {
            const auto& v = *reinterpret_cast<const clap_event_param_value_t*>(e);
            if (self->captured) self->captured->push_back({e->type, e->flags, v.param_id, v.value});
            if (const int i = self->indexOf(v.param_id); i >= 0)
                self->context().recordAutomation(i, self->normalised(i, v.value));
        } else if ((e->type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                    e->type == CLAP_EVENT_PARAM_GESTURE_END) &&
                   e->size >= sizeof(clap_event_param_gesture_t) && self->captured) {
            const auto& g = *reinterpret_cast<const clap_event_param_gesture_t*>(e);
            self->captured->push_back({e->type, e->flags, g.param_id, 0.0});
        }
        return true;
    };
}

ClapHostedPlugin::~ClapHostedPlugin() {
    if (!instance) return;
    suspend();
    instance->destroy(instance);
}

void ClapHostedPlugin::readPorts() {
    const auto* audio = static_cast<const clap_plugin_audio_ports_t*>(
        instance->get_extension(instance, CLAP_EXT_AUDIO_PORTS));
    for (bool input : {true, false}) {
        auto& channels = input ? inputPortChannels : outputPortChannels;
        const std::uint32_t count = audio ? audio->count(instance, input) : 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            clap_audio_port_info_t info{};
            channels.push_back(audio->get(instance, i, input, &info) ? info.channel_count : 0);
        }
    }
    for (auto c : inputPortChannels) inputChannels += static_cast<int>(c);
    for (auto c : outputPortChannels) outputChannels += static_cast<int>(c);
    const auto* notes = static_cast<const clap_plugin_note_ports_t*>(
        instance->get_extension(instance, CLAP_EXT_NOTE_PORTS));
    if (notes && notes->count(instance, true) > 0) {
        clap_note_port_info_t info{};
        if (notes->get(instance, 0, true, &info) &&
            (info.supported_dialects & CLAP_NOTE_DIALECT_MIDI))
            midiPort = 0;
    }
}

int ClapHostedPlugin::latency() const {
    const auto* ext = static_cast<const clap_plugin_latency_t*>(
        instance->get_extension(instance, CLAP_EXT_LATENCY));
    return ext && active ? static_cast<int>(ext->get(instance)) : 0;
}

long ClapHostedPlugin::tail() const {
    struct Tail {
        std::uint32_t (*get)(const clap_plugin_t*);
    };
    const auto* ext = static_cast<const Tail*>(instance->get_extension(instance, "clap.tail"));
    if (!ext) return 0;
    const std::uint32_t samples = ext->get(instance);
    return samples == 0 ? 1 : static_cast<long>(std::min<std::uint32_t>(samples, 0x7fffffff));
}

double ClapHostedPlugin::plainValue(int index) const {
    double value = 0.0;
    if (paramsExt) paramsExt->get_value(instance, infos[index].id, &value);
    return value;
}

float ClapHostedPlugin::normalised(int index, double plain) const {
    const auto& info = infos[static_cast<std::size_t>(index)];
    const double span = info.max_value - info.min_value;
    return span > 0 ? static_cast<float>((plain - info.min_value) / span) : 0.0f;
}

float ClapHostedPlugin::getParameter(int index) const {
    return normalised(index, plainValue(index));
}

void ClapHostedPlugin::setPlainValue(int index, double plain) const {
    // A host never sets a read-only parameter (a meter the plug-in reports).
    if (isReadOnly(index)) return;
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = infos[index].id;
    event.cookie = infos[index].cookie;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = plain;
    pending.add(event.header);
    if (!active) flush();
}

void ClapHostedPlugin::setParameter(int index, float value) const {
    const auto& info = infos[index];
    setPlainValue(index,
                  info.min_value + static_cast<double>(value) * (info.max_value - info.min_value));
}

int ClapHostedPlugin::indexOf(clap_id id) const {
    for (std::size_t i = 0; i < infos.size(); ++i)
        if (infos[i].id == id) return static_cast<int>(i);
    return -1;
}

void ClapHostedPlugin::flush(std::vector<ClapOutputEvent>* out) const {
    auto* kept = captured;
    if (out) captured = out;
    if (paramsExt) paramsExt->flush(instance, pending.input(), &outList);
    pending.clear();
    captured = kept;
    clapHost->flushRequested = false;
}

void ClapHostedPlugin::applyConfiguration(double sampleRate, int blockSize) const {
    const bool wasActive = active;
    suspend();
    rate = sampleRate;
    maxBlock = std::max(1, blockSize);
    if (wasActive) resume();
}

void ClapHostedPlugin::resume() const {
    if (active) return;
    if (!instance->activate(instance, rate, 1, static_cast<std::uint32_t>(maxBlock)))
        throw HostError(library->path() + ": activate refused " + std::to_string(rate) + " Hz");
    active = true;
}

void ClapHostedPlugin::suspend() const {
    if (!active) return;
    if (processing) instance->stop_processing(instance);
    processing = false;
    instance->deactivate(instance);
    active = false;
}

void ClapHostedPlugin::deliverControlChanges(const std::vector<ControlChange>& sorted) const {
    if (midiPort < 0) return;
    for (const ControlChange& c : sorted) {
        clap_event_midi_t event{};
        event.header = {sizeof event, static_cast<std::uint32_t>(std::max(0, c.frame)),
                        CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
        event.port_index = static_cast<std::uint16_t>(midiPort);
        event.data[0] = static_cast<std::uint8_t>(0xB0 | (c.channel & 0x0F));
        event.data[1] = static_cast<std::uint8_t>(c.controller & 0x7F);
        event.data[2] = static_cast<std::uint8_t>(c.value & 0x7F);
        pending.add(event.header);
    }
}

clap_process_status ClapHostedPlugin::processWith(const clap_process_t& process) const {
    if (!active) resume();
    ClapHost::AudioScope scope;
    if (!processing) processing = instance->start_processing(instance);
    return instance->process(instance, &process);
}

void ClapHostedPlugin::processBlock(float** inputs, float** outputs, int frames, bool) const {
    std::vector<clap_audio_buffer_t> ins, outs;
    int at = 0;
    for (std::uint32_t channels : inputPortChannels) {
        ins.push_back({inputs + at, nullptr, channels, 0, 0});
        at += static_cast<int>(channels);
    }
    at = 0;
    for (std::uint32_t channels : outputPortChannels) {
        outs.push_back({outputs + at, nullptr, channels, 0, 0});
        at += static_cast<int>(channels);
    }
    clap_process_t process{};
    process.steady_time = steadyTime;
    process.frames_count = static_cast<std::uint32_t>(frames);
    process.audio_inputs = ins.data();
    process.audio_outputs = outs.data();
    process.audio_inputs_count = static_cast<std::uint32_t>(ins.size());
    process.audio_outputs_count = static_cast<std::uint32_t>(outs.size());
    process.in_events = pending.input();
    process.out_events = &outList;
    processWith(process);
    pending.clear();
    steadyTime += frames;
}

bool ClapHostedPlugin::editorSize(int& width, int& height) const {
    return clapEditorSize(*this, width, height);
}

std::unique_ptr<HostedEditor> ClapHostedPlugin::openEditor(void* parentWindow,
                                                           EditorHostEvents& events) const {
    return std::make_unique<ClapEditor>(*this, parentWindow, events);
}

std::unique_ptr<HostedPlugin> openClap(const std::string& argument, HostContext& context) {
    return std::make_unique<ClapHostedPlugin>(std::make_shared<const ClapLibrary>(argument),
                                              context);
}
