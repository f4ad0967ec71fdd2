#include "panel_art.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "editor/panel_bitmap_set.h"

using molvex::scaledLength;

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb hex(std::uint32_t v) {
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

constexpr Rgb kPanelTop = hex(0x343a43);
constexpr Rgb kPanelBottom = hex(0x1c1f24);
constexpr Rgb kLabel = hex(0xdfe3ea);
constexpr Rgb kHeading = hex(0x8f99a8);
constexpr Rgb kAccent = hex(0xffd43b);
constexpr Rgb kSignBlue = hex(0x4aa8ff);
constexpr Rgb kDarkDot = hex(0x181b20);
constexpr Rgb kSwitchWell = hex(0x1f2328);
constexpr Rgb kButtonPad = hex(0x1a1d22);
// What the handle's dot is smoothed against: the knob's metal where the
// dot runs, so its edge carries no white fringe once the key is cut out.
constexpr Rgb kMetalUnderDot = hex(0xc9ced5);

// The knob rectangles' left-top corners; each knob body is centred where the
// handle circles, 12.5 pixels right of and below that corner.
constexpr int kKnobCorners[8][2] = {{10, 13},  {50, 13},  {90, 13},  {159, 13},
                                    {200, 13}, {305, 13}, {345, 13}, {385, 13}};
constexpr const char* kKnobLabels[8] = {"INPUT", "TIME", "FB", "FREQ", "RESO", "PAN", "DRY", "WET"};

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

cairo_surface_t* newImage(int width, int height) {
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
}

// A canvas `percent` as large as a width x height picture, drawn in the
// picture's own units.
cairo_t* canvas(int width, int height, int percent) {
    cairo_t* cr =
        cairo_create(newImage(scaledLength(width, percent), scaledLength(height, percent)));
    if (percent != 100) cairo_scale(cr, percent / 100.0, percent / 100.0);
    return cr;
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void useFont(cairo_t* cr, double size) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Text centred on `cx` with `baseline`, `spacing` extra pixels between
// letters; drawn letter by letter so small capitals stay apart.
void centredText(cairo_t* cr, const char* text, double cx, double baseline, double spacing) {
    double width = 0;
    char letter[2] = {0, 0};
    for (const char* p = text; *p; ++p) {
        letter[0] = *p;
        cairo_text_extents_t e;
        cairo_text_extents(cr, letter, &e);
        width += e.x_advance + (p[1] ? spacing : 0);
    }
    double x = std::round(cx - width / 2);
    for (const char* p = text; *p; ++p) {
        letter[0] = *p;
        cairo_text_extents_t e;
        cairo_text_extents(cr, letter, &e);
        cairo_move_to(cr, x, baseline);
        cairo_show_text(cr, letter);
        x += e.x_advance + spacing;
    }
}

void panelGradient(cairo_t* cr, double height) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(p, 0, kPanelTop.r, kPanelTop.g, kPanelTop.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kPanelBottom.r, kPanelBottom.g, kPanelBottom.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

// A metal knob of radius 11 centred on (cx, cy): shadow, bevelled rim,
// brushed cap.
void knobBody(cairo_t* cr, double cx, double cy) {
    cairo_arc(cr, cx, cy + 1.0, 11.6, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);

    cairo_pattern_t* rim = cairo_pattern_create_linear(cx, cy - 11, cx, cy + 11);
    cairo_pattern_add_color_stop_rgb(rim, 0, 0.95, 0.96, 0.97);
    cairo_pattern_add_color_stop_rgb(rim, 1, 0.46, 0.49, 0.53);
    cairo_arc(cr, cx, cy, 11.0, 0, 2 * M_PI);
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);

    cairo_pattern_t* cap = cairo_pattern_create_radial(cx - 3, cy - 4, 1, cx, cy, 9.5);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.90, 0.91, 0.93);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.70, 0.73, 0.77);
    cairo_arc(cr, cx, cy, 9.3, 0, 2 * M_PI);
    cairo_set_source(cr, cap);
    cairo_fill(cr);

    cairo_arc(cr, cx, cy, 10.5, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    cairo_pattern_destroy(cap);
}

// Sunken box of a section, with its heading at the top.
void section(cairo_t* cr, double left, double right, const char* heading, Rgb headingColor) {
    roundedRect(cr, left + 0.5, 2.5, right - left - 1, 59, 4);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.22);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    useFont(cr, 6.5);
    setColor(cr, headingColor);
    centredText(cr, heading, (left + right) / 2, 9.5, 1.2);
}

// The dark well of the type switch, 24 x 25 at (x, y), with the lit word.
void typeSwitchFrame(cairo_t* cr, double x, double y, int lit) {
    cairo_rectangle(cr, x, y, 24, 25);
    setColor(cr, kSwitchWell);
    cairo_fill(cr);
    roundedRect(cr, x + 0.5, y + 0.5, 23, 24, 3);
    setColor(cr, hex(0x121417));
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.10);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    static const char* const kWords[3] = {"LP", "HP", "BP"};
    useFont(cr, 7.0);
    for (int i = 0; i < 3; ++i) {
        const double baseline = y + 7 + i * 8.2;
        if (i == lit) {
            roundedRect(cr, x + 3, baseline - 6.5, 18, 7.8, 2);
            cairo_set_source_rgba(cr, kAccent.r, kAccent.g, kAccent.b, 0.16);
            cairo_fill(cr);
        }
        setColor(cr, i == lit ? kAccent : hex(0x5d6673));
        centredText(cr, kWords[i], x + 12, baseline, 0.0);
    }
}

// One 12 x 8 button frame at (x, y): a dark blue pad and its sign.
void buttonFrame(cairo_t* cr, double x, double y, bool plus, Rgb sign) {
    cairo_rectangle(cr, x, y, 12, 8);
    setColor(cr, kButtonPad);
    cairo_fill(cr);
    roundedRect(cr, x + 0.5, y + 0.5, 11, 7, 2);
    setColor(cr, hex(0x14243b));
    cairo_fill_preserve(cr);
    setColor(cr, hex(0x36567f));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    setColor(cr, sign);
    cairo_rectangle(cr, x + 3, y + 3, 6, 2);
    if (plus) cairo_rectangle(cr, x + 5, y + 1, 2, 6);
    cairo_fill(cr);
}

void displayField(cairo_t* cr) {
    roundedRect(cr, 249.5, 19.5, 37, 21, 3);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 20, 0, 40);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.05, 0.16, 0.34);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.09, 0.27, 0.55);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_source_rgba(cr, 0.45, 0.65, 0.95, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

cairo_surface_t* finish(cairo_t* cr) {
    cairo_surface_t* surface = cairo_get_target(cr);
    cairo_surface_reference(surface);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    return surface;
}

// A strip of `frames` pictures of width x frameHeight, each frame scaled on
// its own so that frame n starts at a whole pixel row. `drawFrame` draws
// frame n at (0, 0) in picture units; the cell under it is first filled with
// `cell`, so a frame that scales to a fraction of a row leaves no seam.
template <typename DrawFrame>
cairo_surface_t* strip(int width, int frameHeight, int frames, int percent, Rgb cell,
                       DrawFrame drawFrame) {
    const int rows = scaledLength(frameHeight, percent);
    cairo_t* cr = cairo_create(newImage(scaledLength(width, percent), rows * frames));
    for (int frame = 0; frame < frames; ++frame) {
        cairo_save(cr);
        cairo_rectangle(cr, 0, frame * rows, scaledLength(width, percent), rows);
        cairo_clip(cr);
        cairo_set_source_rgb(cr, cell.r, cell.g, cell.b);
        cairo_paint(cr);
        cairo_translate(cr, 0, frame * rows);
        if (percent != 100) cairo_scale(cr, percent / 100.0, percent / 100.0);
        drawFrame(cr, frame);
        cairo_restore(cr);
    }
    return finish(cr);
}

// An 11 x 11 picture (at 100 %) whose only colour outside the dot is the pure white
// key: the dot's coverage decides each pixel, pixels under half covered
// become the key, and no pixel of the dot may be pure white itself.
cairo_surface_t* keyedDot(Rgb dot, Rgb smoothedAgainst, double radius, int percent) {
    const int side = scaledLength(11, percent);
    cairo_surface_t* coverage = cairo_image_surface_create(CAIRO_FORMAT_A8, side, side);
    cairo_t* cr = cairo_create(coverage);
    cairo_arc(cr, side / 2.0, side / 2.0, radius * percent / 100.0, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(coverage);

    cairo_surface_t* image = newImage(side, side);
    const unsigned char* alpha = cairo_image_surface_get_data(coverage);
    const int alphaStride = cairo_image_surface_get_stride(coverage);
    unsigned char* out = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < side; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out + y * stride);
        for (int x = 0; x < side; ++x) {
            const double a = alpha[y * alphaStride + x] / 255.0;
            if (a < 0.5) {
                row[x] = 0xFFFFFF;
                continue;
            }
            auto mix = [a](double f, double b) {
                return static_cast<std::uint32_t>(std::lround((f * a + b * (1 - a)) * 255));
            };
            std::uint32_t pixel = (mix(dot.r, smoothedAgainst.r) << 16) |
                                  (mix(dot.g, smoothedAgainst.g) << 8) |
                                  mix(dot.b, smoothedAgainst.b);
            if (pixel == 0xFFFFFF) pixel = 0xFEFEFE;
            row[x] = pixel;
        }
    }
    cairo_surface_mark_dirty(image);
    cairo_surface_destroy(coverage);
    return image;
}

}  // namespace

cairo_surface_t* drawPanel(int percent) {
    cairo_t* cr = canvas(420, 64, percent);
    panelGradient(cr, 64);
    cairo_paint(cr);
    cairo_rectangle(cr, 0, 0, 420, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 63, 420, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);

    section(cr, 3, 121, "DELAY", kHeading);
    section(cr, 123, 232, "FILTER", kHeading);
    section(cr, 299, 417, "OUTPUT", kHeading);
    useFont(cr, 9.0);
    setColor(cr, kAccent);
    centredText(cr, "MOLVEX", 266, 12, 1.0);

    for (const auto& corner : kKnobCorners) knobBody(cr, corner[0] + 12.5, corner[1] + 12.5);
    typeSwitchFrame(cr, 126, 14, 0);
    displayField(cr);
    buttonFrame(cr, 248, 45, false, kSignBlue);
    buttonFrame(cr, 278, 45, true, kSignBlue);

    useFont(cr, 8.0);
    setColor(cr, kLabel);
    for (int i = 0; i < 8; ++i) {
        centredText(cr, kKnobLabels[i], kKnobCorners[i][0] + 12.5, 51, 0.0);
    }
    centredText(cr, "TYPE", 138, 51, 0.0);
    return finish(cr);
}

cairo_surface_t* drawKnobBody(int percent) {
    cairo_t* cr = canvas(24, 24, percent);
    panelGradient(cr, 64);
    cairo_paint(cr);
    knobBody(cr, 12, 12);
    return finish(cr);
}

cairo_surface_t* drawKnobHandle(int percent) {
    return keyedDot(kDarkDot, kMetalUnderDot, 2.9, percent);
}

cairo_surface_t* drawTypeSwitch(int percent) {
    return strip(24, 25, 3, percent, kSwitchWell,
                 [](cairo_t* cr, int frame) { typeSwitchFrame(cr, 0, 0, frame); });
}

cairo_surface_t* drawPlusButton(int percent) {
    return strip(12, 8, 2, percent, kButtonPad, [](cairo_t* cr, int frame) {
        buttonFrame(cr, 0, 0, true, frame == 0 ? kSignBlue : kAccent);
    });
}

cairo_surface_t* drawMinusButton(int percent) {
    return strip(12, 8, 2, percent, kButtonPad, [](cairo_t* cr, int frame) {
        buttonFrame(cr, 0, 0, false, frame == 0 ? kSignBlue : kAccent);
    });
}

cairo_surface_t* drawRedDot(int percent) {
    return keyedDot(hex(0xd9262c), hex(0xffffff), 4.0, percent);
}
