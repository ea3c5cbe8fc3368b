"""Narration: espeak-ng speaks, lame encodes.

Both tools are deterministic for the same input and options, so a
rebuild gives byte-identical MP3 files.
"""

import subprocess

VOICE = "en-us+f3"
SPEED = 130          # words per minute; espeak-ng's default is 175
PITCH = 55


def speak(text, out_path):
    wav = subprocess.run(["espeak-ng", "-v", VOICE, "-s", str(SPEED), "-p", str(PITCH),
                          "--stdout", text], check=True, capture_output=True).stdout
    subprocess.run(["lame", "--silent", "-m", "m", "-b", "32", "--resample", "22.05",
                    "-", out_path], input=wav, check=True)
