// A small plug-in for plughost's tests: a stereo gain (parameter 0, also MIDI
// CC 7, applied from the event's delta frame) that can be told to break one
// rule of the interface, so the tests see validate catch it and render
// report it. The fault comes from the environment, PLUGHOST_FAULT:
//   null-main     VSTPluginMain returns no record
//   bad-magic     the record's magic is wrong
//   nan           every 1000th output sample is NaN
//   denormal      the first sample of every block is a denormal
//   zero-length   a call with 0 frames still writes one frame
//   zero-length-adding   the same, in process only
//   zero-length-state    a call with 0 frames sets the gain back to 0.5
//   overwrite     process overwrites instead of adding
//   block-reset   the gain ramps up from 0 at the start of every block
//   long-blocks   blocks longer than 512 frames are silent past frame 512
//   nan-at-full   NaN output while the gain is at 1
//   swap          left and right are swapped, reading inputs after writing
//                 outputs (wrong with shared buffers)
//   hum           the output never falls silent
//   long-tail     says its tail is 20 s (effGetTailSize) and hums for the
//                 first 15 s it plays
//   needy-editor  has an editor that asks the host for idle from inside
//                 every editor idle, asks for a 200 x 100 window when it
//                 opens, and reports parameter 0 at 0.25 and parameter 1
//                 at 3.5 (outside 0..1) from its first idle
// It exports VSTPluginMain only, so it also covers that entry name.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vst2_interface.h"

namespace {

struct FaultEffect {
    AEffect record{};
    HostCallback host = nullptr;
    std::string fault;
    ERect rect{0, 0, 240, 320};  // top, left, bottom, right
    bool reported = false;
    float gain = 0.5f;
    float pending = -1.0f;
    int pendingFrame = 0;
    long counter = 0;
};

FaultEffect* self(AEffect* e) { return static_cast<FaultEffect*>(e->object); }

void copyName(void* ptr, const char* text) { std::strcpy(static_cast<char*>(ptr), text); }

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float) {
    FaultEffect* f = self(e);
    switch (opcode) {
    case effClose: delete f; return 1;
    case effGetParamName:
        if (index == 0) copyName(ptr, "Gain");
        if (index == 1) copyName(ptr, "Spare");
        return 0;
    case effGetParamLabel: copyName(ptr, ""); return 0;
    case effGetParamDisplay:
        copyName(ptr, index == 0 ? std::to_string(f->gain).substr(0, 6).c_str() : "0");
        return 0;
    case effGetProgramName: copyName(ptr, "Fault"); return 0;
    case effProcessEvents: {
        auto* list = static_cast<VstEvents*>(ptr);
        VstEvent** events = list->events;
        for (int i = 0; i < list->numEvents; ++i) {
            auto* m = reinterpret_cast<VstMidiEvent*>(events[i]);
            if (m->type == kVstMidiType && (m->midiData[0] & 0xF0) == 0xB0 && m->midiData[1] == 7) {
                f->pending = static_cast<float>(m->midiData[2]) / 127.0f;
                f->pendingFrame = m->deltaFrames;
            }
        }
        return 1;
    }
    case effGetEffectName: copyName(ptr, "Fault"); return 1;
    case effGetVendorString: copyName(ptr, "plughost tests"); return 1;
    case effGetVstVersion: return 2400;
    case effGetTailSize: return f->fault == "long-tail" ? 20 * 44100 : 0;
    case effEditGetRect: *static_cast<ERect**>(ptr) = &f->rect; return 1;
    case effEditOpen:
        f->rect.bottom = 100;
        f->rect.right = 200;
        f->host(e, audioMasterSizeWindow, 200, 100, nullptr, 0.0f);
        return 1;
    case effEditIdle:
        if (!f->reported) {
            f->reported = true;
            f->host(e, audioMasterAutomate, 0, 0, nullptr, 0.25f);
            f->host(e, audioMasterAutomate, 1, 0, nullptr, 3.5f);
        }
        f->host(e, audioMasterIdle, 0, 0, nullptr, 0.0f);
        return 1;
    default: return 0;
    }
}

void setParameter(AEffect* e, VstInt32 index, float value) {
    if (index == 0) self(e)->gain = value;
}

float getParameter(AEffect* e, VstInt32 index) { return index == 0 ? self(e)->gain : 0.0f; }

void run(AEffect* e, float** in, float** out, VstInt32 frames, bool add) {
    FaultEffect* f = self(e);
    const std::string& fault = f->fault;
    if (frames == 0 && (fault == "zero-length" || (fault == "zero-length-adding" && add)))
        frames = 1;
    if (frames == 0 && fault == "zero-length-state") f->gain = 0.5f;
    for (VstInt32 i = 0; i < frames; ++i) {
        if (f->pending >= 0.0f && i == f->pendingFrame) {
            f->gain = f->pending;
            f->pending = -1.0f;
        }
        float g = f->gain;
        if (fault == "block-reset") g *= std::fmin(1.0f, static_cast<float>(i) / 64.0f);
        if (fault == "long-blocks" && i >= 512) g = 0.0f;
        float left = in[0][i] * g, right = in[1][i] * g;
        if (fault == "swap") {
            out[0][i] = in[1][i] * g;
            out[1][i] = in[0][i] * g;  // reads input 0 after output 0 was written
            continue;
        }
        if (fault == "nan" && ++f->counter % 1000 == 0) left = NAN;
        if (fault == "denormal" && i == 0) left = 1e-40f;
        if (fault == "hum" || (fault == "long-tail" && ++f->counter < 15 * 44100)) left += 0.01f;
        if (fault == "nan-at-full" && g >= 1.0f) left = NAN;
        if (add) {
            out[0][i] += left;
            out[1][i] += right;
        } else {
            out[0][i] = left;
            out[1][i] = right;
        }
    }
    f->pending = -1.0f;
}

void processAdding(AEffect* e, float** in, float** out, VstInt32 frames) {
    run(e, in, out, frames, self(e)->fault != "overwrite");
}

void processReplacing(AEffect* e, float** in, float** out, VstInt32 frames) {
    run(e, in, out, frames, false);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(HostCallback host) {
    const char* fault = std::getenv("PLUGHOST_FAULT");
    std::string which = fault ? fault : "";
    if (which == "null-main" || !host ||
        host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    auto* f = new FaultEffect;
    f->fault = which;
    f->host = host;
    AEffect& r = f->record;
    r.magic = which == "bad-magic" ? fourCharCode('N', 'o', 'p', 'e') : kEffectMagic;
    r.dispatcher = dispatch;
    r.process = processAdding;
    r.setParameter = setParameter;
    r.getParameter = getParameter;
    r.processReplacing = processReplacing;
    r.numPrograms = 1;
    r.numParams = 2;
    r.numInputs = 2;
    r.numOutputs = 2;
    r.flags = effFlagsCanReplacing | (which == "needy-editor" ? effFlagsHasEditor : 0);
    r.ioRatio = 1.0f;
    r.object = f;
    r.uniqueID = fourCharCode('F', 'l', 't', '1');
    r.version = 1;
    return &r;
}
