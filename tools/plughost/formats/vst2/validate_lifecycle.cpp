// Instances, the opcode sweep and programs.
#include <algorithm>
#include <cstring>
#include <set>

#include "audio/test_signal.h"
#include "formats/vst2/vst2_checks.h"
#include "validate/validate_harness.h"

namespace {

CheckResult instances(Vst2CheckContext& v) {
    const int sequential = v.scaled(4);
    for (int i = 0; i < sequential; ++i) {
        auto p = v.instance();
        if (p->effect()->numInputs < 0 || p->effect()->numOutputs < 0)
            return CheckResult::fail("negative channel count");
    }
    // Interleaved: several alive at once, each processing, closed in a
    // shuffled order.
    const int together = 2 + v.strictness;
    std::vector<std::unique_ptr<Vst2Plugin>> alive;
    std::set<AEffect*> records;
    for (int i = 0; i < together; ++i) {
        alive.push_back(v.instance());
        records.insert(alive.back()->effect());
        restart(*alive.back(), 44100.0, 256);
    }
    if (static_cast<int>(records.size()) != together)
        return CheckResult::fail("two live instances share one record");
    const AudioBuffer signal = noiseAndPulses(0.05, 44100.0);
    OutputScan scan;
    for (auto& p : alive)
        renderSignal(
            *p, signal, 256, [](size_t) { return 256; }, scan);
    std::shuffle(alive.begin(), alive.end(), v.rng);
    while (!alive.empty()) {
        alive.back()->suspend();
        alive.pop_back();
    }
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(std::to_string(sequential) + " opened and closed in turn, " +
                             std::to_string(together) + " interleaved");
}

// Every opcode from -5 to 80 with arguments that are harmless for it: zero
// numbers, and pointers to large zeroed buffers where the opcode reads or
// writes through its pointer. Close (1) is left to the instance's end; the
// editor opcodes that need a window are left to the editor checks.
CheckResult opcodeSweep(Vst2CheckContext& v) {
    auto p = v.instance();
    p->configure(44100.0, 512);
    const bool editor = p->hasEditor();
    std::vector<char> buffer(65536), second(65536);
    void* slot = nullptr;
    void* slot2 = nullptr;
    int sent = 0;
    for (int round = 0; round < std::max(1, v.strictness / 3); ++round) {
        for (VstInt32 op = -5; op <= 80; ++op) {
            if (op == effClose) continue;
            // Editor opcodes make some plug-ins build their user interface,
            // which needs a display; the editor checks cover them.
            const bool editorOpcode = (op >= effEditGetRect && op <= effEditSleep) ||
                                      (op >= effEditKeyDown && op <= effSetEditKnobMode);
            if (editor && editorOpcode) continue;
            std::fill(buffer.begin(), buffer.end(), 0);
            std::fill(second.begin(), second.end(), 0);
            slot = slot2 = nullptr;
            VstInt32 index = 0;
            VstIntPtr value = 0;
            void* ptr = buffer.data();
            float opt = 0.0f;
            switch (op) {
            case effSetProgram: value = 0; break;
            case effSetProgramName: std::strcpy(buffer.data(), "plughost"); break;
            case effSetSampleRate: opt = 44100.0f; break;
            case effSetBlockSize: value = 512; break;
            case effMainsChanged: value = round % 2; break;
            case effEditGetRect: ptr = &slot; break;
            case effEditOpen: ptr = nullptr; break;  // no editor: must answer 0
            case effGetChunk: ptr = &slot; break;
            case effSetChunk: continue;    // needs a chunk from effGetChunk; done below
            case effProcessEvents: break;  // zeroed list: no events
            case effString2Parameter: std::strcpy(buffer.data(), "0.5"); break;
            case effSetSpeakerArrangement:
                value = reinterpret_cast<VstIntPtr>(second.data());
                break;
            case effSetBlockSizeAndSampleRate:
                value = 512;
                opt = 44100.0f;
                break;
            case effCanDo: std::strcpy(buffer.data(), "receiveVstMidiEvent"); break;
            case effGetSpeakerArrangement:
                value = reinterpret_cast<VstIntPtr>(&slot2);
                ptr = &slot;
                break;
            case effSetPanLaw: opt = 1.0f; break;
            default: break;
            }
            p->dispatch(op, index, value, ptr, opt);
            ++sent;
        }
    }
    // A chunk the plug-in gave us is a harmless one to hand back.
    void* chunk = nullptr;
    const VstIntPtr size = p->dispatch(effGetChunk, 0, 0, &chunk);
    if (size > 0 && chunk) {
        std::vector<char> copy(static_cast<const char*>(chunk),
                               static_cast<const char*>(chunk) + size);
        p->dispatch(effSetChunk, 0, size, copy.data());
        ++sent;
    }
    restart(*p, 44100.0, 512);
    OutputScan scan;
    renderSignal(
        *p, noiseAndPulses(0.5, 44100.0), 512, [](size_t) { return 512; }, scan);
    if (p->effect()->magic != kEffectMagic)
        return CheckResult::fail("record's magic changed during the sweep");
    if (!scan.clean()) return CheckResult::fail("after the sweep: " + scan.describe());
    return CheckResult::pass(std::to_string(sent) +
                             " calls of opcodes -5..80, then clean processing" +
                             (editor ? " (editor opcodes left to the editor checks)" : ""));
}

// Texts a host reads into fixed buffers must end inside them.
size_t writtenLength(const Vst2Plugin& p, VstInt32 op, VstInt32 index) {
    std::vector<char> buffer(1024, '\x7f');
    p.dispatch(op, index, 0, buffer.data());
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return static_cast<size_t>(end - buffer.begin());
}

CheckResult programs(Vst2CheckContext& v) {
    auto p = v.instance();
    restart(*p, 44100.0, 512);
    const int count = p->numPrograms();
    if (count <= 0) return CheckResult::skip("the plug-in has no programs");
    const AudioBuffer signal = noiseAndPulses(0.02, 44100.0);
    OutputScan scan;
    for (int round = 0; round < std::max(1, v.strictness / 4); ++round) {
        for (int i = 0; i < count; ++i) {
            p->dispatch(effSetProgram, 0, i);
            const VstIntPtr got = p->dispatch(effGetProgram);
            if (got != i)
                return CheckResult::fail("selected program " + std::to_string(i) +
                                         ", effGetProgram answers " + std::to_string(got));
            const size_t length = writtenLength(*p, effGetProgramName, 0);
            if (length >= 24)
                return CheckResult::fail("program " + std::to_string(i) + "'s name runs " +
                                         std::to_string(length) +
                                         " characters; hosts give 24 bytes");
            renderSignal(
                *p, signal, 256, [](size_t) { return 256; }, scan);
        }
    }
    // Rename the current program and read the name back.
    p->dispatch(effSetProgram, 0, count - 1);
    const std::string before = p->programName();
    char name[24] = "plughost";
    p->dispatch(effSetProgramName, 0, 0, name);
    const std::string after = p->programName();
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(
        std::to_string(count) + " programs selected, named and played" +
        (after == "plughost" ? ", renaming works" : ", renaming not supported"));
}

}  // namespace

std::vector<Check> lifecycleChecks() {
    return {
        {"instances", instances},
        {"opcodes", opcodeSweep},
        {"programs", programs},
    };
}
