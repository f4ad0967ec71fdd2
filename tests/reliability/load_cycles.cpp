// Loads and unloads the plug-in library as hosts do when they scan and
// rescan: every cycle opens instances, plays a block through each, reads
// their texts and closes them before the library goes. Run under a leak
// checker, anything a cycle leaves behind shows as lost memory.
//
//   load_cycles LIBRARY CYCLES [INSTANCES]
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "plugin_library.h"

namespace {

void exercise(AEffect* effect) {
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, 64, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::vector<float> in(64, 0.25f), out(64);
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {out.data(), out.data()};
    effect->processReplacing(effect, inputs, outputs, 64);
    char text[64];
    for (VstInt32 i = 0; i < effect->numParams; ++i) {
        effect->setParameter(effect, i, 0.3f);
        effect->dispatcher(effect, effGetParamDisplay, i, 0, text, 0.0f);
        effect->dispatcher(effect, effGetParamName, i, 0, text, 0.0f);
    }
    effect->dispatcher(effect, effGetProgramName, 0, 0, text, 0.0f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: load_cycles LIBRARY CYCLES [INSTANCES]\n");
        return 2;
    }
    const int cycles = std::atoi(argv[2]);
    const int instances = argc > 3 ? std::atoi(argv[3]) : 1;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        PluginLibrary library(argv[1]);
        if (!library.ok()) {
            std::fprintf(stderr, "load_cycles: %s\n", library.error().c_str());
            return 1;
        }
        std::vector<AEffect*> open;
        for (int i = 0; i < instances; ++i) {
            AEffect* effect = library.open(quietHost);
            if (!effect) {
                std::fprintf(stderr, "load_cycles: the plug-in made no instance\n");
                return 1;
            }
            exercise(effect);
            open.push_back(effect);
        }
        for (AEffect* effect : open) PluginLibrary::close(effect);
    }
    std::printf("load_cycles: %d cycles of %d instances\n", cycles, instances);
    return 0;
}
