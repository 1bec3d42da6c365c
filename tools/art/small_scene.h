// The small size: an alarm clock with bells, and the head emblem over its centre.
#pragma once

#include "image.h"

namespace art {

Image smallOverlay(int dpi);
Image smallDial(int dpi);

} // namespace art
