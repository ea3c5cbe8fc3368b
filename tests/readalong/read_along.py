#!/usr/bin/env python3
"""Page 5 read headless, touched sentence by sentence at 1x and 0.5x and by auto-play: the
caption's lit word (dump's caption.word) steps through every word in order, each within 60 ms
of where the synthesiser's own word events put its start (libespeak-ng, run afresh here, its
times shifted by the MP3 start shift measured on the decoded track; the label files are not
read). Exit 77 when libespeak-ng is not installed.

usage: read_along.py LIRAVA BOOK
"""
import ctypes.util
import json
import multiprocessing
import os
import plistlib
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "bookgen"))
import names  # noqa: E402

PAGE = 5
BOUND = 0.060
FRAME = 1.0 / 60.0
WORST = [0.0]
# Page 5's sentence buttons, top to bottom, and its play item.
BUTTON_X, FIRST_Y, STEP_Y = 320, 885, 42
PLAY = (580, 40)
TO_PAGE = ["wait 0.1", "click 320 860", "wait 2.5", "click 320 560", "wait 0.1"]


def expected(job):
    """In a process of its own (the library keeps state between utterances)."""
    import wordtimes
    caption, track = job
    times, _ = wordtimes.word_times(caption, track)
    seconds = len(wordtimes.Decoder().decode(track)) / wordtimes.MIXER_RATE
    return [start for _, start, _ in times], seconds


def run(lirava, book, speed, lines):
    script = "\n".join(lines) + "\n"
    # Through a folder of links, so the home screen's first-visit marker never lands in the book.
    with tempfile.TemporaryDirectory() as links:
        for entry in os.listdir(book):
            if entry != "ft.xml":
                os.symlink(os.path.join(book, entry), os.path.join(links, entry))
        return read_dumps(lirava, links, speed, script)


def read_dumps(lirava, book, speed, script):
    out = subprocess.run([lirava, "--headless", "--resources", book, "--speed", str(speed),
                          "--script", "-"], input=script, capture_output=True, text=True,
                         check=True, env=dict(os.environ, SDL_AUDIODRIVER="dummy")).stdout
    return [json.loads(line[6:]) for line in out.splitlines() if line.startswith("state ")]


def frames(seconds):
    return ["wait %.7f\ndump" % FRAME] * int(seconds * 60 + 30)


def lit_word(state):
    return (state["caption"] or {}).get("word")


def check(label, dumps, starts, speed, offset, failures):
    """dumps: one a frame from the sentence's start; offset: frames the start lies before the
    first of them."""
    lit = {}
    for k, state in enumerate(dumps):
        word = lit_word(state)
        if word is not None and word not in lit:
            lit[word] = (k + offset) * FRAME
    order = [lit_word(state) for state in dumps if lit_word(state) is not None]
    steps = [w for i, w in enumerate(order) if i == 0 or order[i - 1] != w]
    if steps != list(range(len(starts))):
        failures.append("%s: lit words %s, not each of %d in turn" % (label, steps, len(starts)))
        return
    for i, start in enumerate(starts):
        error = lit[i] - start / speed
        WORST[0] = max(WORST[0], abs(error))
        if abs(error) > BOUND:
            failures.append("%s: word %d lit %.0f ms from the voice" % (label, i, error * 1000))
    if lit_word(dumps[-1]) is not None:
        failures.append("%s: a word stays lit after the track" % label)


def main():
    lirava, book = sys.argv[1], os.path.abspath(sys.argv[2])
    if not ctypes.util.find_library("espeak-ng"):
        print("libespeak-ng is not installed")
        return 77
    with open(os.path.join(book, "Stringstr.xml"), "rb") as f:
        captions = plistlib.load(f)
    sentences = [i for i in range(1, 30) if names.caption_key(PAGE, i) in captions]
    jobs = [(captions[names.caption_key(PAGE, i)], os.path.join(book, names.narration_file(PAGE, i)))
            for i in sentences]
    with multiprocessing.get_context("fork").Pool(2, maxtasksperchild=1) as pool:
        truth = dict(zip(sentences, pool.map(expected, jobs, chunksize=1)))

    failures = []
    for speed in (1, 0.5):
        lines = list(TO_PAGE)
        for i in sentences:
            lines += ["click %d %d" % (BUTTON_X, FIRST_Y - STEP_Y * (i - 1))]
            lines += frames(truth[i][1] / speed)
        dumps = run(lirava, book, speed, lines)[len([x for x in TO_PAGE if x == "dump"]):]
        at = 0
        for i in sentences:
            count = int(truth[i][1] / speed * 60 + 30)
            mine = dumps[at:at + count]
            at += count
            # The press started the track a frame before the release; the first dump follows one
            # more frame.
            check("touch %.1fx sentence %d" % (speed, i), mine, truth[i][0], speed, 2, failures)

    # Auto-play: each sentence from the frame its track starts.
    total = sum(seconds + 1.2 for _, seconds in truth.values())
    dumps = run(lirava, book, 1, TO_PAGE + ["click %d %d" % PLAY] + frames(total))
    # Auto-play may turn to the next page after the last sentence; page 5 is what counts.
    dumps = dumps[:next((k for k, s in enumerate(dumps) if s["currentPage"] != PAGE), len(dumps))]
    tracks = {names.narration_file(PAGE, i): i for i in sentences}
    starts = [k for k, state in enumerate(dumps)
              if state["music"] in tracks and (k == 0 or dumps[k - 1]["music"] != state["music"])]
    read = [tracks[dumps[k]["music"]] for k in starts]
    if read != sentences:
        failures.append("auto-play read %s, not %s" % (read, sentences))
    for n, k in enumerate(starts):
        i = tracks[dumps[k]["music"]]
        end = starts[n + 1] if n + 1 < len(starts) else len(dumps)
        check("auto-play sentence %d" % i, dumps[k:end], truth[i][0], 1, 0, failures)

    for failure in failures:
        print(failure)
    print("%d sentences at two speeds and by auto-play: %s (worst word %.0f ms from the voice)"
          % (len(sentences), "FAIL" if failures else "ok", WORST[0] * 1000))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
