// The text edit's entry: a system "EDIT" window subclassed so that Return
// and the loss of the keyboard focus end the editing.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/module_handle.h"
#include "platform/platform.h"
#include "platform/shared/scale.h"
#include "platform/win32/gdi_surface.h"
#include "platform/win32/win32_windows.h"

namespace platform {

namespace win32 {

struct TextEntry {
    HWND edit = nullptr;
    HFONT font = nullptr;
    WNDPROC previous = nullptr;
    HWND focusBefore = nullptr;
    void* owner = nullptr;
    TextEntryDone done = nullptr;
    bool ended = false;
    bool confirmed = false;
    bool escapeEnds = false;
    // What the window held when the system destroyed it with its parent.
    std::string lastText;
};

State::State() = default;
// Here, where a text entry is a complete type.
State::~State() = default;

}  // namespace win32

using win32::state;
using win32::TextEntry;

namespace {

TextEntry* findEntry(const void* handle) {
    auto it = std::find_if(state().textEntries.begin(), state().textEntries.end(),
                           [&](const auto& e) { return e.get() == handle; });
    return it == state().textEntries.end() ? nullptr : it->get();
}

std::string windowText(HWND window) {
    char buffer[kTextCapacity] = "";
    GetWindowTextA(window, buffer, kTextCapacity);
    return buffer;
}

// Ends the editing once. The callee normally closes the entry from inside
// `done`; then the window is gone and the message must not be passed on.
bool endEditing(TextEntry& entry) {
    if (entry.ended || !entry.done) return false;
    // Hidden: the system is destroying it with its parent, which is no
    // user's end of editing (and the toolkit's window is going too).
    if (!IsWindowVisible(entry.edit)) return false;
    entry.ended = true;
    entry.done(entry.owner);
    return findEntry(&entry) == nullptr;
}

LRESULT CALLBACK editWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* entry = reinterpret_cast<TextEntry*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!entry) return DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC previous = entry->previous;
    if (message == WM_KEYDOWN && wParam == VK_RETURN && !entry->ended) entry->confirmed = true;
    if (message == WM_KILLFOCUS || (message == WM_KEYDOWN && wParam == VK_RETURN) ||
        (message == WM_KEYDOWN && wParam == VK_ESCAPE && entry->escapeEnds)) {
        if (endEditing(*entry)) return 0;
    }
    // Escape as a character would only beep.
    if (message == WM_CHAR && wParam == 0x1B && entry->escapeEnds) return 0;
    // Return has ended the editing; as a character it would only beep.
    if (message == WM_CHAR && wParam == '\r') return 0;
    if (message == WM_DESTROY) entry->lastText = windowText(window);
    if (message == WM_NCDESTROY) entry->edit = nullptr;
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

BYTE pitchAndFamilyOf(const FontRequest& font) {
    const BYTE pitch = font.pitch == FontPitch::variable ? VARIABLE_PITCH : DEFAULT_PITCH;
    const BYTE family = font.family == FontFamily::decorative ? FF_DECORATIVE : FF_SWISS;
    return static_cast<BYTE>(pitch | family);
}

HFONT createEntryFont(const FontRequest& font) {
    return CreateFontA(-font.height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
                       pitchAndFamilyOf(font), font.face ? font.face : "");
}

}  // namespace

TextEntryHandle openTextEntry(WindowHandle window, const TextEntryRequest& asked) {
    HWND parent = win32::nativeWindow(window);
    if (!parent) return nullptr;
    // The edit window is native: device pixels of a scaled panel.
    TextEntryRequest request = asked;
    if (const auto* record = shared::registry().find(window)) {
        request.box = shared::toDeviceBox(*record, asked.box);
        request.font.height = shared::toDevice(asked.font.height, record->scalePercent);
    }
    char text[kTextCapacity];
    copyTextCut(request.text, text, kTextCapacity);
    auto entry = std::make_unique<TextEntry>();
    entry->edit = CreateWindowExA(
        0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL, request.box.left,
        request.box.top, request.box.right - request.box.left, request.box.bottom - request.box.top,
        parent, nullptr, static_cast<HINSTANCE>(moduleHandle()), nullptr);
    if (!entry->edit) return nullptr;
    entry->owner = request.owner;
    entry->done = request.done;
    entry->escapeEnds = request.escapeEnds;
    entry->font = createEntryFont(request.font);
    if (entry->font) {
        win32::countCreated();
        SendMessageA(entry->edit, WM_SETFONT, reinterpret_cast<WPARAM>(entry->font), TRUE);
    }
    SendMessageA(entry->edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SendMessageA(entry->edit, EM_SETLIMITTEXT, kTextCapacity - 1, 0);
    SetWindowLongPtrA(entry->edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(entry.get()));
    entry->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(entry->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editWindowProc)));
    state().textEntries.push_back(std::move(entry));
    TextEntry& opened = *state().textEntries.back();
    opened.focusBefore = SetFocus(opened.edit);
    // Opened with its text selected, so typing replaces it; outside a
    // dialog the edit control selects nothing by itself.
    SendMessageA(opened.edit, EM_SETSEL, 0, -1);
    return &opened;
}

int textEntryText(TextEntryHandle handle, char* out, int capacity) {
    const TextEntry* entry = findEntry(handle);
    if (!entry) return copyTextCut("", out, capacity);
    const std::string text = entry->edit ? windowText(entry->edit) : entry->lastText;
    return copyTextCut(text.c_str(), out, capacity);
}

// The subclass comes off first, so the focus loss that destroying the
// window causes ends no editing.
bool textEntryConfirmed(TextEntryHandle handle) {
    const TextEntry* entry = findEntry(handle);
    return entry && entry->confirmed;
}

void closeTextEntry(TextEntryHandle handle) {
    TextEntry* entry = findEntry(handle);
    if (!entry) return;
    if (entry->edit && IsWindow(entry->edit)) {
        SetWindowLongPtrA(entry->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->previous));
        SetWindowLongPtrA(entry->edit, GWLP_USERDATA, 0);
        const bool hadFocus = GetFocus() == entry->edit;
        DestroyWindow(entry->edit);
        if (hadFocus && entry->focusBefore && IsWindow(entry->focusBefore)) {
            SetFocus(entry->focusBefore);
        }
    }
    if (entry->font) {
        DeleteObject(entry->font);
        win32::countDeleted();
    }
    std::erase_if(state().textEntries, [&](const auto& e) { return e.get() == entry; });
}

}  // namespace platform
