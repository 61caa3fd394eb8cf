#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: CPack's Debian package of this build holds what `make
# install` lays out (under /usr instead of the build's prefix), its
# dependencies come from dpkg-shlibdeps, its links and manual page name the
# package's own paths, and lintian finds no error.
source "$(dirname "$0")/lib.sh"
if ! cpack -G DEB -B "$WORK/out" --config "$ZV_BUILD/CPackConfig.cmake" >"$WORK/cpack.log" 2>&1; then
  fail "cpack: $(tail -5 "$WORK/cpack.log")"; finish
fi
deb=$(ls "$WORK"/out/zorvane-viewer_*.deb)
pass "built $(basename "$deb")"

# The same files as the install, with the build's prefix read as /usr.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$WORK/package.list"
(cd "$ZV_STAGE" && find . ! -type d | sed 's|^\.||') | sed "s|^$ZV_PREFIX/|/usr/|" | sort >"$WORK/install.list"
if diff -u "$WORK/install.list" "$WORK/package.list" >"$WORK/lists.diff"; then
  pass "the package holds the $(wc -l <"$WORK/package.list") files of the install"
else
  fail "package and install differ: $(cat "$WORK/lists.diff")"
fi

depends=$(dpkg-deb -f "$deb" Depends)
for want in 'libqt6core6 (>= ' 'libgstreamer1.0-0 (>= ' 'libjs-leaflet' 'gstreamer1.0-libav'; do
  grep -qF "$want" <<<"$depends" && pass "depends on $want" || fail "Depends lacks $want: $depends"
done

# Unpacked, its links reach the system's Leaflet from /usr, and its manual
# page names /usr.
dpkg-deb -x "$deb" "$WORK/root"
for part in leaflet.js leaflet.css images; do
  target=$(readlink "$WORK/root/usr/share/zorvane-viewer/map/$part")
  resolved=$(realpath -m "/usr/share/zorvane-viewer/map/$target")
  [[ "$target" != /* ]] && [ "$resolved" = "/usr/share/javascript/leaflet/$part" ] && [ -e "$resolved" ] \
    && pass "map/$part -> $target" || fail "map/$part -> $target"
done
zcat "$WORK/root/usr/share/man/man1/zorvane-viewer.1.gz" | grep -qF '/usr/share/zorvane-viewer/map/Map.htm' \
  && pass "manual page names /usr" || fail "manual page does not name /usr/share/zorvane-viewer"

# lintian: no errors. Warnings and notes are listed in the log.
lintian --no-cfg --display-info --fail-on error "$deb" >"$WORK/lintian.log" 2>&1 && status=0 || status=$?
grep -v 'running with root privileges' "$WORK/lintian.log" || true
[ "$status" = 0 ] && pass "lintian reports no error" || fail "lintian: status $status"
finish
