// The large size: a flower dial over a pendulum case.
#pragma once

#include "image.h"

namespace art {

// Five frames side by side, the pendulum at five points of its swing.
Image largeStrip(int dpi);

} // namespace art
