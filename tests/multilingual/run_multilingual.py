#!/usr/bin/env python3
"""Makes the multilingual book in a scratch folder, then either runs a driver script against the
reader on it (run_scenario.py checks the dumps) or checks it with lirava-check, which must report
the caption no font covers and nothing else.

    run_multilingual.py scenario LIRAVA SCRIPT
    run_multilingual.py check LIRAVA_CHECK
"""

import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    with tempfile.TemporaryDirectory(prefix="lirava-multilingual-") as folder:
        book = os.path.join(folder, "book")
        subprocess.run([sys.executable, os.path.join(HERE, "make_book.py"), book], check=True)
        if sys.argv[1] == "scenario":
            return subprocess.run([sys.executable, os.path.join(HERE, "..", "scenarios", "run_scenario.py"),
                                   sys.argv[2], book, sys.argv[3]]).returncode
        run = subprocess.run([sys.argv[2], "--resources", book], capture_output=True, text=True, timeout=600)
        problems = [line for line in run.stdout.splitlines()
                    if line.startswith("  ") and ": " in line and "(expected)" not in line]
        wanted = ["  5: missing-glyph str0511: U+0378 (3 characters no installed font has)"]
        if run.returncode != 1 or problems != wanted:
            print(run.stdout)
            print("FAIL: exit status %d, problems %r, expected 1 and %r" % (run.returncode, problems, wanted))
            return 1
        return 0


if __name__ == "__main__":
    sys.exit(main())
