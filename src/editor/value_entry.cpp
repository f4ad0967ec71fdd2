// Typed values: a double-click on the value display opens a ValueEntry over
// it; Return sets the typed value as one gesture, and the finished entry is
// removed at the next idle (see filter_delay_editor.h, Hands).
#include "editor/value_entry.h"

#include <new>

#include "editor/filter_delay_editor.h"
#include "editor/panel_layout.h"
#include "editor/value_parsing.h"
#include "gui/controls/value_display.h"
#include "gui/core/color.h"
#include "gui/core/font_table.h"
#include "gui/core/frame.h"
#include "host/effect_base_ext.h"

namespace molvex {

using namespace panel;

void ValueEntry::focusLost() {
    const bool wasEditing = isEditing();
    GuiTextEdit::focusLost();
    if (wasEditing) finished = true;
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
    // The frame owns what it takes; an entry it cannot take goes here.
    if (!frame->addView(entry)) {
        delete entry;
        return true;
    }
    valueEntry = entry;
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
    if (!valueFromText(static_cast<ParameterIndex>(parameter), typed, value)) return;
    const GuiLifeWatch life = frame ? frame->watchLife() : GuiLifeWatch();
    if (extendedEffect) (void)extendedEffect->beginEdit(parameter);
    if (life.ended()) return;
    effect->automateParameter(parameter, value);
    if (life.ended()) return;
    if (extendedEffect) (void)extendedEffect->endEdit(parameter);
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

}  // namespace molvex
