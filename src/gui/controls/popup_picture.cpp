#include "gui/controls/popup_picture.h"

#include "gui/controls/press_buttons.h"
#include "gui/core/bitmap.h"
#include "gui/core/frame.h"

GuiPopupPicture::GuiPopupPicture(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                                 GuiBitmap* bitmap, const GuiRect& displayRect,
                                 const GuiPoint& backgroundOffset)
    : GuiControl(size, listener, tag),
      displayRect(displayRect),
      bitmap(bitmap),
      backgroundOffset(backgroundOffset) {}

void GuiPopupPicture::draw(GuiDrawContext* context) {
    if (value != 0.0f && bitmap) bitmap->draw(context, displayRect, backgroundOffset);
}

void GuiPopupPicture::mouseDown(GuiDrawContext* context, const GuiPoint&) {
    if (!mouseEnabled || !context || !frame) return;
    if (value != 0.0f) {
        value = 0.0f;
        size = savedSize;
        if (frame->getModalView() == this) frame->setModalView(nullptr);
        frame->draw(context);
        guiReportChange(*this, context);
        return;
    }
    // Refused while another view is modal: showing nothing with a value of
    // 1 would make the next click restore an empty size and end the other
    // view's modal state.
    if (!frame->setModalView(this)) return;
    value = 1.0f;
    savedSize = size;
    size = displayRect;
    draw(context);
    guiReportChange(*this, context);
}
