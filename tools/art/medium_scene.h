// The medium size: a dial with a lettered ring, and the ornaments of its hands.
#pragma once

#include "image.h"

namespace art {

Image mediumDial();
Image mediumHourTip();
Image mediumCenterCap();
Image mediumMinuteTip();

} // namespace art
