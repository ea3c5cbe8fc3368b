#!/usr/bin/env python3
"""Runs lirava-check --contact-sheet on the sample book and checks the run and the picture.

    test_contact_sheet.py LIRAVA_CHECK BOOK
"""

import os
import struct
import subprocess
import sys
import tempfile


def main():
    program, book = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory(prefix="lirava-sheet-") as scratch:
        sheet = os.path.join(scratch, "sheet.png")
        run = subprocess.run([program, "--contact-sheet", sheet, "--resources", book], capture_output=True,
                             text=True, timeout=600, env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
        if run.returncode != 0:
            failures.append(f"exit status {run.returncode}: {run.stderr[-500:]}")
        # Standard output is the summary alone: the pages' own log lines are kept out of it.
        expected = f"lirava-check: contact sheet of 95 pages (10 x 10 cells, 1688 x 2768 pixels) in {sheet}"
        if run.stdout.splitlines() != [expected]:
            failures.append(f"standard output is {run.stdout!r}")
        progress = [line for line in run.stderr.splitlines() if line.startswith("contact sheet: page ")]
        if len(progress) != 95 or progress[0] != "contact sheet: page 2 (1 of 95)" or \
                progress[-1] != "contact sheet: page 96 (95 of 95)":
            failures.append(f"{len(progress)} progress lines, from {progress[:1]} to {progress[-1:]}")
        if os.path.isfile(sheet):
            with open(sheet, "rb") as image:
                header = image.read(24)
            if header[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", header[16:24]) != (1688, 2768):
                failures.append("the sheet is not a 1688 x 2768 PNG")
        else:
            failures.append("no sheet was written")

        # Bad arguments and a missing book: status 2; a folder that cannot take the file: 1.
        for arguments, status in [(["--contact-sheet"], 2), (["--contact-sheet", sheet, "--pages", "3"], 2),
                                  (["--contact-sheet", sheet, "--resources", os.path.join(scratch, "none")], 2),
                                  (["--contact-sheet", os.path.join(scratch, "no", "such.png"), "--resources",
                                    book], 1)]:
            done = subprocess.run([program, *arguments], capture_output=True, text=True, timeout=600,
                                  env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
            if done.returncode != status:
                failures.append(f"{arguments[2:] or arguments}: status {done.returncode}, expected {status}")

    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
