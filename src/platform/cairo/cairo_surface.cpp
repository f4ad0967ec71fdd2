#include "platform/cairo/cairo_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/shared/scale.h"

namespace platform::cairo {

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

std::uint32_t pack(Rgb c) {
    return (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}

// A copy's origin `own` below 0 moves both origins and shortens the run alike.
void clipOrigin(int& own, int& other, int& length) {
    if (own >= 0) return;
    other -= own;
    length += own;
    own = 0;
}

}  // namespace

std::unique_ptr<CairoImage> CairoImage::create(int width, int height, bool mask, int scalePercent) {
    return createScaled(width, height, 0, scalePercent, shared::toDevice(width, scalePercent),
                        shared::toDevice(height, scalePercent), mask);
}

std::unique_ptr<CairoImage> CairoImage::createScaled(int width, int height, int cell,
                                                     int scalePercent, int deviceWidth,
                                                     int deviceHeight, bool mask) {
    if (width <= 0 || height <= 0 || deviceWidth <= 0 || deviceHeight <= 0) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, deviceWidth, deviceHeight);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    // New bitmaps start black, as fresh memory bitmaps do.
    std::unique_ptr<CairoImage> image(new CairoImage(s, width, height, mask));
    image->scalePercent = scalePercent;
    image->cell = cell;
    image->dw = deviceWidth;
    image->dh = deviceHeight;
    image->beginAccess();
    for (int y = 0; y < deviceHeight; ++y) std::fill_n(image->row(y), deviceWidth, 0u);
    image->endAccess();
    return image;
}

int CairoImage::deviceX(int x) const { return shared::toDevice(x, scalePercent); }

int CairoImage::deviceY(int y) const { return shared::toDeviceInCells(y, cell, scalePercent); }

CairoImage::~CairoImage() { cairo_surface_destroy(surf); }

std::uint32_t* CairoImage::row(int y) const {
    unsigned char* base = cairo_image_surface_get_data(surf);
    return reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) *
                                                       cairo_image_surface_get_stride(surf));
}

std::uint32_t CairoImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= dw || y >= dh) return 0;
    cairo_surface_flush(surf);
    return row(y)[x] & kWhite;
}

CairoSurface::CairoSurface(CairoImage& image) : target(image), cr(cairo_create(image.surface())) {
    current.brush = Rgb{255, 255, 255};
    // Edges land on whole pixels, as the seam's pixel rules require.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // Paths and text are drawn at the device's size, not enlarged.
    if (scaled()) cairo_scale(cr, target.scale() / 100.0, target.scale() / 100.0);
}

CairoSurface::~CairoSurface() {
    cairo_surface_flush(target.surface());
    cairo_destroy(cr);
}

void CairoSurface::pushState() { saved.push_back(current); }

void CairoSurface::popState() {
    if (saved.empty()) return;
    current = saved.back();
    saved.pop_back();
}

bool CairoSurface::setPen(Rgb color, int width, PenStyle style) {
    current.pen = Pen{color, width < 1 ? 1 : width, style};
    return true;
}

bool CairoSurface::setBrush(Rgb color) {
    current.brush = color;
    return true;
}

bool CairoSurface::setFont(const FontRequest& font) {
    current.font = font;
    current.face = resolveFace(font.face ? font.face : "");
    current.hasFont = true;
    return true;
}

void CairoSurface::setSource(Rgb c) {
    cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
}

// A design pixel covers the device pixels from its start to the next one's.
void CairoSurface::plot(int x, int y, std::uint32_t value) {
    if (x < 0 || y < 0 || x >= target.width() || y >= target.height()) return;
    if (!scaled()) {
        target.row(y)[x] = value;
        return;
    }
    const int right = std::min(target.deviceX(x + 1), target.deviceWidth());
    const int bottom = std::min(target.deviceY(y + 1), target.deviceHeight());
    for (int row = target.deviceY(y); row < bottom; ++row)
        std::fill(target.row(row) + target.deviceX(x), target.row(row) + right, value);
}

// One-pixel pens are rasterised here rather than by cairo, so that the end
// point is left out exactly and a closed outline meets itself without gaps.
void CairoSurface::thinLine(Point from, Point to) {
    const std::uint32_t value = pack(current.pen.color);
    const bool dotted = current.pen.style == PenStyle::dotted;
    int x = from.x;
    int y = from.y;
    const int dx = std::abs(to.x - x);
    const int dy = -std::abs(to.y - y);
    const int stepX = x < to.x ? 1 : -1;
    const int stepY = y < to.y ? 1 : -1;
    int error = dx + dy;
    target.beginAccess();
    while (x != to.x || y != to.y) {
        // Dots of three pixels with gaps of three, carried across segments.
        if (!dotted || (dotPhase / 3) % 2 == 0) plot(x, y, value);
        ++dotPhase;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
    target.endAccess();
}

void CairoSurface::lineTo(Point p) {
    if (current.pen.width <= 1) {
        thinLine(position, p);
    } else {
        setSource(current.pen.color);
        cairo_set_line_width(cr, current.pen.width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, position.x + 0.5, position.y + 0.5);
        cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
        cairo_stroke(cr);
    }
    position = p;
}

void CairoSurface::polyline(const Point* points, int count) {
    if (!points || count < 2) return;
    dotPhase = 0;
    const Point saved = position;
    position = points[0];
    for (int i = 1; i < count; ++i) lineTo(points[i]);
    position = saved;
}

void CairoSurface::fillPolygon(const Point* points, int count) {
    if (!points || count < 3) return;
    setSource(current.brush);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_move_to(cr, points[0].x, points[0].y);
    for (int i = 1; i < count; ++i) cairo_line_to(cr, points[i].x, points[i].y);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void CairoSurface::fillBox(const Box& box) {
    if (box.right <= box.left || box.bottom <= box.top) return;
    setSource(current.brush);
    if (!scaled()) {
        cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
        cairo_fill(cr);
        return;
    }
    // Exactly the device pixels of the box's design pixels, so neighbouring
    // boxes meet without a gap or an overlap at any scale.
    const int left = target.deviceX(box.left);
    const int top = target.deviceY(box.top);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_rectangle(cr, left, top, target.deviceX(box.right) - left,
                    target.deviceY(box.bottom) - top);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A stroke runs through the centres of the box's outer pixels; a fill covers
// the box up to its edges.
void CairoSurface::ellipsePath(const Box& box, bool stroke) {
    const double inset = stroke ? 0.5 : 0.0;
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    const double rx = (box.right - box.left) / 2.0 - inset;
    const double ry = (box.bottom - box.top) / 2.0 - inset;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx > 0 ? rx : 0.01, ry > 0 ? ry : 0.01);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void CairoSurface::strokeEllipse(const Box& box) {
    if (box.right <= box.left || box.bottom <= box.top) return;
    ellipsePath(box, true);
    setSource(current.pen.color);
    cairo_set_line_width(cr, current.pen.width);
    cairo_stroke(cr);
}

void CairoSurface::fillEllipse(const Box& box) {
    if (box.right <= box.left || box.bottom <= box.top) return;
    ellipsePath(box, false);
    setSource(current.brush);
    cairo_fill(cr);
}

// Screen y grows downward, so cairo's negative direction is the one that
// looks counter-clockwise. Angles are taken on the unit circle the ellipse
// is scaled from, so a ray meets the outline where it crosses it.
void CairoSurface::arcPath(const Box& box, Point from, Point to, bool stroke) {
    const double inset = stroke ? 0.5 : 0.0;
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    double rx = (box.right - box.left) / 2.0 - inset;
    double ry = (box.bottom - box.top) / 2.0 - inset;
    if (rx <= 0) rx = 0.01;
    if (ry <= 0) ry = 0.01;
    const double start = std::atan2((from.y - cy) / ry, (from.x - cx) / rx);
    double end = std::atan2((to.y - cy) / ry, (to.x - cx) / rx);
    if (end >= start) end -= 2 * M_PI;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    if (!stroke) cairo_move_to(cr, 0, 0);
    else cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 0, 0, 1, start, end);
    if (!stroke) cairo_close_path(cr);
    cairo_restore(cr);
}

void CairoSurface::strokeArc(const Box& box, Point from, Point to) {
    if (box.right <= box.left || box.bottom <= box.top) return;
    arcPath(box, from, to, true);
    setSource(current.pen.color);
    cairo_set_line_width(cr, current.pen.width);
    cairo_stroke(cr);
}

void CairoSurface::fillPie(const Box& box, Point from, Point to) {
    if (box.right <= box.left || box.bottom <= box.top) return;
    arcPath(box, from, to, false);
    setSource(current.brush);
    cairo_fill(cr);
}

void CairoSurface::setPixel(Point p, Rgb color) {
    target.beginAccess();
    plot(p.x, p.y, pack(color));
    target.endAccess();
}

void CairoSurface::drawString(const char* text, const Box& box, TextPlacement placement) {
    if (!text || box.right <= box.left || box.bottom <= box.top) return;
    const FontRequest& font = current.font;
    const char* face = current.hasFont ? current.face.c_str() : resolveFace("Arial");
    const int height = current.hasFont ? font.height : 12;
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
    cairo_clip(cr);
    cairo_select_font_face(
        cr, face, CAIRO_FONT_SLANT_NORMAL,
        current.hasFont && font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    // The em is the character height; the cell adds the leading above it.
    cairo_set_font_size(cr, height);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);

    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text, &te);
    const int cellHeight = static_cast<int>(std::ceil(fe.ascent + fe.descent));
    const int textWidth = static_cast<int>(std::ceil(te.x_advance));
    const int boxWidth = box.right - box.left;
    int x = box.left;
    if (placement == TextPlacement::center) x = box.left + (boxWidth - textWidth) / 2;
    else if (placement == TextPlacement::right) x = box.right - textWidth;
    const int y = box.top + (box.bottom - box.top - cellHeight) / 2;
    if (backgroundOpaque) {
        setSource(backgroundColor);
        cairo_rectangle(cr, x, y, textWidth, cellHeight);
        cairo_fill(cr);
    }
    setSource(textColor);
    cairo_move_to(cr, x, y + std::round(fe.ascent));
    cairo_show_text(cr, text);
    cairo_restore(cr);
}

bool CairoSurface::copyFrom(const Surface& source, int dx, int dy, int width, int height, int sx,
                            int sy, RasterOp op) {
    const auto* from = dynamic_cast<const CairoSurface*>(&source);
    if (!from) return false;
    const CairoImage& src = from->target;
    // Clip against both images, moving both origins alike.
    clipOrigin(sx, dx, width);
    clipOrigin(sy, dy, height);
    clipOrigin(dx, sx, width);
    clipOrigin(dy, sy, height);
    width = std::min({width, src.width() - sx, target.width() - dx});
    height = std::min({height, src.height() - sy, target.height() - dy});
    if (width <= 0 || height <= 0) return true;

    // Device pixels of the destination, each taking the source's pixel at
    // the same place (nearest, when the two scales differ).
    const int left = target.deviceX(dx);
    const int top = target.deviceY(dy);
    const int w = std::min(target.deviceX(dx + width), target.deviceWidth()) - left;
    const int h = std::min(target.deviceY(dy + height), target.deviceHeight()) - top;
    if (w <= 0 || h <= 0) return true;
    const int fromX = src.deviceX(sx);
    const int fromY = src.deviceY(sy);
    auto sourceX = [&](int x) {
        return std::min(fromX + x * src.scale() / target.scale(), src.deviceWidth() - 1);
    };
    auto sourceY = [&](int y) {
        return std::min(fromY + y * src.scale() / target.scale(), src.deviceHeight() - 1);
    };

    const std::uint32_t key = pack(from->backgroundColor);
    const std::uint32_t one = pack(backgroundColor);
    const std::uint32_t zero = pack(textColor);
    std::vector<std::uint32_t> block(static_cast<std::size_t>(w) * h);
    src.beginAccess();
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* in = src.row(sourceY(y));
        std::uint32_t* out = block.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            std::uint32_t s = in[sourceX(x)] & kWhite;
            if (!src.isMask() && target.isMask()) s = s == key ? kWhite : 0;
            else if (src.isMask() && !target.isMask()) s = s ? one : zero;
            out[x] = s;
        }
    }
    target.beginAccess();
    for (int y = 0; y < h; ++y) {
        std::uint32_t* d = target.row(top + y) + left;
        const std::uint32_t* s = block.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            switch (op) {
            case RasterOp::copy: d[x] = s[x]; break;
            case RasterOp::andSource: d[x] = (d[x] & s[x]) & kWhite; break;
            case RasterOp::orSource: d[x] = (d[x] | s[x]) & kWhite; break;
            case RasterOp::notSource: d[x] = ~s[x] & kWhite; break;
            }
        }
    }
    target.endAccess();
    return true;
}

const char* resolveFace(const char* face) {
    struct Substitute {
        const char* face;
        const char* local;
    };
    // Metric-compatible or close stand-ins that ship with the system; any
    // other name goes to fontconfig as it is.
    static constexpr Substitute kSubstitutes[] = {
        {"Arial", "Liberation Sans"},
        {"Small Fonts", "Liberation Sans Narrow"},
        {"Symbol", "DejaVu Sans"},
    };
    for (const Substitute& s : kSubstitutes) {
        if (std::strcmp(s.face, face) == 0) return s.local;
    }
    return face[0] ? face : "sans-serif";
}

}  // namespace platform::cairo
