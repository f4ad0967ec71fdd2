// ClapPlugin: one CLAP instance of the effect. It translates CLAP's calls
// onto a FilterDelayEffect and nothing more: parameter events become
// setParameter calls with the plain value converted, MIDI events become
// processEvents calls, each at its frame, and process becomes
// processReplacing over the pieces between events (a parameter change
// reaches the effect's audio state at the start of its next call, so the
// split is what makes an event apply at its frame).
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
// | effect values  | both sides          | the effect's atomics              |
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

#include "effect/filter_delay_effect.h"
#include "formats/clap/edit_queue.h"
#include "formats/clap/host_proxy.h"

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
    // The default plain value of a parameter: the effect's at creation.
    double defaultValue(clap_id id) const;

    // The panel's road to the host: its edits wait here for process or
    // flush, which apply them and report them.
    void panelEdit(const PanelEdit& edit);
    ClapPanel* getPanel() const { return panel.get(); }
    ClapPanel& ensurePanel();
    void dropPanel();
    const HostProxy& getHost() const { return host; }
    FilterDelayEffect& getEffect() { return effect; }
    bool isActive() const { return active.load(std::memory_order_acquire); }

    static constexpr std::uint32_t kInfiniteTail = 0x7fffffff;

private:
    static VstIntPtr effectCallback(AEffect* record, VstInt32 opcode, VstInt32 index,
                                    VstIntPtr value, void* ptr, float opt);
    void applyEvents(const clap_input_events_t* in, std::uint32_t frames,
                     const clap_process_t* audio);
    void applyEvent(const clap_event_header_t& header);
    void applyPanelEdits();
    void processPiece(const clap_process_t& process, std::uint32_t from, std::uint32_t to);
    void reportControllerChange(VstInt32 index, float value);
    void pushOut(const clap_event_header_t& event);
    void checkTail();

    clap_plugin_t record;
    HostProxy host;
    FilterDelayEffect effect;
    EditQueue edits;
    std::unique_ptr<ClapPanel> panel;
    std::atomic<bool> active{false};
    double defaults[kParameterCount] = {};
    const clap_output_events_t* outEvents = nullptr;
    std::uint32_t lastTail = 0;
};

}  // namespace molvex::clap
