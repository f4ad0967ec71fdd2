#include "plugin_library.h"

#include <dlfcn.h>

PluginLibrary::PluginLibrary(const std::string& path) {
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        errorMessage = dlerror();
        return;
    }
    entry = reinterpret_cast<Entry>(dlsym(handle, "main"));
    if (!entry) errorMessage = path + " has no main";
}

PluginLibrary::~PluginLibrary() {
    if (handle) dlclose(handle);
}

AEffect* PluginLibrary::open(HostCallback callback) const {
    AEffect* effect = entry ? entry(callback) : nullptr;
    if (effect) effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    return effect;
}

void PluginLibrary::close(AEffect* effect) {
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}
