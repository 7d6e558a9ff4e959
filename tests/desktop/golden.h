// Whole-frame comparison of the desktop framebuffer with reviewed PNG
// images in tests/desktop/goldens/. Setting QOR_UPDATE_GOLDENS=1 rewrites
// the images instead (scripts/update-desktop-goldens.sh), for review with
// git before they are committed.
#pragma once

#include <gtest/gtest.h>

namespace qor::test {

::testing::AssertionResult frame_matches_golden(const char* name);

} // namespace qor::test
