// GuiTextEdit: a value display that holds a text instead of showing its
// value. A plain left click opens the system's single-line editor exactly
// over the control; Return, the editor losing the keyboard focus, or a
// click elsewhere on the panel ends the editing. Every end stores what the
// editor holds (there is no cancel), tells the listener when the text
// changed, and redraws the control.
//
// | state   | editWindow | frame's focus view | leaves by                    |
// |---------|------------|--------------------|------------------------------|
// | idle    | null       | anything else      | plain left click -> editing  |
// | editing | open       | this control       | Return, focus loss, a click  |
// |         |            |                    | outside routed by the frame  |
//
// A plain left click is the left button with no modifier and no other
// button; a press whose button is already up when it is delivered (hosts
// whose message loop runs at idle) counts as one. A click on the control
// while it edits does nothing.
//
// With setReturnOnly(true) only Return stores: Escape ends the editing as
// well, and Escape or the focus going leave the text as it was, unreported.
//
// Texts hold at most 255 bytes; longer ones are cut at a character
// boundary, never written past.
//
// Virtual operations after GuiValueDisplay's: 28 setText, 29 getText,
// 30 setTextToText. It overrides draw, mouseDown, focusLost, focusGained.
//
// Ownership: the editor window belongs to the control while it edits;
// deleting the control closes it without a report.
// Threads: user-interface thread only; a commit runs from inside the
// backend's delivery of the editor's messages.
#pragma once

#include <cstdint>

#include "gui/controls/value_display.h"
#include "platform/platform.h"

// Turns the stored text into the shown text; `shown` is a 256-byte buffer
// whose first byte is 0.
using GuiTextToText = void (*)(const char* stored, char* shown);

class GuiTextEdit : public GuiValueDisplay {
public:
    // A null text is the empty text.
    GuiTextEdit(const GuiRect& size, ControlListener* listener, std::int32_t tag, const char* text,
                GuiBitmap* background, std::int32_t style);
    ~GuiTextEdit() override;

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
    // Ends the editing: stores, reports a change, redraws.
    void focusLost() override;
    // Opens the editor window.
    void focusGained() override;

    // Null does nothing; otherwise stores and forces the next redraw.
    virtual void setText(const char* newText);
    // Copies the text (at most 256 bytes with its terminator) when `out` is
    // not null.
    virtual void getText(char* out) const;
    virtual void setTextToText(GuiTextToText callback) { textToText = callback; }

    bool isEditing() const { return editWindow != nullptr; }
    void setReturnOnly(bool on) { returnOnly = on; }

private:
    static void editingEnded(void* owner);

    platform::TextEntryHandle editWindow = nullptr;
    char text[kTextSize] = {};
    GuiTextToText textToText = nullptr;
    bool returnOnly = false;
};
