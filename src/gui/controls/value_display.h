// GuiValueDisplay: shows a value as text over a piece of a background
// bitmap (or a filled, framed rectangle), with optional bevel lines and a
// one-pixel shadow. It has no mouse handling and never reports: its listener
// and tag are null and 0.
//
// The text comes from the value-to-text callback when one is set (it gets a
// 256-byte buffer whose first byte is 0; whatever it leaves there is shown,
// cut at 255 characters), otherwise from the value printed with "%2.2f".
//
// Style bits:
// | bit                     | effect                                           |
// |-------------------------|--------------------------------------------------|
// | GuiDisplayStyle::kShadowText      | text drawn first in shadowColor, 1 px right+down |
// | GuiDisplayStyle::kBevelBackFirst  | top/left lines backColor, bottom/right frameColor|
// | GuiDisplayStyle::kBevelFrameFirst | top/left frameColor, bottom/right backColor      |
// With either bevel bit no outline rectangle is drawn around a filled field.
//
// The look setters (font, colours, alignment) force the next update to
// redraw when they change something, by moving oldValue away from value;
// colours compare by red, green and blue only.
//
// Virtual operations beyond GuiControl's: the look setters (setFont,
// setTextColor, setBackColor, setFrameColor, setShadowColor, setAlignment,
// setBackgroundOffset, setValueToText), called by the editor that builds it.
//
// Ownership: the background holds one reference.
// Threads: user-interface thread only.
#pragma once

#include <cstdint>

#include "gui/controls/control.h"
#include "gui/core/bitmap_ref.h"
#include "gui/core/color.h"
#include "gui/core/draw_context.h"

// Writes the text for `value` into `text`, a buffer of 256 bytes.
using GuiValueToText = void (*)(float value, char* text);

struct GuiDisplayStyle {
    static constexpr std::int32_t kShadowText = 0x04;
    static constexpr std::int32_t kBevelBackFirst = 0x80;
    static constexpr std::int32_t kBevelFrameFirst = 0x100;
};

class GuiValueDisplay : public GuiControl {
public:
    static constexpr int kTextSize = 256;

    GuiValueDisplay(const GuiRect& size, GuiBitmap* background, std::int32_t style);

    void draw(GuiDrawContext* context) override;

    virtual void setFont(int fontId);
    virtual void setTextColor(const GuiColor& color);
    virtual void setBackColor(const GuiColor& color);
    virtual void setFrameColor(const GuiColor& color);
    virtual void setShadowColor(const GuiColor& color);
    virtual void setAlignment(GuiTextAlign newAlignment);
    virtual void setBackgroundOffset(const GuiPoint& offset) { backgroundOffset = offset; }
    virtual void setValueToText(GuiValueToText callback) { valueToText = callback; }

    int getFont() const { return font; }
    GuiColor getTextColor() const { return textColor; }
    GuiColor getBackColor() const { return backColor; }
    GuiColor getFrameColor() const { return frameColor; }
    GuiColor getShadowColor() const { return shadowColor; }
    int getAlignment() const { return alignment; }
    std::int32_t getStyle() const { return style; }
    GuiPoint getBackgroundOffset() const { return backgroundOffset; }
    GuiBitmap* getBackground() const { return background.get(); }

    // The text the display shows for its current value (at most 255
    // characters), as draw makes it.
    void makeText(char (&text)[kTextSize]) const;

protected:
    // Background (from `override` when given, else the background bitmap,
    // else a filled field), bevel, shadow and text; then oldValue = value.
    // Shared with the controls that show a text of their own.
    void drawText(GuiDrawContext* context, const char* text, GuiBitmap* override);
    // Makes the next update draw although the value has not changed.
    void forceRedraw();
    // Stores a look setting, forcing a redraw when it changes.
    template <class T>
    void restyle(T& field, const T& next) {
        if (!(next == field)) forceRedraw();
        field = next;
    }

    int alignment = 1;
    std::int32_t style;
    int font = 3;
    GuiColor textColor = kColorWhite;
    GuiColor backColor = kColorBlack;
    GuiColor frameColor = kColorBlack;
    GuiColor shadowColor = kColorRed;
    GuiPoint backgroundOffset;
    GuiBitmapRef background;
    GuiValueToText valueToText = nullptr;

private:
    void drawBackground(GuiDrawContext* context, GuiBitmap* override);
    void drawBevel(GuiDrawContext* context);
};
