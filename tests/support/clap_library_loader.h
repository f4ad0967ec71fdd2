// Loading a plug-in library by path, one file per system chosen by the
// build: dlopen on Linux, LoadLibrary on Windows.
#pragma once

#include <string>

namespace claptest {

void* loadLibrary(const std::string& path, std::string& error);
void* librarySymbol(void* library, const char* name);
void unloadLibrary(void* library);

}  // namespace claptest
