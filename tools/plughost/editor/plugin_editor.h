// An open plug-in editor as plughost editor drives it, whatever the format:
// VST 2's (effEditOpen, effEditIdle, effEditClose) or an LV2 UI's
// (lv2/lv2_ui.h). Created open inside the parent window; closed when
// destroyed. All calls come from the user-interface thread.
#pragma once

#include <string>

class PluginEditor {
public:
    virtual ~PluginEditor() = default;
    // One idle: the editor redraws what changed and follows the host's
    // parameter changes.
    virtual void idle() = 0;
    // True once the editor itself has asked to be closed.
    virtual bool closeRequested() const { return false; }
    // Its size, when it says; false otherwise.
    virtual bool size(int& width, int& height) const = 0;
    // A parameter's value as a text for the closing record: "0.5 (500 ms)".
    virtual std::string describe(int index) const = 0;
};
