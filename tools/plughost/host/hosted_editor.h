// An open plug-in editor as plughost editor drives it, whatever the format
// (VST 2's effEditOpen and effEditIdle, an LV2 UI's idle interface). Made
// open inside the parent window by HostedPlugin::openEditor; closed when
// destroyed. All calls come from the user-interface thread.
#pragma once

#include <string>

class HostedEditor {
public:
    virtual ~HostedEditor() = default;
    // One idle: the editor redraws what changed and follows the host's
    // parameter changes.
    virtual void idle() = 0;
    // True once the editor itself has asked to be closed.
    virtual bool closeRequested() const { return false; }
    // Its size, when it says; false otherwise.
    virtual bool size(int& width, int& height) const = 0;
    // A parameter's value as a text for the closing record: "0.5 (500 ms)".
    virtual std::string describe(int index) const = 0;

    // Closes the editor now, as a host may from inside one of the plug-in's
    // own calls; the destructor then leaves it be.
    virtual void closeNow() {}
    // The plug-in was destroyed (HostedPlugin::closeNow) and took its editor
    // with it: nothing is closed again.
    virtual void forget() {}
};
