#!/usr/bin/python3
"""Makes the example book as a folder and as one file; the checker finds nothing wrong with
either, and the reader, touching every sentence, plays each one's own track.

    test_make_example.py LIRAVA_MAKE LIRAVA_CHECK LIRAVA MANIFEST
"""

import hashlib
import os
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import book_driver  # noqa: E402


def narration(page, index):
    name = "mc%s%d%d.mp3" % ("0" if page < 10 else "", page, index)
    return "epc/%s.mp3" % hashlib.md5(name.encode()).hexdigest()


def main():
    maker, check, reader, manifest = sys.argv[1:5]
    with tempfile.TemporaryDirectory() as tmp:
        folder = os.path.join(tmp, "garden")
        archive = os.path.join(tmp, "garden.lirava")
        for out in (folder, archive):
            made = subprocess.run([maker, manifest, "-o", out], capture_output=True, text=True)
            assert made.returncode == 0, made.stderr
            assert "Spoken by espeak-ng (no recording), 4 sentences:" in made.stdout, made.stdout

        for book in (folder, archive):
            checked = subprocess.run([check, "--resources", book], capture_output=True, text=True)
            assert checked.returncode == 0 and " 0 problems" in checked.stdout, (book, checked.stdout[-3000:])

        # The archive holds the folder's files under the same paths; media stored, text deflated.
        with zipfile.ZipFile(archive) as z:
            entries = {i.filename: i for i in z.infolist()}
            files = {os.path.relpath(os.path.join(d, f), folder)
                     for d, _, fs in os.walk(folder) for f in fs}
            assert set(entries) == files, set(entries) ^ files
            for name, info in entries.items():
                media = name.endswith((".mp3", ".jpg", ".png"))
                assert info.compress_type == (zipfile.ZIP_STORED if media else zipfile.ZIP_DEFLATED), name
                assert z.read(name) == open(os.path.join(folder, name), "rb").read(), name

        pages = book_driver.pages_with_sentences(folder)
        assert pages == [2, 3, 14], pages
        for page, book in ((p, b) for p in pages for b in (folder, archive)):
            touched = book_driver.touch_every_sentence(reader, folder, page, resources=book)
            for index, (button, dump) in enumerate(touched, 1):
                assert dump["activeSentence"] == button, (page, button, dump)
                assert dump["music"] and dump["music"].endswith(narration(page, index)), (page, button, dump)
                labels = os.path.join(folder, narration(page, index)[:-4] + ".txt")
                assert os.path.getsize(labels) > 0, labels
    print("example made, checked and read")


if __name__ == "__main__":
    main()
