// Who chooses the panel's scale: each source alone, then their order.
#include "editor/panel_scale.h"

#include <gtest/gtest.h>

namespace {

using molvex::PanelScale;
using molvex::ScaleSources;

struct Played {
    const char* environment = nullptr;
    int dpi = 0;
    platform::NativeWindow askedFor = nullptr;
    int desktopAsked = 0;
};

ScaleSources playing(Played& played) {
    ScaleSources sources;
    sources.environment = [&played] { return played.environment; };
    sources.desktopDpi = [&played](platform::NativeWindow parent) {
        played.askedFor = parent;
        ++played.desktopAsked;
        return played.dpi;
    };
    return sources;
}

TEST(PanelScaleTest, TheDesktopsDpiGivesTheNearestScaleWithBitmaps) {
    EXPECT_EQ(PanelScale::fromDpi(0), 0);
    EXPECT_EQ(PanelScale::fromDpi(-5), 0);
    EXPECT_EQ(PanelScale::fromDpi(96), 100);
    EXPECT_EQ(PanelScale::fromDpi(110), 100);
    EXPECT_EQ(PanelScale::fromDpi(120), 150);  // 125 % rounds up to the next set
    EXPECT_EQ(PanelScale::fromDpi(144), 150);
    EXPECT_EQ(PanelScale::fromDpi(167), 150);
    EXPECT_EQ(PanelScale::fromDpi(168), 200);
    EXPECT_EQ(PanelScale::fromDpi(192), 200);
    EXPECT_EQ(PanelScale::fromDpi(288), 200);
}

TEST(PanelScaleTest, TheVariableTakesFactorsAndPerCentsAndNothingElse) {
    EXPECT_EQ(PanelScale::fromText("1"), 100);
    EXPECT_EQ(PanelScale::fromText("1.5"), 150);
    EXPECT_EQ(PanelScale::fromText("2"), 200);
    EXPECT_EQ(PanelScale::fromText("150"), 150);
    EXPECT_EQ(PanelScale::fromText("200 %"), 200);
    EXPECT_EQ(PanelScale::fromText("3"), 200);
    for (const char* bad : {"", "abc", "1.5x", "0", "-2", "nan", "inf"})
        EXPECT_EQ(PanelScale::fromText(bad), 0) << bad;
    EXPECT_EQ(PanelScale::fromText(nullptr), 0);
}

TEST(PanelScaleTest, WithNoSourceThePanelIsUnscaled) {
    Played played;
    PanelScale scale(playing(played));
    EXPECT_EQ(scale.current(nullptr), 100);
    PanelScale empty{ScaleSources{}};
    EXPECT_EQ(empty.current(nullptr), 100);
}

TEST(PanelScaleTest, TheDesktopIsAskedForTheHostsWindow) {
    Played played;
    played.dpi = 144;
    PanelScale scale(playing(played));
    int parent = 0;
    EXPECT_EQ(scale.current(&parent), 150);
    EXPECT_EQ(played.askedFor, &parent);
}

TEST(PanelScaleTest, WithoutAWindowTheDesktopIsAskedOnce) {
    Played played;
    played.dpi = 144;
    PanelScale scale(playing(played));
    EXPECT_EQ(scale.current(nullptr), 150);
    EXPECT_EQ(scale.current(nullptr), 150);
    EXPECT_EQ(played.desktopAsked, 1);
    int parent = 0;
    played.dpi = 192;  // a host window on another screen is asked every time
    EXPECT_EQ(scale.current(&parent), 200);
    EXPECT_EQ(scale.current(&parent), 200);
    EXPECT_EQ(played.desktopAsked, 3);
}

TEST(PanelScaleTest, TheVariableOverridesTheDesktop) {
    Played played;
    played.dpi = 192;
    played.environment = "1";
    PanelScale scale(playing(played));
    EXPECT_EQ(scale.current(nullptr), 100);
    played.environment = "junk";  // says nothing: the desktop answers
    EXPECT_EQ(scale.current(nullptr), 200);
}

TEST(PanelScaleTest, TheHostOverridesTheVariableAndTheUserOverridesAll) {
    Played played;
    played.dpi = 192;
    played.environment = "1.5";
    PanelScale scale(playing(played));
    scale.setHostScale(100);
    EXPECT_EQ(scale.current(nullptr), 100);
    scale.chooseUser(200);
    EXPECT_EQ(scale.current(nullptr), 200);
    EXPECT_EQ(scale.userChoice(), 200);
    scale.setHostScale(0);
    scale.chooseUser(0);  // no choice: the variable again
    EXPECT_EQ(scale.current(nullptr), 150);
}

}  // namespace
