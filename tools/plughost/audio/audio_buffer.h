// Planar audio in memory, and committing files without leaving partial ones.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct AudioBuffer {
    double sampleRate = 44100.0;
    std::vector<std::vector<float>> channels;

    AudioBuffer() = default;
    AudioBuffer(int channelCount, size_t frames, double rate)
        : sampleRate(rate),
          channels(static_cast<size_t>(channelCount), std::vector<float>(frames)) {}
    int channelCount() const { return static_cast<int>(channels.size()); }
    size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
};

// Writes a file through write(temporaryPath) and renames it to path only
// when write returns without throwing; otherwise the temporary file is
// removed and the exception passes on. No partial file is ever left at path.
void commitFile(const std::string& path, const std::function<void(const std::string&)>& write);

// Lower-case extension of path without the dot ("wav"), or empty.
std::string fileExtension(const std::string& path);
