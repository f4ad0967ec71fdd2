// FilterDelayEditor: the product's panel, 420 x 64 pixels drawn from bitmap
// resources 120 to 125. Eight knobs and the filter-type switch edit the nine
// parameters; a value display shows the parameter last touched, and "-"/"+"
// step it.
//
// Two directions of traffic, kept apart:
// - panel to effect: valueChanged turns a control's value into
//   automateParameter (the host records the change);
// - effect to panel: the effect's setParameter calls this setParameter,
//   which only notes the change; the next idle moves the controls.
//
// Controls, in the order the frame draws them (a click goes to the last
// one under the pointer):
// | # | control          | tag (ParameterIndex) | rectangle (l, t, r, b) | bitmap          |
// |---|------------------|----------------------|------------------------|-----------------|
// | 1 | knob INPUT       | InputLevel           | 10, 13, 35, 39         | 120 behind, 122 |
// | 2 | knob TIME        | Delay                | 50, 13, 75, 39         |                 |
// | 3 | knob FB          | Feedback             | 90, 13, 115, 39        |                 |
// | 4 | knob FREQ        | Cutoff               | 159, 13, 184, 39       |                 |
// | 5 | knob RESO        | Resonance            | 200, 13, 225, 39       |                 |
// | 6 | knob PAN         | Pan                  | 305, 13, 330, 39       |                 |
// | 7 | knob DRY         | DryLevel             | 345, 13, 370, 39       |                 |
// | 8 | knob WET         | WetLevel             | 385, 13, 410, 39       |                 |
// | 9 | switch TYPE      | Type                 | 126, 14, 150, 39       | 123, 3 frames   |
// | 10| button "+"       | kTagPlus (300)       | 278, 45, 290, 53       | 124, 2 frames   |
// | 11| button "-"       | kTagMinus (301)      | 248, 45, 260, 53       | 125, 2 frames   |
// | 12| value display    | none                 | 252, 22, 284, 38       | 120 behind      |
//
// "-"/"+" step the displayed parameter by 0.01 (0.001 for the delay time,
// nothing for the filter type), clamped to 0..1. A momentary button reports
// its press and its release; the latches let every other report act, so
// one click steps once.
//
// Hands: a double-click on a knob sets its default (as Alt+click does); on
// the value display it opens a text edit over it, its text selected so
// that typing replaces it; the value is typed in the display's units
// (value_parsing.h) and Return sets it, clamped and reported as
// automation; Escape, a click elsewhere or text that is no value change
// nothing.
//
// Scale: the panel is shown at 100, 150 or 200 % (PanelScale decides, see
// panel_scale.h). Its coordinates stay the design's (the table above);
// the frame's window grows and every bitmap takes the set drawn for the
// scale, so the picture is crisp rather than enlarged. A right-click on the
// background (where no control is) offers "100 %", "150 %" and "200 %";
// the choice applies at once and asks the host to resize its window
// (audioMasterSizeWindow, where canDo "sizeWindow" answers 1). A system
// that cannot scale its windows keeps 100 %.
//
// Files: this one builds the panel and carries the traffic; panel_zoom.cpp
// holds the scale (rectangle, bitmap sets, background menu) and
// value_entry.cpp the typed-value entry.
//
// Life: bitmap 120 is loaded at construction and kept until destruction;
// open builds the frame and loads the other five, close deletes the frame
// and releases them. Closing twice, opening twice, and asking for the
// rectangle before opening are harmless; destroying the editor while open
// closes it first.
//
// Threads and how each shared field is made safe:
// | field              | written by                 | safe because            |
// |--------------------|----------------------------|-------------------------|
// | panelOpen          | open/close (UI thread)     | atomic                  |
// | changedParameters  | setParameter (any thread)  | ChangedParameters: one  |
// |                    | notes, update (UI) takes   | atomic step each        |
// | displayedParameter | setParameter (any thread)  | atomic                  |
// | updatePending      | postUpdate (any thread)    | atomic (editor base)    |
// | everything else    | UI thread only             | one thread              |
// setParameter never touches a control: a torn or late read only delays a
// redraw, and no drawing happens off the user-interface thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "editor/changed_parameters.h"
#include "editor/panel_scale.h"
#include "effect/parameter_index.h"
#include "gui/core/bitmap_ref.h"
#include "gui/core/control_listener.h"
#include "gui/core/editor_base.h"

class EffectBaseExt;
class GuiControl;
class GuiMomentaryButton;
class GuiValueDisplay;

namespace molvex {

inline constexpr std::int32_t kTagPlus = 300;
inline constexpr std::int32_t kTagMinus = 301;
inline constexpr std::int32_t kTagValueEntry = 302;

class ValueEntry;

class FilterDelayEditor : public GuiEditorBase, public ControlListener {
public:
    // One control per parameter; a control's tag is its parameter's index.
    static constexpr std::int32_t kControlCount = kParameterCount;

    // Loads bitmap 120 and takes the editor rectangle from its size. The
    // effect's host services (gestures, canDo, the size request) are
    // reached through the typed pointer kept here.
    explicit FilterDelayEditor(EffectBaseExt* effect);
    FilterDelayEditor(EffectBaseExt* effect, ScaleSources scaleSources);
    ~FilterDelayEditor() override;

    // effEditGetRect: the panel's size at the scale it is (or will be)
    // shown at.
    VstIntPtr getRect(ERect** rectOut) override;

    // Builds the frame and the twelve controls; 1 when the window exists.
    // A second open without a close first closes the panel it had.
    VstIntPtr open(void* parent) override;
    void close() override;
    // Notes the change for the next idle; nothing while closed.
    void setParameter(VstInt32 index, float value) override;
    // User-interface thread: moves the controls and the display to the
    // effect's values noted since the last update.
    void update() override;

    void valueChanged(GuiDrawContext* context, GuiControl* control) override;
    // audioMasterBeginEdit / audioMasterEndEdit around a wheel notch.
    void beginEdit(GuiControl* control) override;
    void endEdit(GuiControl* control) override;
    // The value display's text edit.
    bool viewDoubleClicked(GuiView* view) override;
    // Removes a finished text edit, then the base idle.
    void idle() override;
    ValueEntry* getValueEntry() const { return valueEntry; }
    // The zoom menu: the user's choice of scale.
    void backgroundMenu(const GuiPoint& where) override;

    // Shows the open panel at `scalePercent` (100, 150, 200); false, at the
    // old scale, when the window or a bitmap set cannot follow.
    bool showAtScale(std::int32_t scalePercent);
    std::int32_t getShownScale() const { return shownScale; }
    PanelScale& getScale() { return scale; }

    std::int32_t getDisplayedParameter() const {
        return displayedParameter.load(std::memory_order_acquire);
    }
    bool isOpen() const { return panelOpen.load(std::memory_order_acquire); }
    GuiControl* getControl(std::int32_t index) const;
    GuiMomentaryButton* getPlusButton() const { return plusButton; }
    GuiMomentaryButton* getMinusButton() const { return minusButton; }
    GuiValueDisplay* getDisplay() const { return display; }
    GuiBitmap* getBackgroundBitmap() const { return background.get(); }

private:
    void loadBitmaps();
    bool scaleBitmaps(std::int32_t scalePercent);
    void setRectForScale(std::int32_t scalePercent);
    void askHostToResize();
    void setTypedValue();
    void dropValueEntry();
    void releaseBitmaps();
    void addKnobs();
    void addTypeSwitch();
    void addButtons();
    void addDisplay();
    void showDisplayedParameter();
    void step(bool up, bool& latch, GuiDrawContext* context, GuiControl* button);
    void redrawNow(GuiDrawContext* context, GuiControl* control);
    template <typename View>
    View* adopt(View* view);

    // The effect the base holds, as the extended class that talks to the
    // host; not owned (the effect owns this editor).
    EffectBaseExt* extendedEffect;
    std::atomic<std::int32_t> displayedParameter{0};
    bool plusLatch = false;
    bool minusLatch = false;
    GuiControl* controls[kControlCount] = {};
    GuiMomentaryButton* plusButton = nullptr;
    GuiMomentaryButton* minusButton = nullptr;
    GuiValueDisplay* display = nullptr;
    ValueEntry* valueEntry = nullptr;
    GuiBitmapRef background;
    GuiBitmapRef knobBody;
    GuiBitmapRef knobHandle;
    GuiBitmapRef typeSwitch;
    GuiBitmapRef plus;
    GuiBitmapRef minus;

    PanelScale scale;
    std::int32_t shownScale = 100;

    std::atomic<bool> panelOpen{false};
    ChangedParameters<> changedParameters;
    // The parameter whose text the display shows, so a change of parameter
    // redraws it even when the value happens to be the same.
    std::int32_t shownParameter = -1;
};

}  // namespace molvex
