// plughost validate for a CLAP plug-in: the checks every format shares and
// what a careful CLAP host checks besides:
//
// | check                  | what passes                                        |
// |------------------------|----------------------------------------------------|
// | scan-time              | loading, init, factory and descriptors in 100 ms   |
// | factory-ids            | an unknown factory and a plug-in id with trailing  |
// |                        | characters, or cut short, give null                |
// | descriptor             | id, name and version present, features listed,     |
// |                        | ports and their in-place pairs consistent          |
// | audio-buffers          | in and out of place: outputs written and finite,   |
// |                        | inputs untouched, nothing written past the block   |
// | rates-and-blocks       | 1 kHz to 768 kHz, blocks of 1 to 16384: finite      |
// | reset-and-reactivation | after reset, and after deactivate and activate, a  |
// |                        | render is a fresh instance's                       |
// | parameter-conversions  | value -> text -> value -> text keeps the text      |
// | flush-against-process  | the same events through flush and process leave    |
// |                        | the same values (read-only ones, meters, aside)    |
// | unknown-parameter      | an event for no parameter changes no value         |
// | parameter-fuzz         | values within, beyond and outside (NaN) the ranges:|
// |                        | finite output                                      |
// | defaults               | a new instance holds each parameter's default      |
// | empty-state            | loading an empty stream is refused                 |
// | random-state           | random bytes loaded: no crash, finite output after |
// | state-reproducible     | saved twice (writes of 23 bytes) the same bytes,   |
// |                        | loaded (reads of 17) and saved again the same      |
// | gui-cycles             | the GUI created, parented, shown, timed and        |
// |                        | destroyed again and again                          |
#include <clap/ext/audio-ports.h>
#include <clap/ext/timer-support.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "audio/test_signal.h"
#include "editor/editor_parent.h"
#include "formats/clap/clap_commands.h"
#include "formats/clap/clap_plugin.h"
#include "validate/check_context.h"
#include "validate/common_checks.h"
#include "validate/validate_harness.h"

namespace {

class ClapContext : public CheckContext {
public:
    ClapContext(std::shared_ptr<const ClapLibrary> library, HostContext& host, int strictness,
                unsigned seed)
        : CheckContext(host, strictness, seed), library(std::move(library)) {}
    std::shared_ptr<const ClapLibrary> library;
    std::unique_ptr<HostedPlugin> plugin() const override { return clap(); }
    std::unique_ptr<ClapHostedPlugin> clap() const {
        return std::make_unique<ClapHostedPlugin>(library, host);
    }
    std::unique_ptr<ClapHostedPlugin> active(double rate = 44100.0, int block = 512) const {
        auto p = clap();
        p->configure(rate, block);
        p->resume();
        return p;
    }
};

using ClapCheck = CheckOf<ClapContext>;
constexpr float kGuard = 1234.5f;

double firstScan = 0.0;

CheckResult scanTime(ClapContext&) {
    if (firstScan > 100.0) return CheckResult::fail("scan took " + fmt("%.1f", firstScan) + " ms");
    return CheckResult::pass("library loaded, initialised and its factory read in " +
                             fmt("%.1f", firstScan) + " ms");
}

CheckResult factoryIds(ClapContext& v) {
    const clap_plugin_entry_t& entry = v.library->entry();
    for (const char* id : {"clap.plugin-factory.x", "clap.plugin-factor", "clap.no-such-factory"})
        if (entry.get_factory(id))
            return CheckResult::fail(std::string("get_factory(\"") + id + "\") is not null");
    const clap_plugin_factory_t& factory = v.library->factory();
    ClapHost host;
    const std::string id = v.library->descriptor().id;
    for (const std::string& wrong :
         {id + "x", id + " ", id.substr(0, id.size() - 1), std::string()}) {
        const clap_plugin_t* p = factory.create_plugin(&factory, host.get(), wrong.c_str());
        if (p) {
            p->destroy(p);
            return CheckResult::fail("create_plugin(\"" + wrong + "\") made a plug-in");
        }
    }
    return CheckResult::pass(
        "unknown factories and ids with trailing or missing characters give null");
}

CheckResult descriptor(ClapContext& v) {
    const clap_plugin_descriptor_t& d = v.library->descriptor();
    if (!d.name || !*d.name) return CheckResult::fail("no name");
    if (!d.version) return CheckResult::fail("no version");
    if (!d.features) return CheckResult::fail("no features list");
    if (!clap_version_is_compatible(d.clap_version))
        return CheckResult::fail("incompatible CLAP version");
    auto p = v.clap();
    const auto* ports = static_cast<const clap_plugin_audio_ports_t*>(
        p->plugin()->get_extension(p->plugin(), CLAP_EXT_AUDIO_PORTS));
    if (!ports) return CheckResult::pass("descriptor complete; no audio-ports extension");
    for (bool input : {true, false})
        for (std::uint32_t i = 0; i < ports->count(p->plugin(), input); ++i) {
            clap_audio_port_info_t info{};
            if (!ports->get(p->plugin(), i, input, &info))
                return CheckResult::fail("audio port " + std::to_string(i) + " has no info");
            if (info.channel_count == 0) return CheckResult::fail("audio port with no channels");
            if (info.in_place_pair != CLAP_INVALID_ID) {
                bool found = false;
                for (std::uint32_t k = 0; k < ports->count(p->plugin(), !input); ++k) {
                    clap_audio_port_info_t other{};
                    found |= ports->get(p->plugin(), k, !input, &other) &&
                             other.id == info.in_place_pair;
                }
                if (!found)
                    return CheckResult::fail("in-place pair " + std::to_string(info.in_place_pair) +
                                             " is no port");
            }
        }
    return CheckResult::pass("\"" + std::string(d.name) + "\" " + d.version + ", ports consistent");
}

// One block through the plug-in with guard samples after each channel.
struct GuardedBlock {
    std::vector<std::vector<float>> in, out;
    std::vector<float*> inPointers, outPointers;
    GuardedBlock(int inputs, int outputs, int frames, std::mt19937& rng) {
        std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
        for (int c = 0; c < inputs; ++c) {
            in.emplace_back(frames + 16, kGuard);
            for (int i = 0; i < frames; ++i) in.back()[i] = noise(rng);
        }
        for (int c = 0; c < outputs; ++c) out.emplace_back(frames + 16, kGuard);
        for (auto& b : in) inPointers.push_back(b.data());
        for (auto& b : out) outPointers.push_back(b.data());
    }
};

CheckResult audioBuffers(ClapContext& v) {
    auto p = v.active(48000.0, 512);
    if (p->numOutputs() == 0) return CheckResult::skip("the plug-in has no audio outputs");
    const int frames = 300;
    for (bool inPlace : {false, true}) {
        GuardedBlock b(p->numInputs(), p->numOutputs(), frames, v.rng);
        const auto inputs = b.in;
        if (inPlace && p->numInputs() < p->numOutputs()) continue;
        float** outputs = inPlace ? b.inPointers.data() : b.outPointers.data();
        p->processBlock(b.inPointers.data(), outputs, frames, true);
        for (int c = 0; c < p->numOutputs(); ++c) {
            const float* o = outputs[c];
            for (int i = 0; i < frames; ++i)
                if (!std::isfinite(o[i])) return CheckResult::fail("non-finite output");
            for (int i = frames; i < frames + 16; ++i)
                if (o[i] != kGuard) return CheckResult::fail("wrote past the block's end");
            if (!inPlace && std::all_of(o, o + frames, [](float s) { return s == kGuard; }))
                return CheckResult::fail("output channel " + std::to_string(c) + " not written");
        }
        if (!inPlace && b.in != inputs) return CheckResult::fail("the inputs were written");
    }
    return CheckResult::pass(
        "in and out of place: outputs written and finite, inputs untouched, "
        "nothing past the block");
}

CheckResult ratesAndBlocks(ClapContext& v) {
    int refused = 0, played = 0;
    for (double rate : {1000.0, 8000.0, 44100.0, 96000.0, 192000.0, 768000.0}) {
        auto p = v.clap();
        p->configure(rate, 16384);
        try {
            p->resume();
        } catch (const std::exception&) {
            ++refused;
            continue;
        }
        for (int frames : {1, 17, 512, 4096, 16384}) {
            GuardedBlock b(p->numInputs(), p->numOutputs(), frames, v.rng);
            p->processBlock(b.inPointers.data(), b.outPointers.data(), frames, true);
            for (auto& o : b.out)
                for (int i = 0; i < frames; ++i)
                    if (!std::isfinite(o[i]))
                        return CheckResult::fail("non-finite output at " + fmt("%g", rate) +
                                                 " Hz, " + std::to_string(frames) + " frames");
            ++played;
        }
    }
    return CheckResult::pass(std::to_string(played) +
                             " blocks of 1 to 16384 frames at 1 to 768 kHz finite" +
                             (refused ? ", " + std::to_string(refused) + " rates refused" : ""));
}

AudioBuffer render(const ClapHostedPlugin& p, const AudioBuffer& signal) {
    OutputScan scan;
    return renderSignal(p, signal, 512, fixed(512), scan);
}

CheckResult resetAndReactivation(ClapContext& v) {
    const AudioBuffer signal = noiseAndPulses(0.5, 44100.0);
    auto fresh = v.active();
    const AudioBuffer clean = render(*fresh, signal);
    auto used = v.active();
    render(*used, signal);
    used->plugin()->reset(used->plugin());
    const double afterReset = maxDifference(render(*used, signal), clean);
    used->suspend();
    used->resume();
    const double afterReactivation = maxDifference(render(*used, signal), clean);
    if (afterReset > 1e-6)
        return CheckResult::fail("after reset the render differs by " + fmt("%.3g", afterReset));
    if (afterReactivation > 1e-6)
        return CheckResult::fail("after reactivation the render differs by " +
                                 fmt("%.3g", afterReactivation));
    return CheckResult::pass("reset and reactivation sound as a fresh instance");
}

std::string valueText(const ClapHostedPlugin& p, int i, double value, bool& ok) {
    char text[256] = {};
    ok = p.params()->value_to_text(p.plugin(), p.info(i).id, value, text, sizeof text);
    return text;
}

CheckResult parameterConversions(ClapContext& v) {
    auto p = v.clap();
    if (p->numParams() == 0 || !p->params()) return CheckResult::skip("no parameters");
    int texts = 0;
    for (int i = 0; i < p->numParams(); ++i) {
        const auto& info = p->info(i);
        for (int step = 0; step <= 10; ++step) {
            const double value = info.min_value + (info.max_value - info.min_value) * step / 10.0;
            bool ok = false;
            const std::string first = valueText(*p, i, value, ok);
            if (!ok) continue;
            double back = 0.0;
            if (!p->params()->text_to_value(p->plugin(), info.id, first.c_str(), &back)) continue;
            const std::string second = valueText(*p, i, back, ok);
            if (second != first)
                return CheckResult::fail(std::string(info.name) + ": " + fmt("%g", value) +
                                         " reads \"" + first + "\", which reads back as \"" +
                                         second + "\"");
            ++texts;
        }
        double junk = 0.0;
        if (p->params()->text_to_value(p->plugin(), info.id, "not a number", &junk))
            return CheckResult::fail(std::string(info.name) + " takes \"not a number\" as " +
                                     fmt("%g", junk));
    }
    return CheckResult::pass(std::to_string(texts) +
                             " texts read back to themselves; no number refused");
}

void randomEvents(ClapContext& v, const ClapHostedPlugin& p,
                  std::vector<std::pair<int, double>>& out) {
    for (int k = 0; k < 8; ++k) {
        const int i = v.uniformInt(0, p.numParams() - 1);
        if (p.isReadOnly(i)) continue;
        const auto& info = p.info(i);
        out.emplace_back(i, info.min_value + v.uniform() * (info.max_value - info.min_value));
    }
}

CheckResult flushAgainstProcess(ClapContext& v) {
    auto a = v.active();
    if (a->numParams() == 0 || !a->params()) return CheckResult::skip("no parameters");
    auto b = v.active();
    std::vector<std::pair<int, double>> events;
    randomEvents(v, *a, events);
    for (auto& [i, value] : events) {
        a->setPlainValue(i, value);
        b->setPlainValue(i, value);
    }
    a->flush();
    GuardedBlock block(b->numInputs(), b->numOutputs(), 64, v.rng);
    b->processBlock(block.inPointers.data(), block.outPointers.data(), 64, true);
    for (int i = 0; i < a->numParams(); ++i)
        if (!a->isReadOnly(i) && a->plainValue(i) != b->plainValue(i))
            return CheckResult::fail(std::string(a->info(i).name) + ": flush left " +
                                     fmt("%g", a->plainValue(i)) + ", process " +
                                     fmt("%g", b->plainValue(i)));
    return CheckResult::pass("8 events through an active flush and through process: same values");
}

CheckResult unknownParameter(ClapContext& v) {
    auto p = v.active();
    if (!p->params()) return CheckResult::skip("no parameters");
    std::vector<double> before;
    for (int i = 0; i < p->numParams(); ++i) before.push_back(p->plainValue(i));
    clap_id unused = 0;
    for (int i = 0; i < p->numParams(); ++i) unused = std::max(unused, p->info(i).id + 1);
    clap_event_param_value_t event{};
    event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = unused;
    event.note_id = -1;
    event.port_index = event.channel = event.key = -1;
    event.value = 0.5;
    p->pendingEvents().add(event.header);
    GuardedBlock block(p->numInputs(), p->numOutputs(), 64, v.rng);
    p->processBlock(block.inPointers.data(), block.outPointers.data(), 64, true);
    for (int i = 0; i < p->numParams(); ++i)
        if (!p->isReadOnly(i) && p->plainValue(i) != before[static_cast<std::size_t>(i)])
            return CheckResult::fail("an event for id " + std::to_string(unused) + " changed " +
                                     p->info(i).name);
    return CheckResult::pass("an event for id " + std::to_string(unused) + " changed nothing");
}

CheckResult parameterFuzz(ClapContext& v) {
    auto p = v.active();
    if (p->numParams() == 0) return CheckResult::skip("no parameters");
    OutputScan scan;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int round = 0; round < v.scaled(20); ++round) {
        for (int i = 0; i < p->numParams(); ++i) {
            const auto& info = p->info(i);
            const double span = info.max_value - info.min_value;
            const double choices[] = {info.min_value + v.uniform() * span,
                                      info.min_value - 1e6 * (span + 1),
                                      info.max_value + 1e6 * (span + 1), nan};
            p->setPlainValue(i, choices[v.uniformInt(0, round % 4 == 0 ? 3 : 0)]);
        }
        GuardedBlock block(p->numInputs(), p->numOutputs(), 256, v.rng);
        p->processBlock(block.inPointers.data(), block.outPointers.data(), 256, true);
        for (auto& o : block.out) scan.add(o.data(), 256);
    }
    if (!scan.clean()) return CheckResult::fail(scan.describe());
    return CheckResult::pass(std::to_string(v.scaled(20)) +
                             " rounds within, beyond and outside the ranges: clean");
}

CheckResult defaults(ClapContext& v) {
    auto p = v.clap();
    for (int i = 0; i < p->numParams(); ++i) {
        const auto& info = p->info(i);
        if (p->isReadOnly(i)) continue;
        if (std::fabs(p->plainValue(i) - info.default_value) >
            1e-6 * std::max(1.0, std::fabs(info.default_value)))
            return CheckResult::fail(std::string(info.name) + " holds " +
                                     fmt("%g", p->plainValue(i)) + ", its default is " +
                                     fmt("%g", info.default_value));
    }
    return CheckResult::pass(std::to_string(p->numParams()) + " parameters at their defaults");
}

struct Bytes {
    std::vector<std::uint8_t> data;
    std::size_t at = 0, chunk = 1 << 20;
};

bool save(const ClapHostedPlugin& p, Bytes& bytes) {
    clap_ostream_t stream{
        &bytes,
        [](const clap_ostream_t* s, const void* buffer, std::uint64_t size) -> std::int64_t {
            auto* b = static_cast<Bytes*>(s->ctx);
            const std::size_t n = std::min<std::uint64_t>(size, b->chunk);
            const auto* c = static_cast<const std::uint8_t*>(buffer);
            b->data.insert(b->data.end(), c, c + n);
            return static_cast<std::int64_t>(n);
        }};
    return p.state()->save(p.plugin(), &stream);
}

bool load(const ClapHostedPlugin& p, Bytes& bytes) {
    bytes.at = 0;
    clap_istream_t stream{
        &bytes, [](const clap_istream_t* s, void* buffer, std::uint64_t size) -> std::int64_t {
            auto* b = static_cast<Bytes*>(s->ctx);
            const auto n = static_cast<std::size_t>(
                std::min<std::uint64_t>({size, b->chunk, b->data.size() - b->at}));
            std::memcpy(buffer, b->data.data() + b->at, n);
            b->at += n;
            return static_cast<std::int64_t>(n);
        }};
    return p.state()->load(p.plugin(), &stream);
}

CheckResult emptyState(ClapContext& v) {
    auto p = v.clap();
    if (!p->state()) return CheckResult::skip("no state extension");
    Bytes empty;
    if (load(*p, empty)) return CheckResult::fail("an empty stream was taken as a state");
    return CheckResult::pass("an empty stream is refused");
}

CheckResult randomState(ClapContext& v) {
    auto p = v.active();
    if (!p->state()) return CheckResult::skip("no state extension");
    int taken = 0;
    for (int round = 0; round < v.scaled(10); ++round) {
        Bytes bytes;
        bytes.data.resize(static_cast<std::size_t>(v.uniformInt(1, 4096)));
        for (auto& b : bytes.data) b = static_cast<std::uint8_t>(v.uniformInt(0, 255));
        taken += load(*p, bytes);
    }
    OutputScan scan;
    renderSignal(*p, noiseAndPulses(0.2, 44100.0), 512, fixed(512), scan);
    if (!scan.clean()) return CheckResult::fail("after random states: " + scan.describe());
    return CheckResult::pass(std::to_string(v.scaled(10)) + " random streams survived (" +
                             std::to_string(taken) + " taken), output clean after");
}

CheckResult stateReproducible(ClapContext& v) {
    auto p = v.clap();
    if (!p->state()) return CheckResult::skip("no state extension");
    randomiseParameters(*p, v.rng);
    Bytes first, second, third;
    first.chunk = second.chunk = 23;
    if (!save(*p, first) || !save(*p, second)) return CheckResult::fail("save failed");
    if (first.data != second.data) return CheckResult::fail("two saves gave different bytes");
    auto q = v.clap();
    first.chunk = 17;
    if (!load(*q, first))
        return CheckResult::fail("its own state (read 17 bytes at a time) was refused");
    third.chunk = 23;
    if (!save(*q, third) || third.data != second.data)
        return CheckResult::fail("loaded and saved again, the bytes differ");
    return CheckResult::pass(std::to_string(first.data.size()) +
                             " bytes, the same each time (writes of 23, reads of 17)");
}

class QuietEditorHost final : public EditorHostEvents {
public:
    void automated(int, float) override {}
    void editGesture(int, bool) override {}
    void idleRequested() override {}
    bool sizeRequested(int, int) override { return true; }
};

CheckResult guiCycles(ClapContext& v) {
    auto p = v.clap();
    if (!p->guiExtension()) return CheckResult::skip("no GUI");
    std::string whyNot;
    auto parent = createEditorParent(400, 300, whyNot, "plughost validate");
    if (!parent) return CheckResult::skip("no display: " + whyNot);
    QuietEditorHost events;
    int rounds = 0;
    for (; rounds < v.strictness; ++rounds) {
        auto editor = p->openEditor(parent->handle(), events);
        for (int i = 0; i < 10; ++i) {
            if (p->numParams() > 0) p->setParameter(i % p->numParams(), v.uniform());
            editor->idle();
            parent->pump();
        }
    }
    if (p->host().timerCount() != 0)
        return CheckResult::fail(std::to_string(p->host().timerCount()) +
                                 " timers left after the GUI was destroyed");
    return CheckResult::pass("created, parented, idled and destroyed " + std::to_string(rounds) +
                             " times; every timer given back");
}

}  // namespace

int runClapValidate(const ValidateOptions& o) {
    const auto start = std::chrono::steady_clock::now();
    const auto library = std::make_shared<const ClapLibrary>(o.library);
    firstScan =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    HostContext host(44100.0, 512);
    std::vector<ClapCheck> checks = {{"scan-time", scanTime},
                                     {"factory-ids", factoryIds},
                                     {"descriptor", descriptor},
                                     {"audio-buffers", audioBuffers},
                                     {"rates-and-blocks", ratesAndBlocks},
                                     {"reset-and-reactivation", resetAndReactivation}};
    appendCommonChecks(checks);
    checks.insert(checks.end(), {{"parameter-conversions", parameterConversions},
                                 {"flush-against-process", flushAgainstProcess},
                                 {"unknown-parameter", unknownParameter},
                                 {"parameter-fuzz", parameterFuzz},
                                 {"defaults", defaults},
                                 {"empty-state", emptyState},
                                 {"random-state", randomState},
                                 {"state-reproducible", stateReproducible},
                                 {"gui-cycles", guiCycles}});
    return runChecks(o, checks, host,
                     [&](unsigned seed) { return ClapContext(library, host, o.strictness, seed); });
}
