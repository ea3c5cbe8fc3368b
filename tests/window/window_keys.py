#!/usr/bin/env python3
"""Keys and window sizes in a real window under Xvfb, from real X input.

    window_keys.py LIRAVA BOOK_DIR

Like window_e2e.py (whose session it uses), but the reader is driven by the keyboard, through
xdotool's key presses to the focused window: Down and Return on the home screen, Return on the
page list, Right on the page. Then xdotool resizes the window, and a click at the next item's
design point still turns the page; F11 fills the screen and gives the window back its size;
Escape goes home. Exit status 77 (skipped) when Xvfb, xdotool or xwd is missing.
"""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from window_e2e import Session, scratch_book  # noqa: E402

SCREEN = (1024, 1024)


def press(session, key):
    session.x("xdotool", "windowfocus", "--sync", session.window)
    session.x("xdotool", "key", key)


def main():
    program, book = sys.argv[1], sys.argv[2]
    for tool in ("xvfb-run", "Xvfb", "xdotool", "xwd"):
        if not shutil.which(tool):
            print("skipped: %s is not installed" % tool)
            return 77
    if "--inside" not in sys.argv:
        command = ["xvfb-run", "-a", "-s", "-screen 0 %dx%dx24" % SCREEN, sys.executable, os.path.abspath(__file__),
                   program, book, "--inside"]
        return subprocess.run(command, timeout=280).returncode

    work = tempfile.mkdtemp(prefix="lirava-window-keys-")
    resources = scratch_book(book, work)
    problems = []

    def expect(condition, what):
        if not condition:
            problems.append(what)

    session = Session(program, resources, work)
    try:
        home = session.state(0.5)
        session.find_window()
        expect(home.get("window", {}).get("icon") is True, "the window has no icon: %r" % home.get("window"))

        press(session, "Down")
        scrolled = session.state(0.2)
        expect(scrolled.get("menu") == [0, 40], "Down did not scroll the home menu: %r" % scrolled.get("menu"))

        press(session, "Return")  # Unit 5, nearest the centre
        pages = session.state(2.5)
        expect(pages.get("layer") == "MenuLayerMainMenu" and pages.get("currentUnit") == 4,
               "Return did not open Unit 5: %r" % pages)

        press(session, "Return")  # the fifth row of pages 44 to 55
        page = session.state(0.3)
        expect(page.get("layer") == "TestLayer1" and page.get("currentPage") == 48,
               "Return did not open page 48: %r" % page)

        press(session, "Right")
        turned = session.state(0.8)
        expect(turned.get("currentPage") == 49 and turned.get("layer") == "TestLayer2",
               "Right did not turn to page 49: %r" % turned)

        session.x("xdotool", "windowsize", "--sync", session.window, "400", "500")
        resized = session.state(0.2)
        session.find_window()
        expect(resized.get("window", {}).get("size") == [400, 500] and (session.width, session.height) == (400, 500),
               "the window did not take 400 x 500: %r" % resized.get("window"))
        session.click(366, 52)  # the next item, where it is in the smaller window
        clicked = session.state(0.8)
        expect(clicked.get("currentPage") == 50, "a click on the resized window missed the next item: %r" % clicked)

        press(session, "F11")
        full = session.state(0.5)
        expect(full.get("window", {}).get("fullscreen") is True and full["window"].get("size") == list(SCREEN),
               "F11 did not fill the screen: %r" % full.get("window"))
        press(session, "F11")
        back = session.state(0.5)
        expect(back.get("window", {}).get("fullscreen") is False and back["window"].get("size") == [400, 500],
               "F11 did not give the window its size back: %r" % back.get("window"))

        press(session, "Escape")
        gone = session.state(0.2)
        expect(gone.get("layer") == "TestController", "Escape did not go home: %r" % gone.get("layer"))
    except (RuntimeError, subprocess.SubprocessError, ValueError, IndexError, KeyError) as error:
        problems.append("%s: %s" % (type(error).__name__, error))
    finally:
        status = session.close()
        if status not in (0, None):
            problems.append("exit status %s" % status)
        shutil.rmtree(work, ignore_errors=True)
    print("window keys on %s: %s" % (session.display, "ok" if not problems else "%d problems" % len(problems)))
    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
