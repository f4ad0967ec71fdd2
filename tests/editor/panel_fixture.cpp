#include "panel_fixture.h"

#include "editor/editor_factory.h"
#include "gui/controls/value_display.h"

namespace hl = platform::headless;

namespace paneltest {

AutomationLog& AutomationLog::instance() {
    static AutomationLog log;
    return log;
}

VstIntPtr AutomationLog::callback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr,
                                  void*, float opt) {
    AutomationLog& self = instance();
    bool reenter = false;
    {
        std::lock_guard<std::mutex> lock(self.mutex);
        if (opcode == audioMasterAutomate) self.log.push_back({index, opt});
        if (opcode == audioMasterIdle) ++self.idles;
        reenter = opcode == audioMasterIdle && self.reenter;
    }
    if (reenter && record) record->dispatcher(record, effEditIdle, 0, 0, nullptr, 0.0f);
    return opcode == audioMasterVersion ? 2400 : 0;
}

void AutomationLog::setIdleReentry(bool on) {
    std::lock_guard<std::mutex> lock(mutex);
    reenter = on;
}

void AutomationLog::clear() {
    std::lock_guard<std::mutex> lock(mutex);
    log.clear();
    idles = 0;
    reenter = false;
}

std::vector<Automation> AutomationLog::entries() {
    std::lock_guard<std::mutex> lock(mutex);
    return log;
}

int AutomationLog::idleRequests() {
    std::lock_guard<std::mutex> lock(mutex);
    return idles;
}

void PanelTest::SetUp() {
    hl::reset();
    hl::setTickCount(1000);
    AutomationLog::instance().clear();
    effect = new FilterDelayEffect(&AutomationLog::callback, &molvex::createFilterDelayEditor);
    editor = static_cast<FilterDelayEditor*>(effect->getEditor());
}

void PanelTest::TearDown() {
    delete effect;
    hl::reset();
}

VstIntPtr PanelTest::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
    return effect->dispatcher(opcode, index, value, ptr, 0.0f);
}

void PanelTest::openPanel() {
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, hl::makeParentWindow()), 1);
    window = hl::lastWindow();
    hl::setWindowOrigin(window, {300, 200});
    hl::sendPaint(window);
}

hl::InputState PanelTest::at(int x, int y, unsigned buttons) {
    return {{300 + x, 200 + y}, buttons};
}

void PanelTest::gesture(const std::vector<hl::InputState>& states) {
    hl::scriptInput(states);
    hl::sendButtonDown(window, {states.front().screen.x - 300, states.front().screen.y - 200});
}

void PanelTest::click(int x, int y, unsigned modifiers) {
    gesture({at(x, y, platform::kMouseLeft | modifiers), at(x, y, 0)});
}

std::string PanelTest::displayText() {
    char text[GuiValueDisplay::kTextSize] = {};
    if (editor->getDisplay()) editor->getDisplay()->makeText(text);
    return text;
}

platform::Rgb PanelTest::pixel(int x, int y) const { return hl::pixel(window, x, y); }

}  // namespace paneltest
