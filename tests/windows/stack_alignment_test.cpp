// 32-bit Windows hosts built with other compilers promise the plug-in only a
// 4-byte aligned stack, where GCC's own code keeps 16 bytes. SSE2 code that
// trusted the stronger alignment (aligned moves to stack slots) would fault in
// those hosts and never in plughost.exe, which GCC built too. This test calls
// the DLL's entries with the stack 4, 8 and 12 bytes off.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "beside_program.h"
#include "host/vst2_interface.h"

// Calls the cdecl function with `count` 32-bit argument words, the stack
// pointer `offset` bytes below a 16-byte boundary at the call. Returns EAX;
// only for functions that return an integer, a pointer or nothing.
extern "C" std::uint32_t molvexCallMisaligned(const void* function, const std::uint32_t* args,
                                              int count, int offset);
asm(R"(
    .text
    .globl _molvexCallMisaligned
_molvexCallMisaligned:
    push %ebp
    mov  %esp, %ebp
    push %esi
    push %edi
    push %ebx
    mov  %esp, %ebx
    mov  8(%ebp), %eax
    mov  12(%ebp), %esi
    mov  16(%ebp), %ecx
    and  $-16, %esp
    lea  15(,%ecx,4), %edi
    and  $-16, %edi
    sub  %edi, %esp
    sub  20(%ebp), %esp
    xor  %edi, %edi
1:  cmp  %ecx, %edi
    jge  2f
    mov  (%esi,%edi,4), %edx
    mov  %edx, (%esp,%edi,4)
    inc  %edi
    jmp  1b
2:  call *%eax
    mov  %ebx, %esp
    pop  %ebx
    pop  %edi
    pop  %esi
    pop  %ebp
    ret
)");

namespace {

std::uint32_t word(const void* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}
std::uint32_t word(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}
std::uint32_t word(VstInt32 v) { return static_cast<std::uint32_t>(v); }

std::uint32_t call(const void* function, std::initializer_list<std::uint32_t> args, int offset) {
    std::vector<std::uint32_t> words(args);
    return molvexCallMisaligned(function, words.data(), static_cast<int>(words.size()), offset);
}

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

TEST(StackAlignment, EntriesRunWithTheStackOnlyFourByteAligned) {
    HMODULE dll = LoadLibraryA(besideThisProgram(MOLVEX_DLL_NAME).c_str());
    ASSERT_NE(dll, nullptr) << "error " << GetLastError();
    const void* entry = reinterpret_cast<const void*>(GetProcAddress(dll, "main"));
    ASSERT_NE(entry, nullptr);

    constexpr int kFrames = 2048;
    std::vector<float> inL(kFrames), inR(kFrames), outL(kFrames), outR(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        inL[i] = (i % 64 == 0) ? 0.9f : 0.1f * std::sin(0.05f * static_cast<float>(i));
        inR[i] = -inL[i];
    }
    float* inputs[] = {inL.data(), inR.data()};
    float* outputs[] = {outL.data(), outR.data()};

    for (int offset : {4, 8, 12}) {
        SCOPED_TRACE(offset);
        auto* effect = reinterpret_cast<AEffect*>(static_cast<std::uintptr_t>(
            call(entry, {word(reinterpret_cast<const void*>(&hostCallback))}, offset)));
        ASSERT_NE(effect, nullptr);
        const void* dispatcher = reinterpret_cast<const void*>(effect->dispatcher);
        auto dispatch = [&](VstInt32 opcode, VstInt32 index, VstInt32 value, float opt) {
            return call(dispatcher,
                        {word(effect), word(opcode), word(index), word(value), 0u, word(opt)},
                        offset);
        };
        dispatch(effOpen, 0, 0, 0.0f);
        dispatch(effSetSampleRate, 0, 0, 48000.0f);
        dispatch(effSetBlockSize, 0, kFrames, 0.0f);
        dispatch(effMainsChanged, 0, 1, 0.0f);
        for (VstInt32 index = 0; index < effect->numParams; ++index)
            call(reinterpret_cast<const void*>(effect->setParameter),
                 {word(effect), word(index), word(index % 2 ? 0.9f : 0.4f)}, offset);
        for (int block = 0; block < 4; ++block) {
            call(reinterpret_cast<const void*>(effect->processReplacing),
                 {word(effect), word(inputs), word(outputs), word(static_cast<VstInt32>(kFrames))},
                 offset);
            call(reinterpret_cast<const void*>(effect->process),
                 {word(effect), word(inputs), word(outputs), word(static_cast<VstInt32>(kFrames))},
                 offset);
        }
        for (int i = 0; i < kFrames; ++i) {
            ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i])) << "frame " << i;
        }
        EXPECT_EQ(dispatch(effClose, 0, 0, 0.0f), 1u);
    }
    FreeLibrary(dll);
}

}  // namespace
