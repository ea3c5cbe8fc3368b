#!/usr/bin/python3
"""A book from real material: public-domain audiobook clips from pocketsphinx-testdata and a
photograph from python-matplotlib-data. Page 2 is one take of two joined clips, which the maker
must cut where they join; page 3 has a recording per sentence. Every sentence gets word timings.

    test_make_real.py LIRAVA_MAKE
"""

import glob
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import wave

# The public-domain audiobook clips of pocketsphinx-testdata: the folder with a plain "transcription" list.
CLIPS = os.path.dirname(sorted(glob.glob("/usr/share/pocketsphinx/test/data/*/transcription"))[0])
PHOTO = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg"
FIRST = CLIPS + "/sense_and_sensibility_01_austen_64kb-0880.wav"
SECOND = CLIPS + "/sense_and_sensibility_01_austen_64kb-0890.wav"

MANIFEST = """title: Real Material
units:
  - pages:
      - picture: {photo}
        recording: {joined}
        sentences:
          - He was not an ill disposed young man.
          - Unless to be rather cold hearted and rather selfish is to be ill disposed.
      - picture: {photo}
        sentences:
          - text: And Mister John Dashwood had then leisure to consider how much there might be prudently in his power to do for them.
            recording: {clips}/sense_and_sensibility_01_austen_64kb-0870.wav
          - text: He might even have been made amiable himself.
            recording: {clips}/sense_and_sensibility_01_austen_64kb-0930.wav
"""


def labels(book, page, index):
    name = "mc%s%d%d.mp3" % ("0" if page < 10 else "", page, index)
    path = os.path.join(book, "epc", hashlib.md5(name.encode()).hexdigest() + ".txt")
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f]


def main():
    maker = sys.argv[1]
    for path in (FIRST, SECOND, PHOTO):
        if not os.path.exists(path):
            print("skipped: needs pocketsphinx-testdata and python-matplotlib-data")
            return 77
    with tempfile.TemporaryDirectory() as tmp:
        joined = os.path.join(tmp, "page.wav")
        with wave.open(FIRST) as a, wave.open(SECOND) as b, wave.open(joined, "wb") as out:
            out.setparams(a.getparams())
            first = a.readframes(a.getnframes())
            boundary = a.getnframes() / a.getframerate()
            out.writeframes(first + b.readframes(b.getnframes()))
        manifest = os.path.join(tmp, "book.yaml")
        with open(manifest, "w") as f:
            f.write(MANIFEST.format(photo=PHOTO, joined=joined, clips=CLIPS))
        book = os.path.join(tmp, "book")
        made = subprocess.run([maker, manifest, "-o", book], capture_output=True, text=True)
        assert made.returncode == 0, made.stderr
        assert "espeak-ng" not in made.stdout, made.stdout

        cut = float(re.search(r"page 2: one take cut at ([0-9.]+) s", made.stdout).group(1))
        assert abs(cut - boundary) <= 0.25, (cut, boundary)

        texts = {(2, 1): "He was not an ill disposed young man.",
                 (2, 2): "Unless to be rather cold hearted and rather selfish is to be ill disposed.",
                 (3, 2): "He might even have been made amiable himself."}
        for (page, index), text in texts.items():
            rows = labels(book, page, index)
            assert [r[2] for r in rows] == text.split(), rows
            times = [float(t) for r in rows for t in r[:2]]
            assert times == sorted(times) and times[-1] > times[0], rows
        assert len(labels(book, 3, 1)) == 22
    print("real material made; cut at %.2f s, clips join at %.2f s" % (cut, boundary))
    return 0


if __name__ == "__main__":
    sys.exit(main())
