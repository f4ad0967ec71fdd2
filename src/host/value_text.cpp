// The five value texts. Each writes at most 8 characters and a terminating
// zero; digits are cut off, never rounded, as hosts have always shown them.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/effect_base.h"

namespace {

void writeText(char* text, const char* source) { std::memcpy(text, source, 9); }

// The integer part's digits would not all fit beside the decimal point:
// eight digits for positive values, seven after a minus sign.
bool integerDigitsOverflow(bool negative, double magnitude) {
    return magnitude >= (negative ? 1000000.0 : 10000000.0);
}

}  // namespace

void EffectBase::formatDecibels(float gain, char* text) {
    if (!(gain > 0.0f)) {
        writeText(text, kMinusInfinityText);
        return;
    }
    formatFloat(static_cast<float>(20.0 * std::log10(static_cast<double>(gain))), text);
}

void EffectBase::formatHertz(float frames, char* text) {
    const double rate = getSampleRate();
    if (frames == 0.0f) {
        formatFloat(0.0f, text);
        return;
    }
    formatFloat(static_cast<float>(rate / frames), text);
}

void EffectBase::formatMilliseconds(float frames, char* text) {
    formatFloat(static_cast<float>(frames * 1000.0 / getSampleRate()), text);
}

void EffectBase::formatFloat(float value, char* text) {
    const bool negative = value < 0.0f;
    const double x = std::fabs(static_cast<double>(value));
    const double limit = negative ? 9999999.0 : 99999999.0;
    // NaN is no number to show; values with more integer digits than the
    // eight characters hold would lose their leading digits.
    if (!(x <= limit) || integerDigitsOverflow(negative, x)) {
        writeText(text, kOverflowText);
        return;
    }
    char digits[8];
    int first = 7;
    int count = negative ? 1 : 0;
    const double whole = std::floor(x);
    digits[first] = static_cast<char>('0' + static_cast<int>(std::fmod(whole, 10.0)));
    count += 2;
    for (double v = whole * 0.1; v >= 1.0 && count < 8; v *= 0.1) {
        digits[--first] = static_cast<char>('0' + static_cast<int>(std::fmod(v, 10.0)));
        ++count;
    }
    char* out = text;
    if (negative) *out++ = '-';
    for (int i = first; i < 8; ++i) *out++ = digits[i];
    *out++ = '.';
    const int n = 8 - count;
    if (n > 0) {
        double f = std::fmod(x, 1.0) * std::pow(10.0, n);
        for (int i = n - 1; i >= 0; --i) {
            if (f <= 0.0) {
                out[i] = '0';
                continue;
            }
            out[i] = static_cast<char>('0' + static_cast<int>(std::fmod(f, 10.0)));
            f *= 0.1;
        }
        out += n;
    }
    *out = 0;
}

void EffectBase::formatInteger(VstInt32 value, char* text) {
    if (value >= 100000000) {
        writeText(text, kOverflowText);
        return;
    }
    char wide[16] = {};
    std::snprintf(wide, sizeof wide, "%7d", static_cast<int>(value));
    std::memcpy(text, wide, 8);
    text[8] = 0;
}
