// ClapPlugin: one CLAP instance of the effect. It translates CLAP's calls
// onto the format-neutral DspSession and nothing more: parameter events
// become plain values and MIDI events messages, each at its frame inside
// the block (the session plays the audio up to each event first). A MIDI
// control change that moved a parameter goes back to the host as an output
// event it does not record.
//
// Requests from the host, by thread:
// | call                                 | thread             |
// |--------------------------------------|--------------------|
// | init, destroy, activate, deactivate, | main               |
// | state, gui, timer, params info/text  |                    |
// | process, reset, start/stop_processing| audio              |
// | flush                                | audio while active,|
// |                                      | main otherwise     |
// | get_value, tail, latency             | main or audio      |
//
// Shared fields and why they are safe:
// | field          | written by          | safe because                      |
// |----------------|---------------------|-----------------------------------|
// | session values | both sides          | the effect's atomics              |
// | edits          | panel / audio side  | single-producer single-consumer   |
// |                |                     | ring, never allocating            |
// | active         | main                | atomic; read by flush to know its |
// |                |                     | thread                            |
// | outEvents      | audio (process or   | only the thread inside process or |
// |                | flush)              | flush touches it                  |
// | lastTail       | audio               | audio side only                   |
//
// process and an active flush never allocate, lock or wait.
#pragma once

#include <clap/ext/params.h>
#include <clap/plugin.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "formats/clap/edit_queue.h"
#include "formats/clap/host_proxy.h"
#include "formats/common/dsp_session.h"

namespace molvex::clap {

class ClapPanel;

class ClapPlugin {
public:
    explicit ClapPlugin(const clap_host_t* host);
    ~ClapPlugin();

    ClapPlugin(const ClapPlugin&) = delete;
    ClapPlugin& operator=(const ClapPlugin&) = delete;

    const clap_plugin_t* getRecord() const { return &record; }
    static ClapPlugin* of(const clap_plugin_t* plugin) {
        return plugin ? static_cast<ClapPlugin*>(plugin->plugin_data) : nullptr;
    }

    // Requests from the host.
    bool init();
    bool activate(double sampleRate);
    void deactivate();
    void reset();
    clap_process_status process(const clap_process_t& process);
    const void* extension(const char* id) const;
    void flush(const clap_input_events_t* in, const clap_output_events_t* out);
    bool getValue(clap_id id, double& value);
    bool saveState(const clap_ostream_t* stream);
    bool loadState(const clap_istream_t* stream);
    // The tail in samples, kInfiniteTail when the feedback holds the signal.
    std::uint32_t tail();
    // The default plain value of a parameter, from the parameter table.
    static double defaultValue(clap_id id);

    // The panel's road to the host: its edits wait here for process or
    // flush, which apply them and report them.
    void panelEdit(const PanelEdit& edit);
    ClapPanel* getPanel() const { return panel.get(); }
    ClapPanel& ensurePanel();
    void dropPanel();
    const HostProxy& getHost() const { return host; }
    DspSession& getSession() { return session; }
    bool isActive() const { return active.load(std::memory_order_acquire); }

    static constexpr std::uint32_t kInfiniteTail = 0x7fffffff;

private:
    void applyEvents(const clap_input_events_t* in, DspSession::Block& block);
    void applyEvent(const clap_event_header_t& header, DspSession::Block& block);
    void applyPanelEdits();
    void reportParameter(ParameterIndex parameter, std::uint32_t flags);
    void pushOut(const clap_event_header_t& event);
    void checkTail();

    clap_plugin_t record;
    HostProxy host;
    DspSession session;
    EditQueue edits;
    std::unique_ptr<ClapPanel> panel;
    std::atomic<bool> active{false};
    const clap_output_events_t* outEvents = nullptr;
    std::uint32_t lastTail = 0;
};

}  // namespace molvex::clap
