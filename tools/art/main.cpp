// artgen: draws every picture of the clock (dials, ornaments, overlay, icon)
// from geometry written here, and writes them as 8-bit BMP / ICO files.
//
// Usage: artgen OUTDIR   (writes OUTDIR/*.bmp and OUTDIR/clock.ico)

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
        std::function<Image()> make;
        Rgb key;
    };
    const Out outs[] = {
        {"small_overlay.bmp", smallOverlay, kKeyCyan},
        {"small_dial.bmp", smallDial, kKeyCyan},
        {"medium_dial.bmp", mediumDial, kKeyCyan},
        {"medium_hour_tip.bmp", mediumHourTip, kKeyGreen},
        {"medium_centre_cap.bmp", mediumCenterCap, kKeyGreen},
        {"medium_minute_tip.bmp", mediumMinuteTip, kKeyGreen},
        {"large_strip.bmp", largeStrip, kKeyCyan},
    };
    for (const Out& o : outs) {
        Image img = o.make();
        if (!writeFile(dir + "/" + o.name, makeBmp(img, o.key))) {
            std::fprintf(stderr, "artgen: cannot write %s\n", o.name);
            return 1;
        }
    }
    if (!writeFile(dir + "/clock.ico", makeIco(iconPicture()))) {
        std::fprintf(stderr, "artgen: cannot write clock.ico\n");
        return 1;
    }
    return 0;
}
