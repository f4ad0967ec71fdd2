#include "formats/common/factory_presets.h"

namespace molvex {

// Columns: input dB, delay ms, feedback %, type (0 low-pass, 1 high-pass,
// 2 band-pass), cutoff Hz, resonance %, pan (-50 left .. 50 right), dry dB,
// wet dB.
const FactoryPreset kFactoryPresets[kFactoryPresetCount] = {
    {"slapback", "Slapback", {0.0f, 110.0f, 12.0f, 0, 9000.0f, 0.0f, 0.0f, 0.0f, -4.0f}},
    {"dark-dub-echo",
     "Dark dub echo",
     {0.0f, 375.0f, 68.0f, 0, 900.0f, 35.0f, -12.0f, 0.0f, -2.0f}},
    {"band-pass-ping",
     "Resonant band-pass ping",
     {0.0f, 250.0f, 55.0f, 2, 1800.0f, 85.0f, 20.0f, 0.0f, -3.0f}},
    {"ambient-wash",
     "Long ambient wash",
     {-3.0f, 950.0f, 82.0f, 0, 3200.0f, 10.0f, 0.0f, -6.0f, -1.0f}},
    {"telephone-echo",
     "Thin telephone echo",
     {0.0f, 180.0f, 40.0f, 1, 2500.0f, 50.0f, 25.0f, 0.0f, -6.0f}},
    {"wet-only-hall",
     "Wet-only tail",
     {0.0f, 600.0f, 70.0f, 0, 6000.0f, 20.0f, 0.0f, -70.0f, 0.0f}},
};

}  // namespace molvex
