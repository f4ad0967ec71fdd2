#include "formats/common/program_state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "effect/filter_delay_effect.h"

namespace molvex {

namespace {

struct ProgramLine {
    float values[kParameterCount];
    char name[kProgramNameLength + 1];
};

// Reads one line; `text` moves past it.
bool parseLine(const char*& text, ProgramLine& line) {
    for (float& value : line.values) {
        char* end = nullptr;
        value = std::strtof(text, &end);
        if (end == text || *end != ' ' || !(value >= 0.0f && value <= 1.0f)) return false;
        text = end + 1;
    }
    const char* lineEnd = std::strchr(text, '\n');
    if (!lineEnd) return false;
    const std::size_t length = static_cast<std::size_t>(lineEnd - text);
    if (length > kProgramNameLength) return false;
    std::memcpy(line.name, text, length);
    line.name[length] = 0;
    text = lineEnd + 1;
    return true;
}

}  // namespace

std::string programsText(const FilterDelayEffect& effect) {
    std::string text;
    const EffectProgram* programs = effect.getPrograms();
    if (!programs) return text;
    for (int p = 0; p < kProgramCount; ++p) {
        char number[32];
        for (const auto& value : programs[p].values) {
            std::snprintf(number, sizeof number, "%.9g ", value.load(std::memory_order_relaxed));
            text += number;
        }
        for (const char* c = programs[p].name; *c; ++c)
            text += static_cast<unsigned char>(*c) < 0x20 ? ' ' : *c;
        text += '\n';
    }
    return text;
}

bool restorePrograms(FilterDelayEffect& effect, const char* text, int current) {
    if (!text || current < 0 || current >= kProgramCount) return false;
    ProgramLine lines[kProgramCount];
    for (ProgramLine& line : lines)
        if (!parseLine(text, line)) return false;
    if (*text != 0) return false;
    for (int p = 0; p < kProgramCount; ++p) {
        effect.setProgram(p);
        effect.setProgramName(lines[p].name);
        for (int i = 0; i < kParameterCount; ++i) effect.setParameter(i, lines[p].values[i]);
    }
    effect.setProgram(current);
    return true;
}

}  // namespace molvex
