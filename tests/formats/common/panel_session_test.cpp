// The panel session's two duties toward a format: gestures around every
// change the panel reports, and the scale the host said.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "effect/filter_delay_effect.h"
#include "formats/common/panel_session.h"
#include "platform/headless/headless_system.h"

namespace {

using namespace molvex;
namespace hl = platform::headless;

struct RecordingHost : PanelHost {
    std::vector<std::string> heard;
    void edited(ParameterIndex p, float v) override {
        heard.push_back("edit " + std::to_string(toIndex(p)) + " " +
                        std::to_string(v).substr(0, 3));
    }
    void gestureBegins(ParameterIndex p) override {
        heard.push_back("begin " + std::to_string(toIndex(p)));
    }
    void gestureEnds(ParameterIndex p) override {
        heard.push_back("end " + std::to_string(toIndex(p)));
    }
    bool canResize() override { return true; }
    bool resize(int, int) override { return false; }
};

TEST(PanelSession, ChangesOutsideAGestureAreBracketedUntilTheIdleEnds) {
    RecordingHost host;
    PanelSession session(host, std::nullopt);
    FilterDelayEffect& model = session.getModel();
    model.automateParameter(1, 0.3f);
    model.automateParameter(1, 0.4f);
    session.idle();
    model.beginEdit(2);
    model.automateParameter(2, 0.5f);
    session.idle();
    model.endEdit(2);
    model.automateParameter(kParameterCount, 0.5f);
    session.setNormalized(ParameterIndex::Delay, NAN);
    session.idle();
    EXPECT_EQ(model.getParameter(ParameterIndex::Delay), 0.4f);
    EXPECT_TRUE(model.askHostCapability("sizeWindow"));
    EXPECT_FALSE(model.askHostCapability("openFileSelector"));
    const std::vector<std::string> expected = {"begin 1", "edit 1 0.3", "edit 1 0.4", "end 1",
                                               "begin 2", "edit 2 0.5", "end 2"};
    EXPECT_EQ(host.heard, expected);
}

// The host's word on the scale, when it says one, wins over the desktop's;
// only a host that says nothing leaves the choice to the desktop.
TEST(PanelSession, AnOfferedScaleWinsOverTheDesktop) {
    struct Case {
        std::optional<double> offered;
        int dpi;
        int width;
    } cases[] = {{1.0, 192, 420},
                 {std::nullopt, 192, 840},
                 {1.5, 96, 630},
                 {2.0, 96, 840},
                 {std::nullopt, 96, 420}};
    unsetenv("MOLVEX_UI_SCALE");
    for (const Case& c : cases) {
        hl::reset();
        hl::setDesktopDpi(c.dpi);
        RecordingHost host;
        {
            PanelSession session(host, c.offered);
            ASSERT_TRUE(session.open(hl::makeParentWindow()));
            EXPECT_EQ(session.width(), c.width) << c.offered.value_or(0) << " " << c.dpi;
        }
        hl::reset();
    }
}

}  // namespace
