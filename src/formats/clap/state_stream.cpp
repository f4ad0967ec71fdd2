#include "formats/clap/state_stream.h"

#include <cstring>

#include "effect/filter_delay_effect.h"

namespace molvex::clap {

namespace {

constexpr std::uint8_t kMagic[4] = {'M', 'V', 'X', 'C'};

class Writer {
public:
    explicit Writer(StateBytes& bytes) : bytes(bytes) {}
    void word(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[at++] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void real(float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        word(bits);
    }
    void raw(const void* data, std::size_t size) {
        std::memcpy(bytes.data() + at, data, size);
        at += size;
    }

private:
    StateBytes& bytes;
    std::size_t at = 0;
};

class Reader {
public:
    explicit Reader(const StateBytes& bytes) : bytes(bytes) {}
    std::uint32_t word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at++]) << (8 * i);
        return value;
    }
    float real() {
        const std::uint32_t bits = word();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    const std::uint8_t* raw(std::size_t size) {
        const std::uint8_t* data = bytes.data() + at;
        at += size;
        return data;
    }

private:
    const StateBytes& bytes;
    std::size_t at = 0;
};

struct DecodedProgram {
    float values[kParameterCount];
    char name[kProgramNameLength + 1];
};

bool isUnitValue(float value) { return value >= 0.0f && value <= 1.0f; }

bool readValues(Reader& reader, float* values) {
    for (VstInt32 i = 0; i < kParameterCount; ++i)
        if (!isUnitValue(values[i] = reader.real())) return false;
    return true;
}

}  // namespace

StateBytes encodeState(FilterDelayEffect& effect) {
    StateBytes bytes{};
    Writer writer(bytes);
    writer.raw(kMagic, sizeof kMagic);
    writer.word(kStateVersion);
    writer.word(static_cast<std::uint32_t>(effect.getProgram()));
    for (VstInt32 i = 0; i < kParameterCount; ++i) writer.real(effect.getParameter(i));
    const EffectProgram* programs = effect.getPrograms();
    for (VstInt32 p = 0; p < kProgramCount; ++p) {
        char name[kProgramNameLength + 1] = {};
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            writer.real(programs ? programs[p].values[i].load(std::memory_order_relaxed) : 0.0f);
        if (programs) std::strncpy(name, programs[p].name, kProgramNameLength);
        writer.raw(name, sizeof name);
    }
    return bytes;
}

bool decodeState(const StateBytes& bytes, FilterDelayEffect& effect) {
    Reader reader(bytes);
    if (std::memcmp(reader.raw(sizeof kMagic), kMagic, sizeof kMagic) != 0) return false;
    if (reader.word() != kStateVersion) return false;
    const std::uint32_t current = reader.word();
    if (current >= static_cast<std::uint32_t>(kProgramCount)) return false;
    float values[kParameterCount];
    if (!readValues(reader, values)) return false;
    DecodedProgram programs[kProgramCount];
    for (DecodedProgram& program : programs) {
        if (!readValues(reader, program.values)) return false;
        std::memcpy(program.name, reader.raw(sizeof program.name), sizeof program.name);
        if (program.name[kProgramNameLength] != 0) return false;
    }
    for (VstInt32 p = 0; p < kProgramCount; ++p) {
        effect.setProgram(p);
        effect.setProgramName(programs[p].name);
        for (VstInt32 i = 0; i < kParameterCount; ++i)
            effect.setParameter(i, programs[p].values[i]);
    }
    // The current program's values last: they may differ from what the
    // program was stored with only if the host edited it after, and then
    // the edits are what the session had.
    effect.setProgram(static_cast<VstInt32>(current));
    for (VstInt32 i = 0; i < kParameterCount; ++i) effect.setParameter(i, values[i]);
    return true;
}

bool writeAll(const clap_ostream_t* stream, const std::uint8_t* bytes, std::size_t size) {
    if (!stream || !stream->write) return false;
    while (size > 0) {
        const std::int64_t written = stream->write(stream, bytes, size);
        if (written <= 0 || static_cast<std::uint64_t>(written) > size) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool readExactly(const clap_istream_t* stream, StateBytes& bytes) {
    if (!stream || !stream->read) return false;
    std::size_t have = 0;
    for (;;) {
        std::uint8_t spill;
        // One byte past the state shows a stream that is too long.
        std::uint8_t* into = have < bytes.size() ? bytes.data() + have : &spill;
        const std::uint64_t room = have < bytes.size() ? bytes.size() - have : 1;
        const std::int64_t got = stream->read(stream, into, room);
        if (got < 0 || static_cast<std::uint64_t>(got) > room) return false;
        if (got == 0) return have == bytes.size();
        if (have >= bytes.size()) return false;
        have += static_cast<std::size_t>(got);
    }
}

}  // namespace molvex::clap
