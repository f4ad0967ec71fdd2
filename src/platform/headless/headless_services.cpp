#include "platform/headless/headless_services.h"

#include <deque>
#include <memory>

#include "platform/shared/window_registry.h"

namespace platform::headless {

namespace {

struct VirtualEntry {
    WindowHandle window = nullptr;
    TextEntryRequest request;
    std::string text;
    bool selected = false;  // the whole text, as the entry opens
    bool doneCalled = false;
    bool confirmed = false;
};

struct Services {
    std::deque<int> choices;
    std::vector<ShownMenu> menus;
    std::vector<std::unique_ptr<VirtualEntry>> entries;
    int opened = 0;
    int closed = 0;
};

Services& services() {
    static Services instance;
    return instance;
}

VirtualEntry* openEntry() {
    auto& e = services().entries;
    return e.empty() ? nullptr : e.back().get();
}

// Ends the editing the way a real entry does: once, through `done`, which
// may close the entry from inside.
bool finish() {
    VirtualEntry* entry = openEntry();
    if (!entry || entry->doneCalled) return false;
    entry->doneCalled = true;
    if (entry->request.done) entry->request.done(entry->request.owner);
    return true;
}

std::string cut(const std::string& text) {
    char buffer[kTextCapacity];
    copyTextCut(text.c_str(), buffer, kTextCapacity);
    return buffer;
}

}  // namespace

void scriptMenuChoice(int index) { services().choices.push_back(index); }
const std::vector<ShownMenu>& shownMenus() { return services().menus; }

bool textEntryOpen() { return openEntry() != nullptr; }
WindowHandle textEntryWindow() { return openEntry() ? openEntry()->window : nullptr; }
Box textEntryBox() { return openEntry() ? openEntry()->request.box : Box{}; }
FontRequest textEntryFont() { return openEntry() ? openEntry()->request.font : FontRequest{}; }

bool typeIntoEntry(const char* text) {
    VirtualEntry* entry = openEntry();
    if (!entry || !text) return false;
    if (entry->selected && *text) entry->text.clear();
    if (*text) entry->selected = false;
    entry->text = cut(entry->text + text);
    return true;
}

bool backspaceInEntry() {
    VirtualEntry* entry = openEntry();
    if (!entry) return false;
    std::string& t = entry->text;
    if (entry->selected) {
        t.clear();
        entry->selected = false;
    }
    while (!t.empty() && (static_cast<unsigned char>(t.back()) & 0xC0) == 0x80) t.pop_back();
    if (!t.empty()) t.pop_back();
    return true;
}

bool caretToEndOfEntry() {
    VirtualEntry* entry = openEntry();
    if (!entry) return false;
    entry->selected = false;
    return true;
}
bool entryTextSelected() { return openEntry() && openEntry()->selected; }

bool pressReturnInEntry() {
    if (VirtualEntry* entry = openEntry(); entry && !entry->doneCalled) entry->confirmed = true;
    return finish();
}
bool pressEscapeInEntry() {
    VirtualEntry* entry = openEntry();
    return entry && entry->request.escapeEnds && finish();
}
bool entryLosesFocus() { return finish(); }
int textEntriesOpened() { return services().opened; }
int textEntriesClosed() { return services().closed; }

void resetServices() { services() = Services{}; }

}  // namespace platform::headless

namespace platform {

using headless::services;

int popupMenu(WindowHandle window, Point where, const MenuEntry* entries, int count) {
    headless::ShownMenu menu{window, where, {}};
    for (int i = 0; entries && i < count; ++i) {
        menu.entries.push_back(
            {entries[i].text ? entries[i].text : "", entries[i].separator, entries[i].checked});
    }
    services().menus.push_back(menu);
    if (!shared::registry().findLive(window)) return -1;
    auto& choices = services().choices;
    if (choices.empty()) return -1;
    const int chosen = choices.front();
    choices.pop_front();
    if (chosen < 0 || chosen >= count || entries[chosen].separator) return -1;
    return chosen;
}

TextEntryHandle openTextEntry(WindowHandle window, const TextEntryRequest& request) {
    if (!shared::registry().findLive(window)) return nullptr;
    auto entry = std::make_unique<headless::VirtualEntry>();
    entry->window = window;
    entry->request = request;
    entry->text = headless::cut(request.text ? request.text : "");
    entry->selected = !entry->text.empty();
    ++services().opened;
    services().entries.push_back(std::move(entry));
    return services().entries.back().get();
}

bool textEntryConfirmed(TextEntryHandle handle) {
    for (const auto& e : headless::services().entries) {
        if (e.get() == handle) return e->confirmed;
    }
    return false;
}

int textEntryText(TextEntryHandle handle, char* out, int capacity) {
    for (const auto& e : services().entries) {
        if (e.get() == handle) return copyTextCut(e->text.c_str(), out, capacity);
    }
    return copyTextCut("", out, capacity);
}

void closeTextEntry(TextEntryHandle handle) {
    const auto removed =
        std::erase_if(services().entries, [&](const auto& e) { return e.get() == handle; });
    services().closed += static_cast<int>(removed);
}

}  // namespace platform
