#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of bench/ and prints their `name: value` lines.
set -euo pipefail
build=${1:-build}
shopt -s nullglob
for b in "$build"/bench/zv-bench-*; do
  if [ -f "$b" ] && [ -x "$b" ]; then "$b"; fi
done
