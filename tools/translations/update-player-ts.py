#!/usr/bin/env python3
# SPDX-License-Identifier: LGPL-2.1-or-later
"""Refreshes examples/player/translations/zentrix-player_{de,fr}.ts with lupdate.

For maintainers, run by hand after a text of the player changed; the build only
runs lrelease on the committed files.

    tools/translations/update-player-ts.py [--lupdate PATH]

lupdate reads the player's C++ (tr() and translate()) and, through a temporary
file of QT_TRANSLATE_NOOP3 lines, the names of the plug-ins' property documents
with their context and the disambiguation "Menus" or "Shortcuts", as the menu
reader and the shortcut parser look them up. Texts gone from both are dropped
(-no-obsolete); new ones come in unfinished: translate them, then check that
    grep -c 'type="unfinished"' examples/player/translations/*.ts
says 0 (tst_playertranslations fails otherwise).
"""

import argparse
import glob
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
PLAYER = os.path.join(ROOT, "examples", "player")
SPDX = "<!-- SPDX-License-Identifier: LGPL-2.1-or-later -->"


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def document_names(path):
    """(context, name, disambiguation) for each <name> of <menus> and <shortcuts>."""
    names = []

    def walk(element, trail, state):
        for child in element:
            here = trail + [child.tag]
            if len(here) > 3 and child.tag == "context":
                state["context"] = (child.text or "").strip()
            elif len(here) > 3 and child.tag == "name" and (child.text or "").strip():
                kind = "Menus" if here[2] == "menus" else "Shortcuts"
                names.append((state["context"], child.text.strip(), kind))
            walk(child, here, state)
    root = ET.parse(path).getroot()
    walk(root, [root.tag], {"context": ""})
    return names


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lupdate", default="/usr/lib/qt6/bin/lupdate")
    args = parser.parse_args()
    lines = []
    for document in sorted(glob.glob(os.path.join(PLAYER, "plugins", "*.xml"))):
        for context, name, kind in document_names(document):
            lines.append(f"QT_TRANSLATE_NOOP3({c_string(context)}, {c_string(name)}, "
                         f"{c_string(kind)});")
    with tempfile.TemporaryDirectory() as tmp:
        names = os.path.join(tmp, "documentnames.cpp")
        with open(names, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        ts = sorted(glob.glob(os.path.join(PLAYER, "translations", "zentrix-player_*.ts")))
        sources = [os.path.join(PLAYER, name) for name in ("main.cpp", "playershell.cpp",
                   "mpvplayer.cpp", "medialibrary.cpp", "demo.cpp", "pings.cpp",
                   "videooutput.cpp", "sandbox.cpp")]
        sources += sorted(glob.glob(os.path.join(PLAYER, "plugins", "*.cpp")))
        sources += sorted(glob.glob(os.path.join(PLAYER, "*.h")))
        subprocess.run([args.lupdate, "-no-obsolete", "-locations", "none", "-no-ui-lines",
                        *sources, names, "-ts", *ts], check=True)
    # lupdate drops the licence line; every file of the repository carries one.
    for path in ts:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if SPDX not in text:
            text = text.replace("<!DOCTYPE TS>\n", "<!DOCTYPE TS>\n" + SPDX + "\n", 1)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
