#include "plugin_library.h"

#include <dlfcn.h>

PluginLibrary::PluginLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        error_ = dlerror();
        return;
    }
    entry_ = reinterpret_cast<Entry>(dlsym(handle_, "main"));
    if (!entry_) error_ = path + " has no main";
}

PluginLibrary::~PluginLibrary() {
    if (handle_) dlclose(handle_);
}

AEffect* PluginLibrary::open(HostCallback callback) const {
    AEffect* effect = entry_ ? entry_(callback) : nullptr;
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
