// Popup menus on X11: an override-redirect window on the root, drawn with
// cairo at the scale of the window it opens over, that holds the pointer
// and keyboard grabs while its own modal loop runs. Its rows are laid out in
// the design's pixels; drawing is multiplied and the pointer divided, as
// for the panel itself. Only the popup's events are taken from the queue; everything else
// waits for the host's next idle.
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/shared/scale.h"
#include "platform/x11/x11_connection.h"

namespace platform {

namespace {

constexpr int kRowHeight = 20;
constexpr int kSeparatorHeight = 9;
constexpr int kCheckColumn = 20;
constexpr int kRightPadding = 16;
constexpr int kMinimumWidth = 60;
constexpr int kFontHeight = 13;
constexpr int kWaitMilliseconds = 50;

struct Row {
    std::string text;
    bool separator = false;
    bool checked = false;
    int top = 0;
    int height = 0;
};

struct Popup {
    // designWidth x designHeight in the design's pixels, width x height on
    // the screen.
    x11::ChildWindow view;
    int scale = shared::kUnscaled;
    std::vector<Row> rows;
    int hover = -1;
    // Set once the user acted inside the popup, so that the release of the
    // press that opened it chooses nothing.
    bool armed = false;
    bool done = false;
    int result = -1;
};

void selectMenuFont(cairo_t* cr) {
    cairo_select_font_face(cr, cairo::resolveFace("Arial"), CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontHeight);
}

// Rows stacked from the top; returns the popup's width.
int layOut(Popup& popup, const MenuEntry* entries, int count) {
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(scratch);
    selectMenuFont(cr);
    int width = kMinimumWidth;
    int top = 1;
    for (int i = 0; i < count; ++i) {
        Row row;
        char text[kTextCapacity];
        copyTextCut(entries[i].text, text, kTextCapacity);
        row.text = text;
        row.separator = entries[i].separator;
        row.checked = entries[i].checked;
        row.top = top;
        row.height = row.separator ? kSeparatorHeight : kRowHeight;
        top += row.height;
        cairo_text_extents_t te;
        cairo_text_extents(cr, row.text.c_str(), &te);
        width = std::max(width,
                         kCheckColumn + static_cast<int>(std::ceil(te.x_advance)) + kRightPadding);
        popup.rows.push_back(std::move(row));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(scratch);
    popup.view.designHeight = top + 1;
    return width;
}

void drawCheck(cairo_t* cr, const Row& row) {
    const double mid = row.top + row.height / 2.0;
    cairo_move_to(cr, 6, mid);
    cairo_line_to(cr, 9, mid + 3);
    cairo_line_to(cr, 15, mid - 4);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
}

void paint(Popup& popup) {
    x11::ChildWindow& view = popup.view;
    const int width = view.designWidth;
    const int height = view.designHeight;
    cairo_t* cr = cairo_create(view.backing->surface());
    cairo_scale(cr, popup.scale / 100.0, popup.scale / 100.0);
    cairo_set_source_rgb(cr, 0.96, 0.96, 0.96);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.45, 0.45, 0.45);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 0.5, 0.5, width - 1, height - 1);
    cairo_stroke(cr);
    selectMenuFont(cr);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    for (std::size_t i = 0; i < popup.rows.size(); ++i) {
        const Row& row = popup.rows[i];
        if (row.separator) {
            cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
            const double y = row.top + row.height / 2 + 0.5;
            cairo_move_to(cr, 4, y);
            cairo_line_to(cr, width - 4, y);
            cairo_set_line_width(cr, 1.0);
            cairo_stroke(cr);
            continue;
        }
        const bool lit = static_cast<int>(i) == popup.hover;
        if (lit) {
            cairo_set_source_rgb(cr, 0.2, 0.4, 0.8);
            cairo_rectangle(cr, 1, row.top, width - 2, row.height);
            cairo_fill(cr);
        }
        if (lit) cairo_set_source_rgb(cr, 1, 1, 1);
        else cairo_set_source_rgb(cr, 0, 0, 0);
        if (row.checked) drawCheck(cr, row);
        const double baseline = row.top + (row.height - (fe.ascent + fe.descent)) / 2.0 + fe.ascent;
        cairo_move_to(cr, kCheckColumn, std::round(baseline));
        cairo_show_text(cr, row.text.c_str());
    }
    cairo_destroy(cr);
    x11::present(view);
}

// Rows and the inside in the design's pixels, from the screen's.
int rowAt(const Popup& popup, int deviceX, int deviceY) {
    const int x = shared::toDesign(deviceX, popup.scale);
    const int y = shared::toDesign(deviceY, popup.scale);
    if (x < 0 || x >= popup.view.designWidth) return -1;
    for (std::size_t i = 0; i < popup.rows.size(); ++i) {
        const Row& row = popup.rows[i];
        if (y >= row.top && y < row.top + row.height) return static_cast<int>(i);
    }
    return -1;
}

bool inside(const Popup& popup, int deviceX, int deviceY) {
    return deviceX >= 0 && deviceY >= 0 && deviceX < popup.view.width &&
           deviceY < popup.view.height;
}

void hoverAt(Popup& popup, int row) {
    if (row >= 0 && popup.rows[static_cast<std::size_t>(row)].separator) row = -1;
    if (row == popup.hover) return;
    popup.hover = row;
    paint(popup);
}

// Up and Down walk the choosable rows, Return takes the highlighted one.
void step(Popup& popup, int direction) {
    const int count = static_cast<int>(popup.rows.size());
    int row = popup.hover;
    for (int tries = 0; tries < count; ++tries) {
        row = row < 0 ? (direction > 0 ? 0 : count - 1) : (row + direction + count) % count;
        if (!popup.rows[static_cast<std::size_t>(row)].separator) {
            hoverAt(popup, row);
            return;
        }
    }
}

void handle(Popup& popup, const XEvent& event) {
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) paint(popup);
        break;
    case MotionNotify:
        if (inside(popup, event.xmotion.x, event.xmotion.y)) popup.armed = true;
        hoverAt(popup, rowAt(popup, event.xmotion.x, event.xmotion.y));
        break;
    case ButtonPress:
        if (!inside(popup, event.xbutton.x, event.xbutton.y)) {
            popup.done = true;
            break;
        }
        popup.armed = true;
        hoverAt(popup, rowAt(popup, event.xbutton.x, event.xbutton.y));
        break;
    case ButtonRelease: {
        const int row = rowAt(popup, event.xbutton.x, event.xbutton.y);
        if (!popup.armed || row < 0 || popup.rows[static_cast<std::size_t>(row)].separator) break;
        popup.result = row;
        popup.done = true;
        break;
    }
    case KeyPress: {
        XKeyEvent key = event.xkey;
        const KeySym sym = XLookupKeysym(&key, 0);
        if (sym == XK_Escape) popup.done = true;
        else if (sym == XK_Down) step(popup, 1);
        else if (sym == XK_Up) step(popup, -1);
        else if ((sym == XK_Return || sym == XK_KP_Enter) && popup.hover >= 0) {
            popup.result = popup.hover;
            popup.done = true;
        }
        break;
    }
    case DestroyNotify: popup.done = true; break;
    default: break;
    }
}

Bool isForPopup(Display*, XEvent* event, XPointer popupId) {
    return event->xany.window == *reinterpret_cast<::Window*>(popupId) ? True : False;
}

void runLoop(Display* display, Popup& popup) {
    ::Window id = popup.view.id;
    while (!popup.done) {
        XEvent event;
        if (XCheckIfEvent(display, &event, &isForPopup, reinterpret_cast<XPointer>(&id))) {
            handle(popup, event);
            continue;
        }
        // Sleep until the server sends something; never spin.
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        if (poll(&fd, 1, kWaitMilliseconds) < 0) return;
        if (fd.revents & (POLLERR | POLLHUP)) return;
        XEventsQueued(display, QueuedAfterReading);
    }
}

bool grab(Display* display, ::Window id) {
    constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    // The press that opened the popup may still hold an implicit grab of the
    // panel; a few tries ride out another client's grab that is just ending.
    for (int tries = 0; tries < 20; ++tries) {
        if (XGrabPointer(display, id, False, kPointerEvents, GrabModeAsync, GrabModeAsync, None,
                         None, CurrentTime) == GrabSuccess) {
            if (XGrabKeyboard(display, id, False, GrabModeAsync, GrabModeAsync, CurrentTime) !=
                GrabSuccess) {
                // Escape will not work, a click outside still cancels.
            }
            return true;
        }
        poll(nullptr, 0, 10);
    }
    return false;
}

// Keeps the popup on the screen: left of the right edge, above the bottom.
Point placeOnScreen(Display* display, Point screen, int width, int height) {
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    screen.x = std::max(0, std::min(screen.x, screenWidth - width));
    screen.y = std::max(0, std::min(screen.y, screenHeight - height));
    return screen;
}

}  // namespace

int popupMenu(WindowHandle window, Point where, const MenuEntry* entries, int count) {
    auto* owner = shared::findLive<x11::ChildWindow>(window);
    Display* display = x11::connection().display;
    if (!owner || !display || !entries || count <= 0) return -1;

    Popup popup;
    popup.scale = owner->scalePercent;
    popup.view.designWidth = layOut(popup, entries, count);
    popup.view.width = shared::toDevice(popup.view.designWidth, popup.scale);
    popup.view.height = shared::toDevice(popup.view.designHeight, popup.scale);
    popup.view.backing = cairo::CairoImage::create(popup.view.width, popup.view.height, false);
    if (!popup.view.backing) return -1;
    const ::Window root = DefaultRootWindow(display);
    where = shared::toDevicePoint(*owner, where);
    int screenX = where.x;
    int screenY = where.y;
    ::Window child = 0;
    const unsigned long mark = x11::trapBegin();
    XTranslateCoordinates(display, owner->id, root, where.x, where.y, &screenX, &screenY, &child);
    if (!x11::trapEndClean(mark)) return -1;
    const Point at =
        placeOnScreen(display, Point{screenX, screenY}, popup.view.width, popup.view.height);

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixmap = None;
    attributes.save_under = True;
    attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask;
    popup.view.visual = DefaultVisual(display, DefaultScreen(display));
    popup.view.id = XCreateWindow(
        display, root, at.x, at.y, static_cast<unsigned>(popup.view.width),
        static_cast<unsigned>(popup.view.height), 0, CopyFromParent, InputOutput, CopyFromParent,
        CWOverrideRedirect | CWBackPixmap | CWSaveUnder | CWEventMask, &attributes);
    XMapRaised(display, popup.view.id);
    paint(popup);
    if (x11::trapEndClean(mark) && grab(display, popup.view.id)) runLoop(display, popup);

    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
    XDestroyWindow(display, popup.view.id);
    (void)x11::trapEndClean(mark);
    return popup.result;
}

}  // namespace platform
