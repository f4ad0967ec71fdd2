#include "formats/clap/host_proxy.h"

namespace molvex::clap {

template <typename Extension>
const Extension* HostProxy::extension(const char* id) const {
    if (!host || !host->get_extension) return nullptr;
    return static_cast<const Extension*>(host->get_extension(host, id));
}

void HostProxy::queryExtensions() {
    params = extension<clap_host_params_t>(CLAP_EXT_PARAMS);
    state = extension<clap_host_state_t>(CLAP_EXT_STATE);
    gui = extension<clap_host_gui_t>(CLAP_EXT_GUI);
    timers = extension<clap_host_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    tail = extension<clap_host_tail_t>(kClapExtTail);
}

void HostProxy::requestFlush() const {
    if (params && params->request_flush) params->request_flush(host);
    else if (host && host->request_process) host->request_process(host);
}

void HostProxy::rescanValues() const {
    if (params && params->rescan) params->rescan(host, CLAP_PARAM_RESCAN_VALUES);
}

void HostProxy::markDirty() const {
    if (state && state->mark_dirty) state->mark_dirty(host);
}

void HostProxy::tailChanged() const {
    if (tail && tail->changed) tail->changed(host);
}

bool HostProxy::requestResize(std::uint32_t width, std::uint32_t height) const {
    return gui && gui->request_resize && gui->request_resize(host, width, height);
}

bool HostProxy::registerTimer(std::uint32_t periodMs, clap_id& id) const {
    return timers && timers->register_timer && timers->register_timer(host, periodMs, &id);
}

void HostProxy::unregisterTimer(clap_id id) const {
    if (timers && timers->unregister_timer) timers->unregister_timer(host, id);
}

}  // namespace molvex::clap
