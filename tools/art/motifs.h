// The palette and the motifs every size shares: the mascot's head, a little
// flower, and the program icon.
#pragma once

#include <cstdint>

#include "image.h"
#include "render.h"

namespace art {

// The mascot, "Mina": a round-faced little girl with violet hair worn in two
// side buns and a coral polka-dot bow.
const uint32_t kInk = 0x3B2140; // outline plum
const uint32_t kHair = 0x8B5FBF;
const uint32_t kHairDark = 0x6A4399;
const uint32_t kHairLight = 0xB596E3;
const uint32_t kSkin = 0xFFE6D3;
const uint32_t kSkinShade = 0xF6CDB6;
const uint32_t kCheek = 0xFF93AA;
const uint32_t kBow = 0xFF5D7A;
const uint32_t kBowDark = 0xD93A5C;
const uint32_t kCream = 0xFFF8EC;
const uint32_t kWhite = 0xFFFFFF;
const uint32_t kGold = 0xF2C14E;
const uint32_t kGoldDark = 0xC98F1E;
const uint32_t kGoldLight = 0xFFE49A;
const uint32_t kMint = 0x7FD1BE;
const uint32_t kMintDark = 0x3E8F80;
const uint32_t kPink = 0xFFB3C6;
const uint32_t kLilac = 0xCDB6F2;
const uint32_t kPlumText = 0x5B2A4E;

// Head emblem in design units (about 33 x 25), centred on c, scaled by s;
// painted into sc. Returns the silhouette (outline included).
Shape mascotHead(Scene& sc, V c, double s);

// A little five-petal flower of radius r.
void flower(Scene& sc, V c, double r, Col petal);

// The icon: the head on its own, px x px, drawn for that size (32 is 96 dots per inch).
Image iconPicture(int px);

} // namespace art
