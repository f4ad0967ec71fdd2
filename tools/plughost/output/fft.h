// In-place radix-2 FFT for the spectrogram; size must be a power of two.
#pragma once

#include <complex>
#include <vector>

void fft(std::vector<std::complex<float>>& data);

// Magnitudes in dBFS of one Hann-windowed frame (size/2 + 1 bins), scaled
// so a full-scale sine reads about 0 dB.
std::vector<float> spectrumDb(const float* samples, int size);
