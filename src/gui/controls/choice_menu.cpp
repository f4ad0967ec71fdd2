#include "gui/controls/choice_menu.h"

#include <cstring>
#include <new>

#include "gui/core/bitmap.h"
#include "gui/core/draw_context.h"
#include "gui/core/frame.h"
#include "platform/platform.h"

namespace {

bool isSeparator(const char* text) { return std::strcmp(text, "-") == 0; }

}  // namespace

GuiChoiceMenu::GuiChoiceMenu(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                             GuiBitmap* background, GuiBitmap* clickBitmap, std::int32_t style)
    : GuiValueDisplay(size, background, style), clickBitmap(clickBitmap) {
    this->listener = listener;
    this->tag = tag;
}

GuiChoiceMenu::~GuiChoiceMenu() { removeAllEntries(); }

bool GuiChoiceMenu::addEntry(const char* text, std::int32_t index) {
    if (entryCount >= kMaxEntries) return false;
    char* buffer = new (std::nothrow) char[kTextSize];
    if (!buffer) return false;
    platform::copyTextCut(text, buffer, kTextSize);
    // An index past the end appends rather than leaving a hole.
    if (index < 0 || index > entryCount) index = entryCount;
    for (std::int32_t i = entryCount; i > index; --i) entries[i] = entries[i - 1];
    entries[index] = buffer;
    if (current >= index) ++current;
    ++entryCount;
    if (current < 0) current = 0;
    return true;
}

std::int32_t GuiChoiceMenu::getCurrent(char* out) const {
    if (current < 0) return -1;
    if (out) std::memcpy(out, entries[current], std::strlen(entries[current]) + 1);
    return current;
}

bool GuiChoiceMenu::setCurrent(std::int32_t index) {
    if (index < 0 || index >= entryCount || isSeparator(entries[index])) return false;
    current = index;
    forceShownRedraw();
    return true;
}

bool GuiChoiceMenu::getEntry(std::int32_t index, char* out) const {
    if (index < 0 || index >= entryCount) return false;
    if (out) std::memcpy(out, entries[index], std::strlen(entries[index]) + 1);
    return true;
}

bool GuiChoiceMenu::removeEntry(std::int32_t index) {
    if (index < 0 || index >= entryCount) return false;
    delete[] entries[index];
    for (std::int32_t i = index; i + 1 < entryCount; ++i) entries[i] = entries[i + 1];
    entries[--entryCount] = nullptr;
    if (current >= index) --current;
    if (entryCount == 0) current = -1;
    forceShownRedraw();
    return true;
}

bool GuiChoiceMenu::removeAllEntries() {
    for (std::int32_t i = 0; i < entryCount; ++i) {
        delete[] entries[i];
        entries[i] = nullptr;
    }
    entryCount = 0;
    current = -1;
    forceShownRedraw();
    return true;
}

void GuiChoiceMenu::currentText(char (&out)[kTextSize]) const {
    out[0] = 0;
    if (current >= 0) std::memcpy(out, entries[current], std::strlen(entries[current]) + 1);
}

void GuiChoiceMenu::draw(GuiDrawContext* context) {
    char text[kTextSize];
    currentText(text);
    drawText(context, text, nullptr);
}

void GuiChoiceMenu::mouseDown(GuiDrawContext* context, const GuiPoint&) {
    if (!mouseEnabled || !frame || !context || popupOpen) return;
    const GuiMouseState state = context->getMouseButtons();
    if (state != GuiMouse::kLeft && state != 0) return;
    if (clickBitmap) {
        char text[kTextSize];
        currentText(text);
        drawText(context, text, clickBitmap.get());
    }
    frame->setFocusView(this);
    focusGained();
}

void GuiChoiceMenu::focusGained() {
    if (!frame) return;
    platform::WindowHandle window = frame->getWindow();
    int chosen = -1;
    if (window && entryCount > 0) {
        platform::MenuEntry rows[kMaxEntries];
        for (std::int32_t i = 0; i < entryCount; ++i) {
            rows[i].text = entries[i];
            rows[i].separator = isSeparator(entries[i]);
            rows[i].checked = (style & GuiMenuStyle::kCheckSelected) != 0 && i == current;
        }
        const platform::Point where{size.left,
                                    (style & GuiMenuStyle::kPopupAtTop) ? size.top : size.bottom};
        popupOpen = true;
        chosen = platform::popupMenu(window, where, rows, entryCount);
        popupOpen = false;
    }
    frame->setFocusView(nullptr);
    // The list may have changed while the popup ran.
    if (chosen >= entryCount) chosen = -1;
    if (chosen < 0 && !clickBitmap) return;
    auto surface = window ? platform::acquireWindowSurface(window) : nullptr;
    GuiDrawContext context(frame, surface.get(), window);
    if (chosen >= 0) {
        current = chosen;
        if (listener) listener->valueChanged(&context, this);
    }
    draw(&context);
}

// The popup is modal and closes by itself; nothing is left to end here.
void GuiChoiceMenu::focusLost() {}
