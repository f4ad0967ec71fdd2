#include "formats/lv2/lv2_ui.h"

#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdio>

#include "error.h"
#include "host/host_context.h"

namespace {

constexpr int kIdleBlock = 512;

struct FoundUi {
    std::string uri, binary, bundle;
};

std::string pathOf(const LilvNode* uri) {
    char* path = lilv_file_uri_parse(lilv_node_as_uri(uri), nullptr);
    std::string out = path ? path : "";
    lilv_free(path);
    return out;
}

bool findX11Ui(const Lv2World& world, FoundUi& found) {
    LilvNode* x11 = lilv_new_uri(world.world(), LV2_UI__X11UI);
    LilvUIs* uis = lilv_plugin_get_uis(world.plugin());
    bool ok = false;
    LILV_FOREACH(uis, i, uis) {
        const LilvUI* ui = lilv_uis_get(uis, i);
        if (!lilv_ui_is_a(ui, x11)) continue;
        found = {lilv_node_as_uri(lilv_ui_get_uri(ui)), pathOf(lilv_ui_get_binary_uri(ui)),
                 pathOf(lilv_ui_get_bundle_uri(ui))};
        ok = true;
        break;
    }
    lilv_uis_free(uis);
    lilv_node_free(x11);
    return ok;
}

}  // namespace

Lv2Ui::Lv2Ui(const Lv2Plugin& hosted, void* parentWindow, EditorHostEvents& hostEvents)
    : plugin(hosted), events(hostEvents) {
    const auto& ports = plugin.description().ports();
    sent.assign(ports.size(), NAN);
    silence.assign(
        2 * static_cast<size_t>(std::max(1, std::max(plugin.numInputs(), plugin.numOutputs()))),
        std::vector<float>(kIdleBlock, 0.0f));
    for (auto& s : silence) silencePointers.push_back(s.data());
    load(parentWindow);
}

Lv2Ui::~Lv2Ui() {
    if (descriptor && handle && descriptor->cleanup) descriptor->cleanup(handle);
}

void Lv2Ui::load(void* parentWindow) {
    const Lv2World& world = plugin.description();
    FoundUi ui;
    if (!findX11Ui(world, ui)) throw HostError(world.argument() + ": the plug-in has no X11 UI");
    std::string why;
    library = loadLibrary(ui.binary, why);
    if (!library) throw HostError(ui.binary + ": cannot load the UI library: " + why);
    auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(library->symbol("lv2ui_descriptor"));
    if (!entry) throw HostError(ui.binary + ": the UI library exports no lv2ui_descriptor");
    for (uint32_t i = 0; (descriptor = entry(i)) != nullptr; ++i) {
        if (descriptor->URI && ui.uri == descriptor->URI) break;
    }
    if (!descriptor) throw HostError(ui.binary + ": describes no UI " + ui.uri);

    resize = {this, [](LV2UI_Feature_Handle self, int w, int h) {
                  auto* me = static_cast<Lv2Ui*>(self);
                  me->width = w;
                  me->height = h;
                  return me->events.sizeRequested(w, h) ? 0 : 1;
              }};
    touch = {this, [](LV2UI_Feature_Handle self, uint32_t port, bool grabbed) {
                 auto* me = static_cast<Lv2Ui*>(self);
                 const int parameter = me->parameterOf(port);
                 if (parameter >= 0) me->events.editGesture(parameter, grabbed);
             }};
    UridMap& urids = world.urids();
    featureData = {{LV2_UI__parent, parentWindow},      {LV2_UI__idleInterface, nullptr},
                   {LV2_UI__resize, &resize},           {LV2_UI__touch, &touch},
                   {LV2_URID__map, urids.mapFeature()}, {LV2_URID__unmap, urids.unmapFeature()}};
    for (const auto& f : featureData) features.push_back(&f);
    features.push_back(nullptr);
    handle = descriptor->instantiate(descriptor, world.uri().c_str(), ui.bundle.c_str(), writePort,
                                     this, &widget, features.data());
    if (!handle)
        throw HostError(world.argument() + ": the UI did not open (instantiate gave null)");
    if (descriptor->extension_data)
        idleInterface = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
    sendChangedPorts();
}

// Port writes from the UI: float values (protocol 0) on control inputs.
void Lv2Ui::writePort(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol,
                      const void* buffer) {
    auto* me = static_cast<Lv2Ui*>(controller);
    if (protocol != 0 || size != sizeof(float) || !buffer) return;
    const float value = *static_cast<const float*>(buffer);
    const int parameter = me->parameterOf(port);
    if (parameter < 0) return;
    me->plugin.setPortValue(parameter, value);
    me->sent[port] = value;  // the UI knows it already
    me->events.automated(parameter, me->plugin.getParameter(parameter));
}

int Lv2Ui::parameterOf(uint32_t port) const {
    for (int i = 0; i < plugin.numParams(); ++i) {
        if (plugin.port(i).index == port) return i;
    }
    return -1;
}

void Lv2Ui::sendChangedPorts() {
    if (!descriptor->port_event) return;
    for (const auto& p : plugin.description().ports()) {
        if (p.kind != Lv2PortKind::Control) continue;
        const float value = plugin.outputValue(p.index);
        if (value == sent[p.index]) continue;
        sent[p.index] = value;
        descriptor->port_event(handle, p.index, sizeof(float), 0, &value);
    }
}

void Lv2Ui::idle() {
    plugin.processBlock(silencePointers.data(), silencePointers.data() + silence.size() / 2,
                        kIdleBlock, true);
    sendChangedPorts();
    if (idleInterface && idleInterface->idle(handle) != 0) closing = true;
}

bool Lv2Ui::size(int& w, int& h) const {
    if (width <= 0 || height <= 0) return false;
    w = width;
    h = height;
    return true;
}

std::string Lv2Ui::describe(int index) const {
    char text[96];
    std::snprintf(text, sizeof text, "%.6g (port %g)",
                  static_cast<double>(plugin.getParameter(index)),
                  static_cast<double>(plugin.portValue(index)));
    return text;
}
