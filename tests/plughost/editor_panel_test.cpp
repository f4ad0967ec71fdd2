// Molvex's panel opened by plughost editor under Xvfb, driven with the real
// pointer: the parameters and the automation the host records, and pixels
// of the screenshots against the panel's own bitmaps.
#include <gtest/gtest.h>

#include <cairo.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Automation {
    int index;
    float value;
};

struct Session {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<Automation> automation;
    std::map<int, float> finalValues;
    long idlesAnsweredInside = -1;
};

fs::path scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("molvex_editor_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void parseOutput(Session& s) {
    std::istringstream lines(s.out);
    for (std::string line; std::getline(lines, line);) {
        double seconds = 0;
        int index = 0;
        float value = 0;
        char name[64] = {};
        long answered = 0;
        if (std::sscanf(line.c_str(), "%lf param %d %f", &seconds, &index, &value) == 3) {
            s.automation.push_back({index, value});
        } else if (std::sscanf(line.c_str(), "# parameter %d %63[^=]= %f", &index, name, &value) ==
                   3) {
            s.finalValues[index] = value;
        } else if (const size_t at = line.find("idle requests (");
                   at != std::string::npos &&
                   std::sscanf(line.c_str() + at, "idle requests (%ld", &answered) == 1) {
            s.idlesAnsweredInside = answered;
        }
    }
}

// The host and plug-in under test: this tree's, unless the environment
// names others (tools/windows/test.sh runs the same sessions with
// plughost.exe and Molvex.dll under wine).
std::string fromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// Runs plughost editor on Molvex with the script; the closing screenshot
// goes to `png`.
Session runEditor(const std::string& script, const fs::path& png, const std::string& options = "") {
    const fs::path scriptFile = scratch("script.txt"), out = scratch("out.txt"),
                   err = scratch("err.txt");
    std::ofstream(scriptFile) << script;
    const std::string command = fromEnvironment("MOLVEX_PANEL_HOST", PLUGHOST) + " editor " +
                                fromEnvironment("MOLVEX_PANEL_PLUGIN", MOLVEX) + " --script " +
                                scriptFile.string() + " --screenshot " + png.string() + " " +
                                options + " >" + out.string() + " 2>" + err.string();
    Session s;
    s.status = std::system(command.c_str());
    s.out = readFile(out);
    s.err = readFile(err);
    parseOutput(s);
    return s;
}

// A screenshot or one of the panel's bitmaps, as 0xRRGGBB pixels.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture loadPng(const fs::path& path) {
    Picture p;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.string().c_str());
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(s);
        p.width = cairo_image_surface_get_width(s);
        p.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                p.pixels.push_back(reinterpret_cast<const std::uint32_t*>(
                                       cairo_image_surface_get_data(s) + y * stride)[x] &
                                   0xFFFFFF);
    }
    cairo_surface_destroy(s);
    return p;
}

// The resources are uncompressed 24-bit files with bottom-up rows.
Picture loadBitmap(int id) {
    const std::string bytes = readFile(fs::path(BITMAPS) / (std::to_string(id) + ".bmp"));
    auto u32 = [&](size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at))) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 1))) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 2))) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 3))) << 24;
    };
    Picture p;
    const std::uint32_t dataAt = u32(10);
    p.width = static_cast<int>(u32(18));
    p.height = static_cast<int>(u32(22));
    const size_t stride = (static_cast<size_t>(p.width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < p.height; ++y) {
        const size_t row = dataAt + (static_cast<size_t>(p.height - 1 - y)) * stride;
        for (int x = 0; x < p.width; ++x) {
            const size_t at = row + static_cast<size_t>(x) * 3;
            p.pixels.push_back(
                static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 2))) << 16 |
                static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + 1))) << 8 |
                static_cast<unsigned char>(bytes.at(at)));
        }
    }
    return p;
}

struct KnobPlace {
    int index, left, top;
};
constexpr std::array<KnobPlace, 8> kKnobs = {{{0, 10, 13},
                                              {1, 50, 13},
                                              {2, 90, 13},
                                              {4, 159, 13},
                                              {5, 200, 13},
                                              {6, 305, 13},
                                              {7, 345, 13},
                                              {8, 385, 13}}};
constexpr KnobPlace kFreq = kKnobs[3];
constexpr std::uint32_t kKey = 0xFFFFFF;

// Top-left corner of a panel knob's handle for a value: the handle rides a
// circle of radius 7.5 inset 5 pixels, over 270 degrees from lower left.
std::pair<int, int> handleCorner(const KnobPlace& knob, float value) {
    const float angle = 4.712389f * value + 3.9269907f;
    const int x = static_cast<int>(std::sin(static_cast<double>(angle)) * 7.5 + 7.5);
    const int y = static_cast<int>(7.5 - std::cos(static_cast<double>(angle)) * 7.5);
    return {knob.left + x, knob.top + y};
}

// Pixels of the screenshot that differ from the handle's opaque pixels
// placed at the corner.
int handleMismatches(const Picture& shot, std::pair<int, int> corner) {
    static const Picture handle = loadBitmap(122);
    int wrong = 0;
    for (int y = 0; y < handle.height; ++y)
        for (int x = 0; x < handle.width; ++x)
            if (handle.at(x, y) != kKey &&
                shot.at(corner.first + x, corner.second + y) != handle.at(x, y))
                ++wrong;
    return wrong;
}

// Pixels of the type switch that differ from frame `frame` of its strip.
int switchMismatches(const Picture& shot, int frame) {
    static const Picture strip = loadBitmap(123);
    int wrong = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 24; ++x)
            if (shot.at(126 + x, 14 + y) != strip.at(x, frame * 25 + y)) ++wrong;
    return wrong;
}

// Light pixels (the white digits) inside the display field.
int displayTextPixels(const Picture& shot) {
    int light = 0;
    for (int y = 22; y < 38; ++y)
        for (int x = 252; x < 284; ++x) {
            const std::uint32_t p = shot.at(x, y);
            if ((p >> 16 & 0xFF) > 0xC0 && (p >> 8 & 0xFF) > 0xC0 && (p & 0xFF) > 0xC0) ++light;
        }
    return light;
}

// Drags FREQ clockwise from the top to the right of its centre of rotation
// (12.5 pixels in from its corner, where its handle circles), clicks "+", and clicks the lowest
// third of the type switch. The pauses before each release leave a busy machine time to let the
// tracking loop see where the pointer came to rest.
const char* const kDragClickFlip =
    "wait 150\n"
    "screenshot "
    "%BEFORE%"
    "\n"
    "press 171 19\nwait 150\nmove 185 20\nwait 150\nmove 191 25\nwait 300\nrelease\nwait 150\n"
    "press 284 49\nwait 100\nrelease\nwait 150\n"
    "press 138 34\nwait 100\nrelease\n";

std::string withBefore(const fs::path& before) {
    std::string s = kDragClickFlip;
    s.replace(s.find("%BEFORE%"), 8, before.string());
    return s;
}

void expectDragClickFlip(const Session& s, const Picture& before, const Picture& after) {
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    EXPECT_EQ(s.err, "");
    // The drag: FREQ rising with the pointer, each value reported once;
    // then one click on "+": exactly one step of the parameter last
    // touched; then the switch.
    ASSERT_GE(s.automation.size(), 4u) << s.out;
    const size_t dragReports = s.automation.size() - 2;
    float last = -1.0f;
    for (size_t i = 0; i < dragReports; ++i) {
        EXPECT_EQ(s.automation[i].index, 4) << "report " << i;
        EXPECT_GT(s.automation[i].value, last) << "report " << i;
        last = s.automation[i].value;
    }
    EXPECT_NEAR(last, 0.83f, 0.03f);
    EXPECT_EQ(s.automation[dragReports].index, 4);
    EXPECT_FLOAT_EQ(s.automation[dragReports].value, last + 0.01f);
    EXPECT_EQ(s.automation[dragReports + 1].index, 3);
    EXPECT_FLOAT_EQ(s.automation[dragReports + 1].value, 1.0f);
    EXPECT_FLOAT_EQ(s.finalValues.at(4), last + 0.01f);
    EXPECT_FLOAT_EQ(s.finalValues.at(3), 1.0f);

    ASSERT_EQ(after.width, 420);
    ASSERT_EQ(after.height, 64);
    ASSERT_EQ(before.width, 420);
    EXPECT_EQ(handleMismatches(before, handleCorner(kFreq, 1.0f)), 0);  // the cutoff starts open
    EXPECT_EQ(handleMismatches(after, handleCorner(kFreq, s.finalValues.at(4))), 0);
    EXPECT_GT(handleMismatches(after, handleCorner(kFreq, 1.0f)), 0);
    EXPECT_EQ(switchMismatches(before, 0), 0) << "LP lit before";
    EXPECT_EQ(switchMismatches(after, 2), 0) << "BP lit after";
    EXPECT_GE(displayTextPixels(after), 8);
}

TEST(PanelInAHost, DragClickAndFlipReachTheHostAndTheScreen) {
    const fs::path before = scratch("before.png"), after = scratch("after.png");
    const Session s = runEditor(withBefore(before), after);
    expectDragClickFlip(s, loadPng(before), loadPng(after));
}

// Hosts that idle the editor from inside its idle request: the drag runs
// inside such nested idles and must come out the same, with no tracking
// loop started twice and no click delivered twice.
TEST(PanelInAHost, SurvivesAHostThatIdlesInsideTheIdleRequest) {
    const fs::path before = scratch("before-nested.png"), after = scratch("after-nested.png");
    const Session s = runEditor(withBefore(before), after, "--idle-in-callback");
    EXPECT_GT(s.idlesAnsweredInside, 0) << s.out;
    expectDragClickFlip(s, loadPng(before), loadPng(after));
}

TEST(PanelInAHost, DraggingEachKnobMovesItsParameter) {
    // Press above each knob's centre of rotation, drag to its left: about
    // a sixth of the range.
    std::string script = "wait 150\n";
    for (const KnobPlace& k : kKnobs) {
        script += "press " + std::to_string(k.left + 7) + " " + std::to_string(k.top + 1) +
                  "\nwait 120\n";
        script += "move " + std::to_string(k.left - 15) + " " + std::to_string(k.top + 7) +
                  "\nwait 250\n";
        script += "release\nwait 120\n";
    }
    const fs::path after = scratch("knobs.png");
    const Session s = runEditor(script, after);
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    const Picture shot = loadPng(after);
    ASSERT_EQ(shot.width, 420);
    for (const KnobPlace& k : kKnobs) {
        bool reported = false;
        for (const Automation& a : s.automation) reported |= a.index == k.index;
        EXPECT_TRUE(reported) << "parameter " << k.index;
        EXPECT_NEAR(s.finalValues.at(k.index), 0.17f, 0.05f) << "parameter " << k.index;
        EXPECT_EQ(handleMismatches(shot, handleCorner(k, s.finalValues.at(k.index))), 0)
            << "knob " << k.index;
    }
    EXPECT_EQ(s.finalValues.at(3), 0.0f);  // the switch was not touched
}

TEST(PanelInAHost, TheHostsChangesShowWithoutAutomation) {
    const fs::path after = scratch("host-set.png");
    const Session s = runEditor("set 6 0.25\nset 3 0.5\nwait 200\n", after);
    ASSERT_EQ(s.status, 0) << s.out << s.err;
    EXPECT_TRUE(s.automation.empty()) << s.out;
    const Picture shot = loadPng(after);
    ASSERT_EQ(shot.width, 420);
    EXPECT_EQ(handleMismatches(shot, handleCorner(kKnobs[5], 0.25f)), 0);
    EXPECT_EQ(switchMismatches(shot, 1), 0) << "HP lit";
}

}  // namespace
