#include "gui/controls/text_edit.h"

#include <cstdio>
#include <cstring>

#include "gui/core/draw_context.h"
#include "gui/core/frame.h"

GuiTextEdit::GuiTextEdit(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                         const char* initial, GuiBitmap* background, std::int32_t style)
    : GuiValueDisplay(size, background, style) {
    this->listener = listener;
    this->tag = tag;
    platform::copyTextCut(initial, text, kTextSize);
}

GuiTextEdit::~GuiTextEdit() {
    // The editor would otherwise report to a control that is gone.
    platform::closeTextEntry(editWindow);
    if (frame && frame->getFocusView() == this) frame->setFocusView(nullptr);
}

void GuiTextEdit::draw(GuiDrawContext* context) {
    char shown[kTextSize];
    if (textToText) {
        shown[0] = 0;
        textToText(text, shown);
        shown[kTextSize - 1] = 0;
    } else {
        std::snprintf(shown, kTextSize, "%s", text);
    }
    drawText(context, shown, nullptr);
}

void GuiTextEdit::mouseDown(GuiDrawContext* context, const GuiPoint&) {
    if (!mouseEnabled || !frame || !context) return;
    const GuiMouseState state = context->getMouseButtons();
    if (state != GuiMouse::kLeft && state != 0) return;
    if (frame->getFocusView() == this) return;
    frame->setFocusView(this);
    focusGained();
}

void GuiTextEdit::focusGained() {
    if (editWindow || !frame || !frame->getWindow()) return;
    platform::TextEntryRequest request;
    // The editor covers the control's far edges as well.
    request.box = platform::Box{size.left, size.top, size.right + 1, size.bottom + 1};
    request.text = text;
    request.font = fontTableEntry(font);
    request.owner = this;
    request.done = &GuiTextEdit::editingEnded;
    request.escapeEnds = returnOnly;
    editWindow = platform::openTextEntry(frame->getWindow(), request);
    if (!editWindow) frame->setFocusView(nullptr);
}

void GuiTextEdit::editingEnded(void* owner) {
    auto* edit = static_cast<GuiTextEdit*>(owner);
    GuiFrame* frame = edit->frame;
    edit->focusLost();
    if (frame) frame->setFocusView(nullptr);
}

void GuiTextEdit::focusLost() {
    if (!editWindow) return;
    char old[kTextSize];
    std::memcpy(old, text, kTextSize);
    if (!returnOnly || platform::textEntryConfirmed(editWindow))
        platform::textEntryText(editWindow, text, kTextSize);
    platform::TextEntryHandle closing = editWindow;
    editWindow = nullptr;
    platform::closeTextEntry(closing);
    if (!frame) return;
    frame->setFocusView(nullptr);
    platform::WindowHandle window = frame->getWindow();
    auto surface = window ? platform::acquireWindowSurface(window) : nullptr;
    // Without a surface the context draws nothing; the listener still hears.
    GuiDrawContext context(frame, surface.get(), window);
    if (std::strcmp(old, text) != 0 && listener) listener->valueChanged(&context, this);
    draw(&context);
}

void GuiTextEdit::setText(const char* newText) {
    if (!newText) return;
    platform::copyTextCut(newText, text, kTextSize);
    oldValue = value == 0.0f ? 1.0f : 0.0f;
}

void GuiTextEdit::getText(char* out) const {
    if (out) std::memcpy(out, text, std::strlen(text) + 1);
}
