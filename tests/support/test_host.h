// A host callback that records what the plug-in sends and answers as the
// test tells it to. One recorder per test; the callback finds it through the
// record's `user` field, which belongs to the host.
#pragma once

#include <functional>
#include <vector>

#include "host/vst2_interface.h"

struct HostCall {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

class RecordingHost {
public:
    // Answer for every opcode unless `answer` says otherwise.
    VstIntPtr defaultAnswer = 2400;
    std::function<VstIntPtr(AEffect*, const HostCall&)> answer;
    std::vector<HostCall> calls;

    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt) {
        RecordingHost* host = current();
        if (!host) return 0;
        const HostCall call{opcode, index, value, ptr, opt};
        host->calls.push_back(call);
        return host->answer ? host->answer(effect, call) : host->defaultAnswer;
    }

    RecordingHost() { current() = this; }
    ~RecordingHost() { current() = nullptr; }

    std::vector<HostCall> callsWith(VstInt32 opcode) const {
        std::vector<HostCall> found;
        for (const auto& call : calls)
            if (call.opcode == opcode) found.push_back(call);
        return found;
    }

private:
    static RecordingHost*& current() {
        static thread_local RecordingHost* host = nullptr;
        return host;
    }
};
