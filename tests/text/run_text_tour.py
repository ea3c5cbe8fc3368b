#!/usr/bin/env python3
"""Makes the text book in a scratch folder and tours its page 5 with a driver script, headless or
in a window under Xvfb, checking the dumps against the script's directives (run_scenario.py).

    run_text_tour.py headless|window LIRAVA SCRIPT

In a window the waits are real seconds. Exit status 77 (skipped) when the window run has no
xvfb-run.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "scenarios"))
import run_scenario  # noqa: E402


def main():
    mode, program, script = sys.argv[1], sys.argv[2], os.path.abspath(sys.argv[3])
    if mode == "window" and not shutil.which("xvfb-run"):
        print("xvfb-run is not installed")
        return 77
    with tempfile.TemporaryDirectory(prefix="lirava-text-") as folder:
        book = os.path.join(folder, "book")
        subprocess.run([sys.executable, os.path.join(HERE, "make_text_book.py"), book], check=True)
        if mode == "headless":
            return subprocess.run([sys.executable, os.path.join(HERE, "..", "scenarios", "run_scenario.py"),
                                   program, book, script]).returncode
        checks, _ = run_scenario.read_directives(script)
        # The window's system libraries (the display connection, D-Bus) keep memory to the end, so
        # leaks are checked by the headless tour only, as in the other window tests.
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        env["ASAN_OPTIONS"] = os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"
        run = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", program, "--resources", book,
                              "--script", script], cwd=folder, capture_output=True, text=True, timeout=600,
                             env=env)
        states = [json.loads(line[len("state "):]) for line in run.stdout.split("\n") if line.startswith("state ")]
        wanted = sum(1 for line in open(script, encoding="utf-8") if line.strip() == "dump")
        failures = []
        if run.returncode != 0:
            failures.append("exit status %d" % run.returncode)
        if len(states) != wanted:
            failures.append("%d dumps, expected %d" % (len(states), wanted))
        for number, index, path, expected, tolerance in checks:
            try:
                actual = run_scenario.resolve(states[index], path)
            except (KeyError, IndexError, ValueError, TypeError):
                failures.append("line %d: %s missing" % (number, path))
                continue
            if not run_scenario.matches(actual, expected, tolerance):
                failures.append("line %d: %s is %s, expected %s" % (number, path, json.dumps(actual),
                                                                    json.dumps(expected)))
        if failures:
            print(run.stdout[-4000:])
            print(run.stderr[-4000:])
            print("FAIL: " + "; ".join(failures))
            return 1
        return 0


if __name__ == "__main__":
    sys.exit(main())
