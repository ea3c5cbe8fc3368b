#!/usr/bin/env python3
"""Files written into a full disk and into a read-only folder.

    write_failures.py LIRAVA LIRAVA_CHECK BOOK_DIR

Runs itself again in a private mount namespace (unshare: as root, or through a user namespace),
so that its small tmpfs is gone when it ends, however it ends. On that tmpfs, once filled to the
last byte and once mounted read-only: the reader's first start cannot leave its first-run marker
and must say so and carry on; `lirava-check --contact-sheet` must fail with status 1 and a clear
message and keep the sheet that was there. Neither may leave a file behind, whole or partial.
Exit status 77 (skipped) where no mount namespace can be had.
"""

import glob
import os
import shutil
import subprocess
import sys

MOUNT = "/tmp/lirava-write-failures"
OLD_SHEET = b"the sheet of an earlier run\n"


def mount(options):
    subprocess.run(["mount", "-t", "tmpfs", "-o", options, "tmpfs", MOUNT], check=True)


def fill(folder):
    """Writes until the file system refuses a single byte more."""
    with open(os.path.join(folder, "filler"), "wb", buffering=0) as f:
        for size in (65536, 4096, 1):
            try:
                while True:
                    f.write(b"\0" * size)
            except OSError:
                pass


def prepare(book):
    """The tmpfs with a book of links (without a marker) and an old sheet."""
    resources = os.path.join(MOUNT, "book")
    os.mkdir(resources)
    for name in os.listdir(book):
        if name != "ft.xml":
            os.symlink(os.path.join(os.path.abspath(book), name), os.path.join(resources, name))
    with open(os.path.join(MOUNT, "sheet.png"), "wb") as f:
        f.write(OLD_SHEET)
    return resources


def check(program, check_tool, resources, situation, reason, problems):
    before = sorted(os.listdir(MOUNT)) + sorted(os.listdir(resources))
    env = dict(os.environ, SDL_AUDIODRIVER="dummy", ASAN_OPTIONS="detect_leaks=0")
    reader = subprocess.run([program, "--headless", "--resources", resources, "--script", "-"],
                            input="wait 0.5\ndump\nquit\n", capture_output=True, text=True, env=env, timeout=120)
    if reader.returncode != 0 or "state " not in reader.stdout:
        problems.append("%s: the reader did not carry on (status %d)" % (situation, reader.returncode))
    if not any("cannot leave the marker" in l and reason in l for l in reader.stdout.splitlines()):
        problems.append("%s: the reader did not say why the marker is missing" % situation)

    sheet = subprocess.run([check_tool, "--resources", resources, "--contact-sheet", os.path.join(MOUNT, "sheet.png")],
                           capture_output=True, text=True, env=env, timeout=300)
    if sheet.returncode != 1 or reason not in sheet.stderr:
        problems.append("%s: lirava-check gave status %d and %r" % (situation, sheet.returncode, sheet.stderr[-300:]))
    with open(os.path.join(MOUNT, "sheet.png"), "rb") as f:
        if f.read() != OLD_SHEET:
            problems.append("%s: the old contact sheet was not kept" % situation)
    after = sorted(os.listdir(MOUNT)) + sorted(os.listdir(resources))
    if after != before:
        problems.append("%s: files left behind: %r" % (situation, sorted(set(after) - set(before))))


def inside(program, check_tool, book):
    problems = []
    os.makedirs(MOUNT, exist_ok=True)
    mount("size=1m,mode=0755")
    resources = prepare(book)
    fill(MOUNT)
    check(program, check_tool, resources, "full disk", "No space left on device", problems)
    subprocess.run(["umount", MOUNT], check=True)
    mount("size=1m,mode=0755")
    resources = prepare(book)
    subprocess.run(["mount", "-o", "remount,ro", MOUNT], check=True)
    check(program, check_tool, resources, "read-only folder", "Read-only file system", problems)
    for p in problems:
        print("FAIL: " + p)
    print("full disk and read-only folder: %s" % ("ok" if not problems else "%d problems" % len(problems)))
    return 1 if problems else 0


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    program, check_tool, book = (os.path.abspath(a) for a in sys.argv[1:4])
    if "--inside" in sys.argv:
        return inside(program, check_tool, book)
    if not shutil.which("unshare"):
        print("skipped: unshare is not installed")
        return 77
    # Root gets a mount namespace of its own; anyone else a user namespace in which they are root.
    for flags in (["-m"], ["-r", "-m"]):
        probe = subprocess.run(["unshare"] + flags + ["true"], capture_output=True)
        if probe.returncode == 0:
            return subprocess.run(["unshare"] + flags + [sys.executable, os.path.abspath(__file__), program,
                                   check_tool, book, "--inside"], timeout=600).returncode
    print("skipped: no mount namespace here")
    return 77


if __name__ == "__main__":
    sys.exit(main())
