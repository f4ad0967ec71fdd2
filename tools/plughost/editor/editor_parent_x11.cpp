#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

#include <thread>

#include "editor/editor_parent.h"

namespace {

class X11Parent final : public EditorParent {
public:
    X11Parent(Display* connection, Window parentWindow, Atom deleteAtom)
        : display(connection), window(parentWindow), closeAtom(deleteAtom) {}
    ~X11Parent() override {
        XDestroyWindow(display, window);
        XCloseDisplay(display);
    }
    void* handle() override { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
    void resize(int width, int height) override {
        XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XFlush(display);
    }
    void pump() override {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage &&
                static_cast<Atom>(event.xclient.data.l[0]) == closeAtom)
                closeReceived = true;
        }
        XSync(display, False);
    }
    bool closeRequested() const override { return closeReceived; }

private:
    Display* display;
    Window window;
    Atom closeAtom;
    bool closeReceived = false;
};

}  // namespace

std::unique_ptr<EditorParent> createEditorParent(int width, int height, std::string& whyNot,
                                                 const std::string& title) {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        whyNot = "no display ($DISPLAY is not set)";
        return nullptr;
    }
    // A server that has just lost its last client resets and refuses
    // connections for a moment: try a few times before giving up.
    Display* display = nullptr;
    for (int attempt = 0; attempt < 20 && !display; ++attempt) {
        display = XOpenDisplay(name);
        if (!display) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!display) {
        whyNot = std::string("cannot open display ") + name;
        return nullptr;
    }
    const int screen = DefaultScreen(display);
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                                        static_cast<unsigned>(width > 0 ? width : 400),
                                        static_cast<unsigned>(height > 0 ? height : 300), 0,
                                        BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, title.c_str());
    // The window manager's close button asks instead of killing the connection.
    Atom closeAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &closeAtom, 1);
    XMapWindow(display, window);
    XSync(display, False);
    return std::make_unique<X11Parent>(display, window, closeAtom);
}
