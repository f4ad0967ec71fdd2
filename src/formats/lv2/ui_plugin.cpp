#include "formats/lv2/ui_plugin.h"

#include "effect/parameter_table.h"
#include "formats/lv2/port_map.h"

namespace molvex::lv2 {

UiPlugin::UiPlugin(const UiHost& host) : host(host), session(*this, host.scaleFactor) {}

bool UiPlugin::open() {
    if (!session.open(host.parent)) return false;
    if (host.resize) resize(session.width(), session.height());
    return true;
}

void UiPlugin::portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format,
                         const void* data) {
    if (format != 0 || size != sizeof(float) || !data) return;
    ParameterIndex parameter;
    if (!controlInputParameter(port, parameter) && !controlOutputParameter(port, parameter)) return;
    session.setNormalized(parameter,
                          normalizedFromPlain(parameter, *static_cast<const float*>(data)));
}

int UiPlugin::idle() {
    session.idle();
    return 0;
}

void UiPlugin::edited(ParameterIndex parameter, float value) {
    if (!host.write) return;
    const float portValue = plainFromNormalized(parameter, value);
    host.write(host.controller, kPortFirstControl + static_cast<std::uint32_t>(toIndex(parameter)),
               sizeof portValue, 0, &portValue);
}

bool UiPlugin::resize(int width, int height) {
    return host.resize && host.resize->ui_resize(host.resize->handle, width, height) == 0;
}

void UiPlugin::touch(ParameterIndex parameter, bool grabbed) {
    if (host.touch)
        host.touch->touch(host.touch->handle,
                          kPortFirstControl + static_cast<std::uint32_t>(toIndex(parameter)),
                          grabbed);
}

}  // namespace molvex::lv2
