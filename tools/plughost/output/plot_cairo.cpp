#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "error.h"
#include "output/fft.h"
#include "output/plot.h"

namespace {

constexpr int kWidth = 1400;
constexpr int kLeft = 90;    // room for level labels
constexpr int kRight = 110;  // room for the colour bar
constexpr int kPlotWidth = kWidth - kLeft - kRight;
constexpr int kWaveHeight = 170;
constexpr int kSpectrumHeight = 300;
constexpr int kLevelHeight = 140;
constexpr int kGap = 52;  // between panels: time labels and titles
constexpr int kTop = 44;
constexpr double kFloorDb = -96.0;
constexpr int kFftSize = 4096;

struct Panel {
    double x, y, w, h;
};

using Cairo = cairo_t*;

void setRgb(Cairo cr, int r, int g, int b, double a = 1.0) {
    cairo_set_source_rgba(cr, r / 255.0, g / 255.0, b / 255.0, a);
}

void text(Cairo cr, double x, double y, const std::string& s, double alignX = 0.0,
          double size = 12) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, s.c_str(), &ext);
    cairo_move_to(cr, x - alignX * ext.x_advance, y);
    cairo_show_text(cr, s.c_str());
}

std::string format(const char* fmt, double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, fmt, v);
    return buffer;
}

// Seconds between time ticks: about ten ticks across the panel.
double tickStep(double duration) {
    const double raw = duration / 10.0;
    const double base = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (base * m >= raw) return base * m;
    }
    return base * 10.0;
}

void timeAxis(Cairo cr, const Panel& p, double duration) {
    const double step = tickStep(duration);
    setRgb(cr, 80, 80, 90);
    cairo_set_line_width(cr, 1.0);
    for (double t = 0; t <= duration + 1e-9; t += step) {
        const double x = p.x + t / duration * p.w;
        setRgb(cr, 255, 255, 255, 0.08);
        cairo_move_to(cr, x + 0.5, p.y);
        cairo_line_to(cr, x + 0.5, p.y + p.h);
        cairo_stroke(cr);
        setRgb(cr, 200, 200, 210);
        text(cr, x, p.y + p.h + 15,
             format(step < 0.1 ? "%.2f"
                    : step < 1 ? "%.1f"
                               : "%.0f",
                    t),
             0.5, 11);
    }
    text(cr, p.x + p.w, p.y + p.h + 30, "time (s)", 1.0, 11);
}

std::string dbLabel(double amplitude) {
    if (amplitude <= 0) return "-inf";
    const double db = 20.0 * std::log10(amplitude);
    return (db > 0.05 ? "+" : "") + format("%.0f dB", db);
}

// Min/max of every pixel column, channels overlaid in two colours; the level
// axis is linear in amplitude and labelled in dBFS.
void waveform(Cairo cr, const Panel& p, const AudioBuffer& audio, double duration,
              const std::string& title) {
    setRgb(cr, 22, 24, 32);
    cairo_rectangle(cr, p.x, p.y, p.w, p.h);
    cairo_fill(cr);
    float peak = 0.0f;
    for (const auto& ch : audio.channels) {
        for (float v : ch) {
            if (std::isfinite(v)) peak = std::max(peak, std::abs(v));
        }
    }
    const double range = std::max(1.0, std::ceil(static_cast<double>(peak) * 4.0) / 4.0);
    auto yOf = [&](double v) { return p.y + p.h * 0.5 - v / range * p.h * 0.5; };

    cairo_set_line_width(cr, 1.0);
    std::vector<double> ticks = {0.0, 0.25, 0.5, 1.0};
    if (range > 1.0) ticks.push_back(range);
    for (double a : ticks) {
        for (double sign : {1.0, -1.0}) {
            if (a == 0.0 && sign < 0) continue;
            const double y = yOf(sign * a);
            setRgb(cr, 255, 255, 255, a == 0.0 ? 0.25 : 0.08);
            cairo_move_to(cr, p.x, std::round(y) + 0.5);
            cairo_line_to(cr, p.x + p.w, std::round(y) + 0.5);
            cairo_stroke(cr);
            setRgb(cr, 200, 200, 210);
            text(cr, p.x - 6, y + 4, a == 0.0 ? "-inf dB" : dbLabel(a), 1.0, 10);
        }
    }
    static const int kColours[][3] = {
        {90, 190, 255}, {255, 150, 90}, {150, 230, 120}, {230, 120, 230}};
    const size_t frames = audio.frames();
    for (size_t c = 0; c < audio.channels.size(); ++c) {
        const auto& ch = audio.channels[c];
        const int* rgb = kColours[c % 4];
        setRgb(cr, rgb[0], rgb[1], rgb[2], audio.channels.size() > 1 ? 0.7 : 0.9);
        for (int x = 0; x < static_cast<int>(p.w); ++x) {
            const double t0 = x / p.w * duration, t1 = (x + 1) / p.w * duration;
            const auto f0 = static_cast<size_t>(t0 * audio.sampleRate);
            const auto f1 = std::min(frames, static_cast<size_t>(t1 * audio.sampleRate) + 1);
            if (f0 >= frames) break;
            float lo = ch[f0], hi = ch[f0];
            for (size_t f = f0; f < f1; ++f) {
                lo = std::min(lo, ch[f]);
                hi = std::max(hi, ch[f]);
            }
            const double yHi = yOf(std::clamp<double>(hi, -range, range));
            const double yLo = yOf(std::clamp<double>(lo, -range, range));
            cairo_rectangle(cr, p.x + x, yHi, 1.0, std::max(1.0, yLo - yHi));
        }
        cairo_fill(cr);
    }
    setRgb(cr, 235, 235, 240);
    std::string legend = title;
    if (audio.channels.size() == 2) legend += "   (blue: left, orange: right)";
    legend += format("   peak %.1f dBFS", 20.0 * std::log10(std::max(1e-9f, peak)));
    text(cr, p.x, p.y - 8, legend, 0.0, 13);
    timeAxis(cr, p, duration);
}

// Short-term level (RMS over 20 ms, all channels) in dBFS: on this scale
// the echoes and their decay stay visible long after the waveform looks flat.
std::vector<double> levelCurve(const AudioBuffer& audio, double duration, int columns) {
    std::vector<double> db(static_cast<size_t>(columns), -200.0);
    const auto window = static_cast<size_t>(0.02 * audio.sampleRate);
    for (int x = 0; x < columns; ++x) {
        const auto centre = static_cast<size_t>((x + 0.5) / columns * duration * audio.sampleRate);
        const size_t from = centre > window / 2 ? centre - window / 2 : 0;
        const size_t to = std::min(audio.frames(), from + window);
        if (from >= to) continue;
        double sum = 0;
        for (const auto& ch : audio.channels) {
            for (size_t f = from; f < to; ++f) {
                if (std::isfinite(ch[f])) sum += static_cast<double>(ch[f]) * ch[f];
            }
        }
        const double rms =
            std::sqrt(sum / static_cast<double>((to - from) * audio.channels.size()));
        db[static_cast<size_t>(x)] = 20.0 * std::log10(rms + 1e-10);
    }
    return db;
}

void levelPanel(Cairo cr, const Panel& p, const AudioBuffer& input, const AudioBuffer* output,
                double duration) {
    constexpr double kLow = -84.0;
    setRgb(cr, 22, 24, 32);
    cairo_rectangle(cr, p.x, p.y, p.w, p.h);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    for (double db = 0; db >= kLow; db -= 12) {
        const double y = std::round(p.y + db / kLow * p.h) + 0.5;
        setRgb(cr, 255, 255, 255, 0.08);
        cairo_move_to(cr, p.x, y);
        cairo_line_to(cr, p.x + p.w, y);
        cairo_stroke(cr);
        if (static_cast<int>(db) % 24 == 0) {
            setRgb(cr, 200, 200, 210);
            text(cr, p.x - 6, y + 4, format("%.0f dB", db), 1.0, 10);
        }
    }
    auto curve = [&](const AudioBuffer& audio, int r, int g, int b) {
        const std::vector<double> db = levelCurve(audio, duration, static_cast<int>(p.w));
        setRgb(cr, r, g, b);
        cairo_set_line_width(cr, 1.5);
        bool drawing = false;
        for (size_t x = 0; x < db.size(); ++x) {
            const double y = p.y + std::clamp(db[x], kLow, 0.0) / kLow * p.h;
            if (!drawing) {
                cairo_move_to(cr, p.x + static_cast<double>(x), y);
                drawing = true;
            } else {
                cairo_line_to(cr, p.x + static_cast<double>(x), y);
            }
        }
        cairo_stroke(cr);
    };
    curve(input, 150, 150, 160);
    if (output) curve(*output, 120, 230, 140);
    setRgb(cr, 235, 235, 240);
    text(cr, p.x, p.y - 8,
         output ? "level, RMS over 20 ms   (grey: input, green: output)" : "level, RMS over 20 ms",
         0.0, 13);
    timeAxis(cr, p, duration);
}

void colourMap(double v, double& r, double& g, double& b) {
    static const double kStops[][4] = {{0.0, 0, 0, 4},      {0.2, 40, 11, 84},
                                       {0.4, 120, 28, 109}, {0.6, 200, 60, 70},
                                       {0.8, 245, 140, 20}, {1.0, 252, 255, 164}};
    v = std::clamp(v, 0.0, 1.0);
    for (int i = 1; i < 6; ++i) {
        if (v <= kStops[i][0]) {
            const double t = (v - kStops[i - 1][0]) / (kStops[i][0] - kStops[i - 1][0]);
            r = (kStops[i - 1][1] + t * (kStops[i][1] - kStops[i - 1][1])) / 255.0;
            g = (kStops[i - 1][2] + t * (kStops[i][2] - kStops[i - 1][2])) / 255.0;
            b = (kStops[i - 1][3] + t * (kStops[i][3] - kStops[i - 1][3])) / 255.0;
            return;
        }
    }
    r = g = b = 1.0;
}

// Short-time spectrum of the channel sum on a logarithmic frequency axis:
// the filter's colour shows as where the energy sits, echoes as repeats.
void spectrogram(Cairo cr, const Panel& p, const AudioBuffer& audio, double duration,
                 const std::string& title) {
    const double nyquist = audio.sampleRate / 2.0;
    const double fLow = 20.0;
    std::vector<float> mono(audio.frames());
    for (const auto& ch : audio.channels) {
        for (size_t f = 0; f < mono.size(); ++f)
            mono[f] += ch[f] / static_cast<float>(audio.channels.size());
    }
    const int w = static_cast<int>(p.w), h = static_cast<int>(p.h);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    unsigned char* pixels = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    std::vector<float> frame(kFftSize);
    const double binHz = audio.sampleRate / kFftSize;
    for (int x = 0; x < w; ++x) {
        const double centre = (x + 0.5) / p.w * duration * audio.sampleRate;
        const long long start = static_cast<long long>(centre) - kFftSize / 2;
        for (int i = 0; i < kFftSize; ++i) {
            const long long f = start + i;
            frame[static_cast<size_t>(i)] = f >= 0 && f < static_cast<long long>(mono.size())
                                                ? mono[static_cast<size_t>(f)]
                                                : 0.0f;
        }
        const std::vector<float> db = spectrumDb(frame.data(), kFftSize);
        for (int y = 0; y < h; ++y) {
            // Row y covers a band of frequencies; take its loudest bin.
            const double lo = fLow * std::pow(nyquist / fLow, static_cast<double>(h - 1 - y) / h);
            const double hi = fLow * std::pow(nyquist / fLow, static_cast<double>(h - y) / h);
            size_t b0 = static_cast<size_t>(lo / binHz), b1 = static_cast<size_t>(hi / binHz);
            b1 = std::min(std::max(b1, b0), db.size() - 1);
            float level = kFloorDb;
            for (size_t b = b0; b <= b1; ++b) level = std::max(level, db[b]);
            double r, g, bl;
            colourMap((level - kFloorDb) / -kFloorDb, r, g, bl);
            auto* px = reinterpret_cast<std::uint32_t*>(pixels + y * stride) + x;
            *px = static_cast<std::uint32_t>(r * 255) << 16 |
                  static_cast<std::uint32_t>(g * 255) << 8 | static_cast<std::uint32_t>(bl * 255);
        }
    }
    cairo_surface_mark_dirty(image);
    cairo_set_source_surface(cr, image, p.x, p.y);
    cairo_paint(cr);
    cairo_surface_destroy(image);

    cairo_set_line_width(cr, 1.0);
    for (double f : {50.0, 100.0, 200.0, 500.0, 1000.0, 2000.0, 5000.0, 10000.0, 20000.0}) {
        if (f >= nyquist) break;
        const double y = p.y + p.h - std::log(f / fLow) / std::log(nyquist / fLow) * p.h;
        setRgb(cr, 255, 255, 255, 0.15);
        cairo_move_to(cr, p.x, std::round(y) + 0.5);
        cairo_line_to(cr, p.x + p.w, std::round(y) + 0.5);
        cairo_stroke(cr);
        setRgb(cr, 200, 200, 210);
        text(cr, p.x - 6, y + 4, f >= 1000 ? format("%.0f kHz", f / 1000) : format("%.0f Hz", f),
             1.0, 10);
    }
    // Colour bar: level in dBFS.
    const double barX = p.x + p.w + 20, barW = 16;
    for (int y = 0; y < h; ++y) {
        double r, g, b;
        colourMap(1.0 - static_cast<double>(y) / h, r, g, b);
        cairo_set_source_rgb(cr, r, g, b);
        cairo_rectangle(cr, barX, p.y + y, barW, 1);
        cairo_fill(cr);
    }
    setRgb(cr, 200, 200, 210);
    for (double dbTick = 0; dbTick >= kFloorDb; dbTick -= 24) {
        const double y = p.y + (dbTick / kFloorDb) * p.h;
        text(cr, barX + barW + 4, y + 4, format("%.0f", dbTick), 0.0, 10);
    }
    text(cr, barX, p.y - 8, "dBFS", 0.0, 11);
    setRgb(cr, 235, 235, 240);
    text(cr, p.x, p.y - 8, title, 0.0, 13);
    timeAxis(cr, p, duration);
}

}  // namespace

bool plotAvailable() { return true; }

void writePlot(const std::string& pngPath, const AudioBuffer& input, const AudioBuffer* output,
               const std::string& title) {
    const AudioBuffer& analysed = output ? *output : input;
    const double duration = std::max({input.seconds(), output ? output->seconds() : 0.0, 1e-3});
    const int waves = output ? 2 : 1;
    const int height =
        kTop + waves * (kWaveHeight + kGap) + kLevelHeight + kGap + kSpectrumHeight + kGap;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, height);
    Cairo cr = cairo_create(surface);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    setRgb(cr, 12, 13, 18);
    cairo_paint(cr);
    setRgb(cr, 245, 245, 250);
    text(
        cr, kLeft, 24,
        title + format("   %.2f s", analysed.seconds()) + format("   %.0f Hz", analysed.sampleRate),
        0.0, 15);

    double y = kTop + 12;
    waveform(cr, {kLeft, y, kPlotWidth, kWaveHeight}, input, duration,
             output ? "input" : "waveform");
    y += kWaveHeight + kGap;
    if (output) {
        waveform(cr, {kLeft, y, kPlotWidth, kWaveHeight}, *output, duration, "output");
        y += kWaveHeight + kGap;
    }
    levelPanel(cr, {kLeft, y, kPlotWidth, kLevelHeight}, input, output, duration);
    y += kLevelHeight + kGap;
    spectrogram(cr, {kLeft, y, kPlotWidth, kSpectrumHeight}, analysed, duration,
                output ? "output spectrogram (frequency, log scale)"
                       : "spectrogram (frequency, log scale)");
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    commitFile(pngPath, [&](const std::string& temporary) {
        if (cairo_surface_write_to_png(surface, temporary.c_str()) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(surface);
            throw HostError(pngPath + ": cannot write PNG");
        }
    });
    cairo_surface_destroy(surface);
}
