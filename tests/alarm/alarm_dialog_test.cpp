// The alarm settings dialog, created from its template and driven with messages.
#include <gtest/gtest.h>
