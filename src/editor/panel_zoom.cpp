// The panel's zoom: the rectangle the host is told at each scale, the
// bitmap sets swapped with the window's scale, and the background menu
// that lets the user choose one (see filter_delay_editor.h, Scale).
#include "editor/filter_delay_editor.h"
#include "editor/panel_bitmap_set.h"
#include "editor/panel_layout.h"
#include "gui/core/bitmap.h"
#include "gui/core/frame.h"
#include "host/effect_base_ext.h"

namespace molvex {

using namespace panel;

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

void FilterDelayEditor::askHostToResize() {
    if (!extendedEffect || !extendedEffect->askHostCapability("sizeWindow")) return;
    (void)extendedEffect->requestWindowSize(rect.right - rect.left, rect.bottom - rect.top);
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

}  // namespace molvex
