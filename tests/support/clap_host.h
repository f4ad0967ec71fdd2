// A small CLAP host for tests: loads a .clap by path, offers the host
// extensions a careful host offers (params, state, gui, timer support,
// thread check, tail), records what the plug-in asks of them, and drives
// one instance through events, audio and state streams.
//
// Threads: the test's thread is main and audio thread at once.
#pragma once

#include <clap/entry.h>
#include <clap/events.h>
#include <clap/ext/params.h>
#include <clap/plugin-factory.h>
#include <clap/plugin.h>

#include <cstdint>
#include <string>
#include <vector>

namespace claptest {

class Library {
public:
    explicit Library(const std::string& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool ok() const { return entry != nullptr; }
    const std::string& error() const { return message; }
    const clap_plugin_entry_t* getEntry() const { return entry; }
    const clap_plugin_factory_t* factory() const;

private:
    void* handle = nullptr;
    const clap_plugin_entry_t* entry = nullptr;
    std::string message;
};

// Events in time order, as a host hands them over, each a whole event.
class EventList {
public:
    void paramValue(std::uint32_t frame, clap_id id, double value);
    void midi(std::uint32_t frame, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void raw(const clap_event_header_t& event);
    void clear() { events.clear(); }
    std::size_t size() const { return events.size(); }
    const clap_event_header_t* at(std::size_t i) const {
        return reinterpret_cast<const clap_event_header_t*>(events[i].data());
    }
    const clap_input_events_t* input();

private:
    std::vector<std::vector<std::uint64_t>> events;  // 8-byte aligned storage
    clap_input_events_t list{};
};

// What the plug-in sent to the host in process or flush.
struct OutputEvent {
    std::uint16_t type;
    std::uint32_t flags;
    clap_id id;
    double value;
};

class Host {
public:
    Host();
    const clap_host_t* get() const { return &host; }

    // Recorded calls.
    int extensionQueries = 0;
    int flushRequests = 0;
    int rescans = 0;
    int tailChanges = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> resizeRequests;
    std::vector<std::uint32_t> timerPeriods;
    std::vector<clap_id> liveTimers;
    // Extensions left out, to play hosts that offer fewer.
    bool offerExtensions = true;

private:
    clap_host_t host{};
};

class Instance {
public:
    Instance(const Library& library, Host& host, const char* id = nullptr);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool ok() const { return plugin != nullptr; }
    const clap_plugin_t* get() const { return plugin; }
    template <typename Extension>
    const Extension* extension(const char* id) const {
        return static_cast<const Extension*>(plugin->get_extension(plugin, id));
    }

    bool activate(double rate, std::uint32_t maxFrames = 16384);
    void deactivate();

    // One block of `frames` from inL/inR at `offset` into outL/outR (or in
    // place in the input buffers), with `events`; output events are kept.
    clap_process_status process(std::uint32_t frames, std::size_t offset = 0, bool inPlace = false);
    void flush();

    double value(clap_id id) const;
    std::vector<std::uint8_t> save(std::size_t chunk = 1 << 20) const;
    bool load(const std::vector<std::uint8_t>& bytes, std::size_t chunk = 1 << 20) const;

    std::vector<float> inL, inR, outL, outR;
    EventList events;
    std::vector<OutputEvent> output;

private:
    const clap_plugin_t* plugin = nullptr;
    bool active = false;
};

}  // namespace claptest
