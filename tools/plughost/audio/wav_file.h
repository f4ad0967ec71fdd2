// A small WAV reader and writer: PCM 16, 24 and 32-bit integer and 32-bit
// float, any channel count (the extensible header included). Used by the
// Windows build, where libsndfile is not available, and by demo_input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/audio_buffer.h"

enum class WavSampleFormat { Pcm16, Pcm24, Pcm32, Float32 };

// Decodes a whole file image; throws HostError naming what is wrong.
AudioBuffer decodeWav(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> encodeWav(const AudioBuffer& buffer, WavSampleFormat format);

AudioBuffer readWavFile(const std::string& path);
// Writes directly to path; callers wanting atomicity go through commitFile.
void writeWavFile(const std::string& path, const AudioBuffer& buffer, WavSampleFormat format);
