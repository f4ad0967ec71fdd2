// The choice menu: its entry list, and the popup end to end on the headless
// backend (what it shows, where, and what a choice or a cancel does).
#include <string>

#include "control_fixture.h"
#include "gui/controls/choice_menu.h"
#include "platform/headless/headless_services.h"

namespace {

namespace hl = platform::headless;
using guitest::ControlFixture;

class ChoiceMenuTest : public ControlFixture {
protected:
    // 60 x 20 at (20, 30), reporting with tag 9.
    GuiChoiceMenu* menu(std::int32_t style = 0, GuiBitmap* click = nullptr) {
        auto* m =
            add(new GuiChoiceMenu(GuiRect(20, 30, 80, 50), &listener, 9, nullptr, click, style));
        m->setBackColor(kColorBlue);
        m->setTextColor(kColorGreen);
        return m;
    }
    static std::string entry(const GuiChoiceMenu& m, int i) {
        char b[GuiChoiceMenu::kTextSize] = "untouched";
        return m.getEntry(i, b) ? b : "(none)";
    }
    static std::string current(const GuiChoiceMenu& m) {
        char b[GuiChoiceMenu::kTextSize] = "untouched";
        return m.getCurrent(b) < 0 ? "(none)" : b;
    }
    void clickOn(int x, int y, unsigned buttons = kLeft) { press(x, y, buttons, {at(x, y, 0)}); }
};

TEST_F(ChoiceMenuTest, InsertionsAndRemovalsKeepTheSameTextSelected) {
    GuiChoiceMenu m(GuiRect(0, 0, 10, 10), nullptr, 0, nullptr, nullptr, 0);
    EXPECT_EQ(m.getCurrent(), -1);
    EXPECT_TRUE(m.addEntry("a"));
    EXPECT_EQ(m.getCurrent(), 0);  // the first entry added is selected
    m.addEntry("b");
    m.addEntry("c");
    ASSERT_TRUE(m.setCurrent(2));
    m.addEntry("front", 0);
    EXPECT_EQ(m.getCurrent(), 3);
    EXPECT_EQ(current(m), "c");
    m.addEntry("middle", 2);  // front a middle b c
    EXPECT_EQ(entry(m, 2), "middle");
    EXPECT_EQ(entry(m, 3), "b");
    EXPECT_EQ(current(m), "c");

    ASSERT_TRUE(m.removeEntry(4));  // the selected one: the one before it
    EXPECT_EQ(current(m), "b");
    ASSERT_TRUE(m.removeEntry(0));
    EXPECT_EQ(current(m), "b");
    EXPECT_EQ(m.getEntryCount(), 3);
    EXPECT_FALSE(m.removeEntry(3));
    EXPECT_FALSE(m.removeEntry(-1));
    EXPECT_FALSE(m.getEntry(3, nullptr));
    EXPECT_EQ(m.getEntryCount(), 3);

    // An index past the end appends instead of leaving a hole.
    ASSERT_TRUE(m.addEntry("far", 40));
    EXPECT_EQ(m.getEntryCount(), 4);
    EXPECT_EQ(entry(m, 3), "far");

    EXPECT_TRUE(m.removeAllEntries());
    EXPECT_EQ(m.getEntryCount(), 0);
    EXPECT_EQ(m.getCurrent(), -1);
}

// Inserting at the selected index puts the new entry before the selected
// one, which moves down a place and stays selected.
TEST_F(ChoiceMenuTest, InsertingAtTheSelectedIndexMovesTheSelectionWithItsText) {
    GuiChoiceMenu m(GuiRect(0, 0, 10, 10), nullptr, 0, nullptr, nullptr, 0);
    m.addEntry("a");
    m.addEntry("b");
    m.addEntry("c");
    ASSERT_TRUE(m.setCurrent(1));
    ASSERT_TRUE(m.addEntry("new", 1));  // a new b c
    EXPECT_EQ(m.getCurrent(), 2);
    EXPECT_EQ(current(m), "b");
    ASSERT_TRUE(m.setCurrent(0));
    ASSERT_TRUE(m.addEntry("first", 0));
    EXPECT_EQ(current(m), "a");
}

TEST_F(ChoiceMenuTest, RemovingTheSelectedFirstEntryLeavesNoSelection) {
    GuiChoiceMenu m(GuiRect(0, 0, 10, 10), nullptr, 0, nullptr, nullptr, 0);
    m.addEntry("a");
    m.addEntry("b");
    m.addEntry("c");
    ASSERT_TRUE(m.removeEntry(0));
    EXPECT_EQ(m.getCurrent(), -1);
    char b[GuiChoiceMenu::kTextSize] = "untouched";
    EXPECT_EQ(m.getCurrent(b), -1);
    EXPECT_STREQ(b, "untouched");
    m.removeEntry(0);
    m.removeEntry(0);
    EXPECT_EQ(m.getCurrent(), -1);
}

TEST_F(ChoiceMenuTest, SeparatorsCannotBeSelectedAndTheListHoldsAtMost128) {
    GuiChoiceMenu m(GuiRect(0, 0, 10, 10), nullptr, 0, nullptr, nullptr, 0);
    m.addEntry("a");
    m.addEntry("-");
    m.addEntry(nullptr);
    EXPECT_FALSE(m.setCurrent(1));
    EXPECT_EQ(m.getCurrent(), 0);
    EXPECT_TRUE(m.setCurrent(2));
    EXPECT_EQ(current(m), "");
    EXPECT_FALSE(m.setCurrent(3));
    EXPECT_FALSE(m.setCurrent(-1));

    while (m.getEntryCount() < GuiChoiceMenu::kMaxEntries) ASSERT_TRUE(m.addEntry("x"));
    EXPECT_FALSE(m.addEntry("one too many"));
    EXPECT_FALSE(m.addEntry("one too many", 0));
    EXPECT_EQ(m.getEntryCount(), 128);

    const std::string tooLong(400, 'z');
    m.removeAllEntries();
    m.addEntry(tooLong.c_str());
    EXPECT_EQ(entry(m, 0), std::string(255, 'z'));
}

TEST_F(ChoiceMenuTest, ThePopupShowsEveryEntryAtTheBottomLeftWithTheCheckWhereAsked) {
    auto* m = menu(GuiMenuStyle::kCheckSelected);
    m->addEntry("one");
    m->addEntry("-");
    m->addEntry("three");
    m->setCurrent(2);
    clickOn(40, 40);
    ASSERT_EQ(hl::shownMenus().size(), 1u);
    const hl::ShownMenu& shown = hl::shownMenus()[0];
    EXPECT_EQ(shown.window, window);
    EXPECT_EQ(shown.where.x, 20);
    EXPECT_EQ(shown.where.y, 50);
    ASSERT_EQ(shown.entries.size(), 3u);
    EXPECT_EQ(shown.entries[0].text, "one");
    EXPECT_FALSE(shown.entries[0].separator);
    EXPECT_TRUE(shown.entries[1].separator);
    EXPECT_FALSE(shown.entries[0].checked);
    EXPECT_TRUE(shown.entries[2].checked);
    EXPECT_EQ(frame->getFocusView(), nullptr);  // the popup has closed

    auto* top = add(new GuiChoiceMenu(GuiRect(100, 30, 160, 50), &listener, 1, nullptr, nullptr,
                                      GuiMenuStyle::kPopupAtTop));
    top->addEntry("only");
    clickOn(110, 40);
    ASSERT_EQ(hl::shownMenus().size(), 2u);
    EXPECT_EQ(hl::shownMenus()[1].where.x, 100);
    EXPECT_EQ(hl::shownMenus()[1].where.y, 30);
    EXPECT_FALSE(hl::shownMenus()[1].entries[0].checked);  // no check without the style
}

TEST_F(ChoiceMenuTest, AChoiceSelectsReportsAndRedrawsEvenWhenUnchanged) {
    auto* m = menu();
    m->addEntry("one");
    m->addEntry("two");
    hl::scriptMenuChoice(1);
    clickOn(40, 40);
    EXPECT_EQ(m->getCurrent(), 1);
    EXPECT_EQ(listener.tags, std::vector<std::int32_t>{9});
    EXPECT_EQ(pixel(21, 31), (platform::Rgb{0, 0, 255}));

    hl::scriptMenuChoice(1);
    clickOn(40, 40);
    EXPECT_EQ(listener.tags.size(), 2u);
    EXPECT_EQ(m->getValue(), 0.0f);  // choices never touch the value
}

TEST_F(ChoiceMenuTest, CancelOrASeparatorChangesNothingAndTellsNobody) {
    auto* m = menu();
    m->addEntry("one");
    m->addEntry("-");
    m->addEntry("three");
    clickOn(40, 40);  // nothing scripted: Escape or a click outside
    hl::scriptMenuChoice(1);
    clickOn(40, 40);
    EXPECT_EQ(m->getCurrent(), 0);
    EXPECT_TRUE(listener.tags.empty());

    clickOn(40, 40, kRight);
    clickOn(40, 40, kLeft | kControl);
    EXPECT_EQ(hl::shownMenus().size(), 2u);
}

class CountingMenu : public GuiChoiceMenu {
public:
    using GuiChoiceMenu::GuiChoiceMenu;
    void draw(GuiDrawContext* context) override {
        ++draws;
        GuiChoiceMenu::draw(context);
    }
    int draws = 0;
};

TEST_F(ChoiceMenuTest, WithAClickBitmapEvenACancelRedrawsToTakeItAway) {
    GuiBitmap* click = bitmap(guitest::kLitCoordinates);
    auto* plain = add(new CountingMenu(GuiRect(20, 30, 80, 50), &listener, 1, nullptr, nullptr, 0));
    auto* pictured =
        add(new CountingMenu(GuiRect(100, 30, 160, 50), &listener, 2, nullptr, click, 0));
    EXPECT_EQ(click->getRefCount(), 2);
    plain->addEntry("one");
    pictured->addEntry("one");
    editor->idle();
    const int plainDraws = plain->draws;
    const int picturedDraws = pictured->draws;
    clickOn(40, 40);
    clickOn(110, 40);
    EXPECT_EQ(plain->draws, plainDraws);
    EXPECT_EQ(pictured->draws, picturedDraws + 1);
    EXPECT_NE(pixel(101, 31), coordinate(1, 1));  // the field again, not the picture
    EXPECT_TRUE(listener.tags.empty());
}

}  // namespace
