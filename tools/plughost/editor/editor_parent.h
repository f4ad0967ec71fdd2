// A top-level window to host a plug-in's editor in. editor_parent_x11.cpp
// (Xlib, under $DISPLAY) and editor_parent_win32.cpp implement it.
#pragma once

#include <memory>
#include <string>

class EditorParent {
public:
    virtual ~EditorParent() = default;
    // What effEditOpen expects: the X11 window id or the HWND.
    virtual void* handle() = 0;
    virtual void resize(int width, int height) = 0;
    // Delivers pending window-system events.
    virtual void pump() = 0;
    // True once the user has asked the window manager to close the window.
    virtual bool closeRequested() const = 0;
};

// Null with whyNot set when no display is available.
std::unique_ptr<EditorParent> createEditorParent(int width, int height, std::string& whyNot,
                                                 const std::string& title = "plughost validate");
