// GuiFrame: the top of the view tree. It owns the child window inside the
// host's editor window and every view added to it, and turns the window's
// messages into draw, mouseDown and update calls on the views, each with a
// fresh drawing context.
//
// Ownership: views added with addView belong to the frame and are deleted
// with it; removeView hands one back undeleted. The modal and focus views are
// not owned. The background bitmap holds one reference. The editor that made
// the frame deletes it in its close.
//
// Life:
// | state            | how                      | idle draws? |
// |------------------|--------------------------|-------------|
// | constructed      | window created, visible  | no          |
// | first paint      | full draw                | from now on |
// | running          | paint: full draw; clicks | changed     |
// |                  | routed; idle: update     | views       |
// | parent destroyed | destroy message          | no (closed) |
//
// Click routing: a focus view loses focus when the press is outside it; a
// modal view alone receives clicks (inside it) and updates; otherwise the
// last-added view whose rectangle (far edges included) holds the point gets
// mouseDown, and no other. A second left press within kDoubleClickTicks of
// the first and kDoubleClickSlop pixels of it, on the same view, is a
// double-click when the first press was released where it began (not a
// drag): the view's doubleClick, else the editor's
// viewDoubleClicked, else a plain mouseDown. A right-button press where no view is (and no
// modal view is set) goes to the editor's backgroundMenu instead.
//
// Scale: the frame's coordinates are always the design's (its size as
// constructed); setScale shows the window larger and the platform maps
// drawing and pointer, so no view ever sees a scaled pixel.
//
// Threads: user-interface thread only (window messages and editor idle).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/core/bitmap_ref.h"
#include "gui/core/lifeline.h"
#include "gui/core/view.h"
#include "platform/platform.h"

class GuiEditorBase;

class GuiFrame : public GuiView {
public:
    static constexpr std::uint32_t kDoubleClickTicks = 500;
    static constexpr std::int32_t kDoubleClickSlop = 4;

    // Creates the child window at once, unless `parent` is null. A window
    // the system refuses leaves getWindow() null; the frame still counts as
    // open.
    GuiFrame(const GuiRect& size, platform::NativeWindow parent, GuiEditorBase* editor);
    ~GuiFrame() override;

    // Full redraw: background, every view in list order, the modal view.
    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
    void update(GuiDrawContext* context) override;

    // Appends; false (nothing added) when the list cannot grow.
    virtual bool addView(GuiView* view);
    // Takes the first occurrence out of the list, undeleted; always true.
    virtual bool removeView(GuiView* view);

    // Draws `view` at once outside a paint message; the whole frame when the
    // view is null or not in the list.
    void drawView(GuiView* view);
    // Pumps the window's pending messages, then, once the first full draw
    // has happened, updates the views.
    void idle();

    // False, unchanged, when a modal view is set and `view` is not null.
    bool setModalView(GuiView* view);
    GuiView* getModalView() const { return modalView; }
    void setFocusView(GuiView* view) { focusView = view; }
    GuiView* getFocusView() const { return focusView; }
    void setBackground(GuiBitmap* bitmap);
    // Shows the window at `scalePercent` of the design's size and repaints;
    // false (still at the old scale) when the window or the system refuses.
    bool setScale(std::int32_t scalePercent);
    std::int32_t getScale() const { return scalePercent; }
    // The system's popup over this frame's window at `where`; the index
    // chosen or -1 (see platform::popupMenu).
    std::int32_t popupMenu(const GuiPoint& where, const platform::MenuEntry* entries,
                           std::int32_t count);
    GuiBitmap* getBackground() const { return background.get(); }

    GuiEditorBase* getEditor() const { return editor; }
    platform::WindowHandle getWindow() const { return window; }
    platform::NativeWindow getParentWindow() const { return parentWindow; }
    bool isOpen() const { return open; }
    // Ends when the frame is deleted: code that calls out to the listener
    // or the host from inside a click asks it before touching a view again.
    GuiLifeWatch watchLife() const { return lifeline.watch(); }
    bool isFirstDrawPending() const { return firstDrawPending; }
    std::int32_t getViewCount() const { return static_cast<std::int32_t>(views.size()); }
    std::int32_t getCapacity() const { return static_cast<std::int32_t>(views.capacity()); }
    GuiView* getView(std::int32_t index) const;

    // The window procedure of the toolkit's window class: finds the frame in
    // the window's user data and handles button-down, paint and destroy.
    static void windowProcedure(platform::WindowHandle window,
                                const platform::WindowMessage& message);

private:
    struct Click;
    void createWindow();
    // Routes a button-down with a drawing context that the destructor can
    // part from its surface, should the host delete the frame mid-click.
    void handleClick(const GuiPoint& where, bool rightButton);
    void handleWheel(const GuiPoint& where, int notches, unsigned keys);
    bool isBackground(const GuiPoint& where) const;
    GuiView* viewAt(const GuiPoint& where) const;
    // Notes a left press; true when it completes a double-click on `view`.
    bool secondPress(const GuiPoint& where, GuiView* view);
    std::int32_t indexOf(const GuiView* view) const;

    GuiEditorBase* editor;
    platform::NativeWindow parentWindow;
    GuiBitmapRef background;
    // Grown ten places at a time; getCapacity reports the places.
    std::vector<std::unique_ptr<GuiView>> views;
    GuiView* modalView = nullptr;
    GuiView* focusView = nullptr;
    bool firstDrawPending = true;
    bool open = true;
    std::int32_t scalePercent = 100;
    GuiView* lastPressView = nullptr;
    GuiPoint lastPressWhere;
    std::uint32_t lastPressTick = 0;
    platform::WindowHandle window = nullptr;
    Click* click = nullptr;  // the innermost click in progress, if any
    GuiLifeline lifeline;
};
