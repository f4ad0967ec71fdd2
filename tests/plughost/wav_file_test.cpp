// The built-in WAV code (the Windows build's only audio I/O): every sample
// format round-trips, odd headers are read, and bad files are refused with a
// reason.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/wav_file.h"
#include "error.h"

namespace {

AudioBuffer ramp(int channels, size_t frames, double rate) {
    AudioBuffer b(channels, frames, rate);
    for (int c = 0; c < channels; ++c) {
        for (size_t f = 0; f < frames; ++f) {
            const float v = -0.99f + 1.98f * static_cast<float>(f) / static_cast<float>(frames - 1);
            b.channels[static_cast<size_t>(c)][f] = c % 2 ? -v : v;
        }
    }
    return b;
}

// Element by element: GCC 12 misreads vector::insert of ranges at -O3.
template <typename Range>
void append(std::vector<std::uint8_t>& to, const Range& from, size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) to.push_back(static_cast<std::uint8_t>(from[i]));
}

std::string decodeError(const std::vector<std::uint8_t>& bytes) {
    try {
        decodeWav(bytes);
    } catch (const HostError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(WavFile, EveryFormatRoundTripsWithinItsResolution) {
    const struct {
        WavSampleFormat format;
        float tolerance;
    } cases[] = {{WavSampleFormat::Pcm16, 1.0f / 32768},
                 {WavSampleFormat::Pcm24, 1.0f / 8388608},
                 {WavSampleFormat::Pcm32, 1e-7f},
                 {WavSampleFormat::Float32, 0.0f}};
    for (const auto& c : cases) {
        for (int channels : {1, 2, 3}) {
            const AudioBuffer in = ramp(channels, 1001, 48000.0);
            const AudioBuffer out = decodeWav(encodeWav(in, c.format));
            ASSERT_EQ(out.channelCount(), channels);
            ASSERT_EQ(out.frames(), 1001u);
            EXPECT_EQ(out.sampleRate, 48000.0);
            for (int ch = 0; ch < channels; ++ch) {
                for (size_t f = 0; f < 1001; ++f) {
                    ASSERT_NEAR(out.channels[static_cast<size_t>(ch)][f],
                                in.channels[static_cast<size_t>(ch)][f], c.tolerance)
                        << "format " << static_cast<int>(c.format) << " channel " << ch << " frame "
                        << f;
                }
            }
        }
    }
}

TEST(WavFile, IntegerFormatsClipAndFloatKeepsOverloads) {
    AudioBuffer loud(1, 3, 44100.0);
    loud.channels[0] = {1.5f, -1.5f, 0.5f};
    const AudioBuffer pcm = decodeWav(encodeWav(loud, WavSampleFormat::Pcm16));
    EXPECT_NEAR(pcm.channels[0][0], 32767.0f / 32768.0f, 1e-6f);
    EXPECT_EQ(pcm.channels[0][1], -1.0f);
    const AudioBuffer flt = decodeWav(encodeWav(loud, WavSampleFormat::Float32));
    EXPECT_EQ(flt.channels[0][0], 1.5f);
}

TEST(WavFile, SkipsUnknownChunksIncludingOddSizedOnes) {
    AudioBuffer in = ramp(2, 10, 44100.0);
    std::vector<std::uint8_t> bytes = encodeWav(in, WavSampleFormat::Pcm16);
    // Insert a 3-byte LIST chunk (padded to 4) between "fmt " and "data".
    const std::uint8_t list[] = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    std::vector<std::uint8_t> withList;
    append(withList, bytes, 0, 36);
    append(withList, list, 0, sizeof list);
    append(withList, bytes, 36, bytes.size());
    bytes = withList;
    const AudioBuffer out = decodeWav(bytes);
    EXPECT_EQ(out.frames(), 10u);
    EXPECT_NEAR(out.channels[1][9], in.channels[1][9], 1e-4f);
}

TEST(WavFile, ReadsTheExtensibleHeader) {
    std::vector<std::uint8_t> bytes = encodeWav(ramp(1, 4, 44100.0), WavSampleFormat::Float32);
    // Rewrite the 16-byte format chunk as a 40-byte extensible one whose
    // sub-format starts with 3 (float).
    std::vector<std::uint8_t> ext;
    append(ext, bytes, 0, 12);
    const std::uint8_t fmt[] = {'f', 'm', 't', ' ', 40, 0, 0, 0, 0xFE, 0xFF};
    append(ext, fmt, 0, sizeof fmt);
    append(ext, bytes, 22, 36);  // channels .. bits
    const std::uint8_t tail[] = {22, 0, 32,   0, 4,    0, 0, 0,    3, 0,    0,    0,
                                 0,  0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    append(ext, tail, 0, sizeof tail);
    append(ext, bytes, 36, bytes.size());
    const AudioBuffer out = decodeWav(ext);
    EXPECT_EQ(out.frames(), 4u);
    EXPECT_FLOAT_EQ(out.channels[0][0], -0.99f);
}

TEST(WavFile, RefusesWhatItCannotRead) {
    EXPECT_EQ(decodeError({'h', 'e', 'l', 'l', 'o'}), "not a WAV file");
    std::vector<std::uint8_t> bytes = encodeWav(ramp(1, 4, 44100.0), WavSampleFormat::Pcm16);
    std::vector<std::uint8_t> eightBit = bytes;
    eightBit[34] = 8;
    EXPECT_EQ(decodeError(eightBit), "unsupported WAV encoding (format 1, 8 bits)");
    std::vector<std::uint8_t> noData;
    append(noData, bytes, 0, 36);
    EXPECT_EQ(decodeError(noData), "WAV file has no data chunk");
    std::vector<std::uint8_t> zeroRate = bytes;
    std::memset(zeroRate.data() + 24, 0, 4);
    EXPECT_EQ(decodeError(zeroRate), "WAV file has sample rate 0");
}

}  // namespace
