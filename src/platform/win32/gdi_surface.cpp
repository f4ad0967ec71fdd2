#include "platform/win32/gdi_surface.h"

#include <cstddef>

#include "platform/shared/scale.h"
#include "platform/win32/win32_windows.h"

namespace platform::win32 {

namespace {

COLORREF colorOf(Rgb c) { return RGB(c.red, c.green, c.blue); }

RECT rectOf(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

DWORD ropOf(RasterOp op) {
    switch (op) {
    case RasterOp::andSource: return SRCAND;
    case RasterOp::orSource: return SRCPAINT;
    case RasterOp::notSource: return NOTSRCCOPY;
    case RasterOp::copy: break;
    }
    return SRCCOPY;
}

BYTE pitchAndFamilyOf(const FontRequest& font) {
    const BYTE pitch = font.pitch == FontPitch::variable ? VARIABLE_PITCH : DEFAULT_PITCH;
    const BYTE family = font.family == FontFamily::decorative ? FF_DECORATIVE : FF_SWISS;
    return static_cast<BYTE>(pitch | family);
}

void deleteOwn(HGDIOBJ& object) {
    if (!object) return;
    DeleteObject(object);
    countDeleted();
    object = nullptr;
}

}  // namespace

// Counts only; each native object frees itself.
int liveGdiObjects() { return state().liveGdiObjects; }
void countCreated() { ++state().liveGdiObjects; }
void countDeleted() { --state().liveGdiObjects; }

std::unique_ptr<GdiImage> GdiImage::adopt(HBITMAP bitmap, bool mask) {
    BITMAP info{};
    if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return nullptr;
    return std::unique_ptr<GdiImage>(new GdiImage(bitmap, info.bmWidth, info.bmHeight, mask));
}

std::unique_ptr<GdiImage> GdiImage::adoptScaled(HBITMAP bitmap, bool mask, int width, int height,
                                                int scalePercent, int cell) {
    if (!bitmap) return nullptr;
    std::unique_ptr<GdiImage> image(new GdiImage(bitmap, width, height, mask));
    image->scalePercent = scalePercent;
    image->cell = cell;
    return image;
}

GdiImage::~GdiImage() {
    DeleteObject(handle);
    countDeleted();
}

std::unique_ptr<GdiSurface> GdiSurface::forWindow(HWND window) {
    HDC dc = GetDC(window);
    if (!dc) return nullptr;
    countCreated();
    return std::make_unique<GdiSurface>(dc, Kind::window, window);
}

std::unique_ptr<GdiSurface> GdiSurface::forImage(const GdiSurface* compatible, GdiImage& image) {
    HDC dc = CreateCompatibleDC(compatible ? compatible->dc() : nullptr);
    if (!dc) return nullptr;
    countCreated();
    // A bitmap can be selected into one DC at a time; a second surface on
    // the same image is refused here rather than drawing nowhere.
    HGDIOBJ before = SelectObject(dc, image.bitmap());
    if (!before) {
        DeleteDC(dc);
        countDeleted();
        return nullptr;
    }
    auto surface = std::make_unique<GdiSurface>(dc, Kind::memory, nullptr);
    surface->imageBefore = before;
    surface->maskTarget = image.isMask();
    surface->setScale(image.scale(), image.cellHeight());
    return surface;
}

GdiSurface::GdiSurface(HDC dc, Kind kind, HWND window) : hdc(dc), kind(kind), window(window) {
    original.pen = GetCurrentObject(hdc, OBJ_PEN);
    original.brush = GetCurrentObject(hdc, OBJ_BRUSH);
    original.font = GetCurrentObject(hdc, OBJ_FONT);
    current.pen = GetStockObject(BLACK_PEN);
    current.brush = GetStockObject(WHITE_BRUSH);
    current.font = original.font;
    SelectObject(hdc, current.pen);
    SelectObject(hdc, current.brush);
    SetTextColor(hdc, RGB(0, 0, 0));
    SetBkColor(hdc, RGB(255, 255, 255));
    SetBkMode(hdc, OPAQUE);
    // A window's paint and its other DCs draw at the window's scale.
    if (window) setScale(windowScaleOf(window), 0);
}

void GdiSurface::setScale(int percent, int cellRows) {
    scalePercent = percent;
    cell = cellRows;
    setTransform(true);
}

// Everything drawn is multiplied by the world transform; copies map their
// rectangles themselves (deviceX, deviceY) with the transform off.
void GdiSurface::setTransform(bool scaled) {
    if (scalePercent == 100) return;
    if (!scaled) {
        ModifyWorldTransform(hdc, nullptr, MWT_IDENTITY);
        return;
    }
    SetGraphicsMode(hdc, GM_ADVANCED);
    const float s = static_cast<float>(scalePercent) / 100.0f;
    const XFORM transform{s, 0.0f, 0.0f, s, 0.0f, 0.0f};
    SetWorldTransform(hdc, &transform);
}

int GdiSurface::deviceX(int x) const { return shared::toDevice(x, scalePercent); }
int GdiSurface::deviceY(int y) const { return shared::toDeviceInCells(y, cell, scalePercent); }

GdiSurface::~GdiSurface() {
    if (scalePercent != 100) {
        // A window's DC goes back to the system as it came.
        ModifyWorldTransform(hdc, nullptr, MWT_IDENTITY);
        SetGraphicsMode(hdc, GM_COMPATIBLE);
    }
    while (!saved.empty()) popState();
    restore(original);
    deleteOwn(current.ownPen);
    deleteOwn(current.ownBrush);
    deleteOwn(current.ownFont);
    switch (kind) {
    case Kind::window:
        ReleaseDC(window, hdc);
        countDeleted();
        break;
    case Kind::memory:
        SelectObject(hdc, imageBefore);
        DeleteDC(hdc);
        countDeleted();
        break;
    case Kind::paint: break;
    }
}

// What was created before the push belongs to the saved entry from now on,
// so a later set* never deletes an object the pop will select back.
void GdiSurface::pushState() {
    saved.push_back(current);
    current.ownPen = current.ownBrush = current.ownFont = nullptr;
}

void GdiSurface::popState() {
    if (saved.empty()) return;
    const Selection back = saved.back();
    saved.pop_back();
    restore(back);
    deleteOwn(current.ownPen);
    deleteOwn(current.ownBrush);
    deleteOwn(current.ownFont);
    current = back;
}

void GdiSurface::restore(const Selection& selection) {
    SelectObject(hdc, selection.pen);
    SelectObject(hdc, selection.brush);
    SelectObject(hdc, selection.font);
}

void GdiSurface::replace(HGDIOBJ created, HGDIOBJ& own) {
    countCreated();
    SelectObject(hdc, created);
    deleteOwn(own);
    own = created;
}

bool GdiSurface::setPen(Rgb color, int width, PenStyle style) {
    HPEN pen = CreatePen(style == PenStyle::dotted ? PS_DOT : PS_SOLID, width < 1 ? 1 : width,
                         colorOf(color));
    if (!pen) return false;
    replace(pen, current.ownPen);
    current.pen = pen;
    return true;
}

bool GdiSurface::setBrush(Rgb color) {
    HBRUSH brush = CreateSolidBrush(colorOf(color));
    if (!brush) return false;
    replace(brush, current.ownBrush);
    current.brush = brush;
    return true;
}

// A negative height asks for the character height (the em), not the cell.
bool GdiSurface::setFont(const FontRequest& font) {
    HFONT created = CreateFontA(
        -font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STRING_PRECIS,
        CLIP_STROKE_PRECIS, DEFAULT_QUALITY, pitchAndFamilyOf(font), font.face ? font.face : "");
    if (!created) return false;
    replace(created, current.ownFont);
    current.font = created;
    return true;
}

void GdiSurface::setTextColor(Rgb color) { SetTextColor(hdc, colorOf(color)); }
void GdiSurface::setBackgroundColor(Rgb color) { SetBkColor(hdc, colorOf(color)); }
void GdiSurface::setBackgroundOpaque(bool opaque) { SetBkMode(hdc, opaque ? OPAQUE : TRANSPARENT); }

void GdiSurface::moveTo(Point p) { MoveToEx(hdc, p.x, p.y, nullptr); }
void GdiSurface::lineTo(Point p) { LineTo(hdc, p.x, p.y); }

void GdiSurface::polyline(const Point* points, int count) {
    if (!points || count < 2) return;
    std::vector<POINT> native(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) native[i] = POINT{points[i].x, points[i].y};
    Polyline(hdc, native.data(), count);
}

template <typename Draw>
void GdiSurface::withoutPen(Draw draw) {
    SelectObject(hdc, GetStockObject(NULL_PEN));
    draw();
    SelectObject(hdc, current.pen);
}

void GdiSurface::fillPolygon(const Point* points, int count) {
    if (!points || count < 3) return;
    std::vector<POINT> native(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) native[i] = POINT{points[i].x, points[i].y};
    SetPolyFillMode(hdc, ALTERNATE);
    withoutPen([&] { Polygon(hdc, native.data(), count); });
}

void GdiSurface::fillBox(const Box& box) {
    if (box.right <= box.left || box.bottom <= box.top) return;
    const RECT rect = rectOf(box);
    FillRect(hdc, &rect, static_cast<HBRUSH>(current.brush));
}

void GdiSurface::strokeEllipse(const Box& box) {
    SelectObject(hdc, GetStockObject(NULL_BRUSH));
    Ellipse(hdc, box.left, box.top, box.right, box.bottom);
    SelectObject(hdc, current.brush);
}

// Without a pen GDI fills one pixel short of the right and bottom edges, so
// the box grows by one to cover it exactly.
void GdiSurface::fillEllipse(const Box& box) {
    withoutPen([&] { Ellipse(hdc, box.left, box.top, box.right + 1, box.bottom + 1); });
}

void GdiSurface::strokeArc(const Box& box, Point from, Point to) {
    SetArcDirection(hdc, AD_COUNTERCLOCKWISE);
    Arc(hdc, box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
}

void GdiSurface::fillPie(const Box& box, Point from, Point to) {
    SetArcDirection(hdc, AD_COUNTERCLOCKWISE);
    withoutPen([&] {
        Pie(hdc, box.left, box.top, box.right + 1, box.bottom + 1, from.x, from.y, to.x, to.y);
    });
}

void GdiSurface::setPixel(Point p, Rgb color) {
    if (scalePercent == 100) {
        SetPixel(hdc, p.x, p.y, colorOf(color));
        return;
    }
    // A design pixel covers several device pixels.
    HBRUSH brush = CreateSolidBrush(colorOf(color));
    if (!brush) return;
    const RECT r{p.x, p.y, p.x + 1, p.y + 1};
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

void GdiSurface::drawString(const char* text, const Box& box, TextPlacement placement) {
    if (!text) return;
    UINT flags = DT_SINGLELINE | DT_VCENTER;
    if (placement == TextPlacement::center) flags |= DT_CENTER;
    else if (placement == TextPlacement::right) flags |= DT_RIGHT;
    else flags |= DT_LEFT;
    RECT rect = rectOf(box);
    DrawTextA(hdc, text, -1, &rect, flags);
}

bool GdiSurface::copyFrom(const Surface& source, int dx, int dy, int width, int height, int sx,
                          int sy, RasterOp op) {
    const auto* from = dynamic_cast<const GdiSurface*>(&source);
    if (!from) return false;
    if (scalePercent == 100 && from->scalePercent == 100)
        return BitBlt(hdc, dx, dy, width, height, from->hdc, sx, sy, ropOf(op)) != FALSE;
    // Device rectangles on both sides, pixel for pixel when the scales
    // match, nearest pixel when they do not.
    const int left = deviceX(dx);
    const int top = deviceY(dy);
    const int w = deviceX(dx + width) - left;
    const int h = deviceY(dy + height) - top;
    const int fromLeft = from->deviceX(sx);
    const int fromTop = from->deviceY(sy);
    const int fromW = from->deviceX(sx + width) - fromLeft;
    const int fromH = from->deviceY(sy + height) - fromTop;
    setTransform(false);
    const_cast<GdiSurface*>(from)->setTransform(false);
    BOOL done = FALSE;
    if (w == fromW && h == fromH) {
        done = BitBlt(hdc, left, top, w, h, from->hdc, fromLeft, fromTop, ropOf(op));
    } else {
        SetStretchBltMode(hdc, COLORONCOLOR);
        done =
            StretchBlt(hdc, left, top, w, h, from->hdc, fromLeft, fromTop, fromW, fromH, ropOf(op));
    }
    const_cast<GdiSurface*>(from)->setTransform(true);
    setTransform(true);
    return done != FALSE;
}

}  // namespace platform::win32
