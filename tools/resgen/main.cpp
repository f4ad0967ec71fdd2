// resgen OUTDIR [--preview DIR]: writes the panel's bitmaps as OUTDIR/120.bmp
// to OUTDIR/126.bmp; with --preview also PNG pictures of each at 1x and 4x
// (nearest pixel), for looking at them.
#include <cairo.h>

#include <cstdio>
#include <string>

#include "bmp_file.h"
#include "panel_art.h"

namespace {

struct Resource {
    int id;
    cairo_surface_t* (*draw)();
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: resgen OUTDIR [--preview DIR]\n");
        return 2;
    }
    const std::string outDir = argv[1];
    for (const Resource& resource : kResources) {
        cairo_surface_t* image = resource.draw();
        const std::string name = std::to_string(resource.id);
        bool ok = writeBmp24(image, outDir + "/" + name + ".bmp");
        if (ok && argc == 4) {
            const std::string preview = std::string(argv[3]) + "/" + name;
            ok = writePreview(image, preview + ".png", 1) &&
                 writePreview(image, preview + "x4.png", 4);
        }
        cairo_surface_destroy(image);
        if (!ok) {
            std::fprintf(stderr, "resgen: cannot write bitmap %s into %s\n", name.c_str(),
                         outDir.c_str());
            return 1;
        }
    }
    return 0;
}
