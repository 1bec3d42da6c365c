#include "imaging/clock_sizes.h"

int ValidSizeIndex(int size) {
    return (size >= 0 && size < kSizeCount) ? size : kSizeSmall;
}
