#include "test_support.h"

#include "platform/headless/headless_system.h"

namespace guitest {

std::vector<VstInt32>& HostLog::opcodes() {
    static std::vector<VstInt32> log;
    return log;
}

int HostLog::count(VstInt32 opcode) {
    int n = 0;
    for (VstInt32 op : opcodes()) n += op == opcode;
    return n;
}

VstIntPtr HostLog::callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    opcodes().push_back(opcode);
    return opcode == audioMasterVersion ? 2400 : 0;
}

void HeadlessTest::SetUp() {
    platform::headless::reset();
    platform::headless::setTickCount(1000);
    HostLog::opcodes().clear();
}

void HeadlessTest::TearDown() { platform::headless::reset(); }

platform::Rgb rgb(GuiColor c) { return platform::Rgb{c.red, c.green, c.blue}; }

}  // namespace guitest
