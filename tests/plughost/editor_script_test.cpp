// Editor scripts: every command as written, and refusals that name the line.
#include <gtest/gtest.h>

#include <sstream>

#include "editor/editor_script.h"
#include "error.h"

namespace {

using Kind = ScriptCommand::Kind;

std::vector<ScriptCommand> parse(const std::string& text) {
    std::istringstream in(text);
    return parseEditorScript(in, "drag.txt");
}

std::string refusal(const std::string& text) {
    try {
        parse(text);
    } catch (const HostError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(EditorScript, ReadsEveryCommand) {
    const auto c = parse(
        "# a drag\n"
        "\n"
        "press 171 26\r\n"
        "  move 171 -5\n"
        "release\n"
        "key shift+Tab\n"
        "type 250 ms # not a comment\n"
        "wait 12.5\n"
        "screenshot out/panel.png\n"
        "set 4 0.25\n");
    ASSERT_EQ(c.size(), 8u);
    EXPECT_EQ(c[0].kind, Kind::press);
    EXPECT_EQ(c[0].x, 171);
    EXPECT_EQ(c[0].y, 26);
    EXPECT_EQ(c[0].line, 3);
    EXPECT_EQ(c[1].kind, Kind::move);
    EXPECT_EQ(c[1].y, -5);  // beyond the window: drags leave it
    EXPECT_EQ(c[2].kind, Kind::release);
    EXPECT_EQ(c[3].kind, Kind::key);
    EXPECT_EQ(c[3].text, "shift+Tab");
    EXPECT_EQ(c[4].kind, Kind::type);
    EXPECT_EQ(c[4].text, "250 ms # not a comment");
    EXPECT_EQ(c[5].kind, Kind::wait);
    EXPECT_DOUBLE_EQ(c[5].milliseconds, 12.5);
    EXPECT_EQ(c[6].kind, Kind::screenshot);
    EXPECT_EQ(c[6].text, "out/panel.png");
    EXPECT_EQ(c[7].kind, Kind::set);
    EXPECT_EQ(c[7].index, 4);
    EXPECT_FLOAT_EQ(c[7].value, 0.25f);
    EXPECT_EQ(c[7].line, 10);
}

TEST(EditorScript, RefusalsNameTheLine) {
    EXPECT_EQ(refusal("wait 10\nclick 3 4\n"), "drag.txt:2: unknown command 'click'");
    EXPECT_EQ(refusal("press 3\n"), "drag.txt:1: expected: press X Y");
    EXPECT_EQ(refusal("move 3 4 5\n"), "drag.txt:1: expected: move X Y");
    EXPECT_EQ(refusal("press 3.5 4\n"), "drag.txt:1: bad coordinate '3.5'");
    EXPECT_EQ(refusal("press 99999 4\n"), "drag.txt:1: bad coordinate '99999'");
    EXPECT_EQ(refusal("release now\n"), "drag.txt:1: expected: release");
    EXPECT_EQ(refusal("type\n"), "drag.txt:1: expected: type TEXT");
    EXPECT_EQ(refusal("wait soon\n"), "drag.txt:1: bad wait 'soon'");
    EXPECT_EQ(refusal("wait -1\n"), "drag.txt:1: wait -1 out of range");
    EXPECT_EQ(refusal("set 4 1.5\n"), "drag.txt:1: value 1.5 out of range");
    EXPECT_EQ(refusal("set -1 0.5\n"), "drag.txt:1: bad index '-1'");
    EXPECT_EQ(refusal("set cutoff 0.5\n"), "drag.txt:1: bad index 'cutoff'");
    EXPECT_EQ(refusal("screenshot\n"), "drag.txt:1: expected: screenshot PNG");
}

TEST(EditorScript, WheelTurnsUpOrDownByWholeNotches) {
    const auto c = parse("wheel 62 26 up 3\nwheel 1 2 down 1\n");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].kind, Kind::wheel);
    EXPECT_EQ(c[0].x, 62);
    EXPECT_EQ(c[0].y, 26);
    EXPECT_EQ(c[0].index, 3);
    EXPECT_EQ(c[1].index, -1);
    EXPECT_EQ(refusal("wheel 1 2 left 3\n"), "drag.txt:1: expected: wheel X Y up|down N");
    EXPECT_EQ(refusal("wheel 1 2 up\n"), "drag.txt:1: expected: wheel X Y up|down N");
    EXPECT_EQ(refusal("wheel 1 2 up 0\n"), "drag.txt:1: notches 0 out of range");
    EXPECT_EQ(refusal("wheel 1 2 up 1.5\n"), "drag.txt:1: bad notches '1.5'");
}

TEST(EditorScript, MissingFileIsOneLine) {
    try {
        loadEditorScript("/no/such/script.txt");
        FAIL() << "accepted a missing file";
    } catch (const HostError& e) {
        EXPECT_STREQ(e.what(), "/no/such/script.txt: cannot open script");
    }
}

}  // namespace
