// The window a test host hands the plug-in's editor (effEditOpen). With the
// product editor in the tree it is a parent on the headless desktop; without
// one the effect answers the editor opcodes with 0 and any value will do.
// Only the user-interface thread calls these.
#pragma once

// Returns the desktop to its starting state and a parent window on it.
void* prepareEditorParent();
