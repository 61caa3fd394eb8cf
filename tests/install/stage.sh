#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make install DESTDIR=<stage>` for the other install tests: the install
# step of `make install`, run on this build (it is configured and built
# already; reconfiguring it here would disturb the tests running beside).
set -euo pipefail
rm -rf "$ZV_STAGE"
DESTDIR="$ZV_STAGE" cmake --install "$ZV_BUILD" >"$ZV_STAGE.log"
echo "installed into $ZV_STAGE$ZV_PREFIX and $ZV_STAGE$ZV_PLUGIN_DIR"
