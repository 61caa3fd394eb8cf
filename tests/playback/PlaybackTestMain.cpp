// SPDX-License-Identifier: GPL-3.0-or-later
#include <gst/gst.h>
#include <gtest/gtest.h>

#include "ParseFilterHarness.h"

int main(int argc, char** argv) {
  gst_init(&argc, &argv);
  ::testing::InitGoogleTest(&argc, argv);
  if (!zv::test::RegisterParseFilterModule()) {
    fprintf(stderr, "cannot register the parse filter module from %s\n", ZV_TEST_PROGRAM_DIR);
    return 1;
  }
  return RUN_ALL_TESTS();
}
