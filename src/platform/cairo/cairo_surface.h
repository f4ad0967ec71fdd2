// The cairo drawing backend: images and surfaces of the seam, all kept in
// client memory as 32-bit pixels (0x00RRGGBB). Window backends draw into a
// CairoImage that backs the window and copy it to the screen themselves.
//
// Scale: an image may hold more pixels than its size in the toolkit's
// pixels (width() x height()); its device pixels are deviceWidth() x
// deviceHeight(), at scale() per cent, rows mapped cell by cell (see
// shared/scale.h). A surface on a scaled image multiplies what it draws.
//
// Masks are images whose pixels are only 0x000000 or 0xFFFFFF; copies keep
// them that way (the conversion rules of platform::RasterOp).
//
// Ownership: a CairoSurface never owns the image it draws into unless it was
// built with the owning constructor. Not thread-safe; one thread at a time.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::cairo {

class CairoImage final : public Image {
public:
    // Null when the size is not positive or cairo cannot allocate it.
    static std::unique_ptr<CairoImage> create(int width, int height, bool mask,
                                              int scalePercent = 100);
    // An image of deviceWidth x deviceHeight pixels standing for width x
    // height of the toolkit's, rows scaled in cells of `cell` design rows.
    static std::unique_ptr<CairoImage> createScaled(int width, int height, int cell,
                                                    int scalePercent, int deviceWidth,
                                                    int deviceHeight, bool mask);
    ~CairoImage() override;

    int width() const override { return w; }
    int height() const override { return h; }
    bool isMask() const override { return mask; }
    int scale() const { return scalePercent; }
    int deviceWidth() const { return dw; }
    int deviceHeight() const { return dh; }
    // Where design column x and row y start in device pixels.
    int deviceX(int x) const;
    int deviceY(int y) const;

    cairo_surface_t* surface() const { return surf; }
    // Pixel access; the caller brackets writes with beginAccess/endAccess so
    // cairo sees them.
    std::uint32_t* row(int y) const;
    void beginAccess() const { cairo_surface_flush(surf); }
    void endAccess() const { cairo_surface_mark_dirty(surf); }
    std::uint32_t pixel(int x, int y) const;

private:
    CairoImage(cairo_surface_t* surf, int w, int h, bool mask)
        : surf(surf), w(w), h(h), mask(mask) {}
    cairo_surface_t* surf;
    int w;
    int h;
    bool mask;
    int scalePercent = 100;
    int cell = 0;
    int dw = 0;
    int dh = 0;
};

class CairoSurface : public Surface {
public:
    // Draws into `image`, which must outlive the surface.
    explicit CairoSurface(CairoImage& image);
    ~CairoSurface() override;

    void pushState() override;
    void popState() override;
    [[nodiscard]] bool setPen(Rgb color, int width, PenStyle style) override;
    [[nodiscard]] bool setBrush(Rgb color) override;
    [[nodiscard]] bool setFont(const FontRequest& font) override;
    void setTextColor(Rgb color) override { textColor = color; }
    void setBackgroundColor(Rgb color) override { backgroundColor = color; }
    void setBackgroundOpaque(bool opaque) override { backgroundOpaque = opaque; }

    void moveTo(Point p) override { position = p; }
    void lineTo(Point p) override;
    void polyline(const Point* points, int count) override;
    void fillPolygon(const Point* points, int count) override;
    void fillBox(const Box& box) override;
    void strokeEllipse(const Box& box) override;
    void fillEllipse(const Box& box) override;
    void strokeArc(const Box& box, Point from, Point to) override;
    void fillPie(const Box& box, Point from, Point to) override;
    void setPixel(Point p, Rgb color) override;
    void drawString(const char* text, const Box& box, TextPlacement placement) override;
    [[nodiscard]] bool copyFrom(const Surface& source, int dx, int dy, int width, int height,
                                int sx, int sy, RasterOp op) override;

    CairoImage& image() const { return target; }
    Rgb background() const { return backgroundColor; }
    Rgb text() const { return textColor; }

private:
    struct Pen {
        Rgb color;
        int width = 1;
        PenStyle style = PenStyle::solid;
    };
    struct Selection {
        Pen pen;
        Rgb brush;
        FontRequest font;
        std::string face;
        bool hasFont = false;
    };

    void thinLine(Point from, Point to);
    void plot(int x, int y, std::uint32_t value);
    void ellipsePath(const Box& box, bool stroke);
    void arcPath(const Box& box, Point from, Point to, bool stroke);
    void setSource(Rgb color);
    bool scaled() const { return target.scale() != 100; }

    CairoImage& target;
    cairo_t* cr;
    Selection current;
    std::vector<Selection> saved;
    Rgb textColor{0, 0, 0};
    Rgb backgroundColor{255, 255, 255};
    bool backgroundOpaque = true;
    Point position;
    int dotPhase = 0;
};

// The face that stands in for a font table face on this system.
const char* resolveFace(const char* face);

}  // namespace platform::cairo
