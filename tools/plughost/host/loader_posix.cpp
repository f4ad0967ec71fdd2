#include "host/plugin_loader.h"

#include <dlfcn.h>

namespace {

class PosixLibrary final : public LoadedLibrary {
public:
    explicit PosixLibrary(void* opened) : handle(opened) {}
    ~PosixLibrary() override { dlclose(handle); }
    void* symbol(const char* name) override { return dlsym(handle, name); }

private:
    void* handle;
};

}  // namespace

std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& path, std::string& error) {
    // RTLD_NODELETE: plug-ins that leave threads or atexit handlers behind
    // must not have their code unmapped under them when we let go.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : "unknown loader error";
        return nullptr;
    }
    return std::make_unique<PosixLibrary>(handle);
}
