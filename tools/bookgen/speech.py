"""Narration: espeak-ng speaks, lame encodes.

Both tools are deterministic for the same input and options, so a
rebuild gives byte-identical MP3 files.
"""

import subprocess

VOICE = "en-us+f3"
SPEED = 130          # words per minute; espeak-ng's default is 175
PITCH = 55

# espeak-ng spells out words without vowels ("Mmm" becomes "M M M");
# these are spoken from phonemes or a respelling instead.
SAY_INSTEAD = {
    "Mmm!": "[[m'm::]]!",
    "Brr!": "Burr!",
}


def spoken(text):
    for written, said in SAY_INSTEAD.items():
        text = text.replace(written, said)
    return text


def speak(text, out_path):
    wav = subprocess.run(["espeak-ng", "-v", VOICE, "-s", str(SPEED), "-p", str(PITCH),
                          "--stdout", spoken(text)], check=True, capture_output=True).stdout
    subprocess.run(["lame", "--silent", "-m", "m", "-b", "32", "--resample", "22.05",
                    "-", out_path], input=wav, check=True)
