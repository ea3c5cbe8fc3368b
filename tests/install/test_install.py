#!/usr/bin/env python3
"""Installs a build into a scratch prefix and runs the installed programs from there.

    test_install.py CMAKE BUILD_DIR

The installed book gets a changed word-list title, so the run can tell that the reader opened
the installed book and not the source tree's, which is still where the build left it.
"""

import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

FAILURES = []
WORD_LIST_TITLE = "Installed words"


def expect(condition, message):
    if not condition:
        FAILURES.append(message)


def png_size(path):
    with open(path, "rb") as image:
        header = image.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", header[16:24])


def retitle_word_list(string_table):
    with open(string_table, encoding="utf-8") as table:
        text = table.read()
    changed, count = re.subn(r"(<key>wordname</key>\s*<string>)[^<]*(</string>)",
                             lambda match: match.group(1) + WORD_LIST_TITLE + match.group(2), text)
    if count != 1:
        sys.exit("the string table has no wordname entry")
    os.remove(string_table)  # the installed file may be read-only
    with open(string_table, "w", encoding="utf-8") as table:
        table.write(changed)


def main():
    cmake, build = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="lirava-install-") as scratch:
        prefix = os.path.join(scratch, "prefix")
        done = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True)
        if done.returncode != 0:
            print(done.stdout, done.stderr)
            sys.exit("cmake --install failed")

        book = os.path.join(prefix, "share", "lirava", "book")
        for path in ["bin/lirava", "bin/lirava-check", "bin/lirava-align", "share/applications/lirava.desktop",
                     "share/lirava/book/String.xml", "share/lirava/book/english5down/english5down_96.json",
                     "share/lirava/book/check-allow.txt"]:
            expect(os.path.isfile(os.path.join(prefix, path)), f"{path} is not installed")
        for program in ["bin/lirava", "bin/lirava-check", "bin/lirava-align"]:
            expect(os.access(os.path.join(prefix, program), os.X_OK), f"{program} cannot be run")
        expect(not os.path.exists(os.path.join(book, "ft.xml")), "a first-run marker was installed")
        icon = os.path.join(prefix, "share/icons/hicolor/128x128/apps/lirava.png")
        expect(os.path.isfile(icon) and png_size(icon) == (128, 128), "the icon is not a 128 x 128 PNG")

        with open(os.path.join(prefix, "share/applications/lirava.desktop"), encoding="utf-8") as entry:
            lines = entry.read().splitlines()
        for line in ["[Desktop Entry]", "Type=Application", "Name=Lirava", "Exec=lirava %f", "Icon=lirava"]:
            expect(line in lines, f"the desktop entry lacks {line}")
        validate = shutil.which("desktop-file-validate")
        if validate:
            checked = subprocess.run([validate, os.path.join(prefix, "share/applications/lirava.desktop")],
                                     capture_output=True, text=True)
            expect(checked.returncode == 0, "desktop-file-validate: " + checked.stdout + checked.stderr)

        retitle_word_list(os.path.join(book, "String.xml"))

        # Run from elsewhere, as a desktop would start it: the reader finds its book next to itself.
        elsewhere = os.path.join(scratch, "elsewhere")
        os.mkdir(elsewhere)
        run = subprocess.run([os.path.join(prefix, "bin/lirava"), "--headless", "--script", "-"],
                             input="wait 0.1\ndump\n", capture_output=True, text=True, cwd=elsewhere, timeout=120,
                             env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        expect(run.returncode == 0, f"the installed reader ended with status {run.returncode}: {run.stderr}")
        states = [json.loads(line[6:]) for line in run.stdout.splitlines() if line.startswith("state ")]
        if len(states) != 1:
            FAILURES.append("the installed reader printed no state")
        else:
            state = states[0]
            expect(os.path.realpath(state["resources"]) == os.path.realpath(book),
                   f"the reader opened {state['resources']}")
            expect(state["layer"] == "TestController", f"the reader shows {state['layer']}")
            expect(state["items"][8]["text"] == WORD_LIST_TITLE, "the word list is not the installed book's")
            expect(state["window"]["icon"], "the window has no icon")

        check = subprocess.run([os.path.join(prefix, "bin/lirava-check")], capture_output=True, text=True,
                               cwd=elsewhere, timeout=300)
        expect(check.returncode == 0, f"the installed lirava-check ended with status {check.returncode}")
        first = check.stdout.splitlines()[0] if check.stdout else ""
        expect(first == "lirava-check: " + book or os.path.realpath(first[len("lirava-check: "):]) ==
               os.path.realpath(book), f"lirava-check read {first!r}")

    for failure in FAILURES:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
