// artgen: draws every picture of the clock (dials, ornaments, overlay, icon)
// from geometry written here, and writes them as 8-bit BMP / ICO files.
//
// Usage: artgen OUTDIR   (writes OUTDIR/*.bmp and OUTDIR/clock.ico)
//
// Every face picture is drawn at each scale the program carries: 100 % as
// name.bmp, the others as name_150.bmp and so on, each from the same
// geometry at that scale (render.h), never an enlargement.

#include <cstdio>
#include <functional>
#include <string>

#include "bmp.h"
#include "image.h"
#include "large_scene.h"
#include "medium_scene.h"
#include "motifs.h"
#include "small_scene.h"

using namespace art;

namespace {

const Rgb kKeyCyan{0, 254, 255};
const Rgb kKeyGreen{0, 254, 0};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Out {
        const char* name;
        std::function<Image(int)> make;
        Rgb key;
    };
    // The scales carried, as in the program's table of pictures (face/face_set.cpp).
    const struct {
        int dpi;
        const char* suffix;
    } scales[] = {{96, ""}, {144, "_150"}, {192, "_200"}, {288, "_300"}};
    const Out outs[] = {
        {"small_overlay.bmp", smallOverlay, kKeyCyan},
        {"small_dial.bmp", smallDial, kKeyCyan},
        {"medium_dial.bmp", mediumDial, kKeyCyan},
        {"medium_hour_tip.bmp", mediumHourTip, kKeyGreen},
        {"medium_centre_cap.bmp", mediumCenterCap, kKeyGreen},
        {"medium_minute_tip.bmp", mediumMinuteTip, kKeyGreen},
        {"large_strip.bmp", largeStrip, kKeyCyan},
    };
    for (const auto& scale : scales) {
        for (const Out& o : outs) {
            std::string name = o.name;
            name.insert(name.size() - 4, scale.suffix);
            if (!writeFile(dir + "/" + name, makeBmp(o.make(scale.dpi), o.key))) {
                std::fprintf(stderr, "artgen: cannot write %s\n", name.c_str());
                return 1;
            }
        }
    }
    // The icon at the sizes Windows asks for at 100 to 200 % and beyond: title bars, dialogs,
    // Explorer's views.
    std::vector<Image> icons;
    for (int px : {32, 16, 20, 24, 40, 48, 64, 96, 128, 256})
        icons.push_back(iconPicture(px));
    if (!writeFile(dir + "/clock.ico", makeIco(icons))) {
        std::fprintf(stderr, "artgen: cannot write clock.ico\n");
        return 1;
    }
    return 0;
}
