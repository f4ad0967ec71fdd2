// GuiEditorBase: the editor level that answers the host's editor opcodes
// (effEditGetRect, effEditOpen, effEditClose, effEditIdle)
// with a GuiFrame, and the throttled idle that keeps the panel drawn while a
// control tracks the mouse.
//
// The derived editor fills `rect` in its constructor, builds the frame in
// open (returning 1) and deletes it in close (setting `frame` to null, so a
// second close is harmless). A host that destroys the plug-in without closing
// the editor leaves the frame to this class's destructor.
//
// Ownership: the editor owns its frame; the effect owns the editor (the
// factory hands it over and the effect attaches it) and the editor never
// deletes the effect. The editor does not attach itself.
//
// Virtual operations: those of PluginEditor, which the effect calls for the
// host (getRect, open, close, idle) and for parameter changes (setParameter,
// postUpdate), the update step they lead to, and redraw, which the editor
// calls on itself.
//
// Threads:
// | operation                | thread                                     |
// |--------------------------|--------------------------------------------|
// | getRect, open, close,    | host's user-interface thread               |
// | idle, doIdle, redraw     |                                            |
// | setParameter, postUpdate | any (the audio thread too, for MIDI): they |
// |                          | only store values and the atomic flag;     |
// |                          | drawing waits for the next idle            |
#pragma once

#include <cstdint>
#include <memory>

#include "host/plugin_editor.h"

class GuiFrame;
class GuiView;
struct GuiPoint;

class GuiEditorBase : public PluginEditor {
public:
    // Starts the idle clock; the effect attaches the editor.
    explicit GuiEditorBase(EffectBase* effect);
    ~GuiEditorBase() override;

    // Hands out the address of `rect`; 1.
    VstIntPtr getRect(ERect** rectOut) override;
    // Posts an update and remembers the parent; 0 (the derived editor
    // answers 1 once it has built its frame).
    VstIntPtr open(void* parent) override;
    void close() override {}
    // The pending update, then the frame's idle.
    void idle() override;
    void update() override {}
    void setParameter(VstInt32 index, float value) override;
    // Redraws the whole frame at once.
    virtual void redraw();
    // A right-button press on the frame where no view is, in the frame's
    // coordinates; nothing by default.
    virtual void backgroundMenu(const GuiPoint& where) { (void)where; }
    // A double-click on `view` that the view itself does not take; false
    // sends the second press to mouseDown.
    virtual bool viewDoubleClicked(GuiView* view) {
        (void)view;
        return false;
    }

    // At most once per 50 ms of the tick count: idle, then the host's idle
    // request (audioMasterIdle). Controls call it while they track the mouse.
    void doIdle();

    GuiFrame* getFrame() const { return frame.get(); }
    const ERect& getEditorRect() const { return rect; }
    std::uint32_t getLastIdleTick() const { return lastIdleTick; }

protected:
    ERect rect{0, 0, 0, 0};
    std::unique_ptr<GuiFrame> frame;
    std::uint32_t lastIdleTick;
};
