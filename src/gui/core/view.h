// GuiView: a rectangle on the frame's window that draws itself and reacts
// to mouse presses inside it. The frame is the only container; views do not
// nest.
//
// Ownership: a view belongs to the frame it was added to, which deletes it
// with itself. The view never deletes its frame and does not remove itself
// from the frame when deleted. A view that stores a
// bitmap takes one reference and releases it when it lets go.
//
// A point is inside when size.left <= h <= size.right and
// size.top <= v <= size.bottom: the right and bottom edges count.
//
// Virtual operations, all called toward the view (all default to nothing):
// | operation    | called by                                          |
// |--------------|----------------------------------------------------|
// | destructor   | the frame's destruction                            |
// | draw         | paint, drawView, and the view's own update         |
// | mouseDown    | the frame, for the last-added view under the point |
// | update       | the frame at every editor idle                     |
// | focusLost    | the frame, when a press lands outside it           |
// | focusGained  | the view itself, after taking the frame's focus    |
//
// Threads: user-interface thread only.
#pragma once

#include "gui/core/geometry.h"

class GuiDrawContext;
class GuiFrame;

class GuiView {
public:
    explicit GuiView(const GuiRect& size);
    virtual ~GuiView();

    GuiView(const GuiView&) = delete;
    GuiView& operator=(const GuiView&) = delete;

    virtual void draw(GuiDrawContext* context);
    // `where` is in the frame window's coordinates and inside `size`.
    virtual void mouseDown(GuiDrawContext* context, const GuiPoint& where);
    // The second press of a double-click (see GuiFrame), after the first
    // went to mouseDown; false sends it to mouseDown as a plain press.
    virtual bool doubleClick(GuiDrawContext* context, const GuiPoint& where) {
        (void)context, (void)where;
        return false;
    }
    // The mouse wheel turned `notches` (positive up) over the view, with
    // `keys` (GuiMouse::kShift ...) held; false when the view takes no wheel.
    virtual bool wheel(GuiDrawContext* context, const GuiPoint& where, int notches, unsigned keys) {
        (void)context, (void)where, (void)notches, (void)keys;
        return false;
    }
    virtual void update(GuiDrawContext* context);
    virtual void focusLost();
    virtual void focusGained();

    const GuiRect& getSize() const { return size; }
    std::int32_t getWidth() const { return size.width(); }
    std::int32_t getHeight() const { return size.height(); }
    bool isInside(const GuiPoint& p) const { return p.isInside(size); }
    GuiFrame* getFrame() const { return frame; }
    // Set by the frame that takes the view.
    void setFrame(GuiFrame* newFrame) { frame = newFrame; }

protected:
    GuiRect size;
    GuiFrame* frame = nullptr;
};
