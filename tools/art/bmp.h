// Writers for the picture files: 8-bit BMP with a key colour, and the
// program icon (4-bit and 8-bit images in one ICO).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace art {

// 8-bit BMP with 236 table entries; entry 0 holds the key, the rest come
// from the picture's own colours. Pixels outside the outline get the key.
std::vector<uint8_t> makeBmp(const Image& img, Rgb key);

// ICO with every picture as an 8-bit image, the first one also as a 4-bit
// image; pixels outside the outline are transparent.
std::vector<uint8_t> makeIco(const std::vector<Image>& sizes);

// False when the file cannot be written completely.
bool writeFile(const std::string& path, const std::vector<uint8_t>& data);

} // namespace art
