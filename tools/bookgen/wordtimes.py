"""Word timings of the narration, from the synthesiser's own word events.

libespeak-ng, called through ctypes with the voice and settings of
speech.py, reports where each word starts in the audio it makes. The
audio is checked to be sample for sample what the espeak-ng command
wrote, so the events belong to the narration as recorded. The MP3 as
the reader decodes it (SDL_mixer, 44.1 kHz) may start later than the
synthesised audio (encoder delay, resampling); that shift is measured
per file by matching the decoded samples against the synthesised ones,
and added to every time. Each file is written in the label-track format
that audio editors import: "start<TAB>end<TAB>word", one word a line.
"""

import ctypes
import ctypes.util
import os
import subprocess
import array

import speech

AUDIO_OUTPUT_SYNCHRONOUS = 2
EVENT_WORD = 1
EVENT_PHONEME = 7
INITIALIZE_PHONEME_EVENTS = 0x0001
PHONEME_SEPARATOR = ord("|") << 8
EVENT_LIST_TERMINATED = 0
POS_CHARACTER = 1
# What the espeak-ng command passes: any encoding, [[phonemes]] allowed, a pause at the end.
SYNTH_FLAGS = 0x0000 | 0x0100 | 0x1000
PARAM_RATE = 1
PARAM_PITCH = 3
MIXER_RATE = 44100


class Event(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("unique_identifier", ctypes.c_uint),
                ("text_position", ctypes.c_int), ("length", ctypes.c_int),
                ("audio_position", ctypes.c_int), ("sample", ctypes.c_int),
                ("user_data", ctypes.c_void_p), ("id", ctypes.c_char * 8)]


CALLBACK = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(ctypes.c_short), ctypes.c_int,
                            ctypes.POINTER(Event))


class Synthesiser:
    """The library, set up once as speech.py sets up the command."""

    def __init__(self):
        self.lib = ctypes.CDLL("libespeak-ng.so.1")
        self.rate = self.lib.espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, None,
                                               INITIALIZE_PHONEME_EVENTS)
        self.lib.espeak_TextToPhonemes.restype = ctypes.c_char_p
        if self.rate <= 0:
            raise RuntimeError("libespeak-ng did not start")
        if self.lib.espeak_SetVoiceByName(speech.VOICE.encode()) != 0:
            raise RuntimeError("no voice " + speech.VOICE)
        self.lib.espeak_SetParameter(PARAM_RATE, speech.SPEED, 0)
        self.lib.espeak_SetParameter(PARAM_PITCH, speech.PITCH, 0)
        self.samples = array.array("h")
        self.events = []
        self._callback = CALLBACK(self._collect)  # kept alive as long as the library holds it
        self.lib.espeak_SetSynthCallback(self._callback)

    def _collect(self, wav, count, events):
        if wav and count > 0:
            self.samples.extend(wav[:count])
        i = 0
        while events[i].type != EVENT_LIST_TERMINATED:
            e = events[i]
            if e.type in (EVENT_WORD, EVENT_PHONEME):
                # audio_position is in milliseconds.
                self.events.append((e.type, e.text_position, e.audio_position, bytes(e.id).rstrip(b"\0")))
            i += 1
        return 0

    def phoneme_count(self, word):
        """Phonemes of word said on its own (after synthesise: this changes the library's state)."""
        text = ctypes.c_char_p(word.encode("utf-8"))
        said = self.lib.espeak_TextToPhonemes(ctypes.pointer(text), 0, PHONEME_SEPARATOR) or b""
        return len([p for p in said.split(b"|") if p.strip(b" ',")])

    def synthesise(self, text):
        """(samples, [(event type, text position, ms, phoneme name)]) of text as speech.py
        speaks it: its word and phoneme events."""
        self.samples = array.array("h")
        self.events = []
        data = text.encode("utf-8")
        buf = ctypes.create_string_buffer(data)
        self.lib.espeak_Synth(buf, len(data) + 1, 0, POS_CHARACTER, 0, SYNTH_FLAGS, None, None)
        self.lib.espeak_Synchronize()
        return self.samples, self.events


def command_samples(text):
    """The samples that speech.speak encodes: the espeak-ng command's WAV output."""
    wav = subprocess.run(["espeak-ng", "-v", speech.VOICE, "-s", str(speech.SPEED), "-p",
                          str(speech.PITCH), "--stdout", text], check=True,
                         capture_output=True).stdout
    samples = array.array("h")
    samples.frombytes(wav[44:44 + (len(wav) - 44) // 2 * 2])
    return samples


class Decoder:
    """MP3 files decoded as the reader decodes them: SDL_mixer at 44.1 kHz, first channel."""

    def __init__(self):
        os.environ.setdefault("SDL_AUDIODRIVER", "dummy")
        self.sdl = ctypes.CDLL(ctypes.util.find_library("SDL2-2.0") or "libSDL2-2.0.so.0")
        self.mix = ctypes.CDLL("libSDL2_mixer-2.0.so.0")
        self.sdl.SDL_RWFromFile.restype = ctypes.c_void_p
        self.mix.Mix_LoadWAV_RW.restype = ctypes.c_void_p
        self.mix.Mix_LoadWAV_RW.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.mix.Mix_FreeChunk.argtypes = [ctypes.c_void_p]
        if self.sdl.SDL_Init(0x10) != 0 or self.mix.Mix_OpenAudio(MIXER_RATE, 0x8010, 2, 2048) != 0:
            raise RuntimeError("SDL_mixer did not open")

    def decode(self, path):
        class Chunk(ctypes.Structure):
            _fields_ = [("allocated", ctypes.c_int), ("abuf", ctypes.POINTER(ctypes.c_int16)),
                        ("alen", ctypes.c_uint32), ("volume", ctypes.c_uint8)]
        rw = self.sdl.SDL_RWFromFile(path.encode(), b"rb")
        chunk = self.mix.Mix_LoadWAV_RW(rw, 1)
        if not chunk:
            raise RuntimeError("cannot decode " + path)
        c = Chunk.from_address(chunk)
        left = array.array("h", c.abuf[0:c.alen // 2:2])
        self.mix.Mix_FreeChunk(chunk)
        return left


def _envelope(samples, step):
    """Mean magnitude of each millisecond (step samples)."""
    return [sum(abs(x) for x in samples[i:i + step]) / step
            for i in range(0, len(samples) - step + 1, step)]


def measure_shift(synthesised, rate, decoded):
    """Seconds by which decoded (at MIXER_RATE) starts later than synthesised (at rate).

    The millisecond envelopes of the two are matched over lags up to a second, then the
    sample lag within 2 ms of the best one at which the waveforms agree best."""
    step = MIXER_RATE // rate
    a = _envelope(synthesised, rate // 1000)
    b = _envelope(decoded, MIXER_RATE // 1000)
    best_ms, best_score = 0, None
    for lag in range(0, min(1000, len(b))):
        score = sum(x * y for x, y in zip(a, b[lag:]))
        if best_score is None or score > best_score:
            best_ms, best_score = lag, score
    # The loudest 100 ms of speech decide the fine lag.
    loud = max(range(max(1, len(a) - 100)), key=lambda i: sum(a[i:i + 100:10]))
    window = range(loud * rate // 1000, min(len(synthesised), (loud + 100) * rate // 1000))
    guess = best_ms * MIXER_RATE // 1000
    best, best_score = guess, None
    for lag in range(guess - 2 * MIXER_RATE // 1000, guess + 2 * MIXER_RATE // 1000 + 1):
        score = 0
        for i in window:
            j = i * step + lag
            if 0 <= j < len(decoded):
                score += synthesised[i] * decoded[j]
        if best_score is None or score > best_score:
            best, best_score = lag, score
    return best / MIXER_RATE


def word_spans(text):
    """(character offset, word) of each run between white space, as the reader splits it."""
    spans, i = [], 0
    while i < len(text):
        while i < len(text) and text[i].isspace():
            i += 1
        j = i
        while j < len(text) and not text[j].isspace():
            j += 1
        if j > i:
            spans.append((i, text[i:j]))
        i = j
    return spans


def word_times(caption, mp3_path):
    """[(word, start, end)] in seconds on the track's clock as the reader decodes it, and the
    measured shift, for one sentence.

    The library carries state from one utterance into the next (the second differs from the
    command's), so each sentence is spoken by a library started afresh: call this in a process
    of its own (see build_labels)."""
    synthesiser, decoder = Synthesiser(), Decoder()
    words = word_spans(caption)
    # Each word is spoken as speech.py says it; offsets are taken in the spoken text.
    spoken_words = [speech.spoken(w) for _, w in words]
    spoken = " ".join(spoken_words)
    if spoken != speech.spoken(" ".join(w for _, w in words)):
        raise RuntimeError("respelling crosses words: " + caption)
    samples, events = synthesiser.synthesise(spoken)
    if samples != command_samples(spoken):
        raise RuntimeError("library and command speak differently: " + caption)
    shift = measure_shift(samples, synthesiser.rate, decoder.decode(mp3_path))
    # Word i starts at the first event inside its characters (text positions count from 1).
    starts, owners, offset = [], [], 0
    for said in spoken_words:
        inside = [(ms, pos) for kind, pos, ms, _ in events
                  if kind == EVENT_WORD and offset < pos <= offset + len(said)]
        starts.append(min(inside)[0] / 1000.0 if inside else None)
        owners.append(min(inside)[1] if inside else None)
        offset += len(said) + 1
    # espeak-ng speaks small words with the word before them ("out of") under one word event;
    # its phoneme events, which carry that event's text position, show where each of them
    # starts, counted by the phonemes each word has on its own.
    i = 0
    while i < len(starts):
        j = i + 1
        while j < len(starts) and starts[j] is None:
            j += 1
        if starts[i] is not None and j > i + 1:
            phonemes = [ms for kind, pos, ms, name in events
                        if kind == EVENT_PHONEME and pos == owners[i] and not name.startswith(b"_")]
            counts = [synthesiser.phoneme_count(w) for w in spoken_words[i:j]]
            if sum(counts) == len(phonemes):
                for k in range(i + 1, j):
                    starts[k] = phonemes[sum(counts[:k - i])] / 1000.0
        i = j
    # A word still without a start (a lone dash) shares the next word's.
    following = None
    for i in reversed(range(len(starts))):
        if starts[i] is None:
            starts[i] = following if following is not None else len(samples) / synthesiser.rate
        following = starts[i]
    # The last word ends where the voice does, the others where the next one starts.
    peak = max((abs(s) for s in samples), default=0)
    last = len(samples)
    while last > 0 and abs(samples[last - 1]) < max(peak // 50, 1):
        last -= 1
    ends = starts[1:] + [max(last / synthesiser.rate, starts[-1])]
    return [(w, max(s + shift, 0.0), max(e + shift, 0.0))
            for s, e, (_, w) in zip(starts, ends, words)], shift


def label_lines(caption, mp3_path):
    """The label file's text for one sentence, and the measured shift in seconds."""
    times, shift = word_times(caption, mp3_path)
    return "".join("%.3f\t%.3f\t%s\n" % (s, e, w) for w, s, e in times), shift


def _one(job):
    caption, mp3_path, out_path = job
    text, shift = label_lines(caption, mp3_path)
    with open(out_path + ".tmp", "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(out_path + ".tmp", out_path)
    return shift


def build_labels(jobs, processes=2):
    """Writes each (caption, mp3 path, label path) job; returns the shifts measured."""
    import multiprocessing
    with multiprocessing.get_context("fork").Pool(processes, maxtasksperchild=1) as pool:
        return pool.map(_one, jobs, chunksize=1)
