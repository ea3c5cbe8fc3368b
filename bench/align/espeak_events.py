"""The synthesiser's own word events for a sentence, read through libespeak-ng's C API.

speak() synthesises text the way tools/bookgen/speech.py does (same voice, rate, pitch and
flags as the espeak-ng command) and returns (samples at 22050 Hz, [(character offset in the text, word start in seconds)]).
"""

import ctypes

EVENT_LIST_TERMINATED = 0
EVENT_WORD = 1
AUDIO_OUTPUT_SYNCHRONOUS = 2
RATE, PITCH = 1, 3
CHARS_AUTO, PHONEMES, ENDPAUSE = 0, 0x100, 0x1000


class Event(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("unique_identifier", ctypes.c_uint), ("text_position", ctypes.c_int),
                ("length", ctypes.c_int), ("audio_position", ctypes.c_int), ("sample", ctypes.c_int),
                ("user_data", ctypes.c_void_p), ("id", ctypes.c_char * 8)]


CALLBACK = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(ctypes.c_short), ctypes.c_int, ctypes.POINTER(Event))


class Synthesiser:
    def __init__(self, voice, speed, pitch):
        self.lib = ctypes.CDLL("libespeak-ng.so.1")
        self.rate = self.lib.espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, None, 0)
        if self.lib.espeak_SetVoiceByName(voice.encode()) != 0:
            raise RuntimeError("espeak-ng has no voice " + voice)
        self.lib.espeak_SetParameter(RATE, speed, 0)
        self.lib.espeak_SetParameter(PITCH, pitch, 0)
        self._samples = []
        self._words = []
        self._callback = CALLBACK(self._on_audio)
        self.lib.espeak_SetSynthCallback(self._callback)

    def _on_audio(self, wav, count, events):
        i = 0
        while events[i].type != EVENT_LIST_TERMINATED:
            if events[i].type == EVENT_WORD:
                self._words.append((events[i].text_position - 1, events[i].audio_position / 1000.0))
            i += 1
        if count > 0:
            self._samples.extend(wav[:count])
        return 0

    def speak(self, text):
        """(samples, [(character offset, start in seconds)] of its words) of one synthesis."""
        self._samples, self._words = [], []
        data = text.encode() + b"\0"
        self.lib.espeak_Synth(data, len(data), 0, 0, 0, CHARS_AUTO | PHONEMES | ENDPAUSE, None, None)
        self.lib.espeak_Synchronize()
        return self._samples, list(self._words)
