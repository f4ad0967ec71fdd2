#include "clap_host.h"

#include <clap/ext/gui.h>
#include <clap/ext/state.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>

#include <algorithm>
#include <cstring>

#include "clap_library_loader.h"

namespace claptest {

Library::Library(const std::string& path) {
    handle = loadLibrary(path, message);
    if (!handle) return;
    entry = static_cast<const clap_plugin_entry_t*>(librarySymbol(handle, "clap_entry"));
    if (!entry) message = path + " has no clap_entry";
    else if (!entry->init(path.c_str())) {
        message = path + ": init failed";
        entry = nullptr;
    }
}

Library::~Library() {
    if (entry) entry->deinit();
    if (handle) unloadLibrary(handle);
}

const clap_plugin_factory_t* Library::factory() const {
    return entry ? static_cast<const clap_plugin_factory_t*>(
                       entry->get_factory(CLAP_PLUGIN_FACTORY_ID))
                 : nullptr;
}

void EventList::raw(const clap_event_header_t& event) {
    std::vector<std::uint64_t> storage((event.size + 7) / 8);
    std::memcpy(storage.data(), &event, event.size);
    // Stable: events of one frame keep the order they were added in.
    auto later = std::upper_bound(
        events.begin(), events.end(), event.time,
        [](std::uint32_t time, const std::vector<std::uint64_t>& e) {
            return time < reinterpret_cast<const clap_event_header_t*>(e.data())->time;
        });
    events.insert(later, std::move(storage));
}

void EventList::paramValue(std::uint32_t frame, clap_id id, double value) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, frame, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    raw(event.header);
}

void EventList::midi(std::uint32_t frame, std::uint8_t status, std::uint8_t data1,
                     std::uint8_t data2) {
    clap_event_midi_t event{};
    event.header = {sizeof event, frame, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
    event.data[0] = status;
    event.data[1] = data1;
    event.data[2] = data2;
    raw(event.header);
}

const clap_input_events_t* EventList::input() {
    list.ctx = this;
    list.size = [](const clap_input_events_t* l) {
        return static_cast<std::uint32_t>(static_cast<EventList*>(l->ctx)->size());
    };
    list.get = [](const clap_input_events_t* l, std::uint32_t i) -> const clap_event_header_t* {
        auto* self = static_cast<EventList*>(l->ctx);
        return i < self->size() ? self->at(i) : nullptr;
    };
    return &list;
}

namespace {

Host& hostOf(const clap_host_t* host) { return *static_cast<Host*>(host->host_data); }

const clap_host_params_t kParams = {
    [](const clap_host_t* h, clap_param_rescan_flags) { ++hostOf(h).rescans; },
    [](const clap_host_t*, clap_id, clap_param_clear_flags) {},
    [](const clap_host_t* h) { ++hostOf(h).flushRequests; },
};
const clap_host_state_t kState = {[](const clap_host_t*) {}};
const clap_host_gui_t kGui = {
    [](const clap_host_t*) {},
    [](const clap_host_t* h, std::uint32_t width, std::uint32_t height) {
        hostOf(h).resizeRequests.emplace_back(width, height);
        return true;
    },
    [](const clap_host_t*) { return false; },
    [](const clap_host_t*) { return false; },
    [](const clap_host_t*, bool) {},
};
const clap_host_timer_support_t kTimers = {
    [](const clap_host_t* h, std::uint32_t period, clap_id* id) {
        Host& host = hostOf(h);
        *id = static_cast<clap_id>(100 + host.timerPeriods.size());
        host.timerPeriods.push_back(period);
        host.liveTimers.push_back(*id);
        return true;
    },
    [](const clap_host_t* h, clap_id id) {
        auto& live = hostOf(h).liveTimers;
        const auto found = std::find(live.begin(), live.end(), id);
        if (found == live.end()) return false;
        live.erase(found);
        return true;
    },
};
const clap_host_thread_check_t kThreadCheck = {
    [](const clap_host_t*) { return true; },
    [](const clap_host_t*) { return true; },
};
struct HostTail {
    void (*changed)(const clap_host_t*);
};
const HostTail kTail = {[](const clap_host_t* h) { ++hostOf(h).tailChanges; }};

const void* hostExtension(const clap_host_t* h, const char* id) {
    Host& host = hostOf(h);
    ++host.extensionQueries;
    if (!host.offerExtensions || !id) return nullptr;
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0) return &kParams;
    if (std::strcmp(id, CLAP_EXT_STATE) == 0) return &kState;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &kGui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimers;
    if (std::strcmp(id, CLAP_EXT_THREAD_CHECK) == 0) return &kThreadCheck;
    if (std::strcmp(id, "clap.tail") == 0) return &kTail;
    return nullptr;
}

}  // namespace

Host::Host() {
    host.clap_version = CLAP_VERSION;
    host.host_data = this;
    host.name = "claptest";
    host.vendor = "Molvex tests";
    host.url = "";
    host.version = "1";
    host.get_extension = hostExtension;
    host.request_restart = [](const clap_host_t*) {};
    host.request_process = [](const clap_host_t*) {};
    host.request_callback = [](const clap_host_t*) {};
}

Instance::Instance(const Library& library, Host& host, const char* id) {
    const clap_plugin_factory_t* factory = library.factory();
    if (!factory) return;
    if (!id) {
        const clap_plugin_descriptor_t* descriptor = factory->get_plugin_descriptor(factory, 0);
        id = descriptor ? descriptor->id : "";
    }
    plugin = factory->create_plugin(factory, host.get(), id);
    if (plugin && !plugin->init(plugin)) {
        plugin->destroy(plugin);
        plugin = nullptr;
    }
}

Instance::~Instance() {
    if (!plugin) return;
    deactivate();
    plugin->destroy(plugin);
}

bool Instance::activate(double rate, std::uint32_t maxFrames) {
    active = plugin->activate(plugin, rate, 1, maxFrames);
    if (active) plugin->start_processing(plugin);
    return active;
}

void Instance::deactivate() {
    if (!active) return;
    plugin->stop_processing(plugin);
    plugin->deactivate(plugin);
    active = false;
}

namespace {
clap_output_events_t outputList(std::vector<OutputEvent>& output) {
    clap_output_events_t list{};
    list.ctx = &output;
    list.try_push = [](const clap_output_events_t* l, const clap_event_header_t* e) {
        auto& out = *static_cast<std::vector<OutputEvent>*>(l->ctx);
        OutputEvent kept{e->type, e->flags, CLAP_INVALID_ID, 0.0};
        if (e->type == CLAP_EVENT_PARAM_VALUE) {
            const auto* value = reinterpret_cast<const clap_event_param_value_t*>(e);
            kept.id = value->param_id;
            kept.value = value->value;
        } else if (e->type == CLAP_EVENT_PARAM_GESTURE_BEGIN ||
                   e->type == CLAP_EVENT_PARAM_GESTURE_END) {
            kept.id = reinterpret_cast<const clap_event_param_gesture_t*>(e)->param_id;
        }
        out.push_back(kept);
        return true;
    };
    return list;
}
}  // namespace

clap_process_status Instance::process(std::uint32_t frames, std::size_t offset, bool inPlace) {
    const std::size_t need = offset + frames;
    for (auto* v : {&inL, &inR, &outL, &outR})
        if (v->size() < need) v->resize(need, 0.0f);
    float* in[2] = {inL.data() + offset, inR.data() + offset};
    float* out[2] = {outL.data() + offset, outR.data() + offset};
    clap_audio_buffer_t input{in, nullptr, 2, 0, 0};
    clap_audio_buffer_t outputBuffer{inPlace ? in : out, nullptr, 2, 0, 0};
    clap_output_events_t outList = outputList(output);
    clap_process_t process{};
    process.steady_time = -1;
    process.frames_count = frames;
    process.audio_inputs = &input;
    process.audio_outputs = &outputBuffer;
    process.audio_inputs_count = 1;
    process.audio_outputs_count = 1;
    process.in_events = events.input();
    process.out_events = &outList;
    const clap_process_status status = plugin->process(plugin, &process);
    events.clear();
    return status;
}

void Instance::flush() {
    const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    clap_output_events_t outList = outputList(output);
    params->flush(plugin, events.input(), &outList);
    events.clear();
}

double Instance::value(clap_id id) const {
    double v = -12345.0;
    extension<clap_plugin_params_t>(CLAP_EXT_PARAMS)->get_value(plugin, id, &v);
    return v;
}

namespace {
struct Chunked {
    std::vector<std::uint8_t>* bytes;
    std::size_t chunk;
    std::size_t at = 0;
};
}  // namespace

std::vector<std::uint8_t> Instance::save(std::size_t chunk) const {
    std::vector<std::uint8_t> bytes;
    Chunked sink{&bytes, chunk};
    clap_ostream_t stream{&sink, [](const clap_ostream_t* s, const void* data, std::uint64_t size) {
                              auto* c = static_cast<Chunked*>(s->ctx);
                              const std::size_t n = std::min<std::size_t>(size, c->chunk);
                              const auto* p = static_cast<const std::uint8_t*>(data);
                              c->bytes->insert(c->bytes->end(), p, p + n);
                              return static_cast<std::int64_t>(n);
                          }};
    const auto* state = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    if (!state->save(plugin, &stream)) bytes.clear();
    return bytes;
}

bool Instance::load(const std::vector<std::uint8_t>& bytes, std::size_t chunk) const {
    auto copy = bytes;
    Chunked source{&copy, chunk};
    clap_istream_t stream{&source, [](const clap_istream_t* s, void* data, std::uint64_t size) {
                              auto* c = static_cast<Chunked*>(s->ctx);
                              const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(
                                  {size, c->chunk, c->bytes->size() - c->at}));
                              std::memcpy(data, c->bytes->data() + c->at, n);
                              c->at += n;
                              return static_cast<std::int64_t>(n);
                          }};
    return extension<clap_plugin_state_t>(CLAP_EXT_STATE)->load(plugin, &stream);
}

}  // namespace claptest
