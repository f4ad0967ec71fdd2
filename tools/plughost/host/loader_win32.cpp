#include "host/plugin_loader.h"

#include <windows.h>

namespace {

class Win32Library final : public LoadedLibrary {
public:
    explicit Win32Library(HMODULE opened) : handle(opened) {}
    ~Win32Library() override { FreeLibrary(handle); }
    void* symbol(const char* name) override {
        return reinterpret_cast<void*>(GetProcAddress(handle, name));
    }

private:
    HMODULE handle;
};

}  // namespace

std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        error = "LoadLibrary failed with error " + std::to_string(GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32Library>(module);
}
