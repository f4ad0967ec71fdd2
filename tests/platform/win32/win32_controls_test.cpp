// The toolkit's text edit and choice menu on a test panel in a host's
// window, driven through the system's input queue as a user would: click,
// type and Return; click, choose an entry with the keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "gui/controls/choice_menu.h"
#include "gui/controls/text_edit.h"
#include "gui/core/control_listener.h"
#include "gui/core/frame.h"
#include "platform/module_handle.h"
#include "platform/win32/win32_windows.h"

namespace {

struct Listener final : ControlListener {
    std::vector<std::int32_t> tags;
    void valueChanged(GuiDrawContext*, GuiControl* control) override {
        tags.push_back(control->getTag());
    }
};

void pumpFor(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() < end);
}

// Pumps until `done` holds or two seconds have passed; wine under load
// takes a while to turn queued input into messages.
template <typename Condition>
bool pumpUntil(Condition done) {
    const DWORD end = GetTickCount() + 2000;
    while (!done() && GetTickCount() < end) pumpFor(10);
    return done();
}

void sendKeys(const std::vector<WORD>& keys) {
    for (WORD key : keys) {
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(40);
    }
}

class TestPanel : public ::testing::Test {
protected:
    void SetUp() override {
        setModuleHandle(GetModuleHandleA(nullptr));
        host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 400,
                               200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(host, nullptr);
        SetForegroundWindow(host);
        frame = new GuiFrame(GuiRect(0, 0, 300, 80), host, nullptr);
        edit = new GuiTextEdit(GuiRect(10, 10, 110, 30), &listener, 1, "ab", nullptr, 0);
        menu = new GuiChoiceMenu(GuiRect(150, 10, 250, 30), &listener, 2, nullptr, nullptr, 0);
        for (const char* entry : {"low", "-", "high", "band"}) menu->addEntry(entry);
        ASSERT_TRUE(frame->addView(edit));
        ASSERT_TRUE(frame->addView(menu));
        UpdateWindow(platform::win32::nativeWindow(frame->getWindow()));
        pumpFor(100);
    }
    void TearDown() override {
        delete frame;
        DestroyWindow(host);
        pumpFor(50);
    }

    // A left click with the real pointer at a point of the panel.
    void click(int x, int y) {
        POINT p{x, y};
        ClientToScreen(platform::win32::nativeWindow(frame->getWindow()), &p);
        SetCursorPos(p.x, p.y);
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, input, sizeof(INPUT));
    }

    HWND host = nullptr;
    GuiFrame* frame = nullptr;
    GuiTextEdit* edit = nullptr;
    GuiChoiceMenu* menu = nullptr;
    Listener listener;
};

TEST_F(TestPanel, TypingAndReturnStoreTheTextAndReportOnce) {
    click(60, 20);
    ASSERT_TRUE(pumpUntil([&] { return edit->isEditing(); }));
    HWND entry = GetFocus();
    char className[16] = "";
    GetClassNameA(entry, className, sizeof className);
    EXPECT_STREQ(className, "Edit");
    sendKeys({VK_END, 'X', 'Y', VK_RETURN});
    EXPECT_TRUE(pumpUntil([&] { return !edit->isEditing(); }));
    EXPECT_FALSE(IsWindow(entry));
    char text[256] = "";
    edit->getText(text);
    EXPECT_STREQ(text, "abxy");
    EXPECT_EQ(listener.tags, std::vector<std::int32_t>{1});
}

// The edit control opens with its text selected: typing replaces it.
TEST_F(TestPanel, TypingReplacesTheOpeningText) {
    click(60, 20);
    ASSERT_TRUE(pumpUntil([&] { return edit->isEditing(); }));
    sendKeys({'X', 'Y', VK_RETURN});
    EXPECT_TRUE(pumpUntil([&] { return !edit->isEditing(); }));
    char text[256] = "";
    edit->getText(text);
    EXPECT_STREQ(text, "xy");
}

TEST_F(TestPanel, AClickElsewhereEndsTheEditingWithTheTextUnchangedAndNoReport) {
    click(60, 20);
    ASSERT_TRUE(pumpUntil([&] { return edit->isEditing(); }));
    click(200, 60);  // the panel outside both controls
    EXPECT_TRUE(pumpUntil([&] { return !edit->isEditing(); }));
    char text[256] = "";
    edit->getText(text);
    EXPECT_STREQ(text, "ab");
    EXPECT_TRUE(listener.tags.empty());
}

TEST_F(TestPanel, ChoosingAnEntryOfThePopupSelectsItAndReportsOnce) {
    // The popup's own loop runs inside the click; the keys come meanwhile.
    std::thread user([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        sendKeys({VK_DOWN, VK_DOWN, VK_RETURN});
    });
    click(200, 20);
    pumpUntil([&] { return !listener.tags.empty(); });
    user.join();
    pumpFor(100);
    EXPECT_FALSE(menu->isPopupOpen());
    char chosen[256] = "";
    EXPECT_EQ(menu->getCurrent(chosen), 2);
    EXPECT_STREQ(chosen, "high");
    EXPECT_EQ(listener.tags, std::vector<std::int32_t>{2});
}

}  // namespace
