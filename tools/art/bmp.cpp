#include "bmp.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "quantise.h"

namespace art {

namespace {

void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
// The colour table of a bitmap header: blue, green, red and a zero byte per entry.
void putPalette(std::vector<uint8_t>& b, const std::vector<Rgb>& pal, size_t entries) {
    for (size_t i = 0; i < entries; ++i) {
        b.push_back(pal[i].b);
        b.push_back(pal[i].g);
        b.push_back(pal[i].r);
        b.push_back(0);
    }
}

// One icon image (BITMAPINFOHEADER + table + XOR bits + AND mask).
std::vector<uint8_t> iconImage(const Image& img, int bpp) {
    const size_t entries = static_cast<size_t>(1) << bpp;
    std::vector<Rgb> opaquePx;
    for (size_t i = 0; i < img.px.size(); ++i)
        if (img.opaque[i])
            opaquePx.push_back(img.px[i]);
    std::vector<Rgb> pal{Rgb{0, 0, 0}}; // entry 0 under transparent pixels
    for (Rgb c : quantise(opaquePx, entries - 1))
        pal.push_back(c);
    size_t real = pal.size();
    while (pal.size() < entries)
        pal.push_back(Rgb{0, 0, 0});
    std::vector<Rgb> sub(pal.begin(), pal.begin() + static_cast<long>(real));
    std::vector<uint8_t> b;
    put32(b, 40);
    put32(b, static_cast<uint32_t>(img.w));
    put32(b, static_cast<uint32_t>(img.h * 2));
    put16(b, 1);
    put16(b, static_cast<uint16_t>(bpp));
    put32(b, 0);
    const uint32_t xorRow = static_cast<uint32_t>(((img.w * bpp + 31) / 32) * 4);
    const uint32_t andRow = static_cast<uint32_t>(((img.w + 31) / 32) * 4);
    put32(b, (xorRow + andRow) * static_cast<uint32_t>(img.h));
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    put32(b, 0);
    putPalette(b, pal, entries);
    for (int y = img.h - 1; y >= 0; --y) {
        std::vector<uint8_t> r(xorRow, 0);
        for (int x = 0; x < img.w; ++x) {
            size_t i = static_cast<size_t>(y) * img.w + x;
            uint8_t k = img.opaque[i] ? uint8_t(nearest(sub, 1, img.px[i])) : 0;
            if (bpp == 8)
                r[static_cast<size_t>(x)] = k;
            else
                r[static_cast<size_t>(x) / 2] |= static_cast<uint8_t>(x % 2 == 0 ? k << 4 : k);
        }
        b.insert(b.end(), r.begin(), r.end());
    }
    for (int y = img.h - 1; y >= 0; --y) {
        std::vector<uint8_t> r(andRow, 0);
        for (int x = 0; x < img.w; ++x)
            if (!img.opaque[static_cast<size_t>(y) * img.w + x])
                r[static_cast<size_t>(x) / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

} // namespace

bool writeFile(const std::string& path, const std::vector<uint8_t>& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> makeBmp(const Image& img, Rgb key) {
    const size_t kEntries = 236;
    std::vector<Rgb> opaquePx;
    for (size_t i = 0; i < img.px.size(); ++i)
        if (img.opaque[i])
            opaquePx.push_back(img.px[i]);
    std::vector<Rgb> pal{key};
    for (Rgb c : quantise(opaquePx, kEntries - 1)) {
        if (c == key)
            c.g = static_cast<uint8_t>(c.g - 1); // the key must stay unique
        pal.push_back(c);
    }
    // Unused entries: a grey ramp of the picture's own (never the key).
    for (size_t i = pal.size(); i < kEntries; ++i) {
        uint8_t v = static_cast<uint8_t>((i * 255) / kEntries);
        pal.push_back(Rgb{v, v, v});
    }
    std::map<uint32_t, uint8_t> cache;
    std::vector<uint8_t> idx(img.px.size(), 0);
    size_t realColors = std::min(kEntries, pal.size());
    for (size_t i = 0; i < img.px.size(); ++i) {
        if (!img.opaque[i])
            continue;
        auto it = cache.find(img.px[i].pack());
        if (it != cache.end()) {
            idx[i] = it->second;
            continue;
        }
        std::vector<Rgb> sub(pal.begin(), pal.begin() + static_cast<long>(realColors));
        uint8_t k = uint8_t(nearest(sub, 1, img.px[i]));
        cache[img.px[i].pack()] = k;
        idx[i] = k;
    }
    const uint32_t row = static_cast<uint32_t>((img.w + 3) & ~3);
    const uint32_t imageSize = row * static_cast<uint32_t>(img.h);
    const uint32_t offBits = 14 + 40 + static_cast<uint32_t>(kEntries) * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    put32(b, offBits + imageSize);
    put32(b, 0);
    put32(b, offBits);
    put32(b, 40);
    put32(b, static_cast<uint32_t>(img.w));
    put32(b, static_cast<uint32_t>(img.h));
    put16(b, 1);
    put16(b, 8);
    put32(b, 0); // BI_RGB
    put32(b, imageSize);
    put32(b, 0);
    put32(b, 0);
    put32(b, static_cast<uint32_t>(kEntries));
    put32(b, 0);
    putPalette(b, pal, kEntries);
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x)
            b.push_back(idx[static_cast<size_t>(y) * img.w + x]);
        for (uint32_t x = static_cast<uint32_t>(img.w); x < row; ++x)
            b.push_back(0);
    }
    return b;
}

std::vector<uint8_t> makeIco(const std::vector<Image>& sizes) {
    // The first picture in 16 colours too, for the oldest readers; every one in 256.
    std::vector<const Image*> pictures{&sizes[0]};
    std::vector<std::vector<uint8_t>> images{iconImage(sizes[0], 4)};
    for (const Image& img : sizes) {
        pictures.push_back(&img);
        images.push_back(iconImage(img, 8));
    }
    std::vector<uint8_t> b;
    put16(b, 0);
    put16(b, 1);
    put16(b, static_cast<uint16_t>(images.size()));
    uint32_t off = static_cast<uint32_t>(6 + images.size() * 16);
    for (size_t k = 0; k < images.size(); ++k) {
        // A side of 256 is written as 0.
        b.push_back(static_cast<uint8_t>(pictures[k]->w & 0xFF));
        b.push_back(static_cast<uint8_t>(pictures[k]->h & 0xFF));
        b.push_back(k == 0 ? 16 : 0);
        b.push_back(0);
        put16(b, 1);
        put16(b, k == 0 ? 4 : 8);
        put32(b, static_cast<uint32_t>(images[k].size()));
        put32(b, off);
        off += static_cast<uint32_t>(images[k].size());
    }
    for (const auto& image : images)
        b.insert(b.end(), image.begin(), image.end());
    return b;
}

} // namespace art
