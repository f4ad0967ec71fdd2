#include "output/png_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "error.h"

namespace {

std::uint32_t crc32(const std::uint8_t* data, size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void putChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& body) {
    putBigEndian(out, static_cast<std::uint32_t>(body.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    putBigEndian(out, crc32(out.data() + typeAt, body.size() + 4));
}

// Each row as the filter byte 0 and its RGB triples.
std::vector<std::uint8_t> rawRows(const RgbImage& image) {
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<size_t>(image.height) * (1 + 3 * static_cast<size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    return raw;
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> storedZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z{0x78, 0x01};
    size_t at = 0;
    do {
        const size_t length = std::min<size_t>(raw.size() - at, 65535);
        const bool last = at + length == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(length));
        z.push_back(static_cast<std::uint8_t>(length >> 8));
        z.push_back(static_cast<std::uint8_t>(~length));
        z.push_back(static_cast<std::uint8_t>(~length >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(at),
                 raw.begin() + static_cast<long>(at + length));
        at += length;
    } while (at < raw.size());
    putBigEndian(z, adler32(raw));
    return z;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const RgbImage& image) {
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(),
                  {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter choice, no interlace
    putChunk(out, "IHDR", header);
    putChunk(out, "IDAT", storedZlib(rawRows(image)));
    putChunk(out, "IEND", {});
    return out;
}

void writePng(const std::string& path, const RgbImage& image) {
    if (image.width <= 0 || image.height <= 0)
        throw HostError(path + ": nothing to write (empty picture)");
    const std::vector<std::uint8_t> bytes = encodePng(image);
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) throw HostError(path + ": cannot write");
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(partial.c_str());
        throw HostError(path + ": cannot write");
    }
    std::remove(path.c_str());  // Windows' rename will not replace a file
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        throw HostError(path + ": cannot write");
    }
}
