// Small pieces whose faults would reach users directly: files committed
// whole or not at all, the MIDI bytes sent for control changes, and JSON
// that scripts can parse whatever text a plug-in returns.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "audio/audio_buffer.h"
#include "error.h"
#include "formats/vst2/event_list.h"
#include "output/json_writer.h"

namespace fs = std::filesystem;

namespace {

TEST(CommitFile, RenamesOnSuccessAndLeavesNothingOnFailure) {
    const fs::path dir = fs::temp_directory_path() / "plughost_commit_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string target = (dir / "out.wav").string();
    std::string temporary;
    commitFile(target, [&](const std::string& path) {
        temporary = path;
        std::ofstream(path) << "whole";
    });
    EXPECT_EQ(fs::path(temporary).parent_path(), dir);  // same folder: rename cannot cross devices
    EXPECT_EQ(fs::path(temporary).extension(), ".wav");
    EXPECT_FALSE(fs::exists(temporary));
    std::string content;
    std::ifstream(target) >> content;
    EXPECT_EQ(content, "whole");

    const std::string failed = (dir / "failed.wav").string();
    EXPECT_THROW(commitFile(failed,
                            [&](const std::string& path) {
                                temporary = path;
                                std::ofstream(path) << "half";
                                throw HostError("disk full");
                            }),
                 HostError);
    EXPECT_FALSE(fs::exists(failed));
    EXPECT_FALSE(fs::exists(temporary));
    fs::remove_all(dir);
}

TEST(EventList, ControlChangesCarryStatusChannelAndDelta) {
    EventList list;
    for (int i = 0; i < 5; ++i) list.addControlChange(i * 10, 15, 7, 100 + i);
    VstEvents* events = list.get();
    ASSERT_EQ(events->numEvents, 5);
    VstEvent** slots = events->events;
    for (int i = 0; i < 5; ++i) {
        const auto* m = reinterpret_cast<const VstMidiEvent*>(slots[i]);
        EXPECT_EQ(m->type, kVstMidiType);
        EXPECT_EQ(m->byteSize, static_cast<VstInt32>(sizeof(VstMidiEvent)));
        EXPECT_EQ(m->deltaFrames, i * 10);
        EXPECT_EQ(static_cast<unsigned char>(m->midiData[0]), 0xBF);  // control change, channel 16
        EXPECT_EQ(m->midiData[1], 7);
        EXPECT_EQ(m->midiData[2], 100 + i);
    }
    list.clear();
    EXPECT_EQ(list.get()->numEvents, 0);
}

TEST(JsonWriter, EscapesAndNests) {
    EXPECT_EQ(jsonEscape("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    JsonWriter j;
    j.beginObject();
    j.string("name", "Dry Level");
    j.beginArray("list");
    j.integer("", 1);
    j.number("", 0.5);
    j.endArray();
    j.boolean("ok", true);
    j.number("bad", std::numeric_limits<double>::quiet_NaN());
    j.endObject();
    EXPECT_EQ(j.text(),
              "{\n  \"name\": \"Dry Level\",\n  \"list\": [\n    1,\n    0.5\n  ],\n  \"ok\": "
              "true,\n  \"bad\": null\n}\n");
}

}  // namespace
