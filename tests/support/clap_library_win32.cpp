#include <windows.h>

#include "clap_library_loader.h"

namespace claptest {

void* loadLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) error = path + ": LoadLibrary failed, error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(module);
}

void* librarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unloadLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace claptest
