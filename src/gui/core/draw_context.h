// GuiDrawContext: the toolkit's pen, brush, font and colours over one
// platform surface. Every view draws through one; a context lives for one
// paint, one click or one idle pass.
//
// Ownership: the surface and the window are not owned; whoever created the
// context obtained the surface and releases it after the context is gone.
// The context brackets its life on the surface with pushState/popState, so
// the pen, brush and font it selected are undone when it is deleted; the
// background mode is left transparent.
//
// A fresh context (with a surface) sets the background mode to transparent,
// then the pen (white, 1 pixel, solid), the brush and background colour
// (black) and the text colour (white). No font is selected until setFont.
// A null surface skips all of that and makes every drawing call a no-op.
//
// Pixels of the primitives (rectangles include their far edges):
// | call        | pixels                                                     |
// |-------------|------------------------------------------------------------|
// | lineTo      | current position to p, p not drawn; position moves to p   |
// | drawRect    | outline through all four corners: columns left and right, |
// |             | rows top and bottom                                        |
// | fillRect    | left + 1 .. right - 1 by top + 1 .. bottom - 1             |
// | drawEllipse | outline within left .. right, top .. bottom                |
// | fillEllipse | interior within left + 1 .. right - 1, top + 1 .. bottom-1 |
// | drawArc     | outline arc of drawEllipse's ellipse, counter-clockwise    |
// |             | from the ray through `start` to the ray through `end`     |
// | fillArc     | pie of fillEllipse's ellipse between the same rays         |
// | drawString  | one line, vertically centred; left alignment starts one   |
// |             | pixel right of rect.left                                   |
//
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/core/color.h"
#include "gui/core/font_table.h"
#include "gui/core/geometry.h"
#include "platform/platform.h"

class GuiFrame;

enum class GuiLineStyle : int { kSolid = 0, kDotted = 1 };

enum class GuiTextAlign : int { kLeft = 0, kCenter = 1, kRight = 2 };

// Mouse and modifier bits as getMouseButtons answers them: the platform's
// own bits under the toolkit's names, so nothing translates between them.
using GuiMouseState = unsigned;
struct GuiMouse {
    static constexpr GuiMouseState kLeft = platform::kMouseLeft;
    static constexpr GuiMouseState kMiddle = platform::kMouseMiddle;
    static constexpr GuiMouseState kRight = platform::kMouseRight;
    static constexpr GuiMouseState kShift = platform::kKeyShift;
    static constexpr GuiMouseState kControl = platform::kKeyControl;
    static constexpr GuiMouseState kAlt = platform::kKeyAlt;
};

class GuiDrawContext {
public:
    GuiDrawContext(GuiFrame* frame, platform::Surface* surface, platform::WindowHandle window);
    virtual ~GuiDrawContext();

    GuiDrawContext(const GuiDrawContext&) = delete;
    GuiDrawContext& operator=(const GuiDrawContext&) = delete;

    void setFrameColor(const GuiColor& color);
    void setLineStyle(GuiLineStyle style);
    void setLineWidth(std::int32_t width);
    // A brush the system refuses leaves the previous one in place.
    void setFillColor(const GuiColor& color);
    void setFontColor(const GuiColor& color);
    // size 0 takes the table's height for the id.
    void setFont(int fontId, std::int32_t size = 0);

    GuiColor getFrameColor() const { return frameColor; }
    GuiColor getFillColor() const { return fillColor; }
    GuiColor getFontColor() const { return fontColor; }
    GuiLineStyle getLineStyle() const { return lineStyle; }
    std::int32_t getLineWidth() const { return lineWidth; }
    std::int32_t getFontSize() const { return fontSize; }

    // Live state at the moment of the call.
    GuiMouseState getMouseButtons() const;
    // The pointer in the context's window coordinates (screen coordinates
    // for a context without a window).
    void getMouseLocation(GuiPoint& where) const;

    void moveTo(const GuiPoint& p);
    void lineTo(const GuiPoint& p);
    void polyLine(const GuiPoint* points, int count);
    void fillPolygon(const GuiPoint* points, int count);
    void drawRect(const GuiRect& r);
    void fillRect(const GuiRect& r);
    void drawEllipse(const GuiRect& r);
    void fillEllipse(const GuiRect& r);
    void drawArc(const GuiRect& r, const GuiPoint& start, const GuiPoint& end);
    void fillArc(const GuiRect& r, const GuiPoint& start, const GuiPoint& end);
    void drawPoint(const GuiPoint& p, const GuiColor& color);
    void drawString(const char* text, const GuiRect& r, bool opaque = false,
                    GuiTextAlign align = GuiTextAlign::kCenter);

    GuiFrame* getFrame() const { return frame; }
    platform::Surface* getSurface() const { return surface; }
    platform::WindowHandle getWindow() const { return window; }

protected:
    // For contexts that make their own surface after construction (the
    // offscreen context). Only the life bracket is set up: the surface keeps
    // its own colours and mode until the context's setters are called.
    void installSurface(platform::Surface* newSurface);
    // Undoes what the context selected and forgets the surface; a derived
    // context calls it before it destroys a surface of its own.
    void releaseSurface();

private:
    void applyPen();

    platform::Surface* surface;
    platform::WindowHandle window;
    GuiFrame* frame;
    std::int32_t fontSize = 0;
    GuiColor fontColor = kColorWhite;
    std::int32_t lineWidth = 1;
    GuiColor frameColor = kColorWhite;
    GuiColor fillColor = kColorBlack;
    GuiLineStyle lineStyle = GuiLineStyle::kSolid;
    platform::PenStyle penStyle = platform::PenStyle::solid;
};

// The seam's colour for a toolkit colour (the fourth byte is dropped).
inline platform::Rgb toRgb(const GuiColor& c) { return platform::Rgb{c.red, c.green, c.blue}; }
