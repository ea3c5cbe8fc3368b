#!/usr/bin/env python3
"""CPU cost of lirava-align per second of audio, on real human narration: the five public-domain
audiobook clips of pocketsphinx-testdata joined one after the other (24.7 s), and the same joined
eight times over (3 min 18 s). Each is aligned three times; the median of the process's CPU time
(user + system, model loading included) is divided by the recording's length. Prints JSON.

    python3 bench/align/speed.py BUILD/tools/align/lirava-align
"""

import json
import os
import statistics
import subprocess
import sys
import tempfile
import wave

CLIPS = "/usr/share/pocketsphinx/test/data/librivox"


def clips():
    with open(os.path.join(CLIPS, "transcription"), encoding="utf-8") as f:
        for line in f:
            words, name = line.rsplit("(", 1)
            yield os.path.join(CLIPS, name.strip().rstrip(")") + ".wav"), \
                words.replace("<s>", "").replace("</s>", "").strip()


def join(repeat, audio, text):
    frames, words = [], []
    for path, said in clips():
        with wave.open(path) as clip:
            params = clip.getparams()
            frames.append(clip.readframes(clip.getnframes()))
        words.append(said)
    with wave.open(audio, "wb") as out:
        out.setparams(params)
        for _ in range(repeat):
            for chunk in frames:
                out.writeframes(chunk)
    with open(text, "w", encoding="utf-8") as f:
        f.write("\n".join(words * repeat) + "\n")
    return repeat * sum(len(chunk) for chunk in frames) / (params.sampwidth * params.framerate)


def cpu_seconds(command):
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{command} failed: {process.stderr.read().decode()}")
    return usage.ru_utime + usage.ru_stime


def main():
    aligner = sys.argv[1]
    results = {}
    with tempfile.TemporaryDirectory(prefix="lirava-align-speed-") as scratch:
        for repeat in (1, 8):
            audio, text = os.path.join(scratch, "joined.wav"), os.path.join(scratch, "joined.txt")
            seconds = join(repeat, audio, text)
            runs = [cpu_seconds([aligner, audio, text]) for _ in range(3)]
            results[f"{seconds:.1f} s of audio"] = {
                "cpu_s": [round(run, 3) for run in runs],
                "cpu_s_per_audio_s": round(statistics.median(runs) / seconds, 4),
            }
    results["load_average"] = os.getloadavg()[0]
    print(json.dumps(results, indent=1))


if __name__ == "__main__":
    main()
