// The panel while other threads change parameters: the user-interface
// thread drags knobs, clicks "+" and runs host idles while another thread
// sets parameters through the record and sends MIDI control changes. Under
// the thread sanitizer (label threads) any unguarded field shows as a race;
// everywhere it checks that the panel ends showing the effect's values.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gui/controls/control.h"
#include "midi_events.h"
#include "panel_fixture.h"

namespace hl = platform::headless;
using paneltest::PanelTest;

namespace {

constexpr unsigned kLeft = platform::kMouseLeft;

void sendControlChange(molvex::FilterDelayEffect* effect, int controller, int value) {
    auto midi = testsupport::MidiEvents::controlChange(controller, value);
    effect->dispatcher(effProcessEvents, 0, 0, midi.list(), 0.0f);
}

using PanelThreadsTest = PanelTest;

TEST_F(PanelThreadsTest, DragsAndIdlesWhileParametersAndMidiArriveFromAnyThread) {
    openPanel();
    AEffect* record = effect->getRecord();
    std::atomic<bool> stop{false};
    std::thread other([&] {
        int n = 0;
        while (!stop.load(std::memory_order_acquire)) {
            const int index = n % 9;
            record->setParameter(record, index, static_cast<float>(n % 101) / 100.0f);
            sendControlChange(effect, (n + 4) % 9, n % 128);
            ++n;
        }
    });
    hl::setTickStepPerPoll(10);
    for (int round = 0; round < 40; ++round) {
        const int left = (round % 2) ? 159 : 305;  // FREQ, PAN
        gesture({at(left + 1, 26, kLeft), at(left + 7, 13, kLeft), at(left + 15, 20, kLeft),
                 at(left + 15, 20, 0)});
        click(284, 49);
        for (int i = 0; i < 5; ++i) {
            hl::advanceClock(20);
            dispatch(effEditIdle);
        }
    }
    stop.store(true, std::memory_order_release);
    other.join();

    // Quiet again: one idle brings every control to the effect's value.
    effect->setParameter(0, effect->getParameter(0));
    dispatch(effEditIdle);
    for (int index = 0; index < 9; ++index) {
        EXPECT_FLOAT_EQ(editor->getControl(index)->getValue(), effect->getParameter(index))
            << index;
    }
}

}  // namespace
