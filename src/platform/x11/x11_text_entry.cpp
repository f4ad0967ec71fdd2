// In-place text entry on X11: a child window of the panel's window that
// draws its text with cairo and edits it from the key events it receives
// while it holds the keyboard focus.
#include "platform/x11/x11_text_entry.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/shared/scale.h"
#include "platform/x11/x11_connection.h"

namespace platform::x11 {

namespace {

constexpr std::size_t kMaxBytes = kTextCapacity - 1;
constexpr int kSidePadding = 2;

struct TextEntry {
    ChildWindow view;  // id, visual, size and backing pixels; not in the window table
    // The connection the window was made on: ids of a closed connection may
    // come back on the next one and must not find this entry.
    Display* display = nullptr;
    TextEntryRequest request;
    std::string text;
    std::size_t cursor = 0;
    // The whole text, as the entry opens with it: typing replaces it, an
    // arrow key or a click places the caret instead.
    bool selected = false;
    int scroll = 0;
    ::Window previousFocus = 0;
    int previousRevert = RevertToParent;
    bool doneCalled = false;
    bool confirmed = false;
};

// Module-wide like the window table: the entries open on this connection.
std::vector<std::unique_ptr<TextEntry>>& entries() {
    static std::vector<std::unique_ptr<TextEntry>> list;
    return list;
}

TextEntry* findEntry(const void* handle) {
    for (auto& e : entries()) {
        if (e.get() == handle) return e.get();
    }
    return nullptr;
}

TextEntry* findById(::Window id) {
    for (auto& e : entries()) {
        if (e->view.id == id && e->display == connection().display) return e.get();
    }
    return nullptr;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t previousBoundary(const std::string& t, std::size_t at) {
    if (at == 0) return 0;
    do --at;
    while (at > 0 && isContinuation(t[at]));
    return at;
}

std::size_t nextBoundary(const std::string& t, std::size_t at) {
    if (at >= t.size()) return t.size();
    do ++at;
    while (at < t.size() && isContinuation(t[at]));
    return at;
}

void selectFont(cairo_t* cr, const FontRequest& font) {
    cairo_select_font_face(cr, cairo::resolveFace(font.face ? font.face : ""),
                           CAIRO_FONT_SLANT_NORMAL,
                           font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, font.height);
}

double advance(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t te;
    cairo_text_extents(cr, text.c_str(), &te);
    return te.x_advance;
}

// Centred while the text fits; otherwise scrolled just enough to keep the
// cursor in view, as a single-line edit with horizontal scrolling does.
void paint(TextEntry& entry) {
    ChildWindow& view = entry.view;
    cairo_t* cr = cairo_create(view.backing->surface());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    selectFont(cr, entry.request.font);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const int room = view.width - 2 * kSidePadding;
    const int full = static_cast<int>(std::ceil(advance(cr, entry.text)));
    const int toCursor =
        static_cast<int>(std::lround(advance(cr, entry.text.substr(0, entry.cursor))));
    int x = 0;
    if (full <= room) {
        entry.scroll = 0;
        x = kSidePadding + (room - full) / 2;
    } else {
        entry.scroll = std::clamp(entry.scroll, toCursor - room + 1, toCursor);
        entry.scroll = std::clamp(entry.scroll, 0, full - room + 1);
        x = kSidePadding - entry.scroll;
    }
    const double top = (view.height - (fe.ascent + fe.descent)) / 2.0;
    if (entry.selected) {
        cairo_set_source_rgb(cr, 0.2, 0.4, 0.8);
        cairo_rectangle(cr, x, std::round(top), full, std::round(fe.ascent + fe.descent));
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
    } else {
        cairo_set_source_rgb(cr, 0, 0, 0);
    }
    cairo_move_to(cr, x, std::round(top + fe.ascent));
    cairo_show_text(cr, entry.text.c_str());
    if (!entry.selected) {
        const double caret = x + toCursor + 0.5;
        cairo_set_line_width(cr, 1.0);
        cairo_move_to(cr, caret, std::round(top));
        cairo_line_to(cr, caret, std::round(top + fe.ascent + fe.descent));
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    view.backing->endAccess();
    present(view);
}

void insertTyped(TextEntry& entry, const char* bytes, int count) {
    std::string typed;
    for (int i = 0; i < count; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 || c == 0x7F) continue;
        // XLookupString answers Latin-1; the entry holds UTF-8.
        if (c < 0x80) {
            typed += static_cast<char>(c);
        } else {
            typed += static_cast<char>(0xC0 | (c >> 6));
            typed += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (typed.empty()) return;
    if (entry.selected) {
        entry.text.clear();
        entry.cursor = 0;
        entry.selected = false;
    }
    if (entry.text.size() + typed.size() > kMaxBytes) return;
    entry.text.insert(entry.cursor, typed);
    entry.cursor += typed.size();
}

void finish(TextEntry& entry) {
    if (entry.doneCalled) return;
    entry.doneCalled = true;
    // `done` may close (and free) the entry; nothing touches it afterwards.
    if (entry.request.done) entry.request.done(entry.request.owner);
}

void keyPressed(TextEntry& entry, XKeyEvent key) {
    char bytes[16];
    KeySym sym = NoSymbol;
    const int count = XLookupString(&key, bytes, sizeof bytes, &sym, nullptr);
    std::string& t = entry.text;
    switch (sym) {
    case XK_Return:
    case XK_KP_Enter:
        if (!entry.doneCalled) entry.confirmed = true;
        finish(entry);
        return;
    case XK_Escape:
        if (entry.request.escapeEnds) finish(entry);
        return;
    case XK_BackSpace:
    case XK_Delete:
    case XK_KP_Delete:
        if (entry.selected) {
            t.clear();
            entry.cursor = 0;
            entry.selected = false;
            break;
        }
        if (sym != XK_BackSpace) {
            t.erase(entry.cursor, nextBoundary(t, entry.cursor) - entry.cursor);
        } else if (entry.cursor > 0) {
            const std::size_t from = previousBoundary(t, entry.cursor);
            t.erase(from, entry.cursor - from);
            entry.cursor = from;
        }
        break;
    // With the text selected, Left and Right put the caret at its start and
    // end, as a selection collapses.
    case XK_Left:
    case XK_KP_Left:
        entry.cursor = entry.selected ? 0 : previousBoundary(t, entry.cursor);
        entry.selected = false;
        break;
    case XK_Right:
    case XK_KP_Right:
        entry.cursor = entry.selected ? t.size() : nextBoundary(t, entry.cursor);
        entry.selected = false;
        break;
    case XK_Home:
    case XK_KP_Home:
        entry.cursor = 0;
        entry.selected = false;
        break;
    case XK_End:
    case XK_KP_End:
        entry.cursor = t.size();
        entry.selected = false;
        break;
    default: insertTyped(entry, bytes, count); break;
    }
    paint(entry);
}

// The cursor goes to the character boundary nearest the click.
void clicked(TextEntry& entry, int x) {
    cairo_t* cr = cairo_create(entry.view.backing->surface());
    selectFont(cr, entry.request.font);
    const int room = entry.view.width - 2 * kSidePadding;
    const double full = advance(cr, entry.text);
    const double origin = full <= room ? kSidePadding + (room - full) / 2.0
                                       : static_cast<double>(kSidePadding - entry.scroll);
    std::size_t best = 0;
    double bestDistance = std::abs(x - origin);
    for (std::size_t at = nextBoundary(entry.text, 0); at <= entry.text.size() && at > best;
         at = nextBoundary(entry.text, at)) {
        const double d = std::abs(x - origin - advance(cr, entry.text.substr(0, at)));
        if (d < bestDistance) {
            bestDistance = d;
            best = at;
        }
        if (at == entry.text.size()) break;
    }
    cairo_destroy(cr);
    entry.cursor = best;
    entry.selected = false;
    paint(entry);
}

void giveFocusBack(TextEntry& entry, Display* display) {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // Only when the focus is still ours: someone else may have taken it.
    if (focus != entry.view.id) return;
    const unsigned long mark = trapBegin();
    XSetInputFocus(display, entry.previousFocus, entry.previousRevert, CurrentTime);
    if (!trapEndClean(mark)) XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
}

}  // namespace

bool handleTextEntryEvent(const XEvent& event) {
    TextEntry* entry = findById(event.xany.window);
    if (!entry) return false;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0 && entry->view.alive) paint(*entry);
        break;
    case KeyPress: keyPressed(*entry, event.xkey); break;
    case ButtonPress:
        if (event.xbutton.button == Button1) clicked(*entry, event.xbutton.x);
        break;
    case FocusOut:
        // Focus moving inside the entry, or a grab that passes, is no loss.
        if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior &&
            event.xfocus.detail != NotifyPointer) {
            finish(*entry);
        }
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == entry->view.id) entry->view.alive = false;
        break;
    default: break;
    }
    return true;
}

}  // namespace platform::x11

namespace platform {

using x11::connection;

TextEntryHandle openTextEntry(WindowHandle window, const TextEntryRequest& request) {
    auto* owner = shared::findLive<x11::ChildWindow>(window);
    Display* display = connection().display;
    if (!owner || !display) return nullptr;
    // The entry is a native window over a scaled panel: device pixels.
    const Box box = shared::toDeviceBox(*owner, request.box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width <= 0 || height <= 0) return nullptr;

    // Entries a host never closed before the connection went are dead.
    std::erase_if(x11::entries(), [&](const auto& e) { return e->display != display; });
    auto entry = std::make_unique<x11::TextEntry>();
    entry->display = display;
    entry->request = request;
    entry->request.box = box;
    entry->request.font.height = shared::toDevice(request.font.height, owner->scalePercent);
    char initial[kTextCapacity];
    copyTextCut(request.text, initial, kTextCapacity);
    entry->text = initial;
    entry->request.text = nullptr;  // the caller's buffer may not outlive the call
    entry->cursor = entry->text.size();
    entry->selected = !entry->text.empty();
    entry->view.visual = owner->visual;
    entry->view.width = width;
    entry->view.height = height;
    entry->view.backing = cairo::CairoImage::create(width, height, false);
    if (!entry->view.backing) return nullptr;

    const unsigned long mark = x11::trapBegin();
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;
    attributes.event_mask =
        ExposureMask | KeyPressMask | ButtonPressMask | FocusChangeMask | StructureNotifyMask;
    entry->view.id =
        XCreateWindow(display, owner->id, box.left, box.top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixmap | CWEventMask, &attributes);
    XMapRaised(display, entry->view.id);
    XGetInputFocus(display, &entry->previousFocus, &entry->previousRevert);
    XSetInputFocus(display, entry->view.id, RevertToParent, CurrentTime);
    if (!x11::trapEndClean(mark)) {
        XWindowAttributes created{};
        const unsigned long check = x11::trapBegin();
        const Status exists = XGetWindowAttributes(display, entry->view.id, &created);
        if (!x11::trapEndClean(check) || !exists) return nullptr;
    }
    // A focus refused (an unmapped parent) leaves an entry that still ends
    // with Return or a click elsewhere on the panel.
    x11::paint(*entry);
    x11::entries().push_back(std::move(entry));
    return x11::entries().back().get();
}

int textEntryText(TextEntryHandle handle, char* out, int capacity) {
    x11::TextEntry* entry = x11::findEntry(handle);
    return copyTextCut(entry ? entry->text.c_str() : "", out, capacity);
}

bool textEntryConfirmed(TextEntryHandle handle) {
    x11::TextEntry* entry = x11::findEntry(handle);
    return entry && entry->confirmed;
}

void closeTextEntry(TextEntryHandle handle) {
    x11::TextEntry* entry = x11::findEntry(handle);
    if (!entry) return;
    Display* display = connection().display;
    if (display && display == entry->display && entry->view.alive) {
        const unsigned long mark = x11::trapBegin();
        x11::giveFocusBack(*entry, display);
        XDestroyWindow(display, entry->view.id);
        (void)x11::trapEndClean(mark);
    }
    std::erase_if(x11::entries(), [&](const auto& e) { return e.get() == entry; });
}

}  // namespace platform
