// GuiPopupPicture: a click shows a bitmap over a larger rectangle, the
// next click on it hides it again. While shown the control is the frame's
// modal view with its size swapped for the covered rectangle, so the frame
// routes clicks only to it.
//
// | click while | result                                                   |
// |-------------|----------------------------------------------------------|
// | hidden      | value 1: modal, size = displayRect, picture drawn, told   |
// | shown       | value 0: size restored, modal cleared, whole frame drawn, |
// |             | told                                                      |
// | hidden, but another view is modal (or there is no frame) | nothing:   |
// |             | the value stays 0 and nobody is told                      |
// Drawing shows the picture only while the value is not 0 and leaves
// oldValue to update.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"

class GuiPopupPicture : public GuiControl {
public:
    GuiPopupPicture(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                    GuiBitmap* bitmap, const GuiRect& displayRect,
                    const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;

protected:
    GuiRect displayRect;
    GuiRect savedSize;
    GuiBitmapRef bitmap;
    GuiPoint backgroundOffset;
};
