// SPDX-License-Identifier: GPL-3.0-or-later
// The writer of the torn-write test: rewrites option.ini, setup.cfg and
// time.cfg in FOLDER through the program's writers, alternating between two
// versions, until it is killed. It says "writing" on stdout once the first
// round is done.
#include <cstdio>

#include "SettingsVersions.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zv-torn-write-child FOLDER\n");
    return 2;
  }
  const zv::test::SettingsVersion versions[2] = {zv::test::SettingsVersionNumber(0),
                                                 zv::test::SettingsVersionNumber(1)};
  for (unsigned round = 0;; ++round) {
    if (!zv::test::WriteSettingsVersion(argv[1], versions[round % 2])) {
      std::fprintf(stderr, "zv-torn-write-child: cannot write in %s\n", argv[1]);
      return 1;
    }
    if (round == 0) {
      std::puts("writing");
      std::fflush(stdout);
    }
  }
}
