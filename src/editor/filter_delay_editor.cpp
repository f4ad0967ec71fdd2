#include "editor/filter_delay_editor.h"

#include <new>

#include "editor/panel_bitmap_set.h"
#include "editor/type_switch.h"
#include "editor/value_entry.h"
#include "editor/value_parsing.h"
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

namespace {

constexpr std::int32_t kBackgroundId = 120;
constexpr std::int32_t kKnobBodyId = 121;
constexpr std::int32_t kKnobHandleId = 122;
constexpr std::int32_t kTypeSwitchId = 123;
constexpr std::int32_t kPlusId = 124;
constexpr std::int32_t kMinusId = 125;
constexpr std::int32_t kDisplayStyle = 2;

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
constexpr GuiRect kDisplayRect{252, 22, 284, 38};

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

FilterDelayEditor::FilterDelayEditor(EffectBase* effect)
    : FilterDelayEditor(effect, systemSources()) {}

FilterDelayEditor::FilterDelayEditor(EffectBase* effect, ScaleSources scaleSources)
    : GuiEditorBase(effect), scale(std::move(scaleSources)) {
    loadOnce(background, kBackgroundId);
    setRectForScale(100);
}

void FilterDelayEditor::setRectForScale(std::int32_t scalePercent) {
    if (!background) return;
    rect =
        ERect{0, 0, static_cast<std::int16_t>(scaledLength(background->getHeight(), scalePercent)),
              static_cast<std::int16_t>(scaledLength(background->getWidth(), scalePercent))};
}

VstIntPtr FilterDelayEditor::getRect(ERect** rectOut) {
    // Before the panel opens, the size it will open at; the parent is not
    // known yet, so a desktop that answers per window answers for none.
    if (!frame) setRectForScale(scale.current(nullptr));
    return GuiEditorBase::getRect(rectOut);
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
    frame = new (std::nothrow) GuiFrame(size, parent, this);
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
    delete frame;
    frame = nullptr;
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

bool FilterDelayEditor::scaleBitmaps(std::int32_t scalePercent) {
    struct Slot {
        GuiBitmap* bitmap;
        std::int32_t id;
    };
    const Slot slots[] = {{background.get(), kBackgroundId},
                          {knobBody.get(), kKnobBodyId},
                          {knobHandle.get(), kKnobHandleId},
                          {typeSwitch.get(), kTypeSwitchId},
                          {plus.get(), kPlusId},
                          {minus.get(), kMinusId}};
    bool all = true;
    for (const Slot& slot : slots) {
        if (!slot.bitmap) continue;
        std::int32_t frames = 1;
        for (const PanelBitmap& known : kPanelBitmaps) {
            if (known.id == slot.id) frames = known.frames;
        }
        all =
            slot.bitmap->loadForScale(panelBitmapId(slot.id, scalePercent), scalePercent, frames) &&
            all;
    }
    return all;
}

bool FilterDelayEditor::showAtScale(std::int32_t scalePercent) {
    if (!frame || panelBitmapId(kBackgroundId, scalePercent) == 0) return false;
    if (scalePercent == shownScale) return true;
    const std::int32_t previous = shownScale;
    // The window first: a system that cannot scale keeps every bitmap.
    if (!frame->setScale(scalePercent)) return false;
    if (!scaleBitmaps(scalePercent)) {
        (void)scaleBitmaps(previous);
        (void)frame->setScale(previous);
        return false;
    }
    shownScale = scalePercent;
    setRectForScale(scalePercent);
    frame->drawView(nullptr);
    return true;
}

void FilterDelayEditor::beginEdit(GuiControl* control) {
    auto* host = dynamic_cast<EffectBaseExt*>(effect);
    if (host && control && isParameter(control->getTag())) (void)host->beginEdit(control->getTag());
}

void FilterDelayEditor::endEdit(GuiControl* control) {
    auto* host = dynamic_cast<EffectBaseExt*>(effect);
    if (host && control && isParameter(control->getTag())) (void)host->endEdit(control->getTag());
}

bool FilterDelayEditor::viewDoubleClicked(GuiView* view) {
    if (!frame || !display || view != display || valueEntry) return false;
    char text[GuiValueDisplay::kTextSize] = {};
    display->makeText(text);
    auto* entry = new (std::nothrow)
        ValueEntry(kDisplayRect, this, kTagValueEntry, text, background.get(), kDisplayStyle);
    if (!entry) return true;
    entry->setFont(GuiFontId::kNormal);
    entry->setTextColor(kColorWhite);
    entry->setBackgroundOffset(GuiPoint(kDisplayRect.left, kDisplayRect.top));
    valueEntry = adopt(entry);
    if (!valueEntry) return true;
    frame->setFocusView(valueEntry);
    valueEntry->focusGained();
    if (!valueEntry->isEditing()) dropValueEntry();
    return true;
}

// Return on a changed text: the displayed parameter takes the typed value,
// as one gesture; text that is no value is ignored.
void FilterDelayEditor::setTypedValue() {
    if (!valueEntry) return;
    char typed[GuiValueDisplay::kTextSize] = {};
    valueEntry->getText(typed);
    const std::int32_t parameter = displayedParameter.load(std::memory_order_acquire);
    float value = 0.0f;
    if (!valueFromText(parameterAt(parameter), typed, value)) return;
    auto* host = dynamic_cast<EffectBaseExt*>(effect);
    const GuiLifeWatch life = frame ? frame->watchLife() : GuiLifeWatch();
    if (host) (void)host->beginEdit(parameter);
    if (life.ended()) return;
    effect->automateParameter(parameter, value);
    if (life.ended()) return;
    if (host) (void)host->endEdit(parameter);
    if (life.ended()) return;
    if (controls[parameter]) controls[parameter]->setValue(value);
    showDisplayedParameter();
}

void FilterDelayEditor::dropValueEntry() {
    if (!frame || !valueEntry) return;
    frame->removeView(valueEntry);
    delete valueEntry;
    valueEntry = nullptr;
    // The display is drawn again where the entry was.
    if (display) display->setOldValue(display->getValue() == -1.0f ? 0.0f : -1.0f);
}

void FilterDelayEditor::idle() {
    if (valueEntry && valueEntry->isFinished()) {
        dropValueEntry();
        postUpdate();
    }
    GuiEditorBase::idle();
}

void FilterDelayEditor::askHostToResize() {
    auto* host = dynamic_cast<EffectBaseExt*>(effect);
    if (!host || !host->askHostCapability("sizeWindow")) return;
    (void)host->requestWindowSize(rect.right - rect.left, rect.bottom - rect.top);
}

void FilterDelayEditor::backgroundMenu(const GuiPoint& where) {
    if (!frame) return;
    static constexpr const char* kTexts[] = {"100 %", "150 %", "200 %"};
    platform::MenuEntry entries[3];
    for (int i = 0; i < 3; ++i) {
        entries[i].text = kTexts[i];
        entries[i].checked = kPanelScales[i] == shownScale;
    }
    const GuiLifeWatch life = frame->watchLife();
    const std::int32_t chosen = frame->popupMenu(where, entries, 3);
    if (life.ended() || chosen < 0 || chosen > 2) return;
    scale.chooseUser(kPanelScales[chosen]);
    if (kPanelScales[chosen] != shownScale && showAtScale(kPanelScales[chosen])) askHostToResize();
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
