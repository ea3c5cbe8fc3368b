#!/usr/bin/env python3
"""The reader in a real window, reading aloud through a PulseAudio server that dies and comes back.

    sound_server_restart.py LIRAVA BOOK_DIR

Starts a private PulseAudio server (a null sink, its own runtime folder, no session bus) and the
reader under Xvfb with auto-play on, records the null sink's monitor with parec, kills the server
in the middle of a sentence and starts it again. The narration must be heard before the kill and
after the restart (the device is opened again), the reader must answer every dump within a second
while the server is away, auto-play must go on as if the sentence had played, and the loss must
be logged once. Exit status 77 (skipped) when PulseAudio, its tools or Xvfb are missing.
"""

import array
import math
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

from scripted_reader import ScriptedReader

RMS_FLOOR = 100.0  # 16-bit samples; the null sink carries exact zeros when nothing plays


class Server:
    """A PulseAudio server of its own, reachable only through its socket in work."""

    def __init__(self, work):
        self.work = work
        os.makedirs(os.path.join(work, "runtime"), exist_ok=True)
        os.makedirs(os.path.join(work, "home"), exist_ok=True)
        self.env = dict(os.environ, HOME=os.path.join(work, "home"), XDG_RUNTIME_DIR=os.path.join(work, "runtime"),
                        PULSE_RUNTIME_PATH=os.path.join(work, "runtime"),
                        PULSE_STATE_PATH=os.path.join(work, "runtime"),
                        PULSE_SERVER="unix:" + os.path.join(work, "native"))
        self.env.pop("SDL_AUDIODRIVER", None)
        # The window's libraries (the session bus client among them) leak at exit in sanitizer builds.
        self.env["ASAN_OPTIONS"] = os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"
        self.proc = None

    def start(self):
        self.proc = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes", "--use-pid-file=no",
             "--load=module-native-protocol-unix socket=%s auth-anonymous=1" % os.path.join(self.work, "native"),
             "--load=module-null-sink sink_name=lirava"],
            env=self.env, stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.work, "server.log"), "a"))
        deadline = time.time() + 10
        while time.time() < deadline:
            if subprocess.run(["pactl", "info"], env=self.env, capture_output=True).returncode == 0:
                return
            time.sleep(0.1)
        raise RuntimeError("the PulseAudio server did not start")

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


class Recorder:
    """parec on the null sink's monitor; samples() gives what came since a mark."""

    def __init__(self, env):
        self.proc = subprocess.Popen(["parec", "-d", "lirava.monitor", "--raw", "--format=s16le", "--rate=44100",
                                      "--channels=2", "--latency-msec=20"], env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
        self.data = bytearray()
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        while True:
            chunk = self.proc.stdout.read1(8192)
            if not chunk:
                return
            with self.lock:
                self.data += chunk

    def mark(self):
        with self.lock:
            return len(self.data)

    def rms_since(self, mark):
        with self.lock:
            raw = bytes(self.data[mark:])
        samples = array.array("h")
        samples.frombytes(raw[:len(raw) // 2 * 2])
        return math.sqrt(sum(s * s for s in samples) / len(samples)) if samples else 0.0

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.wait()


def scratch_book(book, work):
    """Links to the book's entries with a first-run marker of its own, so nothing lands in the book."""
    resources = os.path.join(work, "book")
    os.mkdir(resources)
    for name in os.listdir(book):
        if name != "ft.xml":
            os.symlink(os.path.join(os.path.abspath(book), name), os.path.join(resources, name))
    with open(os.path.join(resources, "ft.xml"), "w") as f:
        f.write("windowwindowwindowwind\n")
    return resources


def run(program, book, work, problems):
    server = Server(work)
    server.start()
    recorder = Recorder(server.env)
    reader = ScriptedReader([program, "--resources", scratch_book(book, work), "--script", "-"], server.env)
    try:
        # Page 43 from the home screen, auto-play on: its first sentence reads at once.
        reader.send("wait 0.5", "click 320 560", "wait 2.5", "click 320 360", "wait 0.3", "click 580 40")
        first = reader.until("the first sentence", lambda s: s.get("music"), 10)
        mark = recorder.mark()
        time.sleep(1.0)
        before = recorder.rms_since(mark)
        if before <= RMS_FLOOR:
            problems.append("no narration on the null sink before the kill (RMS %.1f)" % before)

        server.kill()
        recorder.stop()
        killed_during = first.get("activeSentence")
        slowest = 0.0
        moved_on = None
        deadline = time.time() + 15
        while time.time() < deadline and moved_on is None:
            reader.send("wait 0.3")
            reader.dump()
            state = reader.dump()  # asked with nothing queued before it
            took = reader.answered_in
            slowest = max(slowest, took)
            if state.get("activeSentence") not in (None, killed_during) and state.get("music"):
                moved_on = state
        if slowest > 1.0:
            problems.append("a dump took %.2f s while the server was away" % slowest)
        if moved_on is None:
            problems.append("auto-play did not go on to the next sentence while the server was away")

        server.start()
        recorder = Recorder(server.env)
        playing = moved_on.get("music") if moved_on else None
        reader.until("a sentence started after the restart",
                     lambda s: s.get("music") and s.get("music") != playing, 30)
        mark = recorder.mark()
        time.sleep(1.0)
        after = recorder.rms_since(mark)
        if after <= RMS_FLOOR:
            problems.append("no narration on the null sink after the restart (RMS %.1f)" % after)
        reader.dump()
        away = [l for l in reader.lines if "sound device went away" in l]
        back = [l for l in reader.lines if "sound device is back" in l]
        if len(away) != 1 or len(back) != 1:
            problems.append("the log has %d away and %d back lines, not one each" % (len(away), len(back)))
        print("narration RMS %.1f before the kill, %.1f after the restart; slowest dump %.2f s while away"
              % (before, after, slowest))
    finally:
        status = reader.close()
        if status not in (0, None):
            problems.append("the reader exited with %s" % status)
        recorder.stop()
        server.kill()


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, book = sys.argv[1], sys.argv[2]
    for tool in ("pulseaudio", "pactl", "parec", "xvfb-run", "Xvfb"):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return 77
    if "--inside" not in sys.argv:
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x1024x24", sys.executable, os.path.abspath(__file__),
                   program, book, "--inside"]
        return subprocess.run(command, timeout=280).returncode
    work = tempfile.mkdtemp(prefix="lirava-sound-")
    problems = []
    try:
        run(program, book, work, problems)
    except (RuntimeError, OSError, subprocess.SubprocessError, ValueError) as error:
        problems.append("%s: %s" % (type(error).__name__, error))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for p in problems:
        print("FAIL: " + p)
    print("sound server restart: %s" % ("ok" if not problems else "%d problems" % len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # ctest's timeout still runs the clean-up
    sys.exit(main())
