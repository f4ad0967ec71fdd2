// plughost as a CLAP host: the library (entry, factory, the first
// descriptor) and the clap_host_t every instance gets, with the host
// extensions a careful host offers and a record of what the plug-in asked.
//
// | extension      | what plughost does                                   |
// |----------------|------------------------------------------------------|
// | params         | request_flush noted, flushed at the editor's idle    |
// | state          | mark_dirty counted                                   |
// | gui            | request_resize passed to the editor's events         |
// | timer-support  | timers kept; the editor's idle fires the due ones    |
// | thread-check   | main: the thread that made the host; audio: inside   |
// |                | processBlock                                         |
// | latency, tail  | changes counted                                      |
//
// Threads: the requests may come from any thread; the flags are atomic.
#pragma once

#include <clap/entry.h>
#include <clap/plugin-factory.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/plugin_loader.h"

class EditorHostEvents;

class ClapLibrary {
public:
    // Throws HostError when the file is no CLAP library or offers no plug-in.
    explicit ClapLibrary(const std::string& path);
    ~ClapLibrary();
    ClapLibrary(const ClapLibrary&) = delete;
    ClapLibrary& operator=(const ClapLibrary&) = delete;

    const clap_plugin_entry_t& entry() const { return *entryPoint; }
    const clap_plugin_factory_t& factory() const { return *pluginFactory; }
    const clap_plugin_descriptor_t& descriptor() const { return *first; }
    const std::string& path() const { return libraryPath; }
    // Loading, init, the factory and its descriptors, in milliseconds.
    double scanMilliseconds() const { return scanTime; }

private:
    std::string libraryPath;
    std::unique_ptr<LoadedLibrary> library;
    const clap_plugin_entry_t* entryPoint = nullptr;
    const clap_plugin_factory_t* pluginFactory = nullptr;
    const clap_plugin_descriptor_t* first = nullptr;
    double scanTime = 0.0;
};

struct ClapTimer {
    std::uint32_t id;
    std::uint32_t periodMs;
    std::chrono::steady_clock::time_point due;
};

class ClapHost {
public:
    ClapHost();
    const clap_host_t* get() const { return &host; }

    // Marks the calling thread as inside an audio call while it lives.
    class AudioScope {
    public:
        AudioScope();
        ~AudioScope();
    };

    std::atomic<bool> flushRequested{false};
    std::atomic<bool> callbackRequested{false};
    std::atomic<long> dirtyMarks{0}, rescans{0}, tailChanges{0}, latencyChanges{0};
    std::atomic<EditorHostEvents*> editorEvents{nullptr};

    // The timers due now, their next time set.
    std::vector<std::uint32_t> dueTimers();
    std::size_t timerCount() const;
    std::vector<std::uint32_t> allTimers() const;

private:
    friend struct ClapHostCalls;
    clap_host_t host{};
    std::thread::id mainThread;
    mutable std::mutex timerMutex;
    std::vector<ClapTimer> timers;
    std::uint32_t nextTimer = 1;
};
