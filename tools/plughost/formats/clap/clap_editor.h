// A CLAP plug-in's GUI embedded in plughost's window (x11, or win32 on
// Windows). Each idle fires the timers the plug-in registered that are due,
// answers its request_callback, and flushes its parameter edits, passing
// gestures and values to the editor's events; closing flushes once more.
#pragma once

#include "formats/clap/clap_plugin.h"
#include "host/hosted_editor.h"

class EditorHostEvents;

// The GUI's size before it opens: created, asked, destroyed.
bool clapEditorSize(const ClapHostedPlugin& plugin, int& width, int& height);

class ClapEditor final : public HostedEditor {
public:
    // Throws HostError when there is no GUI or it does not open.
    ClapEditor(const ClapHostedPlugin& plugin, void* parentWindow, EditorHostEvents& events);
    ~ClapEditor() override;
    ClapEditor(const ClapEditor&) = delete;
    ClapEditor& operator=(const ClapEditor&) = delete;

    void idle() override;
    bool size(int& width, int& height) const override;
    std::string describe(int index) const override;
    void closeNow() override;
    void forget() override { open = false; }

private:
    // The plug-in's edits, flushed when it asked for a flush.
    void flushEdits();

    const ClapHostedPlugin& plugin;
    EditorHostEvents& events;
    bool open = false;
};
