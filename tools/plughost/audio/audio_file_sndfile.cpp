#include "audio/audio_file.h"

#include <sndfile.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "error.h"

namespace {

struct FileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SndFile = std::unique_ptr<SNDFILE, FileCloser>;

// Major format and sample encoding for a file name's extension.
int formatForExtension(const std::string& path) {
    const std::string ext = fileExtension(path);
    if (ext == "wav") return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (ext == "aif" || ext == "aiff") return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (ext == "caf") return SF_FORMAT_CAF | SF_FORMAT_FLOAT;
    if (ext == "au") return SF_FORMAT_AU | SF_FORMAT_FLOAT;
    if (ext == "w64") return SF_FORMAT_W64 | SF_FORMAT_FLOAT;
    if (ext == "rf64") return SF_FORMAT_RF64 | SF_FORMAT_FLOAT;
    if (ext == "flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    if (ext == "ogg" || ext == "oga") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    throw HostError(path + ": unsupported output format '." + ext +
                    "' (use wav, aiff, caf, au, w64, rf64, flac or ogg)");
}

}  // namespace

void checkOutputFormat(const std::string& path) { formatForExtension(path); }

AudioBuffer readAudioFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw HostError(path + ": no such file");
    SF_INFO info{};
    SndFile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) throw HostError(path + ": cannot read audio: " + sf_strerror(nullptr));
    if (info.channels <= 0 || info.samplerate <= 0)
        throw HostError(path + ": audio file has no channels or no sample rate");
    std::vector<float> interleaved(static_cast<size_t>(info.frames) *
                                   static_cast<size_t>(info.channels));
    const sf_count_t got = sf_readf_float(file.get(), interleaved.data(), info.frames);
    if (got < 0) throw HostError(path + ": cannot read audio samples");
    AudioBuffer out(info.channels, static_cast<size_t>(got), info.samplerate);
    for (sf_count_t f = 0; f < got; ++f) {
        for (int c = 0; c < info.channels; ++c) {
            out.channels[static_cast<size_t>(c)][static_cast<size_t>(f)] =
                interleaved[static_cast<size_t>(f) * static_cast<size_t>(info.channels) +
                            static_cast<size_t>(c)];
        }
    }
    return out;
}

void writeAudioFile(const std::string& path, const AudioBuffer& buffer) {
    const int format = formatForExtension(path);
    commitFile(path, [&](const std::string& temporary) {
        SF_INFO info{};
        info.samplerate = static_cast<int>(buffer.sampleRate + 0.5);
        info.channels = buffer.channelCount();
        info.format = format;
        if (!sf_format_check(&info))
            throw HostError(path + ": this format cannot hold " + std::to_string(info.channels) +
                            " channels at " + std::to_string(info.samplerate) + " Hz");
        SndFile file(sf_open(temporary.c_str(), SFM_WRITE, &info));
        if (!file) throw HostError(path + ": cannot write audio: " + sf_strerror(nullptr));
        const size_t frames = buffer.frames();
        const auto channels = static_cast<size_t>(buffer.channelCount());
        std::vector<float> interleaved(frames * channels);
        for (size_t f = 0; f < frames; ++f) {
            for (size_t c = 0; c < channels; ++c)
                interleaved[f * channels + c] = buffer.channels[c][f];
        }
        if (sf_writef_float(file.get(), interleaved.data(), static_cast<sf_count_t>(frames)) !=
            static_cast<sf_count_t>(frames))
            throw HostError(path + ": cannot write audio samples");
    });
}
