#include "formats/common/dsp_session.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "effect/parameter_table.h"
#include "formats/common/program_state.h"

namespace molvex {

namespace {
constexpr char kProgramLine[] = "program ";
}  // namespace

DspSession::DspSession(double sampleRate) : effect(nullptr) { usable = setSampleRate(sampleRate); }

bool DspSession::setSampleRate(double sampleRate) {
    const auto rate = static_cast<float>(sampleRate);
    effect.setSampleRate(rate);
    return effect.getSampleRate() == rate && effect.getDelayLineLength() > 0;
}

float DspSession::getPlain(ParameterIndex parameter) {
    return plainFromNormalized(parameter, effect.getParameter(parameter));
}

void DspSession::setPlain(ParameterIndex parameter, float plain) {
    const float value = normalizedFromPlain(parameter, plain);
    if (!std::isnan(value)) effect.setParameter(parameter, value);
}

void DspSession::receiveMidi(const std::uint8_t bytes[3]) {
    effect.receiveMidi(bytes[0], bytes[1], bytes[2]);
}

DspSession::Block::Block(DspSession& session, const float* const inputs[2], float* const outputs[2],
                         std::uint32_t frames)
    : session(session), effect(session.effect), frames(frames) {
    audio = inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1];
    if (!audio) return;
    // The effect's routine takes writable pointers; it never writes the input.
    for (int c = 0; c < 2; ++c) {
        in[c] = const_cast<float*>(inputs[c]);
        out[c] = outputs[c];
    }
}

void DspSession::Block::playTo(std::uint32_t frame) {
    if (audio && frame > done) {
        float* inPiece[2] = {in[0] + done, in[1] + done};
        float* outPiece[2] = {out[0] + done, out[1] + done};
        effect.processReplacing(inPiece, outPiece, static_cast<std::int32_t>(frame - done));
    }
    done = frame;
}

void DspSession::Block::playToEvent(std::int64_t frame) {
    playTo(static_cast<std::uint32_t>(
        frame < static_cast<std::int64_t>(done)
            ? done
            : (frame > static_cast<std::int64_t>(frames) ? frames : frame)));
}

void DspSession::Block::midiAt(std::int64_t frame, const std::uint8_t* bytes, std::uint32_t size) {
    playToEvent(frame);
    if (size >= 3) effect.receiveMidi(bytes[0], bytes[1], bytes[2]);
}

void DspSession::Block::plainAt(std::int64_t frame, ParameterIndex parameter, float plain) {
    playToEvent(frame);
    session.setPlain(parameter, plain);
}

void DspSession::Block::finish() { playTo(frames); }

void DspSession::process(const float* const in[2], float* const out[2], std::uint32_t frames,
                         const TimedMidi* events, std::uint32_t eventCount) {
    Block block(*this, in, out, frames);
    for (std::uint32_t i = 0; i < eventCount; ++i)
        block.midiAt(events[i].frame, events[i].bytes, 3);
    block.finish();
}

std::string DspSession::programsText() const { return molvex::programsText(effect); }

bool DspSession::restorePrograms(const char* text, std::size_t size, int current) {
    if (!text) return false;
    try {
        std::string programs(text, size);
        if (!programs.empty() && programs.back() == 0) programs.pop_back();
        if (programs.find('\0') != std::string::npos) return false;
        return molvex::restorePrograms(effect, programs.c_str(), current);
    } catch (...) {
        return false;
    }
}

std::string DspSession::stateText() {
    char line[32];
    std::snprintf(line, sizeof line, "%s%d\n", kProgramLine, static_cast<int>(effect.getProgram()));
    return programsText() + line;
}

// The last line names the current program; the programs come before it.
bool DspSession::restoreState(const char* text, std::size_t size) {
    if (!text || size == 0) return false;
    if (text[size - 1] == 0) --size;
    const std::string_view state(text, size);
    const std::size_t line = state.rfind(kProgramLine);
    if (line == std::string_view::npos || (line > 0 && state[line - 1] != '\n')) return false;
    const std::string_view number = state.substr(line + sizeof kProgramLine - 1);
    if (number.size() < 2 || number.size() > 3 || number.back() != '\n') return false;
    int current = 0;
    for (std::size_t i = 0; i + 1 < number.size(); ++i) {
        if (number[i] < '0' || number[i] > '9') return false;
        current = current * 10 + (number[i] - '0');
    }
    return restorePrograms(text, line, current);
}

std::uint32_t DspSession::tailFrames() {
    const auto tail = effect.getTailSize();
    return tail > 0 ? static_cast<std::uint32_t>(tail) : 0;
}

}  // namespace molvex
