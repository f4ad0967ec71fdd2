#include "lv2_test_world.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>

#include <cstring>

namespace lv2test {

World::World(const std::string& bundle) : world(lilv_world_new()) {
    LilvNode* where = lilv_new_file_uri(world, nullptr, (bundle + "/").c_str());
    lilv_world_load_bundle(world, where);
    // A world of its own holds nothing but this bundle.
    const LilvPlugins* all = lilv_world_get_all_plugins(world);
    LilvIter* first = lilv_plugins_begin(all);
    if (!lilv_plugins_is_end(all, first)) plugin = lilv_plugins_get(all, first);
    lilv_node_free(where);
    if (plugin) readPorts();
}

World::~World() { lilv_world_free(world); }

void World::readPorts() {
    LilvNode* audio = uri(LV2_CORE__AudioPort);
    LilvNode* control = uri(LV2_CORE__ControlPort);
    LilvNode* atom = uri(LV2_ATOM__AtomPort);
    LilvNode* input = uri(LV2_CORE__InputPort);
    const std::uint32_t count = lilv_plugin_get_num_ports(plugin);
    std::vector<float> defaults(count, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    for (std::uint32_t i = 0; i < count; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        const bool in = lilv_port_is_a(plugin, port, input);
        if (lilv_port_is_a(plugin, port, audio)) {
            (in ? ports.audioInputs : ports.audioOutputs).push_back(i);
        } else if (lilv_port_is_a(plugin, port, control)) {
            (in ? ports.controlInputs : ports.controlOutputs).push_back(i);
            if (!in) continue;
            ports.controlSymbols.emplace_back(
                lilv_node_as_string(lilv_port_get_symbol(plugin, port)));
            ports.defaults.push_back(defaults[i]);
        } else if (lilv_port_is_a(plugin, port, atom) && in && ports.midiInput < 0) {
            ports.midiInput = i;
        }
    }
    for (LilvNode* n : {audio, control, atom, input}) lilv_node_free(n);
}

Instance::Instance(World& world, double rate, std::uint32_t maxFrames)
    : world(world),
      inL(maxFrames),
      inR(maxFrames),
      outL(maxFrames),
      outR(maxFrames),
      midiIn(world.urids, 8192) {
    if (!world.plugin) return;
    instance = lilv_plugin_instantiate(world.plugin, rate, world.urids.features());
    if (!instance) return;
    const PortLayout& layout = world.ports;
    for (std::size_t i = 0; i < layout.controlInputs.size() && i < molvex::kParameterCount; ++i) {
        controls[i] = layout.defaults[i];
        lilv_instance_connect_port(instance, layout.controlInputs[i], &controls[i]);
    }
    for (std::size_t i = 0; i < layout.controlOutputs.size() && i < molvex::kParameterCount; ++i)
        lilv_instance_connect_port(instance, layout.controlOutputs[i], &reports[i]);
    if (layout.midiInput >= 0)
        lilv_instance_connect_port(instance, static_cast<std::uint32_t>(layout.midiInput),
                                   midiIn.data());
    connectAudio(0);
    lilv_instance_activate(instance);
}

Instance::~Instance() {
    if (!instance) return;
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
}

void Instance::connectAudio(std::uint32_t offset) {
    float* inputs[] = {inL.data() + offset, inR.data() + offset};
    float* outputs[] = {outL.data() + offset, outR.data() + offset};
    const PortLayout& layout = world.ports;
    for (std::size_t i = 0; i < layout.audioInputs.size() && i < 2; ++i)
        lilv_instance_connect_port(instance, layout.audioInputs[i], inputs[i]);
    for (std::size_t i = 0; i < layout.audioOutputs.size() && i < 2; ++i)
        lilv_instance_connect_port(instance, layout.audioOutputs[i], outputs[i]);
}

void Instance::run(std::uint32_t frames, std::uint32_t offset) {
    connectAudio(offset);
    lilv_instance_run(instance, frames);
    clearMidi();
}

int Instance::controlIndex(const char* symbol) const {
    const auto& symbols = world.ports.controlSymbols;
    for (std::size_t i = 0; i < symbols.size() && i < molvex::kParameterCount; ++i)
        if (symbols[i] == symbol) return static_cast<int>(i);
    return -1;
}

void Instance::setPortValue(const char* symbol, void* self, const void* value, std::uint32_t size,
                            std::uint32_t) {
    auto* me = static_cast<Instance*>(self);
    const int i = me->controlIndex(symbol);
    if (i >= 0 && size == sizeof(float)) std::memcpy(&me->controls[i], value, sizeof(float));
}

const void* Instance::getPortValue(const char* symbol, void* self, std::uint32_t* size,
                                   std::uint32_t* type) {
    auto* me = static_cast<Instance*>(self);
    const int i = me->controlIndex(symbol);
    if (i < 0) {
        *size = 0;
        return nullptr;
    }
    *size = sizeof(float);
    *type = me->world.urids.map(LV2_ATOM__Float);
    return &me->controls[i];
}

int portIndex(World& world, const char* symbol) {
    LilvNode* node = lilv_new_string(world.world, symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(world.plugin, node);
    lilv_node_free(node);
    return port ? static_cast<int>(lilv_port_get_index(world.plugin, port)) : -1;
}

}  // namespace lv2test
