// GuiControl: a view that carries a float value, an integer tag and a
// listener to tell about the changes the user makes.
//
// The value is never clamped here; each control decides how it treats
// values outside min..max. Setters store and do nothing else: a control is
// redrawn by `update` when `value` differs from `oldValue`, the value it last
// drew. `oldValue` starts at -1, so the first update always draws; a setter
// that only changes a control's look forces the next redraw by making the two
// differ.
//
// | field        | initial | meaning                                          |
// |--------------|---------|--------------------------------------------------|
// | listener     | arg     | receives valueChanged; not owned                 |
// | tag          | arg     | tells the listener which control spoke           |
// | mouseEnabled | true    | false makes mouseDown do nothing                 |
// | oldValue     | -1.0    | value at the last draw                           |
// | defaultValue | 0.5     | what an Alt+left click sets (knobs, switches...) |
// | value        | 0.0     | the current value                                |
// | min, max     | 0, 1    | the range                                        |
//
// The mouse wheel (knobs, sliders and switches take it): one notch moves
// the value by 1 % of the range (0.1 % with Shift held), a switch by one
// position; the change is reported like a drag's, between the listener's
// beginEdit and endEdit.
//
// Virtual operations beyond GuiView's: doIdle, which a control calls on
// itself while it tracks the mouse, and the accessors, which the editor and
// the control's own tracking call.
//
// Threads: user-interface thread. The editor's setParameter may store a
// value from another thread; a torn read only delays or repeats a redraw.
#pragma once

#include <cstdint>

#include "gui/core/control_listener.h"
#include "gui/core/view.h"

class GuiControl : public GuiView {
public:
    GuiControl(const GuiRect& size, ControlListener* listener, std::int32_t tag);
    ~GuiControl() override;

    void draw(GuiDrawContext* context) override = 0;
    // Draws when value != oldValue (exact comparison), then oldValue = value.
    void update(GuiDrawContext* context) override;

    // Runs the editor's throttled idle through the frame; nothing without a
    // frame or editor.
    virtual void doIdle();
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    virtual void setMin(float newMin) { min = newMin; }
    virtual float getMin() const { return min; }
    virtual void setMax(float newMax) { max = newMax; }
    virtual float getMax() const { return max; }
    virtual void setOldValue(float newOldValue) { oldValue = newOldValue; }
    virtual float getOldValue() const { return oldValue; }
    virtual void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setMouseEnabled(bool enabled) { mouseEnabled = enabled; }
    virtual bool getMouseEnabled() const { return mouseEnabled; }

    ControlListener* getListener() const { return listener; }
    std::int32_t getTag() const { return tag; }

protected:
    // Where `notches` of the wheel take a continuous value.
    float wheelTarget(int notches, unsigned keys) const;
    // Moves to `target`, held to min..max, and reports it as one gesture
    // (a wheel turn, a double-click);
    // nothing when the value is there already.
    void gestureTo(GuiDrawContext* context, float target);

    ControlListener* listener;
    std::int32_t tag;
    bool mouseEnabled = true;
    float oldValue = -1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float min = 0.0f;
    float max = 1.0f;
};
