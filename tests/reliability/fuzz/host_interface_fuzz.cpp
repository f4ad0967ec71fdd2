// Drives one or two instances through the plug-in record the way a careless
// or hostile host might: any opcode with any index, value and `opt`, texts
// checked against guard bytes past their limits, malformed event lists,
// absurd rates and block sizes, and both audio routines with any length and
// any samples. A finding is a crash, a sanitizer report or a broken promise:
// a write past a text's limit, a changed input, an unwritten output sample,
// or a non-finite output from finite input.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "formats/vst2/plugin_entry.h"
#include "host/vst2_interface.h"

namespace {

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

constexpr std::size_t kGuardedSize = 512;
constexpr unsigned char kGuard = 0xE7;

// Bytes a text may use, terminator included; all others stay the host's.
std::size_t textLimit(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName: return 24;
    case effGetParamLabel: return 5;
    case effGetParamDisplay: return 9;
    case effGetParamName: return 12;
    case effGetProgramNameIndexed: return 24;
    case effGetEffectName: return 32;
    case effGetErrorText: return 256;
    case effGetVendorString:
    case effGetProductString: return 64;
    default: return 0;
    }
}

float anyFloat(FuzzedDataProvider& in) {
    static constexpr float kSpecial[] = {0.0f,
                                         -0.0f,
                                         0.5f,
                                         1.0f,
                                         -1.0f,
                                         1e-40f,
                                         -1e-42f,
                                         FLT_MAX,
                                         -FLT_MAX,
                                         std::numeric_limits<float>::infinity(),
                                         -std::numeric_limits<float>::infinity(),
                                         std::numeric_limits<float>::quiet_NaN(),
                                         44100.0f,
                                         1e9f};
    const auto pick = in.ConsumeIntegralInRange<unsigned>(0, 2 * std::size(kSpecial));
    if (pick < std::size(kSpecial)) return kSpecial[pick];
    if (pick == std::size(kSpecial)) return in.ConsumeFloatingPoint<float>();
    return in.ConsumeFloatingPointInRange<float>(-1.5f, 1.5f);
}

bool allFinite(const float* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(samples[i])) return false;
    return true;
}

// Bit for bit, so NaN samples compare equal to themselves.
bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class Driver {
public:
    explicit Driver(FuzzedDataProvider& in) : input(in) {}
    ~Driver() {
        for (AEffect*& effect : effects) close(effect);
    }

    void run() {
        for (AEffect*& effect : effects) effect = open();
        int steps = 0;
        while (input.remaining_bytes() > 0 && ++steps < 200) {
            AEffect*& effect = effects[input.ConsumeBool() ? 1 : 0];
            if (!effect) {
                effect = open();
                continue;
            }
            step(effect);
        }
    }

private:
    static AEffect* open() {
        AEffect* effect = pluginMain(host);
        if (effect) effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        return effect;
    }

    static void close(AEffect*& effect) {
        if (!effect) return;
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        effect = nullptr;
    }

    void step(AEffect*& effect) {
        switch (input.ConsumeIntegralInRange(0, 9)) {
        case 0: anyOpcode(effect); break;
        case 1: text(effect); break;
        case 2: events(effect); break;
        case 3: effect->setParameter(effect, anyIndex(), anyFloat(input)); break;
        case 4: (void)effect->getParameter(effect, anyIndex()); break;
        case 5: configure(effect); break;
        case 6:
        case 7: audio(effect); break;
        case 8: names(effect); break;
        case 9:
            if (input.ConsumeIntegralInRange(0, 15) == 0) close(effect);
            break;
        }
    }

    VstInt32 anyIndex() {
        if (input.ConsumeBool()) return input.ConsumeIntegralInRange<VstInt32>(-2, 17);
        return input.ConsumeIntegral<VstInt32>();
    }

    // Opcodes whose pointer carries no structure get a zeroed scratch area or
    // none; the ones with a documented structure get that structure.
    void anyOpcode(AEffect* effect) {
        const VstInt32 opcode = input.ConsumeBool() ? input.ConsumeIntegralInRange<VstInt32>(2, 80)
                                                    : input.ConsumeIntegral<VstInt32>();
        if (opcode == effClose || opcode == effEditOpen) return;
        const VstInt32 index = anyIndex();
        VstIntPtr value = input.ConsumeIntegral<VstIntPtr>();
        const float opt = anyFloat(input);
        std::array<unsigned char, kGuardedSize> scratch{};
        void* ptr = input.ConsumeBool() ? scratch.data() : nullptr;
        if (textLimit(opcode) != 0) return guardedText(effect, opcode, index, value, opt);
        switch (opcode) {
        case effProcessEvents: return events(effect);
        case effSetProgramName:
        case effCanDo:
        case effString2Parameter: return textIn(effect, opcode, index);
        // These take a second pointer in `value`.
        case effSetSpeakerArrangement:
        case effGetSpeakerArrangement: value = reinterpret_cast<VstIntPtr>(ptr); break;
        case effSetChunk:
            value = static_cast<VstIntPtr>(static_cast<std::uintptr_t>(value) % kGuardedSize);
            break;
        default: break;
        }
        const VstIntPtr answer = effect->dispatcher(effect, opcode, index, value, ptr, opt);
        if (opcode == effEditGetRect && ptr) readRect(*static_cast<ERect**>(ptr));
        if (opcode == effGetChunk && ptr && answer > 0)
            readChunk(*static_cast<void**>(ptr), answer);
    }

    static void readRect(const ERect* rect) {
        if (rect) sink += rect->top + rect->left + rect->bottom + rect->right;
    }
    static void readChunk(const void* data, VstIntPtr size) {
        if (!data) return;
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (VstIntPtr i = 0; i < size; ++i) sink += bytes[i];
    }

    void text(AEffect* effect) {
        static constexpr VstInt32 kOpcodes[] = {
            effGetProgramName, effGetParamLabel,         effGetParamDisplay,
            effGetParamName,   effGetProgramNameIndexed, effGetEffectName,
            effGetErrorText,   effGetVendorString,       effGetProductString};
        const VstInt32 opcode = kOpcodes[input.ConsumeIntegralInRange<std::size_t>(0, 8)];
        guardedText(effect, opcode, anyIndex(), input.ConsumeIntegral<VstIntPtr>(),
                    anyFloat(input));
    }

    static void guardedText(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            float opt) {
        std::array<unsigned char, kGuardedSize> buffer;
        buffer.fill(kGuard);
        effect->dispatcher(effect, opcode, index, value, buffer.data(), opt);
        const std::size_t limit = textLimit(opcode);
        for (std::size_t i = limit; i < kGuardedSize; ++i)
            if (buffer[i] != kGuard) finding("a text ran past its limit");
        const unsigned char* first = buffer.data();
        const unsigned char* stop = first + limit;
        const unsigned char* end = std::find(first, stop, 0);
        const bool written = std::any_of(first, stop, [](unsigned char b) { return b != kGuard; });
        if (written && end == stop) finding("a text without its terminator");
        // After the terminator the plug-in writes zeros or nothing.
        if (written &&
            std::any_of(end, stop, [](unsigned char b) { return b != 0 && b != kGuard; }))
            finding("stale bytes after a text's terminator");
    }

    // Texts the host sends: exactly as long as they are, so reading past the
    // terminator is caught.
    void textIn(AEffect* effect, VstInt32 opcode, VstInt32 index) {
        std::string text = input.ConsumeRandomLengthString(300);
        std::unique_ptr<char[]> exact(new char[text.size() + 1]);
        std::memcpy(exact.get(), text.c_str(), text.size() + 1);
        effect->dispatcher(effect, opcode, index, 0, exact.get(), 0.0f);
    }

    void names(AEffect* effect) {
        textIn(effect, effSetProgramName, 0);
        guardedText(effect, effGetProgramName, 0, 0, 0.0f);
    }

    // Event lists whose count may be negative or short of the array, with
    // null entries and events of any type, size and bytes.
    void events(AEffect* effect) {
        const auto size = input.ConsumeIntegralInRange<std::size_t>(0, 12);
        std::vector<std::array<unsigned char, sizeof(VstMidiEvent)>> storage(size);
        const std::size_t bytes = sizeof(VstEvents) + size * sizeof(VstEvent*);
        std::unique_ptr<unsigned char[]> list(new unsigned char[bytes]());
        auto* header = reinterpret_cast<VstEvents*>(list.get());
        header->numEvents = input.ConsumeIntegralInRange<VstInt32>(-3, static_cast<VstInt32>(size));
        for (std::size_t i = 0; i < size; ++i) {
            for (auto& byte : storage[i]) byte = input.ConsumeIntegral<unsigned char>();
            auto* event = reinterpret_cast<VstEvent*>(storage[i].data());
            if (input.ConsumeBool()) event->type = kVstMidiType;
            header->events[i] = input.ConsumeIntegralInRange(0, 7) == 0 ? nullptr : event;
        }
        const bool none = input.ConsumeIntegralInRange(0, 15) == 0;
        effect->dispatcher(effect, effProcessEvents, 0, 0, none ? nullptr : header, 0.0f);
    }

    void configure(AEffect* effect) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0: {
            const float rate = input.ConsumeBool() ? anyFloat(input) * 96000.0f : anyFloat(input);
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, rate);
            break;
        }
        case 1:
            effect->dispatcher(effect, effSetBlockSize, 0, input.ConsumeIntegral<VstIntPtr>(),
                               nullptr, 0.0f);
            break;
        case 2:
            effect->dispatcher(effect, effMainsChanged, 0, input.ConsumeIntegralInRange(0, 1),
                               nullptr, 0.0f);
            break;
        case 3: effect->dispatcher(effect, effSetProgram, 0, anyIndex(), nullptr, 0.0f); break;
        }
    }

    void fill(std::vector<float>& samples) {
        const float constant = anyFloat(input);
        const int mode = input.ConsumeIntegralInRange(0, 2);
        for (auto& s : samples) s = mode == 0 ? constant : mode == 1 ? anyFloat(input) : 0.25f;
    }

    void audio(AEffect* effect) {
        VstInt32 frames = input.ConsumeIntegralInRange<VstInt32>(-4, 600);
        if (input.ConsumeIntegralInRange(0, 31) == 0)
            frames = input.ConsumeBool() ? INT_MIN
                                         : input.ConsumeIntegralInRange<VstInt32>(INT_MIN, 8192);
        const std::size_t count = frames > 0 ? static_cast<std::size_t>(frames) : 0;
        const bool replacing = input.ConsumeBool();
        const int aliasing = input.ConsumeIntegralInRange(0, 3);
        std::vector<float> inL(count), inR(count), outL(count), outR(count);
        fill(inL);
        fill(inR);
        constexpr std::uint32_t kUnwritten = 0x7FBADBADu;
        if (replacing) {
            float sentinel;
            std::memcpy(&sentinel, &kUnwritten, sizeof sentinel);
            std::fill(outL.begin(), outL.end(), sentinel);
            std::fill(outR.begin(), outR.end(), sentinel);
        } else {
            fill(outL);
            fill(outR);
        }
        float* inputs[2] = {inL.data(), inR.data()};
        float* outputs[2] = {outL.data(), outR.data()};
        if (aliasing == 1) inputs[1] = inputs[0];  // one mono source on both inputs
        if (aliasing == 2) std::copy(inputs, inputs + 2, outputs);  // processed in place
        const std::vector<float> keepL = inL, keepR = inR;
        const bool finiteIn =
            allFinite(inputs[0], count) && allFinite(inputs[1], count) &&
            (replacing || (allFinite(outputs[0], count) && allFinite(outputs[1], count)));
        (replacing ? effect->processReplacing : effect->process)(effect, inputs, outputs, frames);
        if (aliasing != 2 && (!sameBits(keepL, inL) || !sameBits(keepR, inR)))
            finding("an input buffer changed");
        for (float* channel : outputs)
            for (std::size_t i = 0; i < count; ++i) {
                std::uint32_t bits;
                std::memcpy(&bits, &channel[i], sizeof bits);
                if (replacing && aliasing != 2 && bits == kUnwritten)
                    finding("an output sample left unwritten");
            }
        if (finiteIn && !(allFinite(outputs[0], count) && allFinite(outputs[1], count)))
            finding("non-finite output from finite input");
    }

    FuzzedDataProvider& input;
    std::array<AEffect*, 2> effects{};
    static inline volatile long sink = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Driver(in).run();
    return 0;
}
