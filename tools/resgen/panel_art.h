// The pictures of the panel's bitmap resources, drawn with cairo at a scale
// in per cent (100, 150, 200). Each function returns a new RGB24 image
// surface of the resource's exact size at that scale (the sizes and ids are
// in editor/panel_bitmap_set.h); the caller destroys it.
#pragma once

#include <cairo.h>

cairo_surface_t* drawPanel(int percent);
cairo_surface_t* drawKnobBody(int percent);
cairo_surface_t* drawKnobHandle(int percent);
cairo_surface_t* drawTypeSwitch(int percent);
cairo_surface_t* drawPlusButton(int percent);
cairo_surface_t* drawMinusButton(int percent);
cairo_surface_t* drawRedDot(int percent);
