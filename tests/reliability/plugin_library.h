// The plug-in library as a host sees it: loaded by path, entered through
// `main`, unloaded again. Instances are driven only through their record.
#pragma once

#include <string>

#include "host/vst2_interface.h"

class PluginLibrary {
public:
    // Loads the library; `ok()` says whether it and its `main` were found.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool ok() const { return entry != nullptr; }
    const std::string& error() const { return errorMessage; }

    // A new instance, opened (effOpen); null when the plug-in made none.
    AEffect* open(HostCallback callback) const;
    // Suspends and closes an instance made by `open`; the record is gone after.
    static void close(AEffect* effect);

private:
    using Entry = AEffect* (*)(HostCallback);
    void* handle = nullptr;
    Entry entry = nullptr;
    std::string errorMessage;
};

// A host callback that answers what every plug-in asks: version 2400, and 0
// to everything else. It keeps no state, so any thread may be called back.
VstIntPtr quietHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                    float opt);
