#!/usr/bin/env python3
"""What the reader costs in a real window while the picture stands still, and while it moves.

    bench/window_idle.py LIRAVA BOOK_DIR [--seconds S] [--wm openbox|none] [--inside]

Starts a virtual X server of 1280 x 1024 (xvfb-run), with the openbox window manager or none,
runs the reader in window mode with its script on standard input and reads the process's CPU
time (utime + stime of /proc/PID/stat) over S seconds (default 15) in each of these states:

- home: the home screen, whose figure glides for ever;
- page: page 5 on show, nothing playing (reached by real clicks; the program runs without a
  script, as a reader starts it);
- page_wait: the same page in a second run, driven by a script that runs `wait S + 1`;
- curl: the page curling back and forth (a page turn of 0.5 s every 0.6 s).

Prints one JSON object: per state the share of one core in per cent, and the renderer the window
drew with. Needs Xvfb, xvfb-run, xdotool (and openbox for --wm openbox).
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import time

from whole_process import scratch_book

# The window is named after the book (the sample book's title), else after the program.
WINDOW_TITLE = "^(Pip and Biscuit|Lirava)$"

SCREEN = (1280, 1024)


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    # Fields 14 and 15 of the file (utime, stime), counted after the command name's ")".
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Reader:
    """The reader in window mode; with script=True its driver script comes from our pipe."""

    def __init__(self, program, resources, script):
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", LIRAVA_VERBOSE="1")
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("SDL_VIDEODRIVER", None)
        self.env = env
        command = [program, "--resources", resources] + (["--script", "-"] if script else [])
        self.proc = subprocess.Popen(command, stdin=subprocess.PIPE if script else subprocess.DEVNULL,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, bufsize=1,
                                     env=env)
        self.window = None

    def send(self, text):
        self.proc.stdin.write(text)
        self.proc.stdin.flush()

    def state(self, wait):
        self.send("wait %s\ndump\n" % wait)
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the reader stopped")
            if line.startswith("state "):
                return json.loads(line[6:])

    def x(self, *args):
        return subprocess.run(list(args), capture_output=True, text=True, env=self.env, timeout=60,
                              check=True).stdout

    def click(self, x, y):
        """A real click at a design point of the window the program opened (exact fit)."""
        if not self.window:
            self.window = self.x("xdotool", "search", "--sync", "--onlyvisible", "--name", WINDOW_TITLE).split()[0]
            shell = self.x("xdotool", "getwindowgeometry", "--shell", self.window).split()
            geometry = dict(line.split("=", 1) for line in shell)
            self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        wx, wy = round(x * self.width / 640), round((960 - y) * self.height / 960)
        self.x("xdotool", "mousemove", "--window", self.window, str(wx), str(wy))
        self.x("xdotool", "click", "--window", self.window, "1")

    def measure(self, seconds, during=None):
        """Share of one core in per cent over `seconds`; `during` sends script lines meanwhile."""
        start_cpu, start = cpu_seconds(self.proc.pid), time.monotonic()
        if during:
            during(seconds)
        else:
            time.sleep(seconds)
        return 100.0 * (cpu_seconds(self.proc.pid) - start_cpu) / (time.monotonic() - start)

    def close(self):
        try:
            if self.proc.stdin:
                self.send("quit\n")
                self.proc.stdin.close()
                self.proc.stdin = None
            else:
                self.proc.terminate()
            out = self.proc.communicate(timeout=30)[0]
        except (OSError, subprocess.TimeoutExpired):
            self.proc.kill()
            out = ""
        # The line a verbose start prints about the window, if the program has one.
        return [line for line in (out or "").splitlines() if line.startswith("Window")]


def inside(args):
    wm = None
    if args.wm == "openbox":
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
    resources = scratch_book(args.book)
    result = {"seconds": args.seconds, "wm": args.wm, "load": open("/proc/loadavg").read().split()[0]}
    try:
        # As a reader starts it: no script, real clicks.
        reader = Reader(args.program, resources, script=False)
        try:
            time.sleep(2.0)
            result["home"] = reader.measure(args.seconds)
            reader.click(320, 860)  # Unit 1
            time.sleep(3.0)
            reader.click(320, 560)  # page 5
            time.sleep(2.0)
            result["page"] = reader.measure(args.seconds)
        finally:
            result["log"] = reader.close()

        # Driven by a script: the same page while the script waits, then page curls.
        reader = Reader(args.program, resources, script=True)
        try:
            reader.state(1.0)
            reader.send("click 320 860\n")
            reader.state(2.5)
            reader.send("click 320 560\n")
            page = reader.state(1.0)
            if page.get("currentPage") != 5:
                raise RuntimeError("page 5 did not open: %r" % page)
            result["window"] = page.get("window")

            def waiting(seconds):
                reader.send("wait %s\n" % (seconds + 1))
                time.sleep(seconds)

            result["page_wait"] = reader.measure(args.seconds, waiting)
            reader.state(1.5)  # the rest of that wait

            def curling(seconds):
                end = time.monotonic() + seconds
                key = "Right"
                while time.monotonic() < end:
                    reader.send("key %s\n" % key)
                    reader.state(0.6)
                    key = "Left" if key == "Right" else "Right"

            result["curl"] = reader.measure(args.seconds, curling)
        finally:
            reader.close()
    finally:
        if wm:
            wm.terminate()
            wm.wait(timeout=10)
        shutil.rmtree(resources, ignore_errors=True)
    for key in ("home", "page", "page_wait", "curl"):
        result[key] = round(result[key], 2)
    print(json.dumps(result))
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("--seconds", type=float, default=15.0)
    parser.add_argument("--wm", choices=("openbox", "none"), default="none")
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.inside:
        return inside(args)
    for tool in ["xvfb-run", "Xvfb", "xdotool"] + (["openbox"] if args.wm == "openbox" else []):
        if not shutil.which(tool):
            sys.exit("window_idle: %s is not installed" % tool)
    command = ["xvfb-run", "-a", "-s", "-screen 0 %dx%dx24" % SCREEN, sys.executable, os.path.abspath(__file__),
               args.program, args.book, "--seconds", str(args.seconds), "--wm", args.wm, "--inside"]
    return subprocess.run(command).returncode


if __name__ == "__main__":
    sys.exit(main())
