#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An ordinary user builds the window-free core from a copy of the sources
# and passes its unit tests; and `make run` / `make test` tell such a user
# which packages are missing and the command that installs them, before
# anything else happens.
source "$(dirname "$0")/lib.sh"
T=$(user_folder)
trap 'rm -rf "$T"' EXIT
mkdir "$T/src" "$T/home"
cp -a "$ZV_SOURCE"/{CMakeLists.txt,Makefile,cmake,scripts,src,parsefilter,tools,tests} "$T/src/"
chmod -R a+rX "$T/src"
[ "$(id -u)" = 0 ] && chown -R "$TEST_USER:" "$T/src"

# Unoptimised and without debug information, the quickest to compile, and
# one compiler at a time: the other tests run beside this one.
build="$T/home/build"
if as_user "$T/home" bash -c "cmake -S '$T/src' -B '$build' -G Ninja -DZV_UNIT_ONLY=ON \
      -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DCMAKE_C_FLAGS_DEBUG=-O0 >/dev/null \
      && cmake --build '$build' --parallel 1 >/dev/null \
      && cd '$build' && ctest -L unit -j2 --output-on-failure" >"$WORK/unit.log" 2>&1; then
  pass "built and passed the unit tests as $(as_user "$T/home" id -un): $(grep 'tests passed' "$WORK/unit.log")"
else
  tail -30 "$WORK/unit.log"
  fail "build or unit tests as an ordinary user"
fi

# A package reported missing (dpkg-query answers for it through a stand-in
# placed first on PATH): `make run` stops with the list and the command.
mkdir "$T/shim"
cat >"$T/shim/dpkg-query" <<'SHIM'
#!/bin/sh
for a in "$@"; do [ "$a" = poppler-utils ] && { echo "not-installed"; exit 0; }; done
exec /usr/bin/dpkg-query "$@"
SHIM
chmod 755 "$T/shim/dpkg-query"
status=0
as_user "$T/home" env PATH="$T/shim:/usr/local/bin:/usr/bin:/bin" make -C "$T/src" run \
  >"$WORK/run.log" 2>&1 || status=$?
cat "$WORK/run.log"
[ "$status" != 0 ] && pass "make run stops (status $status)" || fail "make run went on"
grep -q 'poppler-utils' "$WORK/run.log" && grep -qF 'sudo apt-get install poppler-utils' "$WORK/run.log" \
  && pass "names the package and the command" || fail "no package list and command"
[ ! -e "$T/src/build" ] && pass "nothing built before the packages are there" || fail "make run built anyway"
finish
