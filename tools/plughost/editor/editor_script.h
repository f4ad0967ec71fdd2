// Scripts for `plughost editor`: what a user does at the editor window, one
// command a line. Coordinates are pixels from the editor's top-left corner.
//
//   press X Y        move the pointer there and hold the left button
//   move X Y         move the pointer (the button stays as it is)
//   release          let the left button go
//   wheel X Y up|down N  turn the mouse wheel N notches over X Y
//   key NAME         press and release a key by its X keysym name (Return,
//                    BackSpace, Escape, a, ...), modifiers as prefixes:
//                    shift+Tab, ctrl+a, alt+Left
//   type TEXT        type the rest of the line, character by character
//   wait MS          let MS milliseconds pass
//   screenshot PNG   write what the window shows
//   set INDEX VALUE  the host changes a parameter (VALUE 0..1)
//
// Blank lines and lines starting with '#' are ignored; '#' later in a line
// is part of the text for `type`.
#pragma once

#include <istream>
#include <string>
#include <vector>

struct ScriptCommand {
    enum class Kind { press, move, release, wheel, key, type, wait, screenshot, set };
    Kind kind = Kind::wait;
    int line = 0;
    int x = 0;
    int y = 0;
    std::string text;  // key name, typed text or screenshot file
    double milliseconds = 0.0;
    int index = 0;  // for wheel: notches, positive up
    float value = 0.0f;
};

// Throws HostError "SOURCE:LINE: what is wrong".
std::vector<ScriptCommand> parseEditorScript(std::istream& in, const std::string& sourceName);
std::vector<ScriptCommand> loadEditorScript(const std::string& path);
