#include "editor/filter_delay_editor.h"

#include <new>

#include "editor/panel_bitmap_set.h"
#include "editor/panel_layout.h"
#include "editor/type_switch.h"
#include "editor/value_texts.h"
#include "gui/controls/knob.h"
#include "gui/controls/momentary_button.h"
#include "gui/controls/value_display.h"
#include "gui/controls/vertical_switch.h"
#include "gui/core/bitmap.h"
#include "gui/core/color.h"
#include "gui/core/font_table.h"
#include "gui/core/frame.h"
#include "host/effect_base.h"
#include "host/effect_base_ext.h"

namespace molvex {

using namespace panel;

namespace {

struct KnobPlace {
    ParameterIndex parameter;
    GuiRect rect;
};

constexpr KnobPlace kKnobs[] = {
    {ParameterIndex::InputLevel, {10, 13, 35, 39}},  {ParameterIndex::Delay, {50, 13, 75, 39}},
    {ParameterIndex::Feedback, {90, 13, 115, 39}},   {ParameterIndex::Cutoff, {159, 13, 184, 39}},
    {ParameterIndex::Resonance, {200, 13, 225, 39}}, {ParameterIndex::Pan, {305, 13, 330, 39}},
    {ParameterIndex::DryLevel, {345, 13, 370, 39}},  {ParameterIndex::WetLevel, {385, 13, 410, 39}},
};
// The one control that is not a knob.
constexpr ParameterIndex kSwitchParameter = ParameterIndex::Type;
constexpr GuiRect kTypeSwitchRect{126, 14, 150, 39};
constexpr GuiRect kPlusRect{278, 45, 290, 53};
constexpr GuiRect kMinusRect{248, 45, 260, 53};

// Every parameter has exactly one control on the panel: a parameter added
// to the effect without a place here stops the build.
constexpr bool everyParameterHasOneControl() {
    int controlsOf[kParameterCount] = {};
    for (const KnobPlace& place : kKnobs) ++controlsOf[toIndex(place.parameter)];
    ++controlsOf[toIndex(kSwitchParameter)];
    for (int count : controlsOf) {
        if (count != 1) return false;
    }
    return true;
}
static_assert(everyParameterHasOneControl(), "the panel needs one control per parameter");
static_assert(FilterDelayEditor::kControlCount == kParameterCount);

bool isParameter(std::int32_t index) {
    return index >= 0 && index < FilterDelayEditor::kControlCount;
}

// Only called with an index isParameter accepted.
ParameterIndex parameterAt(std::int32_t index) { return static_cast<ParameterIndex>(index); }

float stepFor(ParameterIndex parameter) {
    if (parameter == ParameterIndex::Delay) return 0.001f;
    if (parameter == ParameterIndex::Type) return 0.0f;
    return 0.01f;
}

void loadOnce(GuiBitmapRef& slot, std::int32_t id) {
    if (!slot) slot = GuiBitmapRef::adopt(new (std::nothrow) GuiBitmap(id));
}

}  // namespace

FilterDelayEditor::FilterDelayEditor(EffectBaseExt* effect)
    : FilterDelayEditor(effect, systemSources()) {}

FilterDelayEditor::FilterDelayEditor(EffectBaseExt* effect, ScaleSources scaleSources)
    : GuiEditorBase(effect), extendedEffect(effect), scale(std::move(scaleSources)) {
    loadOnce(background, kBackgroundId);
    setRectForScale(100);
}

FilterDelayEditor::~FilterDelayEditor() {
    close();
    background.reset();
}

GuiControl* FilterDelayEditor::getControl(std::int32_t index) const {
    return isParameter(index) ? controls[index] : nullptr;
}

VstIntPtr FilterDelayEditor::open(void* parent) {
    // A host that opens again without closing gets a fresh panel in the
    // window it names now, and the old one is not left behind.
    close();
    GuiEditorBase::open(parent);
    loadBitmaps();
    const GuiRect size(0, 0, background ? background->getWidth() : 0,
                       background ? background->getHeight() : 0);
    frame.reset(new (std::nothrow) GuiFrame(size, parent, this));
    if (!frame) return 0;
    frame->setBackground(background.get());
    const std::int32_t wanted = scale.current(parent);
    if (wanted == 100 || !showAtScale(wanted)) setRectForScale(100);
    // Open before the controls read their values: a change that lands while
    // they are built is noted and shown at the first idle, not lost.
    panelOpen.store(true, std::memory_order_release);
    addKnobs();
    addTypeSwitch();
    addButtons();
    addDisplay();
    return frame->getWindow() ? 1 : 0;
}

void FilterDelayEditor::close() {
    panelOpen.store(false, std::memory_order_release);
    frame.reset();
    for (auto& control : controls) control = nullptr;
    plusButton = nullptr;
    minusButton = nullptr;
    display = nullptr;
    valueEntry = nullptr;
    shownParameter = -1;
    releaseBitmaps();
    // The background outlives the panel (it gives the rectangle): back to
    // the design's pixels.
    if (shownScale != 100 && background) (void)background->loadForScale(kBackgroundId, 100, 1);
    shownScale = 100;
}

void FilterDelayEditor::beginEdit(GuiControl* control) {
    if (extendedEffect && control && isParameter(control->getTag()))
        (void)extendedEffect->beginEdit(control->getTag());
}

void FilterDelayEditor::endEdit(GuiControl* control) {
    if (extendedEffect && control && isParameter(control->getTag()))
        (void)extendedEffect->endEdit(control->getTag());
}

void FilterDelayEditor::loadBitmaps() {
    loadOnce(knobHandle, kKnobHandleId);
    loadOnce(knobBody, kKnobBodyId);
    loadOnce(typeSwitch, kTypeSwitchId);
    loadOnce(plus, kPlusId);
    loadOnce(minus, kMinusId);
}

void FilterDelayEditor::releaseBitmaps() {
    knobHandle.reset();
    knobBody.reset();
    typeSwitch.reset();
    plus.reset();
    minus.reset();
}

// The frame owns what it takes; a view it cannot take is deleted here.
template <typename View>
View* FilterDelayEditor::adopt(View* view) {
    if (view && frame->addView(view)) return view;
    delete view;
    return nullptr;
}

void FilterDelayEditor::addKnobs() {
    for (const KnobPlace& place : kKnobs) {
        const VstInt32 tag = toIndex(place.parameter);
        auto* knob =
            new (std::nothrow) GuiKnob(place.rect, this, tag, knobBody.get(), knobHandle.get(),
                                       GuiPoint(place.rect.left, place.rect.top));
        if (!knob) continue;
        knob->setValue(effect->getParameter(tag));
        // The panel picture already shows the body under each knob.
        knob->setBackground(background.get());
        controls[tag] = adopt(knob);
    }
}

void FilterDelayEditor::addTypeSwitch() {
    const std::int32_t frameHeight = typeSwitch ? typeSwitch->getHeight() / 3 : 0;
    const VstInt32 tag = toIndex(kSwitchParameter);
    auto* typeControl = new (std::nothrow)
        TypeSwitch(kTypeSwitchRect, this, tag, 3, frameHeight, 3, typeSwitch.get(), GuiPoint(0, 0));
    if (typeControl) typeControl->setValue(effect->getParameter(tag));
    controls[tag] = adopt(typeControl);
}

void FilterDelayEditor::addButtons() {
    const std::int32_t plusHeight = plus ? plus->getHeight() / 2 : 0;
    const std::int32_t minusHeight = minus ? minus->getHeight() / 2 : 0;
    plusButton = adopt(new (std::nothrow) GuiMomentaryButton(kPlusRect, this, kTagPlus, plusHeight,
                                                             plus.get(), GuiPoint(0, 0)));
    minusButton = adopt(new (std::nothrow) GuiMomentaryButton(
        kMinusRect, this, kTagMinus, minusHeight, minus.get(), GuiPoint(0, 0)));
}

void FilterDelayEditor::addDisplay() {
    auto* valueDisplay =
        new (std::nothrow) GuiValueDisplay(kDisplayRect, background.get(), kDisplayStyle);
    if (valueDisplay) {
        valueDisplay->setFont(GuiFontId::kNormal);
        valueDisplay->setTextColor(kColorWhite);
        valueDisplay->setBackgroundOffset(GuiPoint(kDisplayRect.left, kDisplayRect.top));
    }
    display = adopt(valueDisplay);
    shownParameter = -1;
    showDisplayedParameter();
}

// The display follows the parameter last changed (never the filter type);
// it shows that parameter's value even when it was chosen while the panel
// was closed, so "-" and "+" always step what is shown.
void FilterDelayEditor::showDisplayedParameter() {
    if (!display) return;
    const std::int32_t parameter = displayedParameter.load(std::memory_order_acquire);
    display->setValue(effect->getParameter(parameter));
    display->setValueToText(valueTextFor(parameterAt(parameter)));
    if (parameter != shownParameter) {
        // Another parameter with the same value still needs its own text.
        display->setOldValue(display->getValue() == -1.0f ? 0.0f : -1.0f);
        shownParameter = parameter;
    }
}

void FilterDelayEditor::setParameter(VstInt32 index, float) {
    if (!panelOpen.load(std::memory_order_acquire)) return;
    if (isParameter(index)) {
        if (parameterAt(index) != ParameterIndex::Type) {
            displayedParameter.store(index, std::memory_order_release);
        }
        changedParameters.note(index);
    }
    postUpdate();
}

void FilterDelayEditor::update() {
    if (!frame) return;
    const std::uint32_t changed = changedParameters.take();
    for (std::int32_t i = 0; i < kControlCount; ++i) {
        if ((changed & (1u << i)) && controls[i]) controls[i]->setValue(effect->getParameter(i));
    }
    showDisplayedParameter();
}

void FilterDelayEditor::valueChanged(GuiDrawContext* context, GuiControl* control) {
    if (!control) return;
    const std::int32_t tag = control->getTag();
    if (isParameter(tag)) {
        const GuiLifeWatch life = frame ? frame->watchLife() : GuiLifeWatch();
        effect->automateParameter(tag, control->getValue());
        // A host may close the editor or the plug-in while it records the
        // automation; then neither this editor nor the control is there.
        if (life.ended()) return;
        update();
        redrawNow(context, control);
    } else if (tag == kTagValueEntry) {
        setTypedValue();
    } else if (tag == kTagPlus) {
        step(true, plusLatch, context, control);
    } else if (tag == kTagMinus) {
        step(false, minusLatch, context, control);
    }
}

// Every other report of a button acts, beginning with the first: the press
// of a click steps, its release passes.
void FilterDelayEditor::step(bool up, bool& latch, GuiDrawContext* context, GuiControl* button) {
    if (latch) {
        latch = false;
        redrawNow(context, button);
        return;
    }
    latch = true;
    const std::int32_t parameter = displayedParameter.load(std::memory_order_acquire);
    const float current = effect->getParameter(parameter);
    const float change = stepFor(parameterAt(parameter));
    float value = up ? current + change : current - change;
    if (value > 1.0f) value = 1.0f;
    if (value < 0.0f) value = 0.0f;
    const GuiLifeWatch life = frame ? frame->watchLife() : GuiLifeWatch();
    effect->automateParameter(parameter, value);
    if (life.ended()) return;
    update();
    redrawNow(context, button);
}

// The control the user moved and the display answer at once, not at the
// next idle.
void FilterDelayEditor::redrawNow(GuiDrawContext* context, GuiControl* control) {
    if (!context) return;
    control->update(context);
    if (display) display->update(context);
}

}  // namespace molvex
