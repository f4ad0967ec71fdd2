// resgen OUTDIR [--preview DIR]: writes the panel's bitmaps at every scale
// as OUTDIR/N.bmp (120 to 126 at 100 %, the larger sets under their own ids,
// editor/panel_bitmap_set.h); with --preview also PNG pictures of each at 1x
// and 4x (nearest pixel), for looking at them.
#include <cairo.h>

#include <cstdio>
#include <string>

#include "bmp_file.h"
#include "editor/panel_bitmap_set.h"
#include "panel_art.h"

namespace {

struct Resource {
    int id;
    cairo_surface_t* (*draw)(int percent);
};

constexpr Resource kResources[] = {
    {120, drawPanel},      {121, drawKnobBody},    {122, drawKnobHandle}, {123, drawTypeSwitch},
    {124, drawPlusButton}, {125, drawMinusButton}, {126, drawRedDot},
};

bool writePreview(cairo_surface_t* image, const std::string& path, int scale) {
    const int w = cairo_image_surface_get_width(image) * scale;
    const int h = cairo_image_surface_get_height(image) * scale;
    cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* cr = cairo_create(big);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(big, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(big);
    return ok;
}

// The picture's size at `percent`, as the shared table says it must be.
bool hasItsSize(cairo_surface_t* image, int id, int percent) {
    for (const molvex::PanelBitmap& bitmap : molvex::kPanelBitmaps) {
        if (bitmap.id != id) continue;
        return cairo_image_surface_get_width(image) ==
                   molvex::scaledLength(bitmap.width, percent) &&
               cairo_image_surface_get_height(image) ==
                   bitmap.frames * molvex::scaledLength(bitmap.frameHeight, percent);
    }
    return false;
}

bool writeResource(const Resource& resource, int percent, const std::string& outDir,
                   const char* previewDir) {
    cairo_surface_t* image = resource.draw(percent);
    const std::string name = std::to_string(molvex::panelBitmapId(resource.id, percent));
    bool ok = hasItsSize(image, resource.id, percent);
    if (!ok)
        std::fprintf(stderr, "resgen: bitmap %s is not the size of its table entry\n",
                     name.c_str());
    ok = ok && writeBmp24(image, outDir + "/" + name + ".bmp");
    if (ok && previewDir) {
        const std::string preview = std::string(previewDir) + "/" + name;
        ok = writePreview(image, preview + ".png", 1) && writePreview(image, preview + "x4.png", 4);
    }
    cairo_surface_destroy(image);
    if (!ok)
        std::fprintf(stderr, "resgen: cannot write bitmap %s into %s\n", name.c_str(),
                     outDir.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: resgen OUTDIR [--preview DIR]\n");
        return 2;
    }
    const std::string outDir = argv[1];
    for (int percent : molvex::kPanelScales) {
        for (const Resource& resource : kResources) {
            if (!writeResource(resource, percent, outDir, argc == 4 ? argv[3] : nullptr)) return 1;
        }
    }
    return 0;
}
