// Files of a Windows test tree are found next to the test program itself.
#pragma once

#include <windows.h>

#include <string>

inline std::string besideThisProgram(const char* fileName) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + fileName;
}
