#!/usr/bin/env python3
"""The reader in a real window under Xvfb, driven by real X input.

    window_e2e.py LIRAVA BOOK_DIR [--shots DIR]

Starts a virtual X server (xvfb-run, as the platform's window-mode test does), runs the program in window mode (the default) with its script on
standard input, and clicks with xdotool: a unit on the home screen, a page in its list, a
sentence, the next item. The program handles input only while its script lets it (a `wait`), so
each click is followed by a wait and a dump that shows what the click did; xwd takes a screenshot
of the window after each step, and the test checks that the part of the window the click should
change did change. A still page runs no frames while the script waits, and the caption still goes
when the narration ends. Exit status 77 (skipped) when Xvfb, xdotool or xwd is missing.
"""

import argparse
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

# The window is named after the book (the sample book's title), else after the program.
WINDOW_TITLE = "^(Pip and Biscuit|Lirava)$"
DESIGN_W, DESIGN_H = 640, 960


def read_xwd(data):
    """Pixels of an XWD dump (ZPixmap, 24 or 32 bits a pixel) as (width, height, rows of RGB)."""
    fields = struct.unpack(">25I", data[:100])
    header_size, _version, pixmap_format, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    ncolors = fields[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise ValueError("unsupported XWD: format %d, %d bits a pixel" % (pixmap_format, bits_per_pixel))
    offset = header_size + ncolors * 12
    step = bits_per_pixel // 8
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    rs, gs, bs = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        row = []
        for x in range(width):
            chunk = line[x * step: x * step + step]
            value = struct.unpack(order + "I", chunk + b"\0" * (4 - step) if order == "<" else b"\0" * (4 - step) + chunk)[0]
            row.append(((value & red_mask) >> rs, (value & green_mask) >> gs, (value & blue_mask) >> bs))
        rows.append(row)
    return width, height, rows


class Shot:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.width, self.height, self.rows = read_xwd(f.read())

    def at_design(self, x, y):
        px = min(self.width - 1, max(0, int(x * self.width / DESIGN_W)))
        py = min(self.height - 1, max(0, int((DESIGN_H - y) * self.height / DESIGN_H)))
        return self.rows[py][px]

    def changed(self, other, left, bottom, right, top, step=4):
        """Fraction of sampled design points in the rectangle whose colour moved by more than 24."""
        total = moved = 0
        for y in range(int(bottom), int(top), step):
            for x in range(int(left), int(right), step):
                a, b = self.at_design(x, y), other.at_design(x, y)
                total += 1
                moved += max(abs(a[i] - b[i]) for i in range(3)) > 24
        return moved / total if total else 0.0


def scratch_book(book, work):
    """A folder in work of links to the book's entries, with a first-run marker of its own (not a
    first start: no hint over the home screen), so that nothing lands in the book itself."""
    resources = os.path.join(work, "book")
    os.mkdir(resources)
    for name in os.listdir(book):
        if name != "ft.xml":
            os.symlink(os.path.join(os.path.abspath(book), name), os.path.join(resources, name))
    with open(os.path.join(resources, "ft.xml"), "w") as f:
        f.write("windowwindowwindowwind\n")
    return resources


class Session:
    """Runs inside xvfb-run (main starts it): DISPLAY and XAUTHORITY name the virtual server."""

    def __init__(self, program, resources, shots):
        self.shots = shots
        self.display = os.environ.get("DISPLAY", "")
        env = dict(os.environ, SDL_AUDIODRIVER="dummy", ASAN_OPTIONS="detect_leaks=0")
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("SDL_VIDEODRIVER", None)
        self.env = env
        self.proc = subprocess.Popen([program, "--resources", resources, "--script", "-"], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, bufsize=1, env=env)
        self.window = None
        self.page = None  # the page's rectangle in the window, once a dump says it is letterboxed

    def x(self, *args):
        return subprocess.run(list(args), capture_output=True, text=True, env=self.env, timeout=60, check=True).stdout

    def state(self, wait):
        """Lets the program run for wait seconds (handling whatever input is queued), then dumps."""
        self.proc.stdin.write("wait %s\ndump\n" % wait)
        self.proc.stdin.flush()
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the program stopped: %s" % self.proc.stderr.read()[-800:])
            if line.startswith("state "):
                state = json.loads(line[6:])
                window = state.get("window") or {}
                if window.get("letterbox"):
                    (width, height), bars = window["size"], window["bars"]
                    self.page = (bars[0], bars[1], width - bars[0] - bars[2], height - bars[1] - bars[3])
                return state

    def find_window(self):
        self.window = self.x("xdotool", "search", "--sync", "--onlyvisible", "--name", WINDOW_TITLE).split()[0]
        geometry = dict(line.split("=", 1) for line in self.x("xdotool", "getwindowgeometry", "--shell",
                                                              self.window).split())
        self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])

    def click(self, x, y):
        left, top, width, height = self.page or (0, 0, self.width, self.height)
        wx = round(left + x * width / DESIGN_W)
        wy = round(top + (DESIGN_H - y) * height / DESIGN_H)
        self.x("xdotool", "mousemove", "--window", self.window, str(wx), str(wy))
        self.x("xdotool", "click", "--window", self.window, "1")

    def shot(self, name):
        path = os.path.join(self.shots, name + ".xwd")
        self.x("xwd", "-silent", "-id", self.window, "-out", path)
        return Shot(path)

    def close(self):
        status = None
        if self.proc.poll() is None:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.close()
            try:
                status = self.proc.wait(timeout=60)
            except subprocess.TimeoutExpired:
                self.proc.kill()
        else:
            status = self.proc.returncode
        return status


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("--shots")
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    for tool in ("xvfb-run", "Xvfb", "xdotool", "xwd"):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return 77
    if not args.inside:
        # The same way the platform's own window-mode test gets its display.
        command = ["xvfb-run", "-a", "-s", "-screen 0 1024x1024x24", sys.executable, os.path.abspath(__file__),
                   args.program, args.book, "--inside"] + (["--shots", args.shots] if args.shots else [])
        return subprocess.run(command, timeout=280).returncode
    work = tempfile.mkdtemp(prefix="lirava-window-")
    resources = scratch_book(args.book, work)
    shots = args.shots or work
    problems = []

    def expect(condition, what):
        if not condition:
            problems.append(what)
        return condition

    session = Session(args.program, resources, shots)
    try:
        home = session.state(0.5)
        session.find_window()
        expect(home.get("layer") == "TestController", "the program did not start on the home screen: %r" % home)
        shot_home = session.shot("1-home")

        session.click(320, 860)  # Unit 1
        pages = session.state(2.5)
        expect(pages.get("layer") == "MenuLayerMainMenu" and pages.get("currentUnit") == 0,
               "a click on Unit 1 did not open its page list: %r" % pages)
        shot_pages = session.shot("2-unit-1")
        expect(shot_pages.changed(shot_home, 0, 100, 640, 900) > 0.05, "the page list looks like the home screen")

        session.click(320, 560)  # the fourth item: page 5
        page = session.state(0.5)
        expect(page.get("layer") == "TestLayer1" and page.get("currentPage") == 5,
               "a click on the page item did not open page 5: %r" % page)
        shot_page = session.shot("3-page-5")
        expect(shot_page.changed(shot_pages, 0, 100, 640, 900) > 0.2, "page 5 looks like the page list")
        # A still page rests: the script's wait runs no frames of its own (60 a second before).
        still = session.state(2.0)
        expect(still["frame"] - page["frame"] < 20,
               "a still page ran %d frames in 2 s" % (still["frame"] - page["frame"]))

        session.click(320, 885)  # its first sentence
        reading = session.state(0.3)
        expect(reading.get("activeSentence") == "bn051", "the sentence click read %r" % reading.get("activeSentence"))
        expect(bool(reading.get("music")), "no narration plays after the sentence click")
        caption = reading.get("caption") or {}
        expect(caption.get("visible") is True, "the caption does not show: %r" % caption)
        shot_reading = session.shot("4-sentence")
        # The caption's text where the dump puts it, and the sentence's own highlight.
        (cx, cy), (cw, ch) = caption.get("position", [320, 856]), caption.get("size", [254, 26])
        expect(shot_reading.changed(shot_page, cx - cw / 2, cy - ch / 2, cx + cw / 2, cy + ch / 2, 2) > 0.1,
               "the caption did not appear where the dump puts it")
        expect(shot_reading.changed(shot_page, 200, 872, 440, 898, 2) > 0.3, "the sentence did not light up")
        expect(shot_reading.changed(shot_page, 0, 100, 200, 500) < 0.02, "a sentence click changed the rest of the page")
        # The caption watcher wakes the resting loop on time: once the narration has ended, the
        # caption goes within its 0.3 s interval (a second allowed for a busy machine).
        for _ in range(200):
            if not session.state(0.1).get("music"):
                break
        ended = session.state(1.0)
        expect(ended.get("music") is None and (ended.get("caption") or {}).get("visible") is False,
               "the caption stayed after the narration ended: %r" % ended.get("caption"))

        session.click(366, 52)  # the next item
        turned = session.state(1.0)
        expect(turned.get("currentPage") == 6 and turned.get("layer") == "TestLayer2",
               "the next item did not turn to page 6: %r" % turned)
        shot_next = session.shot("5-page-6")
        expect(shot_next.changed(shot_reading, 0, 100, 640, 900) > 0.2, "page 6 looks like page 5")
    except (RuntimeError, subprocess.SubprocessError, ValueError, IndexError, KeyError) as error:
        problems.append("%s: %s" % (type(error).__name__, error))
    finally:
        status = session.close()
        if status not in (0, None):
            problems.append("exit status %s" % status)
        if not args.shots:
            shutil.rmtree(work, ignore_errors=True)
    print("window run on %s: %s" % (session.display, "ok" if not problems else "%d problems" % len(problems)))
    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
