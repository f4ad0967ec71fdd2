// plughost editor: opens a plug-in's editor in a top-level window of its
// own, the way a desktop host does, and lets a script play the user.
//
// | who                 | does                                              |
// |---------------------|---------------------------------------------------|
// | this thread (UI)    | opens the editor, idles it (HostedEditor::idle)   |
// |                     | about 30 times a second, applies the script's     |
// |                     | `set` commands, closes the editor                 |
// | the user thread     | runs the script with a real pointer and keyboard, |
// |                     | takes the screenshots                             |
// | the plug-in (any)   | reports automation, printed at once on stdout     |
//
// stdout is an automation file of what the plug-in reported (seconds since
// the editor opened), with everything else as '#' comments, so it can be
// replayed with `render --automation`.
#pragma once

#include "cli.h"

int runEditor(const EditorOptions& options);
