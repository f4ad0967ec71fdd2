// The extension tables. Each function finds its instance and passes the
// call on; what the instance does is in clap_plugin.h and clap_panel.h.
#include "formats/clap/extensions.h"

#include <clap/ext/audio-ports.h>
#include <clap/ext/latency.h>
#include <clap/ext/note-ports.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>

#include <cstdio>
#include <cstring>

#include "formats/clap/clap_plugin.h"
#include "formats/clap/gui_extension.h"
#include "formats/clap/parameter_units.h"
#include "formats/clap/tail.h"

namespace molvex::clap {

namespace {

ClapPlugin* self(const clap_plugin_t* plugin) { return ClapPlugin::of(plugin); }

// One stereo main input and output, playable in place.
constexpr clap_id kMainPort = 0;

const clap_plugin_audio_ports_t kAudioPorts = {
    [](const clap_plugin_t*, bool) -> std::uint32_t { return 1; },
    [](const clap_plugin_t*, std::uint32_t index, bool isInput, clap_audio_port_info_t* info) {
        if (index != 0 || !info) return false;
        *info = {};
        info->id = kMainPort;
        std::snprintf(info->name, sizeof info->name, "%s", isInput ? "Input" : "Output");
        info->flags = CLAP_AUDIO_PORT_IS_MAIN;
        info->channel_count = 2;
        info->port_type = CLAP_PORT_STEREO;
        info->in_place_pair = kMainPort;
        return true;
    },
};

// One MIDI input: hosts send no MIDI to a plug-in without one.
const clap_plugin_note_ports_t kNotePorts = {
    [](const clap_plugin_t*, bool isInput) -> std::uint32_t { return isInput ? 1 : 0; },
    [](const clap_plugin_t*, std::uint32_t index, bool isInput, clap_note_port_info_t* info) {
        if (index != 0 || !isInput || !info) return false;
        *info = {};
        info->id = 0;
        info->supported_dialects = CLAP_NOTE_DIALECT_MIDI;
        info->preferred_dialect = CLAP_NOTE_DIALECT_MIDI;
        std::snprintf(info->name, sizeof info->name, "MIDI In");
        return true;
    },
};

const clap_plugin_latency_t kLatency = {
    [](const clap_plugin_t*) -> std::uint32_t { return 0; },
};

const clap_plugin_tail_t kTail = {
    [](const clap_plugin_t* p) { return self(p)->tail(); },
};

bool parameterInfoAt(const clap_plugin_t* p, std::uint32_t index, clap_param_info_t* info) {
    ParameterIndex parameter;
    if (!info || !parameterOfId(index, parameter)) return false;
    const ParameterInfo row = parameterInfo(parameter);
    *info = {};
    info->id = index;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE;
    if (row.stepped) info->flags |= CLAP_PARAM_IS_STEPPED;
    std::snprintf(info->name, sizeof info->name, "%s", row.name);
    info->min_value = row.minimum;
    info->max_value = row.maximum;
    info->default_value = self(p)->defaultValue(index);
    return true;
}

const clap_plugin_params_t kParams = {
    [](const clap_plugin_t*) { return kParameterIdCount; },
    parameterInfoAt,
    [](const clap_plugin_t* p, clap_id id, double* value) {
        return value && self(p)->getValue(id, *value);
    },
    [](const clap_plugin_t*, clap_id id, double value, char* text, std::uint32_t size) {
        ParameterIndex parameter;
        return parameterOfId(id, parameter) && formatPlain(parameter, value, text, size);
    },
    [](const clap_plugin_t*, clap_id id, const char* text, double* value) {
        ParameterIndex parameter;
        return value && parameterOfId(id, parameter) && parsePlain(parameter, text, *value);
    },
    [](const clap_plugin_t* p, const clap_input_events_t* in, const clap_output_events_t* out) {
        self(p)->flush(in, out);
    },
};

const clap_plugin_state_t kState = {
    [](const clap_plugin_t* p, const clap_ostream_t* stream) { return self(p)->saveState(stream); },
    [](const clap_plugin_t* p, const clap_istream_t* stream) { return self(p)->loadState(stream); },
};

struct Entry {
    const char* id;
    const void* table;
};

}  // namespace

const void* findExtension(const char* id) {
    if (!id) return nullptr;
    const Entry entries[] = {
        {CLAP_EXT_AUDIO_PORTS, &kAudioPorts}, {CLAP_EXT_NOTE_PORTS, &kNotePorts},
        {CLAP_EXT_LATENCY, &kLatency},        {kClapExtTail, &kTail},
        {CLAP_EXT_PARAMS, &kParams},          {CLAP_EXT_STATE, &kState},
        {CLAP_EXT_GUI, guiExtension()},       {CLAP_EXT_TIMER_SUPPORT, timerExtension()},
    };
    for (const Entry& entry : entries)
        if (entry.table && std::strcmp(entry.id, id) == 0) return entry.table;
    return nullptr;
}

}  // namespace molvex::clap
