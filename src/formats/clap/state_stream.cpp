#include "formats/clap/state_stream.h"

#include <cstring>
#include <vector>

namespace molvex::clap {

namespace {

constexpr std::uint8_t kMagic[4] = {'M', 'V', 'X', 'C'};
constexpr std::size_t kHeaderBytes = 12;

void putWord(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t word(const std::uint8_t* at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}

bool writeAll(const clap_ostream_t* stream, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const std::int64_t written = stream->write(stream, bytes, size);
        if (written <= 0 || static_cast<std::uint64_t>(written) > size) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool writeState(const clap_ostream_t* stream, const std::string& text) {
    if (!stream || !stream->write || text.size() > kMaxStateBytes - kHeaderBytes) return false;
    std::uint8_t header[kHeaderBytes];
    std::memcpy(header, kMagic, sizeof kMagic);
    putWord(header + 4, kStateVersion);
    putWord(header + 8, static_cast<std::uint32_t>(text.size()));
    return writeAll(stream, header, sizeof header) &&
           writeAll(stream, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

bool readState(const clap_istream_t* stream, std::string& text) {
    if (!stream || !stream->read) return false;
    std::vector<std::uint8_t> bytes(kMaxStateBytes + 1);
    std::size_t have = 0;
    for (;;) {
        // One byte of room past the largest state shows a stream that is
        // too long, or never ends: it fills the room and fails below.
        const std::uint64_t room = bytes.size() - have;
        const std::int64_t got = stream->read(stream, bytes.data() + have, room);
        if (got < 0 || static_cast<std::uint64_t>(got) > room) return false;
        if (got == 0) break;
        have += static_cast<std::size_t>(got);
    }
    if (have < kHeaderBytes || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) return false;
    if (word(bytes.data() + 4) != kStateVersion) return false;
    if (word(bytes.data() + 8) != have - kHeaderBytes) return false;
    text.assign(reinterpret_cast<const char*>(bytes.data()) + kHeaderBytes, have - kHeaderBytes);
    return true;
}

}  // namespace molvex::clap
