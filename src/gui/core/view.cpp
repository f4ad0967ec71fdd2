#include "gui/core/view.h"

GuiView::GuiView(const GuiRect& size) : size(size) {}

GuiView::~GuiView() = default;

void GuiView::draw(GuiDrawContext*) {}
void GuiView::mouseDown(GuiDrawContext*, const GuiPoint&) {}
void GuiView::update(GuiDrawContext*) {}
void GuiView::focusLost() {}
void GuiView::focusGained() {}
