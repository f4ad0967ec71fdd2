// Command-line parsing: what is accepted, and that every refusal names the
// option and the text it could not use.
#include <gtest/gtest.h>

#include "cli.h"
#include "error.h"

namespace {

using Args = std::vector<std::string>;

std::string usageError(void (*parse)(const Args&), const Args& args) {
    try {
        parse(args);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

void render(const Args& a) { parseRender(a); }
void bench(const Args& a) { parseBench(a); }
void validate(const Args& a) { parseValidate(a); }
void info(const Args& a) { parseInfo(a); }
void plot(const Args& a) { parsePlot(a); }
void editor(const Args& a) { parseEditor(a); }

TEST(Numbers, WholeTextMustBeAFiniteNumber) {
    long long i = 0;
    EXPECT_TRUE(parseInteger("512", i));
    EXPECT_EQ(i, 512);
    EXPECT_TRUE(parseInteger("+7", i));
    EXPECT_EQ(i, 7);
    EXPECT_TRUE(parseInteger("-3", i));
    EXPECT_EQ(i, -3);
    for (const char* bad : {"", "12x", " 12", "1.5", "0x10", "+", "99999999999999999999"}) {
        EXPECT_FALSE(parseInteger(bad, i)) << bad;
    }
    double d = 0;
    EXPECT_TRUE(parseFloat("0.25", d));
    EXPECT_DOUBLE_EQ(d, 0.25);
    EXPECT_TRUE(parseFloat("1e-3", d));
    EXPECT_DOUBLE_EQ(d, 0.001);
    EXPECT_TRUE(parseFloat("-2", d));
    for (const char* bad : {"", "abc", "0.5s", " 0.5", "nan", "inf", "-inf", "1e999"}) {
        EXPECT_FALSE(parseFloat(bad, d)) << bad;
    }
}

TEST(Render, PositionalsAndOptionsInAnyOrder) {
    const RenderOptions o =
        parseRender({"--block", "256", "lib.so", "--set", "Dry Level=0.8", "in.wav", "--tail=2.5",
                     "out.wav", "--set", "3=0", "--accumulate", "--program", "4", "--automation",
                     "a.txt", "--plot", "p.png", "--log-automation", "log.txt"});
    EXPECT_EQ(o.library, "lib.so");
    EXPECT_EQ(o.input, "in.wav");
    EXPECT_EQ(o.output, "out.wav");
    EXPECT_EQ(o.blockSize, 256);
    EXPECT_FALSE(o.randomBlocks);
    EXPECT_TRUE(o.accumulate);
    EXPECT_DOUBLE_EQ(o.tailSeconds, 2.5);
    ASSERT_TRUE(o.program.has_value());
    EXPECT_EQ(*o.program, 4);
    ASSERT_EQ(o.assignments.size(), 2u);
    EXPECT_EQ(o.assignments[0].target, "Dry Level");  // spaces kept; matching trims them
    EXPECT_FLOAT_EQ(o.assignments[0].value, 0.8f);
    EXPECT_EQ(o.assignments[1].target, "3");
    EXPECT_EQ(o.automationFile, "a.txt");
    EXPECT_EQ(o.plotFile, "p.png");
    EXPECT_EQ(o.automationLog, "log.txt");
    EXPECT_TRUE(parseRender({"l", "i", "o", "--block", "random"}).randomBlocks);
    const RenderOptions routed = parseRender({"l", "i", "o", "--channels", "2", "--rate=96000"});
    EXPECT_EQ(routed.channels, 2);
    EXPECT_EQ(routed.rate, 96000.0);
    EXPECT_FALSE(o.channels.has_value());
    EXPECT_FALSE(o.rate.has_value());
}

TEST(Render, RefusalsNameTheProblem) {
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--block", "abc"}),
              "bad number for --block: 'abc'");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--block", "0"}),
              "--block must be between 1 and 65536, not 0");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--tail", "-1"}),
              "--tail must be between 0 and 3600, not -1");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--set", "cutoff=2"}),
              "--set cutoff must be between 0 and 1, not 2");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--set", "cutoff=nan"}),
              "bad number for --set cutoff: 'nan'");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--set", "=0.5"}),
              "--set needs NAME=VALUE or INDEX=VALUE, not '=0.5'");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--set", "cutoff"}),
              "--set needs NAME=VALUE or INDEX=VALUE, not 'cutoff'");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--program"}), "option --program needs a value");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--accumulate=1"}),
              "option --accumulate takes no value");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--channels", "0"}),
              "--channels must be between 1 and 64, not 0");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--rate", "0"}),
              "--rate must be between 1 and 1e+07, not 0");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "--loud"}), "unknown option for render: --loud");
    EXPECT_EQ(usageError(render, {"l", "i"}), "usage: plughost render LIB IN OUT [options]");
    EXPECT_EQ(usageError(render, {"l", "i", "o", "extra"}),
              "usage: plughost render LIB IN OUT [options]");
}

TEST(OtherCommands, ParseTheirOptions) {
    const BenchOptions b = parseBench(
        {"a.so", "b.so", "--seconds", "0.5", "--block", "64", "--runs", "3", "--set", "0=1"});
    EXPECT_EQ(b.libraries, (std::vector<std::string>{"a.so", "b.so"}));
    EXPECT_DOUBLE_EQ(b.seconds, 0.5);
    EXPECT_EQ(b.blockSize, 64);
    EXPECT_EQ(b.runs, 3);
    EXPECT_EQ(b.assignments.size(), 1u);
    const ValidateOptions v =
        parseValidate({"m.so", "--strictness", "10", "--seed", "42", "--check", "tail"});
    EXPECT_EQ(v.strictness, 10);
    EXPECT_EQ(v.seed, 42u);
    EXPECT_EQ(v.onlyCheck, "tail");
    EXPECT_EQ(parseValidate({"m.so"}).strictness, 5);
    EXPECT_TRUE(parseInfo({"m.so", "--json"}).json);
    const PlotOptions one = parsePlot({"in.wav", "p.png"});
    EXPECT_EQ(one.output, "");
    EXPECT_EQ(one.png, "p.png");
    const PlotOptions two = parsePlot({"in.wav", "out.wav", "p.png"});
    EXPECT_EQ(two.output, "out.wav");

    EXPECT_EQ(usageError(validate, {"m.so", "--strictness", "11"}),
              "--strictness must be between 1 and 10, not 11");
    EXPECT_EQ(usageError(validate, {"m.so", "--seed", "-1"}),
              "--seed must be between 0 and 4294967295, not -1");
    EXPECT_EQ(usageError(bench, {"--seconds", "1"}),
              "usage: plughost bench LIB [LIB2 ...] [--seconds S] [--block N] [--set ...]");
    EXPECT_EQ(usageError(bench, {"a.so", "--seconds", "0"}),
              "--seconds must be between 0.01 and 3600, not 0");
    EXPECT_EQ(usageError(info, {"a.so", "b.so"}), "usage: plughost info LIB [--json]");
    EXPECT_EQ(usageError(plot, {"p.png"}), "usage: plughost plot IN.wav [OUT.wav] PNG");
}

TEST(Editor, ParsesItsOptions) {
    const EditorOptions e = parseEditor({"--script", "s.txt", "m.so", "--screenshot=p.png",
                                         "--seconds", "2.5", "--idle-in-callback"});
    EXPECT_EQ(e.library, "m.so");
    EXPECT_EQ(e.script, "s.txt");
    EXPECT_EQ(e.screenshot, "p.png");
    ASSERT_TRUE(e.seconds.has_value());
    EXPECT_DOUBLE_EQ(*e.seconds, 2.5);
    EXPECT_TRUE(e.idleInCallback);
    const EditorOptions plain = parseEditor({"m.so"});
    EXPECT_FALSE(plain.seconds.has_value());
    EXPECT_FALSE(plain.idleInCallback);

    EXPECT_EQ(usageError(editor, {"m.so", "--idle-in-callback=1"}),
              "option --idle-in-callback takes no value");
    EXPECT_EQ(usageError(editor, {"m.so", "--seconds", "-1"}),
              "--seconds must be between 0 and 86400, not -1");
    EXPECT_EQ(usageError(editor, {"m.so", "--script"}), "option --script needs a value");
    EXPECT_EQ(usageError(editor, {}),
              "usage: plughost editor LIB [--screenshot PNG] [--script FILE] [--seconds S] "
              "[--idle-in-callback] [--close-editor-in|--close-plugin-in automate|idle]");
}

TEST(Editor, ParsesWhereToCloseInsideACallback) {
    EXPECT_EQ(parseEditor({"m.so"}).closeInCallback, EditorOptions::Closes::nothing);
    const EditorOptions e = parseEditor({"m.so", "--close-editor-in", "idle"});
    EXPECT_EQ(e.closeInCallback, EditorOptions::Closes::editor);
    EXPECT_EQ(e.closeInside, EditorOptions::Inside::idle);
    const EditorOptions p = parseEditor({"m.so", "--close-plugin-in=automate"});
    EXPECT_EQ(p.closeInCallback, EditorOptions::Closes::plugin);
    EXPECT_EQ(p.closeInside, EditorOptions::Inside::automate);
    EXPECT_EQ(usageError(editor, {"m.so", "--close-plugin-in", "paint"}),
              "option --close-plugin-in takes automate or idle");
}

}  // namespace
