// GuiChoiceMenu: a value display that holds a list of text entries and
// shows the selected one. A plain left click opens the system's popup of
// all entries at the control's bottom edge (top edge with GuiMenuStyle::kPopupAtTop);
// choosing an entry selects it and tells the listener, even when it was
// selected already. An entry whose text is exactly "-" shows as a separator
// and can never be selected. Escape or a click outside the popup chooses
// nothing and tells nobody.
//
// Entry list: at most 128 entries of at most 255 bytes each (longer texts
// are cut at a character boundary). `current` is -1 for none; the first
// entry added is selected, and insertions and removals keep the same text
// selected where they can:
// | operation           | current afterwards                                |
// |---------------------|---------------------------------------------------|
// | addEntry at i       | +1 when current >= i; 0 when it was -1            |
// | removeEntry i       | -1 step when current >= i (the one before); -1    |
// |                     | when the list is empty                            |
// | removeAllEntries    | -1                                                |
// | setCurrent i        | i, unless out of range or a separator (false)     |
// None of them changes `value`; those that change what is shown force the
// next redraw.
//
// | style bit          | effect                                              |
// |--------------------|-----------------------------------------------------|
// | GuiMenuStyle::kPopupAtTop    | the popup's top-left corner at the control's top    |
// | GuiMenuStyle::kCheckSelected | the selected entry carries a check mark in the popup|
//
// With a click bitmap the control shows it from the press until the popup
// closes.
//
// Virtual operations after GuiValueDisplay's: 28 addEntry, 29 getCurrent,
// 30 setCurrent, 31 getEntry, 32 removeEntry, 33 removeAllEntries,
// 34 getEntryCount. It overrides draw, mouseDown, focusLost, focusGained.
//
// Ownership: each entry's 256-byte buffer is the control's; the click
// bitmap holds one reference.
// Threads: user-interface thread only; the popup's modal loop runs on it.
#pragma once

#include <cstdint>

#include "gui/controls/value_display.h"
#include "gui/core/bitmap_ref.h"

// The choice menu's own style bits, beside the display's.
struct GuiMenuStyle {
    static constexpr std::int32_t kPopupAtTop = 0x200;
    static constexpr std::int32_t kCheckSelected = 0x400;
};

class GuiChoiceMenu : public GuiValueDisplay {
public:
    static constexpr std::int32_t kMaxEntries = 128;

    GuiChoiceMenu(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                  GuiBitmap* background, GuiBitmap* clickBitmap, std::int32_t style);
    ~GuiChoiceMenu() override;

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;
    // Nothing: the popup closes by itself.
    void focusLost() override;
    // Runs the popup and returns when it has closed.
    void focusGained() override;

    // A negative index appends; 0 .. count inserts before that position. A
    // null text is the empty text. False for a 129th entry or when memory
    // runs out.
    virtual bool addEntry(const char* text, std::int32_t index = -1);
    // Copies the selected text into `out` (256 bytes) when not null;
    // returns the selected index, -1 (nothing copied) for none.
    virtual std::int32_t getCurrent(char* out = nullptr) const;
    virtual bool setCurrent(std::int32_t index);
    virtual bool getEntry(std::int32_t index, char* out) const;
    virtual bool removeEntry(std::int32_t index);
    virtual bool removeAllEntries();
    virtual std::int32_t getEntryCount() const { return entryCount; }

    bool isPopupOpen() const { return popupOpen; }

private:
    void currentText(char (&out)[kTextSize]) const;
    void forceShownRedraw() { oldValue = value == 0.0f ? 1.0f : 0.0f; }

    bool popupOpen = false;
    char* entries[kMaxEntries] = {};
    std::int32_t entryCount = 0;
    std::int32_t current = -1;
    GuiBitmapRef clickBitmap;
};
