// The medium size: a dial with a lettered ring, and the ornaments of its hands.
#pragma once

#include "image.h"

namespace art {

Image mediumDial(int dpi);
Image mediumHourTip(int dpi);
Image mediumCenterCap(int dpi);
Image mediumMinuteTip(int dpi);

} // namespace art
