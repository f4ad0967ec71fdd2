// The DSP library's one export, lv2_descriptor, and the C functions it
// hands out: each turns the handle back into the DspPlugin and calls it.
// No exception crosses: allocation failures answer null.
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <new>
#include <string>

#include "formats/lv2/dsp_plugin.h"
#include "formats/lv2/lv2_uris.h"

namespace molvex::lv2 {
namespace {

DspPlugin* plugin(LV2_Handle handle) { return static_cast<DspPlugin*>(handle); }

const LV2_URID_Map* findMap(const LV2_Feature* const* features) {
    for (; features && *features; ++features)
        if (std::strcmp((*features)->URI, LV2_URID__map) == 0)
            return static_cast<const LV2_URID_Map*>((*features)->data);
    return nullptr;
}

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features) {
    // Without the map (lv2apply offers none) the plug-in plays, deaf to MIDI
    // and without state.
    DspUrids urids;
    const LV2_URID_Map* map = findMap(features);
    if (map) {
        urids.midiEvent = map->map(map->handle, LV2_MIDI__MidiEvent);
        urids.atomString = map->map(map->handle, LV2_ATOM__String);
        urids.atomInt = map->map(map->handle, LV2_ATOM__Int);
        urids.programs = map->map(map->handle, kStatePrograms);
        urids.currentProgram = map->map(map->handle, kStateCurrentProgram);
    }
    auto* instance = new (std::nothrow) DspPlugin(rate, urids);
    if (instance && !instance->isUsable()) {
        delete instance;
        return nullptr;
    }
    return instance;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    plugin(handle)->connectPort(port, data);
}
void activate(LV2_Handle handle) { plugin(handle)->activate(); }
void run(LV2_Handle handle, uint32_t frames) { plugin(handle)->run(frames); }
void deactivate(LV2_Handle handle) { plugin(handle)->deactivate(); }
void cleanup(LV2_Handle handle) { delete plugin(handle); }

LV2_State_Status save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle state,
                      uint32_t, const LV2_Feature* const*) {
    DspSession& session = plugin(handle)->getSession();
    const DspUrids& urids = plugin(handle)->getUrids();
    if (!store || !urids.programs) return LV2_STATE_ERR_NO_FEATURE;
    std::string text;
    try {
        text = session.programsText();
    } catch (...) {
        return LV2_STATE_ERR_UNKNOWN;
    }
    const std::int32_t current = session.getCurrentProgram();
    const LV2_URID flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    const LV2_State_Status status =
        store(state, urids.programs, text.c_str(), text.size() + 1, urids.atomString, flags);
    if (status != LV2_STATE_SUCCESS) return status;
    return store(state, urids.currentProgram, &current, sizeof current, urids.atomInt, flags);
}

LV2_State_Status restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle state, uint32_t, const LV2_Feature* const*) {
    const DspUrids& urids = plugin(handle)->getUrids();
    if (!retrieve || !urids.programs) return LV2_STATE_ERR_NO_FEATURE;
    std::size_t size = 0;
    std::uint32_t type = 0, flags = 0;
    const void* text = retrieve(state, urids.programs, &size, &type, &flags);
    // An atom:String carries its terminating zero; a copy that lost it still
    // holds the whole text.
    if (!text || type != urids.atomString) return LV2_STATE_ERR_NO_PROPERTY;
    const std::size_t textSize = size;
    const void* current = retrieve(state, urids.currentProgram, &size, &type, &flags);
    if (!current || type != urids.atomInt || size != sizeof(std::int32_t))
        return LV2_STATE_ERR_NO_PROPERTY;
    std::int32_t program;
    std::memcpy(&program, current, sizeof program);
    if (!plugin(handle)->getSession().restorePrograms(static_cast<const char*>(text), textSize,
                                                      program))
        return LV2_STATE_ERR_BAD_TYPE;
    plugin(handle)->stateRestored();
    return LV2_STATE_SUCCESS;
}

const void* extensionData(const char* uri) {
    static const LV2_State_Interface state = {save, restore};
    if (uri && std::strcmp(uri, LV2_STATE__interface) == 0) return &state;
    return nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate,
                                    run,        deactivate,  cleanup,     extensionData};

}  // namespace
}  // namespace molvex::lv2

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &molvex::lv2::kDescriptor : nullptr;
}
