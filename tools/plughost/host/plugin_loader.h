// Loading a plug-in library and finding its entry. One implementation per
// platform (loader_posix.cpp with dlopen, loader_win32.cpp with
// LoadLibraryA); the build compiles exactly one.
#pragma once

#include <memory>
#include <string>

class LoadedLibrary {
public:
    virtual ~LoadedLibrary() = default;
    // The address of an exported symbol, or null when the library has none.
    virtual void* symbol(const char* name) = 0;
};

// Loads the library at path. On failure returns null and puts the system's
// reason (one line, no trailing newline) into error.
std::unique_ptr<LoadedLibrary> loadLibrary(const std::string& path, std::string& error);
