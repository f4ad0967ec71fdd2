// Every text the plug-in hands the host: nothing past the field's limit is
// touched, and no byte of what it writes after the terminator is anything
// but zero, so hosts that store or compare whole fields see no stack noise.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "effect/filter_delay_effect.h"

using namespace molvex;

namespace {

constexpr std::size_t kProbeSize = 64;
using Probe = std::array<unsigned char, kProbeSize>;

// Leaves a recognisable pattern in the stack the next call will reuse, so a
// buffer the plug-in forgets to clear shows up as non-zero bytes.
[[gnu::noinline]] void dirtyStack() {
    volatile unsigned char junk[4096];
    for (auto& byte : junk) byte = 0x5A;
}

Probe callWithGuard(AEffect* record, VstInt32 opcode, VstInt32 index, unsigned char guard) {
    Probe probe;
    probe.fill(guard);
    dirtyStack();
    record->dispatcher(record, opcode, index, 0, probe.data(), 0.0f);
    return probe;
}

struct Written {
    std::size_t end = 0;  // one past the last byte the call wrote
    std::string text;     // up to the first terminator
    bool paddedWithZeros = true;
    bool terminated = false;
};

// Two runs with different guard bytes tell written bytes from untouched ones,
// whatever values the plug-in writes.
Written written(AEffect* record, VstInt32 opcode, VstInt32 index) {
    const Probe a = callWithGuard(record, opcode, index, 0xA5);
    const Probe b = callWithGuard(record, opcode, index, 0x3C);
    Written result;
    for (std::size_t i = 0; i < kProbeSize; ++i)
        if (a[i] != 0xA5 || b[i] != 0x3C) result.end = i + 1;
    std::size_t i = 0;
    for (; i < result.end && a[i] != 0; ++i) result.text.push_back(static_cast<char>(a[i]));
    result.terminated = i < result.end;
    for (; i < result.end; ++i)
        if (a[i] != 0 || b[i] != 0) result.paddedWithZeros = false;
    return result;
}

struct TextKind {
    VstInt32 opcode;
    const char* what;
    std::size_t limit;  // bytes, terminator included
};

// Names and labels are written as text and terminator; value texts fill
// their whole 9-byte field.
constexpr TextKind kParameterTexts[] = {
    {effGetParamName, "parameter name", 12},
    {effGetParamLabel, "parameter label", 5},
    {effGetParamDisplay, "value text", 9},
};

void expectSound(const Written& w, const TextKind& kind, const std::string& context) {
    SCOPED_TRACE(::testing::Message() << kind.what << " " << context << " \"" << w.text << "\"");
    EXPECT_TRUE(w.terminated);
    EXPECT_LE(w.end, kind.limit);
    EXPECT_TRUE(w.paddedWithZeros);
}

// Values across the range, its ends and what hosts send past them.
std::vector<float> sweepValues() {
    std::vector<float> values;
    for (int i = 0; i <= 200; ++i) values.push_back(static_cast<float>(i) / 200.0f);
    for (float v : {-1.0f, -0.001f, 0.0049f, 0.3299f, 0.6601f, 1.001f, 7.0f, 1e9f})
        values.push_back(v);
    return values;
}

}  // namespace

TEST(HostTexts, ParameterTextsStayInTheirFieldsAndAreZeroPadded) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    for (float rate : {44100.0f, 8000.0f, 192000.0f, 399999.0f}) {
        r->dispatcher(r, effSetSampleRate, 0, 0, nullptr, rate);
        for (float value : sweepValues()) {
            for (VstInt32 p = 0; p < kParameterCount; ++p) {
                r->setParameter(r, p, value);
                for (const auto& kind : kParameterTexts)
                    expectSound(written(r, kind.opcode, p), kind,
                                (::testing::Message() << "p" << p << "=" << value).GetString());
            }
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(HostTexts, ValueTextsFillTheirWholeField) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    for (float value : {0.0f, 0.5f, 0.005f, 1.0f}) {
        for (VstInt32 p = 0; p < kParameterCount; ++p) {
            r->setParameter(r, p, value);
            EXPECT_EQ(written(r, effGetParamDisplay, p).end, 9u) << "p" << p << "=" << value;
        }
    }
}

TEST(HostTexts, IndexesOutsideTheParametersWriteNothing) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    for (VstInt32 index : {-1, kParameterCount, 1000, INT32_MIN})
        for (const auto& kind : kParameterTexts)
            EXPECT_EQ(written(r, kind.opcode, index).end, 0u) << kind.what << " " << index;
}

TEST(HostTexts, ProgramNamesStayInTheirFieldAndAreZeroPadded) {
    const TextKind kind{effGetProgramName, "program name", kProgramNameLength + 1};
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    char longName[80];
    std::memset(longName, 'x', sizeof longName - 1);
    longName[sizeof longName - 1] = 0;
    char plain[] = "Bass";
    char init[] = "Init";
    char empty[] = "";
    for (VstInt32 program = 0; program < kProgramCount; ++program) {
        r->dispatcher(r, effSetProgram, 0, program, nullptr, 0.0f);
        for (char* name : {init, longName, plain, empty, init}) {
            r->dispatcher(r, effSetProgramName, 0, 0, name, 0.0f);
            expectSound(written(r, effGetProgramName, 0), kind,
                        (::testing::Message() << "program " << program).GetString());
        }
    }
}

TEST(HostTexts, UnsupportedTextRequestsWriteNothing) {
    FilterDelayEffect effect(nullptr);
    AEffect* r = effect.getRecord();
    for (VstInt32 opcode : {effGetProgramNameIndexed, effGetEffectName, effGetErrorText,
                            effGetVendorString, effGetProductString})
        EXPECT_EQ(written(r, opcode, 0).end, 0u) << "opcode " << opcode;
}
