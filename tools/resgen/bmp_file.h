// Writes a cairo RGB24 image as an uncompressed 24-bit Windows bitmap file
// (bottom-up rows, each padded to four bytes), the form resource compilers
// and our own decoder both take.
#pragma once

#include <cairo.h>

#include <string>

// False when the surface is not RGB24 or the file cannot be written.
[[nodiscard]] bool writeBmp24(cairo_surface_t* surface, const std::string& path);
