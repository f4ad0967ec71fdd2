#include "formats/lv2/lv2_argument.h"

#include <filesystem>

bool isLv2Argument(const std::string& argument) {
    std::error_code ec;
    std::filesystem::path path(argument);
    if (path.filename().empty()) path = path.parent_path();
    if (path.extension() == ".lv2") return true;
    if (std::filesystem::is_directory(path, ec))
        return std::filesystem::exists(path / "manifest.ttl", ec);
    return argument.find(':') != std::string::npos && !std::filesystem::exists(path, ec);
}
