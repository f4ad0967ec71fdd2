// The choice menu's popup: TrackPopupMenu on the panel's window.
#include <windows.h>

#include "platform/platform.h"
#include "platform/shared/scale.h"
#include "platform/win32/win32_windows.h"

namespace platform {

int popupMenu(WindowHandle window, Point where, const MenuEntry* items, int count) {
    HWND owner = win32::nativeWindow(window);
    if (!owner || !items || count <= 0) return -1;
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    // Identifiers start at 1: TrackPopupMenu answers 0 for "nothing chosen".
    for (int i = 0; i < count; ++i) {
        if (items[i].separator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        char text[kTextCapacity];
        copyTextCut(items[i].text, text, kTextCapacity);
        AppendMenuA(menu, MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED),
                    static_cast<UINT_PTR>(i) + 1, text);
    }
    if (const auto* record = shared::registry().find(window))
        where = shared::toDevicePoint(*record, where);
    POINT screen{where.x, where.y};
    ClientToScreen(owner, &screen);
    const auto chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
        screen.x, screen.y, 0, owner, nullptr));
    // The press that closed the popup must not reach the panel as well.
    MSG stale{};
    for (int i = 0; i < 2; ++i)
        PeekMessageA(&stale, owner, WM_LBUTTONDOWN, WM_MBUTTONUP, PM_REMOVE);
    DestroyMenu(menu);
    return chosen > 0 && chosen <= count ? chosen - 1 : -1;
}

}  // namespace platform
