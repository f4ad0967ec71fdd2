// panel_picture PNG: paints Molvex's panel on the headless backend, with a
// few settings a musician might choose, and writes it as a picture (the
// README's docs/panel.png comes from here).
#include <cstdio>

#include "editor/editor_factory.h"
#include "editor/filter_delay_editor.h"
#include "effect/filter_delay_effect.h"
#include "platform/headless/headless_system.h"

namespace hl = platform::headless;
using molvex::FilterDelayEditor;
using molvex::FilterDelayEffect;

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: panel_picture OUT.png\n");
        return 2;
    }
    hl::reset();
    FilterDelayEffect effect(&host, &molvex::createFilterDelayEditor);
    if (effect.dispatcher(effEditOpen, 0, 0, hl::makeParentWindow(), 0.0f) != 1) {
        std::fprintf(stderr, "panel_picture: the panel did not open\n");
        return 1;
    }
    hl::sendPaint(hl::lastWindow());
    const float settings[9] = {0.8f, 0.35f, 0.6f, 0.5f, 0.42f, 0.7f, 0.62f, 0.75f, 0.55f};
    for (int i = 0; i < 9; ++i) effect.setParameter(i, settings[i]);
    effect.setParameter(1, settings[1]);  // the display shows the delay time
    effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
    const bool written = hl::writePng(hl::lastWindow(), argv[1]);
    effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    if (!written) {
        std::fprintf(stderr, "panel_picture: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
