#include "audio/wav_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "error.h"

namespace {

std::uint32_t read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

float decodeSample(const std::uint8_t* p, std::uint16_t format, int bits) {
    if (format == kFormatFloat) {
        float f;
        std::uint32_t u = read32(p);
        std::memcpy(&f, &u, 4);
        return f;
    }
    switch (bits) {
    case 16: return static_cast<float>(static_cast<std::int16_t>(read16(p))) / 32768.0f;
    case 24: {
        std::int32_t v = static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) << 8 |
                                                   static_cast<std::uint32_t>(p[1]) << 16 |
                                                   static_cast<std::uint32_t>(p[2]) << 24);
        return static_cast<float>(v >> 8) / 8388608.0f;
    }
    default:
        return static_cast<float>(static_cast<double>(static_cast<std::int32_t>(read32(p))) /
                                  2147483648.0);
    }
}

std::int64_t quantise(float v, double scale, std::int64_t max) {
    double s = std::nearbyint(static_cast<double>(v) * scale);
    if (!(s == s)) s = 0;  // NaN
    return static_cast<std::int64_t>(
        std::clamp(s, static_cast<double>(-max - 1), static_cast<double>(max)));
}

}  // namespace

AudioBuffer decodeWav(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        throw HostError("not a WAV file");
    bool haveFormat = false;
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const std::uint8_t* chunk = bytes.data() + pos;
        std::uint32_t size = read32(chunk + 4);
        size_t body = pos + 8;
        size_t available = std::min<size_t>(size, bytes.size() - body);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (available < 16) throw HostError("WAV format chunk too short");
            format = read16(chunk + 8);
            channels = read16(chunk + 10);
            rate = read32(chunk + 12);
            bits = read16(chunk + 22);
            if (format == kFormatExtensible) {
                if (available < 26) throw HostError("WAV extensible format chunk too short");
                format = read16(chunk + 8 + 24);  // first two bytes of the sub-format
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) throw HostError("WAV data before its format chunk");
            if (channels == 0) throw HostError("WAV file has no channels");
            if (rate == 0) throw HostError("WAV file has sample rate 0");
            const bool pcm = format == kFormatPcm && (bits == 16 || bits == 24 || bits == 32);
            const bool flt = format == kFormatFloat && bits == 32;
            if (!pcm && !flt)
                throw HostError("unsupported WAV encoding (format " + std::to_string(format) +
                                ", " + std::to_string(bits) + " bits)");
            const size_t frameBytes = static_cast<size_t>(channels) * (bits / 8);
            const size_t frames = available / frameBytes;
            AudioBuffer out(channels, frames, rate);
            const std::uint8_t* p = bytes.data() + body;
            for (size_t f = 0; f < frames; ++f) {
                for (int c = 0; c < channels; ++c) {
                    out.channels[static_cast<size_t>(c)][f] = decodeSample(p, format, bits);
                    p += bits / 8;
                }
            }
            return out;
        }
        pos = body + size + (size & 1);
    }
    throw HostError(haveFormat ? "WAV file has no data chunk" : "WAV file has no format chunk");
}

std::vector<std::uint8_t> encodeWav(const AudioBuffer& buffer, WavSampleFormat format) {
    const int bits = format == WavSampleFormat::Pcm16   ? 16
                     : format == WavSampleFormat::Pcm24 ? 24
                                                        : 32;
    const auto channels = static_cast<std::uint16_t>(buffer.channelCount());
    const size_t frames = buffer.frames();
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(frames * channels * (bits / 8));
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, format == WavSampleFormat::Float32 ? kFormatFloat : kFormatPcm);
    put16(out, channels);
    const auto rate = static_cast<std::uint32_t>(std::lround(buffer.sampleRate));
    put32(out, rate);
    put32(out, rate * channels * (bits / 8));
    put16(out, static_cast<std::uint16_t>(channels * (bits / 8)));
    put16(out, static_cast<std::uint16_t>(bits));
    putTag(out, "data");
    put32(out, dataBytes);
    for (size_t f = 0; f < frames; ++f) {
        for (const auto& ch : buffer.channels) {
            const float v = ch[f];
            switch (format) {
            case WavSampleFormat::Pcm16:
                put16(out, static_cast<std::uint16_t>(quantise(v, 32768.0, 32767)));
                break;
            case WavSampleFormat::Pcm24: {
                auto s = static_cast<std::uint32_t>(quantise(v, 8388608.0, 8388607));
                out.push_back(static_cast<std::uint8_t>(s));
                out.push_back(static_cast<std::uint8_t>(s >> 8));
                out.push_back(static_cast<std::uint8_t>(s >> 16));
                break;
            }
            case WavSampleFormat::Pcm32:
                put32(out, static_cast<std::uint32_t>(quantise(v, 2147483648.0, 2147483647LL)));
                break;
            case WavSampleFormat::Float32: {
                std::uint32_t u;
                std::memcpy(&u, &v, 4);
                put32(out, u);
                break;
            }
            }
        }
    }
    return out;
}

AudioBuffer readWavFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError(path + ": cannot open audio file");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    try {
        return decodeWav(bytes);
    } catch (const HostError& e) {
        throw HostError(path + ": " + e.what());
    }
}

void writeWavFile(const std::string& path, const AudioBuffer& buffer, WavSampleFormat format) {
    std::vector<std::uint8_t> bytes = encodeWav(buffer, format);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw HostError(path + ": cannot write audio file");
}
