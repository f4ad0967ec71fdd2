#include "gui/controls/value_display.h"

#include <cstdio>

#include "gui/core/bitmap.h"
#include "gui/core/draw_context.h"

GuiValueDisplay::GuiValueDisplay(const GuiRect& size, GuiBitmap* background, std::int32_t style)
    : GuiControl(size, nullptr, 0), style(style), background(background) {}

void GuiValueDisplay::forceRedraw() {
    oldValue = value + 0.1f;
    // Past 2^20 the sum rounds back to the value; a different sign still differs.
    if (oldValue == value) oldValue = -value;
}

void GuiValueDisplay::setFont(int fontId) { restyle(font, fontId); }

void GuiValueDisplay::setTextColor(const GuiColor& color) { restyle(textColor, color); }

void GuiValueDisplay::setBackColor(const GuiColor& color) { restyle(backColor, color); }

void GuiValueDisplay::setFrameColor(const GuiColor& color) { restyle(frameColor, color); }

void GuiValueDisplay::setShadowColor(const GuiColor& color) { restyle(shadowColor, color); }

void GuiValueDisplay::setAlignment(GuiTextAlign newAlignment) {
    restyle(alignment, static_cast<int>(newAlignment));
}

void GuiValueDisplay::makeText(char (&text)[kTextSize]) const {
    if (valueToText) {
        text[0] = 0;
        valueToText(value, text);
        // A callback that fills the buffer without a terminator is cut, not read past.
        text[kTextSize - 1] = 0;
    } else {
        std::snprintf(text, kTextSize, "%2.2f", static_cast<double>(value));
    }
}

void GuiValueDisplay::draw(GuiDrawContext* context) {
    char text[kTextSize];
    makeText(text);
    drawText(context, text, nullptr);
}

void GuiValueDisplay::drawBackground(GuiDrawContext* context, GuiBitmap* override) {
    if (GuiBitmap* picture = override ? override : background.get()) {
        picture->draw(context, size, backgroundOffset);
        return;
    }
    context->setFillColor(backColor);
    context->fillRect(size);
    if (style & (GuiDisplayStyle::kBevelBackFirst | GuiDisplayStyle::kBevelFrameFirst)) return;
    context->setFrameColor(frameColor);
    context->drawRect(size);
}

void GuiValueDisplay::drawBevel(GuiDrawContext* context) {
    const bool backFirst = (style & GuiDisplayStyle::kBevelBackFirst) != 0;
    context->setFrameColor(backFirst ? backColor : frameColor);
    context->moveTo(GuiPoint(size.left, size.bottom));
    context->lineTo(GuiPoint(size.left, size.top));
    context->lineTo(GuiPoint(size.right + 1, size.top));
    context->setFrameColor(backFirst ? frameColor : backColor);
    context->moveTo(GuiPoint(size.right, size.top + 1));
    context->lineTo(GuiPoint(size.right, size.bottom));
    context->lineTo(GuiPoint(size.left, size.bottom));
}

void GuiValueDisplay::drawText(GuiDrawContext* context, const char* text, GuiBitmap* override) {
    drawBackground(context, override);
    if (style & (GuiDisplayStyle::kBevelBackFirst | GuiDisplayStyle::kBevelFrameFirst))
        drawBevel(context);
    context->setFont(font);
    const auto align = static_cast<GuiTextAlign>(alignment);
    if (style & GuiDisplayStyle::kShadowText) {
        context->setFontColor(shadowColor);
        context->drawString(text,
                            GuiRect(size.left + 1, size.top + 1, size.right + 1, size.bottom + 1),
                            false, align);
    }
    context->setFontColor(textColor);
    context->drawString(text, size, false, align);
    oldValue = value;
}
