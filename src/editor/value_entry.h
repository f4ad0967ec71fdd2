// ValueEntry: the text edit the panel opens over its value display on a
// double-click. Only Return sets what was typed; Escape, or a click
// elsewhere taking the focus, leave the parameter as it was (the toolkit's
// return-only mode). Once the editing has ended, whichever way, the entry
// is finished and the editor removes it at its next idle, never from inside
// the entry's own report.
//
// Ownership: the frame, like every view; the editor keeps a pointer.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/text_edit.h"

namespace molvex {

class ValueEntry final : public GuiTextEdit {
public:
    ValueEntry(const GuiRect& size, ControlListener* listener, std::int32_t tag, const char* text,
               GuiBitmap* background, std::int32_t style)
        : GuiTextEdit(size, listener, tag, text, background, style) {
        setReturnOnly(true);
    }

    void focusLost() override;
    bool isFinished() const { return finished; }

private:
    bool finished = false;
};

}  // namespace molvex
