// The CLAP state: the same bytes for the same state, through streams that
// move a few bytes at a time; what is not a whole state is refused and
// changes nothing; a restored state plays as the saved one did.
#include <gtest/gtest.h>

#include <clap/ext/state.h>
#include <cmath>

#include <algorithm>
#include <cstring>
#include <random>

#include "clap_host.h"

namespace {

using claptest::Host;
using claptest::Instance;
using claptest::Library;

struct ClapState : testing::Test {
    Library library{MOLVEX_CLAP_PLUGIN};
    Host host;
    // A state unlike the default: parameters, and a controller change.
    void shape(Instance& instance) {
        instance.events.paramValue(0, 1, 123.0);
        instance.events.paramValue(0, 2, 55.0);
        instance.events.paramValue(0, 3, 2.0);
        instance.events.paramValue(0, 6, -20.0);
        instance.events.paramValue(0, 7, -6.0);
        instance.events.midi(0, 0xB0, 5, 99);
        instance.flush();
    }
};

TEST_F(ClapState, BytesAreTheSameWhateverTheChunksAndRestoreTheValues) {
    Instance a(library, host);
    shape(a);
    const std::vector<std::uint8_t> whole = a.save();
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(a.save(23), whole);
    EXPECT_EQ(a.save(1), whole);
    Instance b(library, host);
    ASSERT_TRUE(b.load(whole, 17));
    for (clap_id i = 0; i < 9; ++i) EXPECT_EQ(b.value(i), a.value(i)) << i;
    EXPECT_EQ(b.save(), whole);
    EXPECT_GE(host.rescans, 1);
    // A fresh instance saves other bytes, and each time the same.
    Instance c(library, host);
    EXPECT_NE(c.save(), whole);
    EXPECT_EQ(c.save(), Instance(library, host).save());
}

TEST_F(ClapState, WhatIsNoWholeStateIsRefusedAndChangesNothing) {
    Instance a(library, host);
    shape(a);
    const std::vector<std::uint8_t> good = a.save();
    Instance b(library, host);
    ASSERT_TRUE(b.activate(48000.0));
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back({});
    bad.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 1));
    bad.push_back(std::vector<std::uint8_t>(good.begin(), good.begin() + 12));
    auto longer = good;
    longer.push_back(0);
    bad.push_back(longer);
    auto magic = good;
    magic[0] ^= 1;
    bad.push_back(magic);
    auto version = good;
    version[4] = 2;
    bad.push_back(version);
    auto length = good;  // a length that is not the text's
    length[8] ^= 1;
    bad.push_back(length);
    // Texts the session refuses, each with its true length: a value out of
    // 0..1, a program that does not exist, a zero byte inside.
    auto withText = [&](const std::string& text) {
        std::vector<std::uint8_t> bytes(12 + text.size());
        std::memcpy(bytes.data(), good.data(), 12);
        std::memcpy(bytes.data() + 12, text.data(), text.size());
        const auto size = static_cast<std::uint32_t>(text.size());
        for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        return bytes;
    };
    const std::string text(good.begin() + 12, good.end());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = text;
        const std::size_t at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) t.replace(at, from.size(), to);
        return withText(t);
    };
    ASSERT_TRUE(b.load(withText(text)));
    bad.push_back(replaced("0.5 ", "1.5 "));
    bad.push_back(replaced("program ", "program 9"));
    bad.push_back(replaced("Init", std::string("In\0t", 4)));
    bad.push_back(withText(text.substr(0, text.size() / 2)));
    std::mt19937 random(7);
    for (int i = 0; i < 20; ++i) {
        std::vector<std::uint8_t> garbage(random() % (2 * good.size()));
        for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
        bad.push_back(garbage);
    }
    const std::vector<std::uint8_t> before = b.save();
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(b.load(bad[i], 17)) << i;
        EXPECT_EQ(b.save(), before) << i;
    }
    EXPECT_TRUE(b.load(good));
}

TEST_F(ClapState, RestoredInstanceSoundsAsTheSavedOne) {
    Instance a(library, host), b(library, host);
    shape(a);
    ASSERT_TRUE(b.activate(48000.0));
    // Loaded while active, between blocks.
    b.process(64);
    ASSERT_TRUE(b.load(a.save()));
    ASSERT_TRUE(a.activate(48000.0));
    b.outL.clear();
    b.outR.clear();
    a.inL = b.inL = std::vector<float>(4096, 0.0f);
    a.inR = b.inR = a.inL;
    a.inL[10] = b.inL[10] = 1.0f;
    for (std::size_t at = 0; at < 4096; at += 512) {
        a.process(512, at);
        b.process(512, at);
    }
    EXPECT_EQ(a.outL, b.outL);
    EXPECT_EQ(a.outR, b.outR);
    double energy = 0;
    for (float s : a.outL) energy += s * s;
    EXPECT_GT(energy, 0.0);
}

}  // namespace

namespace {

// A stream that never ends, or fails midway, ends the load with a refusal.
TEST(ClapStateStreams, EndlessOrFailingStreamsAreRefused) {
    Library library(MOLVEX_CLAP_PLUGIN);
    Host host;
    Instance instance(library, host);
    const auto* state = instance.extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    const std::vector<std::uint8_t> good = instance.save();
    struct Source {
        const std::vector<std::uint8_t>* bytes;
        std::size_t at;
        bool endless;
    };
    auto read = [](const clap_istream_t* s, void* into, std::uint64_t size) -> std::int64_t {
        auto* source = static_cast<Source*>(s->ctx);
        if (source->at >= source->bytes->size()) return source->endless ? 1 : -1;
        const std::size_t n = std::min<std::size_t>(size, source->bytes->size() - source->at);
        std::memcpy(into, source->bytes->data() + source->at, n);
        source->at += n;
        return static_cast<std::int64_t>(n);
    };
    for (bool endless : {true, false}) {
        Source source{&good, 0, endless};
        const clap_istream_t stream{&source, read};
        EXPECT_FALSE(state->load(instance.get(), &stream)) << endless;
    }
    int calls = 0;
    const clap_ostream_t refusing{
        &calls, [](const clap_ostream_t* s, const void*, std::uint64_t) -> std::int64_t {
            return ++*static_cast<int*>(s->ctx) > 3 ? 0 : 5;
        }};
    EXPECT_FALSE(state->save(instance.get(), &refusing));
}

}  // namespace
