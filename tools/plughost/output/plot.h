// Pictures of audio: waveforms of the input and (if given) the output, and
// a spectrogram of the output, with time and level axes. plot_cairo.cpp
// draws them; builds without cairo link plot_unavailable.cpp, whose
// writePlot throws "not available in this build".
#pragma once

#include <string>

#include "audio/audio_buffer.h"

bool plotAvailable();

// output may be null: then the input alone is drawn, with its spectrogram.
void writePlot(const std::string& pngPath, const AudioBuffer& input, const AudioBuffer* output,
               const std::string& title);
