// Compares renders of the same input by different builds of the plug-in:
//   render_compare TOLERANCE REFERENCE.wav OTHER.wav [OTHER.wav ...]
// Prints the largest absolute sample difference of each OTHER against the
// REFERENCE (full scale is 1.0) and where it occurs; exits 1 when any
// exceeds TOLERANCE or the files differ in shape. Reads the WAV forms a
// render writes: 32-bit float, or 16/24/32-bit integer PCM, plain or
// extensible.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Audio {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;  // interleaved
    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
};

std::uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool readWav(const char* path, Audio& audio, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open";
        return false;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        error = "not a RIFF/WAVE file";
        return false;
    }
    int format = 0, bits = 0;
    const unsigned char* data = nullptr;
    std::size_t dataSize = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const unsigned char* chunk = bytes.data() + at;
        std::size_t size = le32(chunk + 4);
        std::size_t available = bytes.size() - at - 8;
        if (size > available) size = available;  // a writer that never patched the sizes
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            format = le16(chunk + 8);
            audio.channels = le16(chunk + 10);
            audio.sampleRate = static_cast<int>(le32(chunk + 12));
            bits = le16(chunk + 22);
            if (format == 0xFFFE && size >= 40) format = le16(chunk + 8 + 24);  // sub-format GUID
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            data = chunk + 8;
            dataSize = size;
        }
        at += 8 + size + (size & 1);
    }
    if (!data || audio.channels <= 0) {
        error = "no fmt or data chunk";
        return false;
    }
    const int width = bits / 8;
    if (!((format == 3 && bits == 32) || (format == 1 && (bits == 16 || bits == 24 || bits == 32)))) {
        error = "unsupported sample format " + std::to_string(format) + "/" + std::to_string(bits);
        return false;
    }
    const std::size_t count = dataSize / width;
    audio.samples.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* p = data + i * width;
        if (format == 3) {
            std::uint32_t raw = le32(p);
            std::memcpy(&audio.samples[i], &raw, 4);
        } else if (bits == 16) {
            audio.samples[i] = static_cast<std::int16_t>(le16(p)) / 32768.0f;
        } else if (bits == 24) {
            std::int32_t v = static_cast<std::int32_t>((p[0] << 8) | (p[1] << 16) | (static_cast<std::uint32_t>(p[2]) << 24)) >> 8;
            audio.samples[i] = static_cast<float>(v / 8388608.0);
        } else {
            audio.samples[i] = static_cast<float>(static_cast<std::int32_t>(le32(p)) / 2147483648.0);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_compare TOLERANCE REFERENCE.wav OTHER.wav [OTHER.wav ...]\n");
        return 2;
    }
    const double tolerance = std::atof(argv[1]);
    Audio reference;
    std::string error;
    if (!readWav(argv[2], reference, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 2;
    }
    double peak = 0.0;
    for (float s : reference.samples) peak = std::fmax(peak, std::fabs(s));

    bool allAgree = true;
    for (int i = 3; i < argc; ++i) {
        Audio other;
        if (!readWav(argv[i], other, error)) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
            allAgree = false;
            continue;
        }
        if (other.channels != reference.channels || other.sampleRate != reference.sampleRate ||
            other.samples.size() != reference.samples.size()) {
            std::fprintf(stderr, "%s: %d ch, %d Hz, %zu frames; reference has %d ch, %d Hz, %zu frames\n",
                         argv[i], other.channels, other.sampleRate, other.frames(), reference.channels,
                         reference.sampleRate, reference.frames());
            allAgree = false;
            continue;
        }
        double largest = 0.0;
        std::size_t where = 0;
        bool finite = true;
        for (std::size_t k = 0; k < other.samples.size(); ++k) {
            if (!std::isfinite(other.samples[k])) finite = false;
            double d = std::fabs(static_cast<double>(other.samples[k]) - reference.samples[k]);
            if (d > largest) {
                largest = d;
                where = k;
            }
        }
        const bool agrees = finite && largest <= tolerance;
        std::printf("%s: largest difference %.3g (%.1f dBFS) at frame %zu channel %zu; reference peak %.3f%s\n",
                    argv[i], largest, largest > 0 ? 20.0 * std::log10(largest) : -INFINITY,
                    where / reference.channels, where % reference.channels, peak,
                    finite ? "" : "; NON-FINITE SAMPLES");
        if (!agrees) {
            std::fprintf(stderr, "%s: exceeds tolerance %.3g\n", argv[i], tolerance);
            allAgree = false;
        }
    }
    return allAgree ? 0 : 1;
}
