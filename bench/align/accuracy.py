#!/usr/bin/env python3
"""Accuracy of lirava-align on the sample book's narration, against the synthesiser's own word
events (not against the audio): every sentence of every page is aligned from its MP3 file and
caption text, and each word's start is compared with the start that libespeak-ng reported when
it spoke the word. Prints one JSON object.

    /usr/bin/python3 bench/align/accuracy.py BUILD/tools/align/lirava-align [--book DIR] [--pages A-B]

Events are paired with the caption's words by their place in the text; a word without an event
(spoken from phonemes) and a sentence whose spoken text splits into other words are counted and
left out.
"""

import argparse
import ctypes
import json
import os
import statistics
import subprocess
import sys
import tempfile

import numpy

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tools", "bookgen"))
sys.path.insert(0, HERE)

import generate  # noqa: E402  (the book's own sentence list)
import names  # noqa: E402
import speech  # noqa: E402
import story  # noqa: E402
from espeak_events import Synthesiser  # noqa: E402


class SoundInfo(ctypes.Structure):
    _fields_ = [("frames", ctypes.c_int64), ("samplerate", ctypes.c_int), ("channels", ctypes.c_int),
                ("format", ctypes.c_int), ("sections", ctypes.c_int), ("seekable", ctypes.c_int)]


def decoded(sndfile, path):
    """A recording's samples as libsndfile (the aligner's decoder) gives them, and its rate."""
    info = SoundInfo()
    handle = ctypes.c_void_p(sndfile.sf_open(path.encode(), 0x10, ctypes.byref(info)))
    buffer = (ctypes.c_short * (4096 * max(1, info.channels)))()
    chunks = []
    while True:
        got = sndfile.sf_readf_short(handle, buffer, ctypes.c_int64(4096))
        if got <= 0:
            break
        chunks.append(numpy.frombuffer(buffer, dtype=numpy.int16, count=got * info.channels).copy())
    sndfile.sf_close(handle)
    return numpy.concatenate(chunks)[::max(1, info.channels)].astype(numpy.float64), info.samplerate


def start_delay(synthesised, recording, rate):
    """Seconds by which the recording lags the synthesised samples (encoder delay), found by
    cross-correlating their first two seconds over lags of 0 to 150 ms."""
    most = int(0.15 * rate)
    span = min(len(synthesised), 2 * rate, len(recording) - most)
    if span < rate // 4:
        return None
    scores = numpy.correlate(recording[:span + most], synthesised[:span], mode="valid")
    return int(numpy.argmax(scores)) / rate


def word_starts(text, events):
    """The first event's start of each white-space word of `text`, or None for a word without one."""
    starts, offset = [], 0
    for word in text.split():
        begin = text.index(word, offset)
        offset = begin + len(word)
        inside = [time for position, time in events if begin <= position < offset]
        starts.append(min(inside) if inside else None)
    return starts


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("aligner")
    parser.add_argument("--book", default=os.path.join(ROOT, "book"))
    parser.add_argument("--pages", default="1-999", help="first-last page to align")
    args = parser.parse_args()
    aligner, book = args.aligner, args.book
    first, last = (int(n) for n in args.pages.split("-"))
    pages = [page for page in story.load(os.path.join(ROOT, "tools", "bookgen", "story.txt"))
             if first <= page.number <= last]
    synthesiser = Synthesiser(speech.VOICE, speech.SPEED, speech.PITCH)
    sndfile = ctypes.CDLL("libsndfile.so.1")
    sndfile.sf_readf_short.restype = ctypes.c_int64
    sndfile.sf_open.restype = ctypes.c_void_p
    errors, raw_errors, signed, skipped, unpaired, failed, shifts, worst = [], [], [], 0, 0, [], [], []
    with tempfile.TemporaryDirectory() as scratch:
        text_path = os.path.join(scratch, "text.txt")
        for page in pages:
            for index, caption, spoken in generate.sentences_of(page):
                said = speech.spoken(spoken)
                samples, events = synthesiser.speak(said)
                words = caption.split()
                starts = word_starts(said, events)
                if len(starts) != len(words):
                    skipped += 1
                    continue
                audio = os.path.join(book, names.narration_file(page.number, index))
                recording, rate = decoded(sndfile, audio)
                delay = start_delay(numpy.array(samples, dtype=numpy.float64), recording, rate)
                if rate != synthesiser.rate or delay is None:
                    skipped += 1
                    continue
                with open(text_path, "w", encoding="utf-8") as f:
                    f.write(caption + "\n")
                done = subprocess.run([aligner, audio, text_path], capture_output=True, text=True)
                if done.returncode != 0:
                    failed.append("%d.%d %s" % (page.number, index, done.stderr.strip()))
                    continue
                labels = [line.split("\t") for line in done.stdout.splitlines()]
                for (start, _, word), event in zip(labels, starts):
                    if event is None:
                        unpaired += 1
                        continue
                    raw_errors.append(abs(float(start) - event))
                    signed.append(float(start) - event - delay)
                    error = abs(float(start) - event - delay)
                    errors.append(error)
                    worst.append((error, "%d.%d %s" % (page.number, index, word)))
                shifts.append(delay)
    worst.sort(reverse=True)
    print(json.dumps({
        "words": len(errors),
        "sentences_skipped": skipped,
        "words_without_event": unpaired,
        "median_signed_ms": round(1000 * statistics.median(signed), 1),
        "sentences_failed": failed,
        "median_ms": round(1000 * statistics.median(errors), 1),
        "p95_ms": round(1000 * percentile(errors, 0.95), 1),
        "max_ms": round(1000 * max(errors), 1),
        "worst": ["%.0f ms %s" % (1000 * e, what) for e, what in worst[:5]],
        "encoder_delay_ms": {"min": round(1000 * min(shifts), 1), "median": round(1000 * statistics.median(shifts), 1),
                             "max": round(1000 * max(shifts), 1)},
        "uncorrected_median_ms": round(1000 * statistics.median(raw_errors), 1),
        "uncorrected_p95_ms": round(1000 * percentile(raw_errors, 0.95), 1),
    }, indent=1))
    return 0 if not failed else 1


if __name__ == "__main__":
    sys.exit(main())
