#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts an SPDX-License-Identifier line at the top of every source file that
git tracks, or corrects it, and leaves a file that has the right one alone,
so running it again changes nothing.

  scripts/add-spdx-lines.py          add or correct the lines
  scripts/add-spdx-lines.py --check  list the files whose line is missing or
                                     wrong, and exit with 1 if there are any

Licences: the stream parse filter (parsefilter/, and the two headers it
shares with the viewer) is LGPL-2.1-or-later, GStreamer's own licence; the
AppStream metainfo is CC0-1.0, as AppStream asks; everything else is
GPL-3.0-or-later.
"""
import fnmatch
import subprocess
import sys
from pathlib import Path

TAG = "SPDX-License-Identifier:"

LICENCES = [  # first matching pattern wins
    ("parsefilter/*", "LGPL-2.1-or-later"),
    ("src/player/SensorStreamSource.h", "LGPL-2.1-or-later"),
    ("cmake/BuildConfig.h.in", "LGPL-2.1-or-later"),
    ("*.metainfo.xml.in", "CC0-1.0"),
    ("*", "GPL-3.0-or-later"),
]

# How a line is commented out, by file name pattern.
COMMENTS = [
    (("*.cpp", "*.h", "*.h.in", "*.js"), "// {}"),
    (("*.css",), "/* {} */"),
    (("CMakeLists.txt", "*.cmake", "*.sh", "*.py", "Makefile", "*.desktop.in"), "# {}"),
    (("*.htm", "*.xml.in"), "<!-- {} -->"),
    (("*.1.in",), '.\\" {}'),
]


def comment_style(path):
    for patterns, style in COMMENTS:
        if any(fnmatch.fnmatch(path.name, p) for p in patterns):
            return style
    return None


def licence_of(relative):
    for pattern, licence in LICENCES:
        if fnmatch.fnmatch(relative, pattern):
            return licence
    raise AssertionError("no licence pattern for " + relative)


def first_free_line(lines):
    """Index of the line the SPDX line goes to: after a #! line, an XML
    declaration or an HTML doctype, which stay first."""
    if lines and lines[0].startswith(("#!", "<?xml", "<!DOCTYPE")):
        return 1
    return 0


def fixed_text(text, relative, style):
    lines = text.splitlines(keepends=True)
    ending = "\r\n" if lines and lines[0].endswith("\r\n") else "\n"
    wanted = style.format(f"{TAG} {licence_of(relative)}") + ending
    top = first_free_line(lines)
    for i in range(min(len(lines), top + 3)):
        if TAG in lines[i]:
            if lines[i] == wanted:
                return text
            lines[i] = wanted
            return "".join(lines)
    lines.insert(top, wanted)
    return "".join(lines)


def main():
    check = "--check" in sys.argv[1:]
    root = Path(subprocess.check_output(["git", "rev-parse", "--show-toplevel"], text=True).strip())
    files = subprocess.check_output(["git", "ls-files", "-z"], cwd=root, text=True).split("\0")
    wrong = []
    for relative in filter(None, files):
        path = root / relative
        style = comment_style(path)
        if style is None or not path.is_file():
            continue
        text = path.read_text(encoding="utf-8")
        fixed = fixed_text(text, relative, style)
        if fixed == text:
            continue
        wrong.append(relative)
        if not check:
            path.write_text(fixed, encoding="utf-8")
    for relative in wrong:
        print(("missing or wrong: " if check else "fixed: ") + relative)
    return 1 if check and wrong else 0


if __name__ == "__main__":
    sys.exit(main())
