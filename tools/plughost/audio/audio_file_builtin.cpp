#include "audio/audio_file.h"

#include "audio/wav_file.h"
#include "error.h"

AudioBuffer readAudioFile(const std::string& path) {
    if (fileExtension(path) != "wav") throw HostError(path + ": this build reads WAV files only");
    return readWavFile(path);
}

void writeAudioFile(const std::string& path, const AudioBuffer& buffer) {
    if (fileExtension(path) != "wav") throw HostError(path + ": this build writes WAV files only");
    commitFile(path, [&](const std::string& temporary) {
        writeWavFile(temporary, buffer, WavSampleFormat::Float32);
    });
}

void checkOutputFormat(const std::string& path) {
    if (fileExtension(path) != "wav") throw HostError(path + ": this build writes WAV files only");
}
