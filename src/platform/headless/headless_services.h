// The headless backend's popup menu and text entry, driven by tests.
//
// Popup menus: popupMenu records what it was asked to show and answers the
// next scripted choice (-1 when none is scripted, or for a window that is
// not live). A scripted index that is
// out of range or names a separator answers -1, as a real popup would never
// return one.
//
// Text entry: openTextEntry opens a virtual entry holding the request's text
// (cut to 255 bytes), all of it selected as a real entry opens; the test then types, presses Return
// or takes the focus away, which calls the owner's `done` exactly as a real window would. Only the
// entry opened last can be driven; every call answers false when no entry is open.
//
// State is one per process, for the user-interface thread only, and is
// cleared by headless::reset().
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::headless {

struct ShownEntry {
    std::string text;
    bool separator = false;
    bool checked = false;
};

struct ShownMenu {
    WindowHandle window = nullptr;
    Point where;
    std::vector<ShownEntry> entries;
};

void scriptMenuChoice(int index);
// Popups shown since reset, oldest first.
const std::vector<ShownMenu>& shownMenus();

bool textEntryOpen();
// The open entry's window, box and font as requested.
WindowHandle textEntryWindow();
Box textEntryBox();
FontRequest textEntryFont();
// Replaces the selected text, else inserts at the end, as typing with the
// cursor at the end would; what would pass 255 bytes is dropped.
bool typeIntoEntry(const char* text);
// Backspace at the end: removes the selected text, else the last character.
bool backspaceInEntry();
// End (or a click after the text): the selection goes, the caret is at the end.
bool caretToEndOfEntry();
bool entryTextSelected();
bool pressReturnInEntry();
// Ends the editing as Escape does when the request asked for it
// (escapeEnds); otherwise Escape is ignored and this answers false.
bool pressEscapeInEntry();
bool entryLosesFocus();
// Entries opened and closed since reset.
int textEntriesOpened();
int textEntriesClosed();

// Called by reset().
void resetServices();

}  // namespace platform::headless
