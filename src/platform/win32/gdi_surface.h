// The GDI drawing backend of the win32 window backend.
//
// Implemented: [x] pens, brushes and fonts created, selected and their
// predecessors deleted; [x] the primitives through GDI's own calls; [x] BitBlt
// copies with GDI's monochrome conversions (they are the seam's rules);
// [x] device-dependent colour bitmaps, one-bit masks and memory surfaces on
// compatible memory DCs; [x] bitmaps loaded from the module's resources.
//
// Ownership:
// | object        | owns                                   | gives back on destruction       |
// |---------------|----------------------------------------|---------------------------------|
// | GdiImage      | its HBITMAP                            | DeleteObject                    |
// | GdiSurface    | the pens, brushes and fonts it created | selects the DC's originals back |
// |               | and, by kind, its DC:                  | window: ReleaseDC,              |
// |               |                                        | memory: old bitmap back, DeleteDC|
// |               |                                        | paint: nothing (EndPaint does)  |
//
// Every GDI object and DC the backend creates is counted (liveGdiObjects), so
// tests can prove open/close cycles leave nothing behind. UI thread only.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/platform.h"

namespace platform::win32 {

// GDI objects (bitmaps, pens, brushes, fonts, memory DCs) the backend has
// created and not yet deleted, and device contexts it holds from GetDC.
int liveGdiObjects();
void countCreated();
void countDeleted();

class GdiImage final : public Image {
public:
    // Takes ownership of `bitmap`; null when it is null.
    static std::unique_ptr<GdiImage> adopt(HBITMAP bitmap, bool mask);
    // A bitmap of device pixels standing for width x height of the
    // toolkit's at `scalePercent`, rows scaled in cells of `cell` rows (see
    // shared/scale.h); null when it is null.
    static std::unique_ptr<GdiImage> adoptScaled(HBITMAP bitmap, bool mask, int width, int height,
                                                 int scalePercent, int cell);
    ~GdiImage() override;

    int width() const override { return w; }
    int height() const override { return h; }
    bool isMask() const override { return mask; }
    HBITMAP bitmap() const { return handle; }
    int scale() const { return scalePercent; }
    int cellHeight() const { return cell; }

private:
    GdiImage(HBITMAP handle, int w, int h, bool mask) : handle(handle), w(w), h(h), mask(mask) {}
    HBITMAP handle;
    int w;
    int h;
    bool mask;
    int scalePercent = 100;
    int cell = 0;
};

class GdiSurface final : public Surface {
public:
    enum class Kind { window, memory, paint };

    // A window's DC from GetDC, released with the surface.
    static std::unique_ptr<GdiSurface> forWindow(HWND window);
    // A memory DC compatible with `compatible` (the screen when null)
    // drawing into `image`.
    static std::unique_ptr<GdiSurface> forImage(const GdiSurface* compatible, GdiImage& image);
    // The DC of a paint in progress; the caller ends the paint after the
    // surface is gone.
    GdiSurface(HDC dc, Kind kind, HWND window);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    void pushState() override;
    void popState() override;
    [[nodiscard]] bool setPen(Rgb color, int width, PenStyle style) override;
    [[nodiscard]] bool setBrush(Rgb color) override;
    [[nodiscard]] bool setFont(const FontRequest& font) override;
    void setTextColor(Rgb color) override;
    void setBackgroundColor(Rgb color) override;
    void setBackgroundOpaque(bool opaque) override;

    void moveTo(Point p) override;
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

    HDC dc() const { return hdc; }
    int scale() const { return scalePercent; }
    // Draws at `scalePercent` through the DC's world transform; rows of a
    // memory image map in cells of `cell` rows.
    void setScale(int scalePercent, int cell);
    // True for a memory surface drawing into a one-bit mask.
    bool drawsIntoMask() const { return maskTarget; }

private:
    // The objects selected into the DC, and which of them this surface
    // created (null where the selected one is not ours).
    struct Selection {
        HGDIOBJ pen = nullptr;
        HGDIOBJ brush = nullptr;
        HGDIOBJ font = nullptr;
        HGDIOBJ ownPen = nullptr;
        HGDIOBJ ownBrush = nullptr;
        HGDIOBJ ownFont = nullptr;
    };

    void replace(HGDIOBJ created, HGDIOBJ& own);
    int deviceX(int x) const;
    int deviceY(int y) const;
    void setTransform(bool scaled);
    void restore(const Selection& selection);
    // Runs `draw` with the null pen selected, then the pen selected before.
    template <typename Draw>
    void withoutPen(Draw draw);

    HDC hdc;
    Kind kind;
    HWND window = nullptr;
    HGDIOBJ imageBefore = nullptr;
    bool maskTarget = false;
    int scalePercent = 100;
    int cell = 0;
    Selection original;
    Selection current;
    std::vector<Selection> saved;
};

}  // namespace platform::win32
