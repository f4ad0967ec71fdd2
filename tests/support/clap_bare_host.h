// The least a CLAP host is, for the fuzzer, the real-time host and the
// benchmark, which drive one instance straight through its functions: a
// host record that offers no extension and ignores every request, and input
// events read from a vector the caller fills.
#pragma once

#include <clap/events.h>
#include <clap/host.h>

#include <cstdint>
#include <vector>

namespace claptest {

inline clap_host_t bareHost(const char* name) {
    return {CLAP_VERSION,
            nullptr,
            name,
            "",
            "",
            "1",
            [](const clap_host_t*, const char*) -> const void* { return nullptr; },
            [](const clap_host_t*) {},
            [](const clap_host_t*) {},
            [](const clap_host_t*) {}};
}

// Event is any CLAP event struct, or a union of them, whose member `header`
// comes first. Reading the list allocates nothing, so the audio thread may.
template <typename Event>
struct VectorEvents {
    std::vector<Event> list;
    clap_input_events_t in{
        this,
        [](const clap_input_events_t* l) {
            return static_cast<std::uint32_t>(static_cast<VectorEvents*>(l->ctx)->list.size());
        },
        [](const clap_input_events_t* l, std::uint32_t i) -> const clap_event_header_t* {
            auto& list = static_cast<VectorEvents*>(l->ctx)->list;
            return i < list.size() ? &list[i].header : nullptr;
        }};
};

}  // namespace claptest
