#include "gui/controls/view.h"

#include "gui/core/offscreen_context.h"

GuiView::GuiView(const GuiRect& size) : size(size) {}

GuiView::~GuiView() = default;

void GuiView::draw(GuiDrawContext*) {}
void GuiView::mouseDown(GuiDrawContext*, const GuiPoint&) {}
void GuiView::update(GuiDrawContext*) {}
void GuiView::focusLost() {}
void GuiView::focusGained() {}

void GuiView::setOffscreen(GuiOffscreenContext* newOffscreen) {
    if (!newOffscreen) return;
    if (newOffscreen->getWidth() < getWidth() || newOffscreen->getHeight() < getHeight()) return;
    offscreen = newOffscreen;
}
