#!/usr/bin/env python3
"""Full screen on a 1280 x 1024 screen, with the openbox window manager or with none.

    window_fullscreen.py LIRAVA BOOK_DIR --wm openbox|none

F11 (a real key press from xdotool) must fill the screen with the whole page at the largest scale
that keeps its proportions: 683 x 1024, centred, with bars of one colour left and right, by the
screen's own pixels (xwd of the root window) and by the state dump. Real clicks at the
letterboxed positions of items then reach them (a unit, a page, the play item); a click on a bar
reaches nothing. Exit status 77 (skipped) when Xvfb, xdotool, xwd or the window manager is missing.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from window_e2e import DESIGN_H, DESIGN_W, Session, read_xwd, scratch_book  # noqa: E402

SCREEN = (1280, 1024)
# The page on the screen: 1024 / 960 of the design, 682.7 wide rounded to 683, 597 pixels of bars.
PAGE_LEFT, PAGE_WIDTH = 298, 683


def screen_point(x, y):
    """The screen pixel of a design point on the letterboxed page."""
    return round(PAGE_LEFT + x * PAGE_WIDTH / DESIGN_W), round((DESIGN_H - y) * SCREEN[1] / DESIGN_H)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("--wm", choices=("openbox", "none"), required=True)
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    for tool in ["xvfb-run", "Xvfb", "xdotool", "xwd"] + (["openbox"] if args.wm == "openbox" else []):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return 77
    if not args.inside:
        command = ["xvfb-run", "-a", "-s", "-screen 0 %dx%dx24" % SCREEN, sys.executable, os.path.abspath(__file__),
                   args.program, args.book, "--wm", args.wm, "--inside"]
        return subprocess.run(command, timeout=280).returncode

    wm = None
    if args.wm == "openbox":
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)  # managing the screen before the window maps
    work = tempfile.mkdtemp(prefix="lirava-window-full-")
    resources = scratch_book(args.book, work)
    problems = []

    def expect(condition, what):
        if not condition:
            problems.append(what)
        return condition

    session = Session(args.program, resources, work)

    def click_screen(x, y):
        session.x("xdotool", "mousemove", str(x), str(y))
        session.x("xdotool", "click", "1")

    try:
        home = session.state(0.5)
        session.find_window()
        expect(home["window"]["letterbox"] is False and home["window"]["bars"] == [0, 0, 0, 0],
               "the window the program opens is not by exact fit: %r" % home["window"])
        session.x("xdotool", "windowfocus", "--sync", session.window)
        session.x("xdotool", "key", "F11")
        full = session.state(1.0)
        window = full.get("window", {})
        expect(window.get("fullscreen") is True and window.get("size") == list(SCREEN),
               "F11 did not fill the screen: %r" % window)
        expect(window.get("bars") == [PAGE_LEFT, 0, SCREEN[0] - PAGE_LEFT - PAGE_WIDTH, 0]
               and abs(window.get("scale", 0) - SCREEN[1] / DESIGN_H) < 1e-4,
               "the page is not letterboxed 683 x 1024 in the middle: %r" % window)

        path = os.path.join(work, "screen.xwd")
        session.x("xwd", "-silent", "-root", "-out", path)
        with open(path, "rb") as f:
            width, height, rows = read_xwd(f.read())
        expect((width, height) == SCREEN, "the screen is %d x %d" % (width, height))
        bar = rows[0][0]
        right = PAGE_LEFT + PAGE_WIDTH
        columns = list(range(0, PAGE_LEFT, 7)) + [PAGE_LEFT - 1, right] + list(range(right, width, 7)) + [width - 1]
        odd = [(x, y) for y in range(0, height, 31) for x in columns if rows[y][x] != bar]
        expect(not odd, "the bars are not of one colour: %d pixels differ, the first at %r" % (len(odd), odd[:1]))
        page_edges = [rows[y][x] for y in range(0, height, 31) for x in (PAGE_LEFT, right - 1)]
        expect(all(p != bar for p in page_edges), "the page does not reach from x = %d to %d" % (PAGE_LEFT, right - 1))

        click_screen(*screen_point(320, 860))  # Unit 1
        pages = session.state(2.5)
        expect(pages.get("layer") == "MenuLayerMainMenu" and pages.get("currentUnit") == 0,
               "a click on Unit 1 did not open its page list: %r" % pages.get("layer"))
        click_screen(*screen_point(320, 560))  # page 5
        page = session.state(1.0)
        expect(page.get("layer") == "TestLayer1" and page.get("currentPage") == 5,
               "a click on the page item did not open page 5: %r" % page.get("layer"))
        click_screen(PAGE_LEFT // 2, screen_point(580, 40)[1])  # the left bar, beside the items
        click_screen(right + PAGE_LEFT // 2, screen_point(580, 40)[1])  # the right bar
        bars = session.state(0.5)
        expect(bars.get("autoPlay") is False and bars.get("currentPage") == 5 and bars.get("activeSentence") is None,
               "a click on a bar reached the page: %r" % {k: bars.get(k) for k in ("autoPlay", "currentPage")})
        click_screen(*screen_point(580, 40))  # the play item
        playing = session.state(0.5)
        expect(playing.get("autoPlay") is True, "a click on the play item did not start auto-play")
    except (RuntimeError, subprocess.SubprocessError, ValueError, IndexError, KeyError, TypeError) as error:
        problems.append("%s: %s" % (type(error).__name__, error))
    finally:
        status = session.close()
        if status not in (0, None):
            problems.append("exit status %s" % status)
        if wm:
            wm.terminate()
            wm.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)
    print("full screen with %s on %s: %s" % (args.wm, session.display, "ok" if not problems else
                                              "%d problems" % len(problems)))
    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
