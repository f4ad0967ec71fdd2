// ControlListener: what a control tells when the user changes its value.
// The editor implements it.
//
// valueChanged runs on the user-interface thread, inside the control's
// mouseDown, with the context the frame handed to it (or one the control
// made). The listener reads the value with getValue and the control's
// identity with getTag; it may call setValue and update on the control.
#pragma once

class GuiControl;
class GuiDrawContext;

class ControlListener {
public:
    virtual ~ControlListener() = default;
    virtual void valueChanged(GuiDrawContext* context, GuiControl* control) = 0;
    // Bracket a change that is not a drag (a wheel notch), so the host
    // records it as one gesture; nothing by default.
    virtual void beginEdit(GuiControl* control) { (void)control; }
    virtual void endEdit(GuiControl* control) { (void)control; }
};
