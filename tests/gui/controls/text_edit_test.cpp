// The text edit end to end on the headless backend: a click opens the
// scripted editor over the control, and each way of ending the editing
// stores, reports and redraws.
#include <cstring>
#include <string>

#include "control_fixture.h"
#include "gui/controls/text_edit.h"
#include "platform/headless/headless_services.h"

namespace {

namespace hl = platform::headless;
using guitest::ControlFixture;

class CountingEdit : public GuiTextEdit {
public:
    using GuiTextEdit::GuiTextEdit;
    void draw(GuiDrawContext* context) override {
        ++draws;
        GuiTextEdit::draw(context);
    }
    std::string stored() const {
        char buffer[kTextSize];
        getText(buffer);
        return buffer;
    }
    int draws = 0;
};

class TextEditTest : public ControlFixture {
protected:
    // 60 x 20 at (20, 30), reporting to the fixture's listener with tag 7.
    CountingEdit* edit(const char* text = "hello") {
        auto* e = add(new CountingEdit(GuiRect(20, 30, 80, 50), &listener, 7, text, nullptr, 0));
        e->setBackColor(kColorBlue);
        e->setTextColor(kColorGreen);
        return e;
    }
    void clickOn(int x, int y, unsigned buttons = kLeft) { press(x, y, buttons, {at(x, y, 0)}); }
};

TEST_F(TextEditTest, APlainLeftClickOpensTheEditorExactlyOverTheControl) {
    auto* e = edit();
    clickOn(40, 40, kRight);
    clickOn(40, 40, kLeft | kShift);
    EXPECT_FALSE(hl::textEntryOpen());

    clickOn(40, 40);
    ASSERT_TRUE(hl::textEntryOpen());
    EXPECT_TRUE(e->isEditing());
    EXPECT_EQ(frame->getFocusView(), e);
    EXPECT_EQ(hl::textEntryWindow(), window);
    const platform::Box box = hl::textEntryBox();
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.top, 30);
    EXPECT_EQ(box.right, 81);  // the far edges are the control's too
    EXPECT_EQ(box.bottom, 51);
    EXPECT_EQ(hl::textEntryFont().height, fontTableEntry(GuiFontId::kNormal).height);

    // A second click while editing does nothing: it is already the focus.
    clickOn(50, 40);
    EXPECT_EQ(hl::textEntriesOpened(), 1);
}

TEST_F(TextEditTest, ReturnStoresReportsOnlyAChangeAndAlwaysRedraws) {
    auto* e = edit();
    editor->idle();
    clickOn(40, 40);
    ASSERT_TRUE(hl::caretToEndOfEntry());  // the entry opens with its text selected
    ASSERT_TRUE(hl::typeIntoEntry(" world"));
    const int drawn = e->draws;
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_EQ(e->stored(), "hello world");
    EXPECT_EQ(listener.tags, std::vector<std::int32_t>{7});
    EXPECT_EQ(e->draws, drawn + 1);
    EXPECT_FALSE(e->isEditing());
    EXPECT_FALSE(hl::textEntryOpen());
    EXPECT_EQ(frame->getFocusView(), nullptr);

    // Unchanged text: redrawn, not reported.
    clickOn(40, 40);
    ASSERT_TRUE(hl::caretToEndOfEntry());
    ASSERT_TRUE(hl::typeIntoEntry("!"));
    ASSERT_TRUE(hl::backspaceInEntry());
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_EQ(listener.tags.size(), 1u);
    EXPECT_EQ(e->draws, drawn + 2);
}

TEST_F(TextEditTest, LosingTheFocusCommitsAsReturnDoes) {
    auto* e = edit("");
    clickOn(40, 40);
    ASSERT_TRUE(hl::typeIntoEntry("abc"));
    ASSERT_TRUE(hl::entryLosesFocus());
    EXPECT_EQ(e->stored(), "abc");
    EXPECT_EQ(listener.tags.size(), 1u);
    EXPECT_EQ(hl::textEntriesClosed(), 1);
}

TEST_F(TextEditTest, AClickElsewhereOnThePanelCommitsAndStillReachesTheViewThere) {
    auto* e = edit();
    auto* other = add(new guitest::ColorView(GuiRect(150, 30, 200, 80), kColorRed));
    clickOn(40, 40);
    ASSERT_TRUE(hl::caretToEndOfEntry());
    ASSERT_TRUE(hl::typeIntoEntry("!"));
    clickOn(160, 40);
    EXPECT_FALSE(hl::textEntryOpen());
    EXPECT_EQ(e->stored(), "hello!");
    EXPECT_EQ(listener.tags.size(), 1u);
    EXPECT_EQ(other->clicks, 1);
    // The editor's own end, arriving after, finds nothing left to end.
    EXPECT_FALSE(hl::entryLosesFocus());
    EXPECT_EQ(listener.tags.size(), 1u);
}

TEST_F(TextEditTest, TheCommittedTextIsDrawnThroughTheTextToTextCallback) {
    static std::string seen;
    static int firstByte = -1;
    auto* e = edit("a");
    e->setTextToText([](const char* stored, char* shown) {
        seen = stored;
        firstByte = shown[0];
        std::strcpy(shown, "MMMM");
    });
    clickOn(40, 40);
    ASSERT_TRUE(hl::caretToEndOfEntry());
    ASSERT_TRUE(hl::typeIntoEntry("b"));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_EQ(seen, "ab");
    EXPECT_EQ(firstByte, 0);
    EXPECT_EQ(pixel(21, 31), (platform::Rgb{0, 0, 255}));
    bool ink = false;
    for (int x = 21; x < 80 && !ink; ++x) {
        for (int y = 31; y < 50 && !ink; ++y)
            ink = pixel(x, y).green > 160 && pixel(x, y).red < 100;
    }
    EXPECT_TRUE(ink);
}

TEST_F(TextEditTest, TextsAreCutAt255BytesOnACharacterBoundary) {
    const std::string tooLong(300, 'q');
    auto* e = edit(tooLong.c_str());
    EXPECT_EQ(e->stored(), std::string(255, 'q'));

    // 254 bytes and a two-byte character: the character does not fit whole.
    const std::string accented = std::string(254, 'a') + "\xC3\xA9";
    e->setText(accented.c_str());
    EXPECT_EQ(e->stored(), std::string(254, 'a'));
    e->setText(nullptr);
    EXPECT_EQ(e->stored(), std::string(254, 'a'));

    e->setText("");
    clickOn(40, 40);
    ASSERT_TRUE(hl::typeIntoEntry(tooLong.c_str()));
    ASSERT_TRUE(hl::pressReturnInEntry());
    EXPECT_EQ(e->stored(), std::string(255, 'q'));

    char small[4];
    EXPECT_EQ(platform::copyTextCut("abcdef", small, sizeof small), 3);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(platform::copyTextCut(nullptr, small, sizeof small), 0);
    EXPECT_STREQ(small, "");
}

TEST_F(TextEditTest, SetTextForcesOneRedraw) {
    auto* e = edit();
    editor->idle();
    const int drawn = e->draws;
    e->setText("other");
    editor->idle();
    editor->idle();
    EXPECT_EQ(e->draws, drawn + 1);
}

TEST_F(TextEditTest, DeletingTheControlWhileEditingClosesTheEditorWithoutAReport) {
    auto* e = edit();
    clickOn(40, 40);
    frame->removeView(e);
    delete e;
    EXPECT_FALSE(hl::textEntryOpen());
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_TRUE(listener.tags.empty());
}

TEST_F(TextEditTest, ClosingTheEditorWhileEditingStoresTheText) {
    struct Keep : ControlListener {
        std::string stored;
        void valueChanged(GuiDrawContext*, GuiControl* c) override {
            char b[GuiTextEdit::kTextSize];
            static_cast<GuiTextEdit*>(c)->getText(b);
            stored = b;
        }
    } keep;
    add(new GuiTextEdit(GuiRect(20, 30, 80, 50), &keep, 7, "hello", nullptr, 0));
    clickOn(40, 40);
    ASSERT_TRUE(hl::caretToEndOfEntry());
    ASSERT_TRUE(hl::typeIntoEntry("?"));
    editor->close();
    EXPECT_EQ(keep.stored, "hello?");
    EXPECT_FALSE(hl::textEntryOpen());
}

}  // namespace
