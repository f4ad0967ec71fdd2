// The pictures of the panel's bitmap resources, drawn with cairo. Each
// function returns a new RGB24 image surface of the resource's exact size;
// the caller destroys it.
//
// | id  | size     | picture                                                  |
// |-----|----------|----------------------------------------------------------|
// | 120 | 420 x 64 | the panel: sections, knob bodies, labels, display field, |
// |     |          | button bodies, the type switch at rest                   |
// | 121 | 24 x 24  | one knob body on the panel's colour                      |
// | 122 | 11 x 11  | knob handle: dark dot; everything else pure white (key)  |
// | 123 | 24 x 75  | type switch, three 24 x 25 frames: LP, HP, BP lit yellow |
// | 124 | 12 x 16  | "+" button, two 12 x 8 frames: blue sign, yellow sign    |
// | 125 | 12 x 16  | "-" button, the same with a minus                        |
// | 126 | 11 x 11  | red dot on white                                         |
#pragma once

#include <cairo.h>

cairo_surface_t* drawPanel();
cairo_surface_t* drawKnobBody();
cairo_surface_t* drawKnobHandle();
cairo_surface_t* drawTypeSwitch();
cairo_surface_t* drawPlusButton();
cairo_surface_t* drawMinusButton();
cairo_surface_t* drawRedDot();
