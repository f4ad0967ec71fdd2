#include "output/fft.h"

#include <cmath>
#include <numbers>

void fft(std::vector<std::complex<float>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(len);
        const std::complex<float> step(static_cast<float>(std::cos(angle)),
                                       static_cast<float>(std::sin(angle)));
        for (size_t i = 0; i < n; i += len) {
            std::complex<float> w(1.0f, 0.0f);
            for (size_t k = 0; k < len / 2; ++k) {
                const std::complex<float> u = a[i + k];
                const std::complex<float> v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

std::vector<float> spectrumDb(const float* samples, int size) {
    std::vector<std::complex<float>> data(static_cast<size_t>(size));
    double windowSum = 0;
    for (int i = 0; i < size; ++i) {
        const double w = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / size);
        windowSum += w;
        data[static_cast<size_t>(i)] = {static_cast<float>(samples[i] * w), 0.0f};
    }
    fft(data);
    std::vector<float> out(static_cast<size_t>(size / 2 + 1));
    const double scale = 2.0 / windowSum;
    for (size_t k = 0; k < out.size(); ++k) {
        const double magnitude = std::abs(data[k]) * scale;
        out[k] = static_cast<float>(20.0 * std::log10(magnitude + 1e-12));
    }
    return out;
}
