// GuiAnimationView: shows the image of a vertical strip at a pixel offset,
// only while running. Here the value is that offset into the strip, not a
// fraction; whoever runs the animation steps it with nextImage or
// previousImage and then calls update.
//
// | event              | running before | what happens                         |
// |--------------------|----------------|--------------------------------------|
// | click              | no             | value 0, start, next update draws,   |
// |                    |                | the listener is told                 |
// | click              | yes            | value 0, first image drawn, stop;    |
// |                    |                | the listener is not told             |
// | draw while stopped | -              | nothing drawn, nothing changes       |
//
// nextImage moves one image down and wraps from the last image to the
// first; previousImage moves one up and wraps from the first to the last.
// An offset outside the strip shows its nearest end.
//
// Virtual operations after GuiControl's: 20 start, 21 stop, 22 nextImage,
// 23 previousImage.
//
// Ownership: the bitmap holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/strip_control.h"

class GuiAnimationView : public GuiStripControl {
public:
    GuiAnimationView(const GuiRect& size, ControlListener* listener, std::int32_t tag,
                     std::int32_t imageCount, std::int32_t imageHeight, GuiBitmap* bitmap,
                     const GuiPoint& backgroundOffset);

    void draw(GuiDrawContext* context) override;
    void mouseDown(GuiDrawContext* context, const GuiPoint& where) override;

    virtual void start() { running = true; }
    virtual void stop() { running = false; }
    virtual void nextImage();
    virtual void previousImage();

    bool isRunning() const { return running; }

protected:
    std::int32_t imageCount;
    bool running = false;
    std::int32_t stripHeight;
};
