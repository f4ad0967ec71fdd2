#include "formats/lv2/port_map.h"

namespace molvex::lv2 {

bool controlInputParameter(std::uint32_t port, ParameterIndex& parameter) {
    if (port < kPortFirstControl || port >= kPortFirstReport) return false;
    parameter = static_cast<ParameterIndex>(port - kPortFirstControl);
    return true;
}

bool controlOutputParameter(std::uint32_t port, ParameterIndex& parameter) {
    if (port < kPortFirstReport || port >= kPortCount) return false;
    parameter = static_cast<ParameterIndex>(port - kPortFirstReport);
    return true;
}

}  // namespace molvex::lv2
