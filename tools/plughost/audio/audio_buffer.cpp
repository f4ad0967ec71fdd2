#include "audio/audio_buffer.h"

#include <cctype>
#include <filesystem>

#include "error.h"

void commitFile(const std::string& path, const std::function<void(const std::string&)>& write) {
    namespace fs = std::filesystem;
    // Same folder, so the rename cannot cross file systems; the original
    // extension stays last so format detection by name still works.
    const fs::path target(path);
    fs::path temporary = target;
    std::string name(".");
    name.append(target.stem().string()).append(".partial").append(target.extension().string());
    temporary.replace_filename(name);
    std::error_code ec;
    try {
        write(temporary.string());
    } catch (...) {
        fs::remove(temporary, ec);
        throw;
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw HostError(path + ": cannot write file");
    }
}

std::string fileExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}
