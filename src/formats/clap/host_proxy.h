// HostProxy: the host and the extensions it offers, asked for once in the
// plug-in's init (never while creating it: a host may not be ready then).
// Every extension may be missing; each call says what happens without it.
//
// Threads: the pointers are written in init, before any other call, and
// only read afterwards.
#pragma once

#include <clap/ext/gui.h>
#include <clap/ext/params.h>
#include <clap/ext/state.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>
#include <clap/host.h>

#include "formats/clap/tail.h"

namespace molvex::clap {

class HostProxy {
public:
    explicit HostProxy(const clap_host_t* host) : host(host) {}

    void queryExtensions();

    // Ask for a flush (params) or, lacking that, a process call.
    void requestFlush() const;
    // Parameter values changed behind the host's back (a state load).
    void rescanValues() const;
    void markDirty() const;
    void tailChanged() const;
    bool requestResize(std::uint32_t width, std::uint32_t height) const;
    // False without timer support: the panel then has no X event handling.
    bool registerTimer(std::uint32_t periodMs, clap_id& id) const;
    void unregisterTimer(clap_id id) const;

    bool hasTimers() const { return timers != nullptr; }

private:
    template <typename Extension>
    const Extension* extension(const char* id) const;

    const clap_host_t* host;
    const clap_host_params_t* params = nullptr;
    const clap_host_state_t* state = nullptr;
    const clap_host_gui_t* gui = nullptr;
    const clap_host_timer_support_t* timers = nullptr;
    const clap_host_tail_t* tail = nullptr;
};

}  // namespace molvex::clap
