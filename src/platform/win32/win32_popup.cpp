// The choice menu's popup and the text edit's native "EDIT" window.
#include <windows.h>

#include <cstring>

#include "platform/module_handle.h"
#include "platform/platform.h"

namespace platform {

namespace {

HWND native(WindowHandle window) { return static_cast<HWND>(window); }

// One editing at a time, reached through the edit window's user data; the
// subclass procedure keeps the control's own procedure here, not in a
// module-wide variable.
struct EditSession {
    WNDPROC previous = nullptr;
    bool ended = false;
};

LRESULT CALLBACK editWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* session = reinterpret_cast<EditSession*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!session) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_KILLFOCUS || (message == WM_KEYDOWN && wParam == VK_RETURN)) {
        session->ended = true;
    }
    return CallWindowProcA(session->previous, window, message, wParam, lParam);
}

bool isButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN;
}

// Runs the thread's messages until the editing ends. A button press
// anywhere but the edit window ends it too and stays queued, so the press
// then reaches whatever was clicked; a quit request is put back for the
// host's own loop.
void runEditing(HWND edit, EditSession& session) {
    while (!session.ended && IsWindow(edit)) {
        MSG message{};
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            WaitMessage();
            continue;
        }
        if (isButtonDown(message.message) && message.hwnd != edit) break;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

HWND createEdit(HWND parent, const Box& box, const char* text) {
    HWND edit = CreateWindowExA(0, "EDIT", text, WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL,
                                box.left, box.top, box.right - box.left, box.bottom - box.top,
                                parent, nullptr, static_cast<HINSTANCE>(moduleHandle()), nullptr);
    if (!edit) return nullptr;
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    return edit;
}

}  // namespace

int popupMenu(WindowHandle window, Point where, const char* const* items, int count) {
    if (!window || !IsWindow(native(window)) || !items || count <= 0) return -1;
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    // Identifiers start at 1: TrackPopupMenu answers 0 for "nothing chosen".
    for (int i = 0; i < count; ++i) {
        const char* text = items[i] ? items[i] : "";
        if (std::strcmp(text, "-") == 0) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(i) + 1, text);
    }
    POINT screen{where.x, where.y};
    ClientToScreen(native(window), &screen);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       screen.x, screen.y, 0, native(window), nullptr));
    // The click that closed the popup must not reach the panel as well.
    MSG stale{};
    for (int i = 0; i < 2; ++i) {
        PeekMessageA(&stale, native(window), WM_LBUTTONDOWN, WM_MBUTTONUP, PM_REMOVE);
    }
    DestroyMenu(menu);
    return chosen - 1;
}

bool editText(WindowHandle window, const Box& box, char* text, int capacity) {
    if (!window || !IsWindow(native(window)) || !text || capacity <= 0) return false;
    HWND edit = createEdit(native(window), box, text);
    if (!edit) return false;
    EditSession session;
    SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
    session.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editWindowProc)));
    HWND focusBefore = SetFocus(edit);
    runEditing(edit, session);
    if (IsWindow(edit)) {
        GetWindowTextA(edit, text, capacity);
        SetWindowLongPtrA(edit, GWLP_USERDATA, 0);
        DestroyWindow(edit);
        if (focusBefore && IsWindow(focusBefore)) SetFocus(focusBefore);
        return true;
    }
    return false;
}

}  // namespace platform
