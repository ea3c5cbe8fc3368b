#!/usr/bin/python3
"""Bad input to lirava-make: each case gives a message that says what and where, exit status 1,
and leaves an existing OUT (a folder or a .lirava file) exactly as it was, with nothing left
beside it.

    test_make_errors.py LIRAVA_MAKE EXAMPLE_FOLDER
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

GOOD_PAGE = """      - picture: pictures/garden.png
        sentences:
          - The sun is up.
"""


def manifest(pages, head="title: Our Garden\nunits:\n  - pages:\n"):
    return head + pages


CASES = [
    # (name, manifest text, what the message must contain)
    ("yaml syntax", "title: [Our Garden\nunits:\n", "book.yaml:2:6: end of sequence flow not found"),
    ("unknown key", manifest(GOOD_PAGE + "      - picture: pictures/night.png\n        sentence: [Hi.]\n"),
     "book.yaml:8:9: unknown key \"sentence\" in a page"),
    ("no title", "units: []\n", "book.yaml:1:1: the manifest has no title"),
    ("bad caption tag", manifest("      - picture: pictures/night.png\n        sentences:\n"
                                 "          - {text: Hi., captions: {'es es': Hola.}}\n"),
     "\"es es\" is not a language tag"),
    ("missing picture", manifest("      - picture: pictures/nothing.jpg\n        sentences: [Hi.]\n"),
     "pictures/nothing.jpg: cannot read the picture"),
    ("picture that is no picture", manifest("      - picture: garden.yaml\n        sentences: [Hi.]\n"),
     "garden.yaml: not a JPEG or PNG picture"),
    ("missing recording", manifest("      - picture: pictures/night.png\n        sentences:\n"
                                   "          - {text: Hi., recording: audio/none.wav}\n"), "audio/none.wav"),
    ("too many units", "title: T\nunits:\n" + "  - pages:\n      - {picture: pictures/night.png, sentences: [Hi.]}\n" * 9,
     "a book has at most 8 units"),
    ("page that does not fit", manifest("      - picture: pictures/night.png\n        sentences:\n" +
                                        "          - A sentence long enough to need two lines on the page, or nearly.\n" * 14),
     "page 2: the sentences do not fit on the page: "),
]


def snapshot(path):
    if os.path.isfile(path):
        return open(path, "rb").read()
    return sorted((os.path.relpath(os.path.join(d, f), path), open(os.path.join(d, f), "rb").read())
                  for d, _, fs in os.walk(path) for f in fs)


def full_disk(maker, manifest, tmp):
    """A disk that fills up while the book is made: where this process may mount a small tmpfs."""
    disk = os.path.join(tmp, "full")
    os.mkdir(disk)
    if os.geteuid() != 0 or subprocess.run(["mount", "-t", "tmpfs", "-o", "size=200k", "tmpfs", disk],
                                           capture_output=True).returncode != 0:
        print("full disk: skipped (cannot mount a tmpfs here)")
        return []
    failures = []
    try:
        os.mkdir(os.path.join(disk, "book"))
        with open(os.path.join(disk, "book.lirava"), "wb") as f:
            f.write(b"an older one-file book")
        before = {name: snapshot(os.path.join(disk, name)) for name in ("book", "book.lirava")}
        for name in before:
            run = subprocess.run([maker, manifest, "-o", os.path.join(disk, name)], capture_output=True, text=True)
            if run.returncode != 1 or "No space left on device" not in run.stderr:
                failures.append("full disk -> %s: status %d, %r" % (name, run.returncode, run.stderr))
            if snapshot(os.path.join(disk, name)) != before[name] or sorted(os.listdir(disk)) != sorted(before):
                failures.append("full disk -> %s: OUT changed or files left: %s" % (name, os.listdir(disk)))
    finally:
        subprocess.run(["umount", disk])
    return failures


def interrupted(maker, work, folder):
    """SIGTERM while the book is being made: the run stops, removes what it made, keeps OUT."""
    path = os.path.join(work, "long.yaml")
    with open(path, "w") as f:
        # Every sentence its own, so no track is made once for many and the run lasts long enough.
        f.write("title: Long\nunits:\n  - pages:\n" + "".join(
            "      - picture: pictures/night.png\n        sentences:\n" +
            "".join("          - The moon is out over the garden, line %d of page %d.\n" % (line, page)
                    for line in range(1, 6)) for page in range(1, 13)))
    before = snapshot(folder)
    run = subprocess.Popen([maker, path, "-o", folder], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    time.sleep(1.0)
    run.terminate()
    _, err = run.communicate()
    left = sorted(os.listdir(os.path.dirname(folder)))
    if run.returncode != 1 or "interrupted" not in err or snapshot(folder) != before or left != ["book", "book.lirava"]:
        return ["interrupted: status %d, %r, files %s" % (run.returncode, err, left)]
    return []


def main():
    maker, example = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as tmp:
        work = os.path.join(tmp, "garden")
        shutil.copytree(example, work)
        outs = os.path.join(tmp, "out")
        os.mkdir(outs)
        folder = os.path.join(outs, "book")
        os.mkdir(folder)
        with open(os.path.join(folder, "mine.txt"), "w") as f:
            f.write("an older book\n")
        archive = os.path.join(outs, "book.lirava")
        with open(archive, "wb") as f:
            f.write(b"an older one-file book")
        before = {out: snapshot(out) for out in (folder, archive)}
        path = os.path.join(work, "book.yaml")
        failures = []
        for name, text, expected in CASES:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            for out in (folder, archive):
                run = subprocess.run([maker, path, "-o", out], capture_output=True, text=True)
                if run.returncode != 1 or expected not in run.stderr or "is as it was" not in run.stderr:
                    failures.append("%s -> %s: status %d, %r" % (name, out, run.returncode, run.stderr))
                if snapshot(out) != before[out] or sorted(os.listdir(outs)) != ["book", "book.lirava"]:
                    failures.append("%s -> %s: OUT changed or left files: %s" % (name, out, os.listdir(outs)))
        # The page that does not fit says how many do.
        run = subprocess.run([maker, path, "-o", folder], capture_output=True, text=True)
        if " of 14 fit above the picture" not in run.stderr:
            failures.append("no count of the sentences that fit: %r" % run.stderr)
        # OUT that is a file where a folder is asked for, and bad arguments.
        shutil.copy(os.path.join(example, "garden.yaml"), path)
        run = subprocess.run([maker, path, "-o", os.path.join(work, "garden.yaml")], capture_output=True, text=True)
        if run.returncode != 1 or "exists and is not a folder" not in run.stderr:
            failures.append("a file as the output folder: %d %r" % (run.returncode, run.stderr))
        for args in ([path], ["-o", folder], [path, "-o", folder, "--frobnicate"]):
            if subprocess.run([maker] + args, capture_output=True).returncode != 2:
                failures.append("bad arguments %s: not status 2" % args)
        # And the good manifest replaces both OUTs whole.
        for out in (folder, archive):
            run = subprocess.run([maker, path, "-o", out], capture_output=True, text=True)
            if run.returncode != 0 or snapshot(out) == before[out]:
                failures.append("the good manifest did not replace %s: %r" % (out, run.stderr))
        if sorted(os.listdir(outs)) != ["book", "book.lirava"] or os.path.exists(os.path.join(folder, "mine.txt")):
            failures.append("replacing left files: %s" % os.listdir(outs))
        failures += full_disk(maker, path, tmp)
        failures += interrupted(maker, work, folder)
    if failures:
        print("\n".join(failures))
        return 1
    print("%d bad manifests refused, OUT kept each time" % len(CASES))
    return 0


if __name__ == "__main__":
    sys.exit(main())
