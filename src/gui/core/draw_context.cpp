#include "gui/core/draw_context.h"

#include <vector>

namespace {

platform::Point toPoint(const GuiPoint& p) { return platform::Point{p.h, p.v}; }

}  // namespace

GuiDrawContext::GuiDrawContext(GuiFrame* frame, platform::Surface* surface,
                               platform::WindowHandle window)
    : surface(surface), window(window), frame(frame) {
    if (!surface) return;
    surface->pushState();
    surface->setBackgroundOpaque(false);
    setFrameColor(frameColor);
    setLineStyle(lineStyle);
    setFillColor(fillColor);
    setFontColor(fontColor);
}

GuiDrawContext::~GuiDrawContext() { releaseSurface(); }

void GuiDrawContext::installSurface(platform::Surface* newSurface) {
    releaseSurface();
    surface = newSurface;
    if (surface) surface->pushState();
}

void GuiDrawContext::releaseSurface() {
    if (!surface) return;
    surface->popState();
    surface = nullptr;
}

void GuiDrawContext::applyPen() {
    if (surface) (void)surface->setPen(toRgb(frameColor), lineWidth, penStyle);
}

void GuiDrawContext::setFrameColor(const GuiColor& color) {
    frameColor = color;
    applyPen();
}

void GuiDrawContext::setLineStyle(GuiLineStyle style) {
    lineStyle = style;
    penStyle =
        style == GuiLineStyle::kDotted ? platform::PenStyle::dotted : platform::PenStyle::solid;
    applyPen();
}

void GuiDrawContext::setLineWidth(std::int32_t width) {
    lineWidth = width;
    applyPen();
}

void GuiDrawContext::setFillColor(const GuiColor& color) {
    fillColor = color;
    if (!surface) return;
    surface->setBackgroundColor(toRgb(color));
    // The seam keeps the previous brush when it cannot make this one.
    (void)surface->setBrush(toRgb(color));
}

void GuiDrawContext::setFontColor(const GuiColor& color) {
    fontColor = color;
    if (surface) surface->setTextColor(toRgb(color));
}

void GuiDrawContext::setFont(int fontId, std::int32_t size) {
    if (fontId < 0 || fontId >= GuiFontId::kCount) fontId = 0;
    platform::FontRequest request = fontTableEntry(fontId);
    if (size != 0) request.height = size;
    fontSize = request.height;
    if (surface) (void)surface->setFont(request);
}

GuiMouseState GuiDrawContext::getMouseButtons() const { return platform::mouseState(); }

void GuiDrawContext::getMouseLocation(GuiPoint& where) const {
    platform::Point p = platform::pointerPosition();
    if (window) p = platform::screenToClient(window, p);
    where.set(p.x, p.y);
}

void GuiDrawContext::moveTo(const GuiPoint& p) {
    if (surface) surface->moveTo(toPoint(p));
}

void GuiDrawContext::lineTo(const GuiPoint& p) {
    if (surface) surface->lineTo(toPoint(p));
}

void GuiDrawContext::polyLine(const GuiPoint* points, int count) {
    if (!surface || !points || count <= 0) return;
    std::vector<platform::Point> converted(count);
    for (int i = 0; i < count; ++i) converted[i] = toPoint(points[i]);
    surface->polyline(converted.data(), count);
}

void GuiDrawContext::fillPolygon(const GuiPoint* points, int count) {
    if (!surface || !points || count <= 0) return;
    std::vector<platform::Point> converted(count);
    for (int i = 0; i < count; ++i) converted[i] = toPoint(points[i]);
    surface->fillPolygon(converted.data(), count);
}

void GuiDrawContext::drawRect(const GuiRect& r) {
    const GuiPoint corners[5] = {{r.left, r.top},
                                 {r.right, r.top},
                                 {r.right, r.bottom},
                                 {r.left, r.bottom},
                                 {r.left, r.top}};
    polyLine(corners, 5);
}

void GuiDrawContext::fillRect(const GuiRect& r) {
    if (surface) surface->fillBox({r.left + 1, r.top + 1, r.right, r.bottom});
}

void GuiDrawContext::drawEllipse(const GuiRect& r) {
    if (surface) surface->strokeEllipse({r.left, r.top, r.right + 1, r.bottom + 1});
}

void GuiDrawContext::fillEllipse(const GuiRect& r) {
    if (surface) surface->fillEllipse({r.left + 1, r.top + 1, r.right, r.bottom});
}

void GuiDrawContext::drawArc(const GuiRect& r, const GuiPoint& start, const GuiPoint& end) {
    if (surface)
        surface->strokeArc({r.left, r.top, r.right + 1, r.bottom + 1}, toPoint(start),
                           toPoint(end));
}

void GuiDrawContext::fillArc(const GuiRect& r, const GuiPoint& start, const GuiPoint& end) {
    if (surface)
        surface->fillPie({r.left + 1, r.top + 1, r.right, r.bottom}, toPoint(start), toPoint(end));
}

void GuiDrawContext::drawPoint(const GuiPoint& p, const GuiColor& color) {
    if (surface) surface->setPixel(toPoint(p), toRgb(color));
}

void GuiDrawContext::drawString(const char* text, const GuiRect& r, bool opaque,
                                GuiTextAlign align) {
    if (!surface || !text) return;
    surface->setBackgroundOpaque(opaque);
    platform::Box box{r.left, r.top, r.right, r.bottom};
    platform::TextPlacement placement = platform::TextPlacement::left;
    if (align == GuiTextAlign::kCenter) placement = platform::TextPlacement::center;
    else if (align == GuiTextAlign::kRight) placement = platform::TextPlacement::right;
    else box.left += 1;
    surface->drawString(text, box, placement);
    surface->setBackgroundOpaque(false);
}
