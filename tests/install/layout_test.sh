#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What `make install DESTDIR=...` lays out: the program, its module in
# GStreamer's plugin folder, the data folder with the map page (Leaflet
# linked from the system) and the default options, the desktop entry, the
# AppStream metainfo, the MIME type, the icons and the manual page; the
# desktop validators accept them, and nothing lands outside the prefix but
# the plugin.
source "$(dirname "$0")/lib.sh"
DATA="$INSTALLED/share/zorvane-viewer"
DESKTOP="$INSTALLED/share/applications/$ZV_APP_ID.desktop"
METAINFO="$INSTALLED/share/metainfo/$ZV_APP_ID.metainfo.xml"
MIME="$INSTALLED/share/mime/packages/$ZV_APP_ID.xml"
MAN="$INSTALLED/share/man/man1/zorvane-viewer.1.gz"

check_file() { [ -f "$1" ] && pass "${1#"$ZV_STAGE"}" || fail "missing ${1#"$ZV_STAGE"}"; }
check_file "$INSTALLED/bin/zorvane-viewer"
[ -x "$INSTALLED/bin/zorvane-viewer" ] || fail "the program is not executable"
check_file "$ZV_STAGE$ZV_PLUGIN_DIR/VNStreamParseFilter.so"
check_file "$DATA/map/Map.htm"
for f in "$DATA/config/option.ini" "$DESKTOP" "$METAINFO" "$MIME" "$MAN" \
         "$INSTALLED/share/doc/zorvane-viewer/copyright" "$INSTALLED/share/doc/zorvane-viewer/changelog.gz"; do
  check_file "$f"
done

# Leaflet: links to the system's copy that resolve, nothing copied.
for part in leaflet.js leaflet.css images; do
  link="$DATA/map/$part"
  if [ -L "$link" ] && [ -e "$link" ] && [ "$(readlink -f "$link")" = "/usr/share/javascript/leaflet/$part" ]; then
    pass "map/$part links to libjs-leaflet"
  else
    fail "map/$part is not a working link to /usr/share/javascript/leaflet/$part"
  fi
done
# The default options: the eleven lines with CR LF.
[ "$(grep -c $'\r$' "$DATA/config/option.ini")" = 11 ] && grep -q '^PLAY_VALUE=5' "$DATA/config/option.ini" \
  && pass "default options" || fail "default options: $(cat -A "$DATA/config/option.ini" | head -3)"

# Icons: every size of the hicolor theme at its size, and the SVG.
for size in 16 22 24 32 48 64 128 256; do
  png="$INSTALLED/share/icons/hicolor/${size}x$size/apps/$ZV_APP_ID.png"
  got=$(identify -format '%wx%h %[channels]' "$png" 2>/dev/null || echo none)
  [[ "$got" == "${size}x$size srgba"* ]] && pass "icon $size: $got" || fail "icon $size: $got"
done
svg="$INSTALLED/share/icons/hicolor/scalable/apps/$ZV_APP_ID.svg"
xmllint --noout "$svg" && grep -q 'viewBox="0 0 128 128"' "$svg" && pass "scalable icon" || fail "scalable icon"

# The desktop entry, the metainfo and the MIME type pass their validators.
out=$(desktop-file-validate "$DESKTOP" 2>&1) && [ -z "$out" ] && pass "desktop-file-validate" \
  || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net "$METAINFO" 2>&1) && pass "appstreamcli validate" \
  || fail "appstreamcli validate: $out"
xmllint --noout "$MIME" && pass "xmllint on the MIME type" || fail "xmllint on the MIME type"
grep -qx 'Exec=zorvane-viewer %F' "$DESKTOP" && pass "Exec takes files and folders" || fail "Exec line"
grep -qx "Icon=$ZV_APP_ID" "$DESKTOP" || fail "Icon is not $ZV_APP_ID"
type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$MIME")
grep -qx "MimeType=$type;" "$DESKTOP" && pass "the entry opens $type" || fail "MimeType is not $type"
# shared-mime-info takes the type with its four globs.
mkdir -p "$WORK/mime/packages" && cp "$MIME" "$WORK/mime/packages/"
if update-mime-database "$WORK/mime" 2>"$WORK/mime.err"; then
  for prefix in rec evt prk mdi; do
    grep -qx "60:$type:${prefix}_\*.avi" "$WORK/mime/globs2" && pass "glob ${prefix^^}_*.AVI" \
      || fail "no glob ${prefix^^}_*.AVI in $(cat "$WORK/mime/globs2")"
  done
else
  fail "update-mime-database: $(cat "$WORK/mime.err")"
fi

# The manual page: no warnings (as lintian checks it), the installed paths.
zcat "$MAN" >"$WORK/zorvane-viewer.1"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$WORK/zorvane-viewer.1" 2>&1 >/dev/null)
[ -z "$warnings" ] && pass "manual page renders without warnings" || fail "manual page: $warnings"
grep -qF "$ZV_PREFIX/share/zorvane-viewer/map/Map.htm" "$WORK/zorvane-viewer.1" \
  && pass "manual page names the installed map page" || fail "manual page lacks $ZV_PREFIX/share/zorvane-viewer"

# Nothing outside the prefix but the plugin, and everything readable by all.
outside=$(cd "$ZV_STAGE" && find . ! -type d | sed 's|^\.||' | grep -v "^$ZV_PREFIX/" | grep -v "^$ZV_PLUGIN_DIR/" || true)
[ -z "$outside" ] && pass "only the plugin lies outside $ZV_PREFIX" || fail "outside the prefix: $outside"
private=$(find "$ZV_STAGE" ! -type l ! -perm -o=r)
[ -z "$private" ] && pass "every file is readable by all" || fail "not readable by all: $private"

# The installed program answers without a display.
version=$("$INSTALLED/bin/zorvane-viewer" --version)
[[ "$version" == "zorvane-viewer "* ]] && pass "installed program: $version" || fail "installed --version: $version"
finish
