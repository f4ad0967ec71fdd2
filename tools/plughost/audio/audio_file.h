// Reading and writing audio files. Linux builds use libsndfile
// (audio_file_sndfile.cpp: every format it knows, chosen for writing by the
// file's extension); the Windows build uses the built-in WAV code
// (audio_file_builtin.cpp). Errors throw HostError with one line.
#pragma once

#include <string>

#include "audio/audio_buffer.h"

AudioBuffer readAudioFile(const std::string& path);

// Writes buffer to path (through a temporary file, see commitFile). The
// samples are stored as 32-bit float where the format allows, so echoes
// that build up above full scale survive.
void writeAudioFile(const std::string& path, const AudioBuffer& buffer);

// Throws HostError when path's extension names no format this build writes,
// so a render fails before it starts rather than after.
void checkOutputFormat(const std::string& path);
