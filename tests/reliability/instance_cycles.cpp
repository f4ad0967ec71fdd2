// Opens and closes many instances, each with its editor opened, idled and
// closed in between and a block played, as hosts do when they build and
// tear down projects. Built with LeakSanitizer, anything an instance leaves
// behind fails the run at exit.
//
//   instance_cycles [COUNT]
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editor_parent.h"
#include "formats/vst2/plugin_entry.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// False when no instance was made, or it has an editor that would not open.
bool cycle(void* parent, std::vector<float>& buffer, int& editors) {
    AEffect* effect = pluginMain(host);
    if (!effect) return false;
    const bool hasEditor = (effect->flags & effFlagsHasEditor) != 0;
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    ERect* rect = nullptr;
    effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
    const bool opened = effect->dispatcher(effect, effEditOpen, 0, 0, parent, 0.0f) != 0;
    editors += opened ? 1 : 0;
    effect->setParameter(effect, 1, 0.25f);
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    float* channels[] = {buffer.data(), buffer.data()};
    effect->processReplacing(effect, channels, channels, static_cast<VstInt32>(buffer.size()));
    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return opened == hasEditor;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    void* parent = prepareEditorParent();
    std::vector<float> buffer(128, 0.1f);
    int editors = 0;
    for (int i = 0; i < count; ++i)
        if (!cycle(parent, buffer, editors)) {
            std::fprintf(stderr, "instance_cycles: no instance or no editor at cycle %d\n", i);
            return 1;
        }
    std::printf("instance_cycles: %d instances opened and closed, %d editors among them\n", count,
                editors);
    return 0;
}
