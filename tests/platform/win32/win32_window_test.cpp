// The win32 window backend under wine: the window class, child windows in a
// host's window, decoded messages, the toolkit's frame over many open/close
// cycles, live input, the popup menu and the EDIT entry, and the plug-in
// library's own bitmaps loaded back through the backend.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "beside_program.h"
#include "gui/core/frame.h"
#include "gui/core/window_class.h"
#include "host/vst2_interface.h"
#include "molvex_bitmap_table.h"
#include "platform/module_handle.h"
#include "platform/platform.h"
#include "platform/win32/gdi_surface.h"
#include "platform/win32/win32_windows.h"

namespace {

constexpr const char* kClass = "MolvexBackendTest";

std::vector<platform::WindowMessage> received;

void recordMessage(platform::WindowHandle, const platform::WindowMessage& message) {
    received.push_back(message);
    // A paint fills the window, so the test can read the paint back.
    if (message.kind == platform::MessageKind::paint && message.surface) {
        (void)message.surface->setBrush(platform::Rgb{0, 128, 0});
        message.surface->fillBox(platform::Box{0, 0, 1000, 1000});
    }
}

// A top-level window standing in for the host's editor window.
class HostWindow : public ::testing::Test {
protected:
    void SetUp() override {
        setModuleHandle(GetModuleHandleA(nullptr));
        received.clear();
        parent = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500,
                                 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        pump();
    }
    void TearDown() override {
        if (parent && IsWindow(parent)) DestroyWindow(parent);
        pump();
    }
    static void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    HWND parent = nullptr;
};

TEST_F(HostWindow, ClassCarriesArrowCursorAndButtonFaceAndGoesAwayOnUnregister) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kClass, &info));
    EXPECT_EQ(info.style, 0u);
    EXPECT_EQ(info.hCursor, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(info.hbrBackground,
              reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(info.cbClsExtra, 0);
    EXPECT_EQ(info.cbWndExtra, 0);
    // A second registration of the same name is refused by the system.
    EXPECT_FALSE(platform::registerWindowClass(kClass, recordMessage));
    platform::unregisterWindowClass(kClass);
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), kClass, &info));
}

TEST_F(HostWindow, ChildSitsInsideTheParentAndDecodesItsMessages) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    platform::WindowHandle child = platform::createChildWindow(kClass, "Window", parent, 420, 64);
    ASSERT_NE(child, nullptr);
    HWND hwnd = platform::win32::nativeWindow(child);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetParent(hwnd), parent);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 64);
    char title[32] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "Window");
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE),
              static_cast<LONG>(WS_CHILD | WS_VISIBLE));

    int frame = 7;
    platform::setWindowUserData(child, &frame);
    EXPECT_EQ(platform::windowUserData(child), &frame);

    // Coordinates are unsigned 16-bit halves of lParam.
    received.clear();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 40));
    SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(0xFFFF, 2));
    SendMessageA(hwnd, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(1, 1));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].kind, platform::MessageKind::leftButtonDown);
    EXPECT_EQ(received[0].where.x, 300);
    EXPECT_EQ(received[0].where.y, 40);
    EXPECT_EQ(received[1].kind, platform::MessageKind::rightButtonDown);
    EXPECT_EQ(received[1].where.x, 65535);

    // A paint only with an update region; its drawing reaches the window.
    received.clear();
    ValidateRect(hwnd, nullptr);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    EXPECT_TRUE(received.empty());
    platform::invalidateWindow(child);
    UpdateWindow(hwnd);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].kind, platform::MessageKind::paint);
    auto surface = platform::acquireWindowSurface(child);
    ASSERT_NE(surface, nullptr);
    const auto& gdi = dynamic_cast<const platform::win32::GdiSurface&>(*surface);
    EXPECT_EQ(GetPixel(gdi.dc(), 10, 10), RGB(0, 128, 0));
    surface.reset();

    // The host destroys its window: the child hears of it, and destroying
    // it afterwards is harmless.
    received.clear();
    DestroyWindow(parent);
    parent = nullptr;
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].kind, platform::MessageKind::destroy);
    EXPECT_EQ(platform::win32::liveWindows(), 0);
    EXPECT_EQ(platform::acquireWindowSurface(child), nullptr);
    platform::destroyWindow(child);
    EXPECT_TRUE(received.size() == 1u);  // no second destroy
    EXPECT_EQ(platform::windowUserData(child), nullptr);
    platform::unregisterWindowClass(kClass);
}

TEST_F(HostWindow, NoChildForAParentThatIsNotAWindow) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    EXPECT_EQ(platform::createChildWindow(kClass, "Window", nullptr, 10, 10), nullptr);
    EXPECT_EQ(
        platform::createChildWindow(kClass, "Window", reinterpret_cast<void*>(0x1234), 10, 10),
        nullptr);
    EXPECT_EQ(platform::win32::liveWindows(), 0);
    platform::unregisterWindowClass(kClass);
}

TEST_F(HostWindow, ScreenToClientFollowsTheChildsPlaceOnScreen) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    platform::WindowHandle child = platform::createChildWindow(kClass, "Window", parent, 100, 50);
    POINT origin{0, 0};
    ClientToScreen(platform::win32::nativeWindow(child), &origin);
    const platform::Point p = platform::screenToClient(child, {origin.x + 7, origin.y + 9});
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
    // The pointer is read live from the system.
    ASSERT_TRUE(SetCursorPos(origin.x + 3, origin.y + 4));
    const platform::Point pointer = platform::pointerPosition();
    EXPECT_EQ(pointer.x, origin.x + 3);
    EXPECT_EQ(pointer.y, origin.y + 4);
    platform::destroyWindow(child);
    platform::unregisterWindowClass(kClass);
}

// The counts the toolkit's frame leaves behind after opening and closing,
// with a paint and a click in each cycle.
TEST_F(HostWindow, FiftyFrameCyclesLeaveNoWindowClassOrGdiObjectBehind) {
    const int objectsBefore = platform::win32::liveGdiObjects();
    const DWORD systemGdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD systemUserBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 50; ++i) {
        auto* frame = new GuiFrame(GuiRect(0, 0, 420, 64), parent, nullptr);
        HWND window = platform::win32::nativeWindow(frame->getWindow());
        ASSERT_NE(window, nullptr);
        UpdateWindow(window);
        EXPECT_FALSE(frame->isFirstDrawPending());
        SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
        pump();
        delete frame;
        EXPECT_FALSE(IsWindow(window));
    }
    pump();
    EXPECT_EQ(platform::win32::liveWindows(), 0);
    EXPECT_EQ(platform::win32::liveGdiObjects(), objectsBefore);
    EXPECT_EQ(windowClassUseCount(), 0);
    WNDCLASSA info{};
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), windowClassName(), &info));
    // Wine (9.x here) answers 0 for both, so the backend's own counts above
    // carry the check; on a system that counts, nothing may grow either.
    if (systemGdiBefore > 0) {
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemGdiBefore + 2);
    }
    if (systemUserBefore > 0) {
        EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), systemUserBefore + 2);
    }
}

TEST(Win32Input, TickCountAdvancesInMilliseconds) {
    const std::uint32_t start = platform::tickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const std::uint32_t elapsed = platform::tickCount() - start;
    EXPECT_GE(elapsed, 40u);
    EXPECT_LT(elapsed, 5000u);
}

// Keys pressed through the system's input queue, as a user would, once the
// modal loop under test has started.
void typeLater(std::vector<WORD> keys) {
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    for (WORD key : keys) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
}

TEST_F(HostWindow, PopupMenuAnswersTheChosenEntrySkippingSeparators) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    platform::WindowHandle child = platform::createChildWindow(kClass, "Window", parent, 200, 50);
    SetForegroundWindow(parent);
    platform::MenuEntry items[4];
    items[0].text = "low";
    items[1].separator = true;
    items[2].text = "high";
    items[2].checked = true;
    items[3].text = "band";
    std::thread user(typeLater, std::vector<WORD>{VK_DOWN, VK_DOWN, VK_RETURN});
    const int chosen = platform::popupMenu(child, platform::Point{10, 40}, items, 4);
    user.join();
    EXPECT_EQ(chosen, 2);

    std::thread cancel(typeLater, std::vector<WORD>{VK_ESCAPE});
    EXPECT_EQ(platform::popupMenu(child, platform::Point{10, 40}, items, 4), -1);
    cancel.join();
    platform::destroyWindow(child);
    platform::unregisterWindowClass(kClass);
}

// What a text edit control does when its entry reports the end: read the
// text, close the entry from inside the call.
struct EntryOwner {
    platform::TextEntryHandle entry = nullptr;
    char text[platform::kTextCapacity] = "";
    int endings = 0;
    static void done(void* self) {
        auto* owner = static_cast<EntryOwner*>(self);
        ++owner->endings;
        platform::textEntryText(owner->entry, owner->text, sizeof owner->text);
        platform::closeTextEntry(owner->entry);
        owner->entry = nullptr;
    }
};

void pumpUntil(const bool& finished, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!finished && GetTickCount() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

TEST_F(HostWindow, TextEntryEndsOnReturnWithWhatWasTypedAndGivesTheFocusBack) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    platform::WindowHandle child = platform::createChildWindow(kClass, "Window", parent, 200, 50);
    HWND hwnd = platform::win32::nativeWindow(child);
    SetForegroundWindow(parent);
    SetFocus(parent);
    const int objects = platform::win32::liveGdiObjects();

    EntryOwner owner;
    platform::TextEntryRequest request;
    request.box = platform::Box{10, 10, 110, 30};
    request.text = "ab";
    request.owner = &owner;
    request.done = &EntryOwner::done;
    owner.entry = platform::openTextEntry(child, request);
    ASSERT_NE(owner.entry, nullptr);
    HWND edit = GetWindow(hwnd, GW_CHILD);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    char className[16] = "";
    GetClassNameA(edit, className, sizeof className);
    EXPECT_STREQ(className, "Edit");
    char before[8] = "";
    EXPECT_EQ(platform::textEntryText(owner.entry, before, sizeof before), 2);

    std::thread user(typeLater, std::vector<WORD>{VK_END, 'X', 'Y', VK_RETURN, 'Z'});
    bool finished = false;
    std::thread watch([&] {
        user.join();
        finished = true;
    });
    pumpUntil(finished, 5000);
    watch.join();
    pump();
    EXPECT_EQ(owner.endings, 1);
    EXPECT_STREQ(owner.text, "abxy");
    EXPECT_EQ(GetWindow(hwnd, GW_CHILD), nullptr);
    EXPECT_EQ(GetFocus(), parent);
    EXPECT_EQ(platform::win32::liveGdiObjects(), objects);
    // A closed entry reads as empty and closes again harmlessly.
    char after[8] = "x";
    EXPECT_EQ(platform::textEntryText(owner.entry, after, sizeof after), 0);
    platform::closeTextEntry(owner.entry);
    platform::destroyWindow(child);
    platform::unregisterWindowClass(kClass);
}

TEST_F(HostWindow, TextEntryEndsWhenItLosesTheFocus) {
    ASSERT_TRUE(platform::registerWindowClass(kClass, recordMessage));
    platform::WindowHandle child = platform::createChildWindow(kClass, "Window", parent, 200, 50);
    EntryOwner owner;
    platform::TextEntryRequest request;
    request.box = platform::Box{0, 0, 100, 20};
    request.text = "keep";
    request.owner = &owner;
    request.done = &EntryOwner::done;
    owner.entry = platform::openTextEntry(child, request);
    ASSERT_NE(owner.entry, nullptr);
    SetFocus(parent);
    EXPECT_EQ(owner.endings, 1);
    EXPECT_STREQ(owner.text, "keep");
    platform::destroyWindow(child);
    platform::unregisterWindowClass(kClass);
}

// Each bitmap in resources/bitmaps is a resource of the plug-in library,
// and loads through the backend at the size its file says.
TEST(PluginBitmaps, EveryPanelBitmapLoadsFromTheLibraryAtItsSize) {
    HMODULE library = LoadLibraryA(besideThisProgram(MOLVEX_DLL_NAME).c_str());
    ASSERT_NE(library, nullptr);
    setModuleHandle(library);
    for (const MolvexBitmapSize& bitmap : kMolvexBitmapSizes) {
        if (bitmap.id == 0) continue;
        auto image = platform::loadBitmapResource(bitmap.id);
        ASSERT_NE(image, nullptr) << "bitmap " << bitmap.id;
        EXPECT_EQ(image->width(), bitmap.width) << "bitmap " << bitmap.id;
        EXPECT_EQ(image->height(), bitmap.height) << "bitmap " << bitmap.id;
    }
    EXPECT_EQ(platform::loadBitmapResource(4242), nullptr);
    setModuleHandle(GetModuleHandleA(nullptr));
    FreeLibrary(library);
}

VstIntPtr answerHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The plug-in library in a host's window: each open makes the panel's child
// window of the module's class, each close takes it away again, and the
// class goes with the last editor.
TEST_F(HostWindow, FiftyEditorCyclesOfTheLibraryLeaveNoWindowOrClassBehind) {
    HMODULE library = LoadLibraryA(besideThisProgram(MOLVEX_DLL_NAME).c_str());
    ASSERT_NE(library, nullptr);
    using Entry = AEffect* (*)(HostCallback);
    auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "main")));
    ASSERT_NE(entry, nullptr);
    AEffect* effect = entry(&answerHost);
    ASSERT_NE(effect, nullptr);
    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    char className[32];
    std::snprintf(className, sizeof className, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(library)));
    WNDCLASSA info{};
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, parent, 0.0f), 1);
        HWND panel = GetWindow(parent, GW_CHILD);
        ASSERT_NE(panel, nullptr);
        char name[32] = "";
        GetClassNameA(panel, name, sizeof name);
        EXPECT_STREQ(name, className);
        EXPECT_TRUE(GetClassInfoA(library, className, &info));
        UpdateWindow(panel);
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        pump();
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr) << "cycle " << i;
        EXPECT_FALSE(IsWindow(panel));
    }
    EXPECT_FALSE(GetClassInfoA(library, className, &info));
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    FreeLibrary(library);
}

}  // namespace
