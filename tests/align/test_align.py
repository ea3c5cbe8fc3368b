#!/usr/bin/env python3
"""Runs lirava-align as a whole program.

    test_align.py LIRAVA_ALIGN narration   real human narration: two public-domain audiobook clips
                                           from pocketsphinx-testdata, joined; names the
                                           dictionary lacks, in speech from espeak-ng
    test_align.py LIRAVA_ALIGN bad-input   every kind of bad input: the status, the message, and
                                           no label file left behind
"""

import os
import subprocess
import sys
import tempfile
import wave

CLIPS = "/usr/share/pocketsphinx/test/data/librivox"
FIRST, FIRST_TEXT = "sense_and_sensibility_01_austen_64kb-0880.wav", "He was not an ill-disposed young man; \u2014"
SECOND, SECOND_TEXT = "sense_and_sensibility_01_austen_64kb-0890.wav", \
    "unless to be rather cold-hearted, and rather selfish, is to be ill-disposed."

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


def run(program, *arguments):
    return subprocess.run([program, *arguments], capture_output=True, text=True, timeout=300)


def labels(text):
    rows = [line.split("\t") for line in text.splitlines()]
    return [(float(start), float(end), word) for start, end, word in rows]


def write(path, text):
    with open(path, "wb") as f:
        f.write(text.encode("utf-8", "surrogateescape"))
    return path


def join_clips(first, second, out):
    frames = []
    for path in (first, second):
        with wave.open(path) as clip:
            params = clip.getparams()
            frames.append(clip.readframes(clip.getnframes()))
    with wave.open(out, "wb") as joined:
        joined.setparams(params)
        for chunk in frames:
            joined.writeframes(chunk)
    return len(frames[0]) / (params.sampwidth * params.framerate)


def narration(program, scratch):
    # The join: the second clip's first word starts after it and within 0.6 s, the first clip's
    # last word ends before it (with 0.1 s of slack). Words come back as written, in order.
    audio = os.path.join(scratch, "joined.wav")
    join = join_clips(os.path.join(CLIPS, FIRST), os.path.join(CLIPS, SECOND), audio)
    text = FIRST_TEXT + "\n" + SECOND_TEXT + "\n"
    out = os.path.join(scratch, "joined.txt")
    done = run(program, audio, write(os.path.join(scratch, "text.txt"), text), "-o", out)
    expect(done.returncode == 0, f"joined clips: status {done.returncode}: {done.stderr}")
    if done.returncode == 0:
        with open(out, encoding="utf-8") as f:
            timed = labels(f.read())
        expect([w for _, _, w in timed] == text.split(), f"joined clips: words {[w for _, _, w in timed]}")
        expect(all(a[0] <= a[1] <= b[0] for a, b in zip(timed, timed[1:])), f"joined clips: times {timed}")
        # The dash is not said: an instant where it stands, at the end of "man;".
        dash = len(FIRST_TEXT.split()) - 1
        expect(timed[dash][0] == timed[dash][1] == timed[dash - 1][1], f"the dash is timed {timed[dash]}")
        last = dash - 1
        expect(timed[last][1] < join + 0.1, f"first clip's last word ends at {timed[last][1]}, join {join}")
        expect(join < timed[dash + 1][0] < join + 0.6, f"second clip starts at {timed[dash + 1][0]}, join {join}")

    # Names the dictionary lacks are said from espeak-ng's phonemes, and the tool says so.
    text = "Zorblat and Quimble like apples."
    speech = os.path.join(scratch, "names.wav")
    subprocess.run(["espeak-ng", "-v", "en-us", "-w", speech, text], check=True)
    done = run(program, speech, write(os.path.join(scratch, "names.txt"), text))
    expect(done.returncode == 0, f"names: status {done.returncode}: {done.stderr}")
    expect("Zorblat: " in done.stderr and "Quimble: " in done.stderr and "apples" not in done.stderr,
           f"names: standard error {done.stderr!r}")
    expect([w for _, _, w in labels(done.stdout)] == text.split(), f"names: output {done.stdout!r}")


def bad_input(program, scratch):
    clip = os.path.join(CLIPS, FIRST)
    text = write(os.path.join(scratch, "text.txt"), FIRST_TEXT)
    silent = os.path.join(scratch, "silent.wav")
    with wave.open(silent, "wb") as out:
        out.setparams((1, 2, 16000, 0, "NONE", ""))
        out.writeframes(bytes(2 * 16000 * 3))
    # Two hours of real audio, kept small by its rate and width (a thousand 8-bit samples a second).
    long_audio = os.path.join(scratch, "two-hours.wav")
    with wave.open(long_audio, "wb") as out:
        out.setparams((1, 1, 1000, 0, "NONE", ""))
        out.writeframes(bytes([128]) * (1000 * 7200))
    labels_out = os.path.join(scratch, "labels.txt")
    cases = [
        ("missing audio", [os.path.join(scratch, "nope.wav"), text], 2, "nope.wav"),
        ("missing text", [clip, os.path.join(scratch, "nope.txt")], 2, "nope.txt"),
        ("text is not audio", [text, text], 2, "text.txt"),
        ("empty text", [clip, write(os.path.join(scratch, "empty.txt"), " \n\t")], 2, "no words"),
        ("text not UTF-8", [clip, write(os.path.join(scratch, "latin1.txt"), "caf\udce9")], 2, "UTF-8"),
        ("no word in common", [clip, write(os.path.join(scratch, "other.txt"),
                                           "purple elephants dance quickly over seventeen frozen bridges")],
         1, "cannot align \""),
        # A short text of other words: the search calls the rest of the speech a pause.
        ("another text", [clip, write(os.path.join(scratch, "short.txt"), "The cat sat on a mat.")], 1,
         "cannot align \""),
        ("silent recording", [silent, text], 1, "cannot align \"He\" (word 1) at 0.00 s: the recording is silent"),
        ("two-hour recording", [long_audio, text], 2, "2:00:00 long"),
        ("no TEXT", [clip], 2, "usage:"),
        ("unknown option", [clip, text, "--fast"], 2, "--fast"),
    ]
    for what, arguments, status, message in cases:
        if os.path.exists(labels_out):
            os.remove(labels_out)
        done = run(program, *arguments, "-o", labels_out)
        expect(done.returncode == status, f"{what}: status {done.returncode}, not {status}: {done.stderr}")
        expect(message in done.stderr, f"{what}: {message!r} not in {done.stderr!r}")
        expect(not os.path.exists(labels_out), f"{what}: a label file was written")
    leftovers = [name for name in os.listdir(scratch) if ".part" in name]
    expect(not leftovers, f"half-written files left: {leftovers}")

    # A folder that cannot take the label file: status 2, nothing else touched.
    done = run(program, clip, text, "-o", os.path.join(scratch, "no-such-folder", "labels.txt"))
    expect(done.returncode == 2 and "no-such-folder" in done.stderr, f"unwritable output: {done.stderr!r}")


def main():
    program, mode = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="lirava-align-") as scratch:
        {"narration": narration, "bad-input": bad_input}[mode](program, scratch)
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
