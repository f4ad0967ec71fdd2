// GuiView: a rectangle on the frame's window that draws itself and reacts
// to mouse presses inside it. The frame is the only container; views do not
// nest.
//
// Ownership: a view belongs to the frame it was added to, which deletes it
// with itself. The view never deletes its frame or its offscreen context and
// does not remove itself from the frame when deleted. A view that stores a
// bitmap takes one reference and releases it when it lets go.
//
// A point is inside when size.left <= h <= size.right and
// size.top <= v <= size.bottom: the right and bottom edges count.
//
// Virtual operations in slot order (all default to nothing):
// | slot | operation    | called by                                          |
// |------|--------------|----------------------------------------------------|
// | 0    | destructor   | the frame's destruction                            |
// | 1    | draw         | paint, drawView, and the view's own update         |
// | 2    | mouseDown    | the frame, for the last-added view under the point |
// | 3    | update       | the frame at every editor idle                     |
// | 4    | focusLost    | the frame, when a press lands outside it           |
// | 5    | focusGained  | the view itself, after taking the frame's focus    |
// | 6    | setOffscreen | nobody in the toolkit; stores a large enough one   |
//
// Threads: user-interface thread only.
#pragma once

#include "gui/core/geometry.h"

class GuiDrawContext;
class GuiFrame;
class GuiOffscreenContext;

class GuiView {
public:
    explicit GuiView(const GuiRect& size);
    virtual ~GuiView();

    GuiView(const GuiView&) = delete;
    GuiView& operator=(const GuiView&) = delete;

    virtual void draw(GuiDrawContext* context);
    // `where` is in the frame window's coordinates and inside `size`.
    virtual void mouseDown(GuiDrawContext* context, const GuiPoint& where);
    virtual void update(GuiDrawContext* context);
    virtual void focusLost();
    virtual void focusGained();
    // Kept only when at least as wide and as high as the view; null is
    // ignored.
    virtual void setOffscreen(GuiOffscreenContext* newOffscreen);

    const GuiRect& getSize() const { return size; }
    std::int32_t getWidth() const { return size.width(); }
    std::int32_t getHeight() const { return size.height(); }
    bool isInside(const GuiPoint& p) const { return p.isInside(size); }
    GuiFrame* getFrame() const { return frame; }
    GuiOffscreenContext* getOffscreen() const { return offscreen; }
    // Set by the frame that takes the view.
    void setFrame(GuiFrame* newFrame) { frame = newFrame; }

protected:
    GuiRect size;
    GuiFrame* frame = nullptr;
    GuiOffscreenContext* offscreen = nullptr;
};
