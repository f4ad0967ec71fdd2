#include <dlfcn.h>

#include "clap_library_loader.h"

namespace claptest {

void* loadLibrary(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) error = dlerror();
    return handle;
}

void* librarySymbol(void* library, const char* name) { return dlsym(library, name); }

void unloadLibrary(void* library) { dlclose(library); }

}  // namespace claptest
