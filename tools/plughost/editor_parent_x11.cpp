#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

#include <thread>

#include "editor_parent.h"

namespace {

class X11Parent final : public EditorParent {
public:
    X11Parent(Display* display, Window window, Atom closeAtom)
        : display_(display), window_(window), closeAtom_(closeAtom) {}
    ~X11Parent() override {
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    void* handle() override { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window_)); }
    void resize(int width, int height) override {
        XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
        XFlush(display_);
    }
    void pump() override {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == closeAtom_)
                closeRequested_ = true;
        }
        XSync(display_, False);
    }
    bool closeRequested() const override { return closeRequested_; }

private:
    Display* display_;
    Window window_;
    Atom closeAtom_;
    bool closeRequested_ = false;
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
