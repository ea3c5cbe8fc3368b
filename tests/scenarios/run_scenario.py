#!/usr/bin/env python3
"""Runs one driver script against the reader in headless mode and checks what it printed.

The resources are a scratch folder of links to the book's entries, so the first-run marker
lands there and never in the book itself. Directives live in the script's comments, which the
program skips:

    #= PATH JSON          the latest dump has JSON at PATH (numbers within 0.01)
    #~ PATH JSON TOL      the same with a tolerance for numbers
    #! exit N             the run ends with status N (default 0)
    #! log TEXT           standard output contains the line TEXT
    #! marker created     the run creates ft.xml with one line of 22 lower-case letters and digits
    #! marker kept        an ft.xml placed before the run is left exactly as it was
    #! args OPTION...     more launch options, split at spaces
    #! env NAME=VALUE     an environment variable for the run
    #! error TEXT         standard error contains TEXT

The run gets a neutral locale (LANG=C.UTF-8, no LANGUAGE, LC_ALL or LC_MESSAGES), so the
caption language never follows the environment of whoever runs the tests unless `#! env` says so.

PATH is dotted member names and array indices (items.3.text); a trailing "#" on the last step
takes the length of an array (items#).
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

NUMBER_TOLERANCE = 0.01


def resolve(value, path):
    for step in path.split("."):
        length = step.endswith("#")
        if length:
            step = step[:-1]
        if step:
            if isinstance(value, list):
                value = value[int(step)]
            elif isinstance(value, dict):
                value = value[step]
            else:
                raise KeyError(step)
        if length:
            value = len(value)
    return value


def matches(actual, expected, tolerance):
    if isinstance(expected, bool) or expected is None or isinstance(expected, str):
        return actual == expected and type(actual) is type(expected)
    if isinstance(expected, (int, float)):
        return (isinstance(actual, (int, float)) and not isinstance(actual, bool)
                and abs(actual - expected) <= tolerance)
    if isinstance(expected, list):
        return (isinstance(actual, list) and len(actual) == len(expected)
                and all(matches(a, e, tolerance) for a, e in zip(actual, expected)))
    if isinstance(expected, dict):
        return (isinstance(actual, dict) and set(actual) == set(expected)
                and all(matches(actual[k], e, tolerance) for k, e in expected.items()))
    return False


def read_directives(script):
    dumps = 0
    checks = []  # (line number, dump index, path, expected, tolerance)
    options = {"exit": 0, "log": [], "marker": None, "args": [], "env": {}, "error": []}
    with open(script, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            text = line.strip()
            if text == "dump":
                dumps += 1
            elif text.startswith("#=") or text.startswith("#~"):
                parts = text[2:].strip().split(None, 1)
                tolerance = NUMBER_TOLERANCE
                value = parts[1]
                if text.startswith("#~"):
                    value, tolerance = value.rsplit(None, 1)
                    tolerance = float(tolerance)
                if dumps == 0:
                    sys.exit(f"{script}:{number}: an expectation before the first dump")
                checks.append((number, dumps - 1, parts[0], json.loads(value), tolerance))
            elif text.startswith("#!"):
                name, _, argument = text[2:].strip().partition(" ")
                if name == "exit":
                    options["exit"] = int(argument)
                elif name == "log":
                    options["log"].append(argument)
                elif name == "marker":
                    options["marker"] = argument
                elif name == "args":
                    options["args"].extend(argument.split())
                elif name == "env":
                    key, _, value = argument.partition("=")
                    options["env"][key] = value
                elif name == "error":
                    options["error"].append(argument)
                else:
                    sys.exit(f"{script}:{number}: unknown directive {name}")
    return checks, options


def scratch_resources(book, folder):
    for entry in os.listdir(book):
        if entry != "ft.xml":
            os.symlink(os.path.join(book, entry), os.path.join(folder, entry))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("book")
    parser.add_argument("script")
    args = parser.parse_args()
    checks, options = read_directives(args.script)

    with tempfile.TemporaryDirectory(prefix="lirava-scenario-") as folder:
        resources = os.path.join(folder, "book")
        os.mkdir(resources)
        scratch_resources(os.path.abspath(args.book), resources)
        marker = os.path.join(resources, "ft.xml")
        kept = b"placed before the run\n"
        if options["marker"] == "kept":
            with open(marker, "wb") as out:
                out.write(kept)
            os.utime(marker, (1000000000, 1000000000))

        env = {k: v for k, v in os.environ.items() if k not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
        env.update(SDL_AUDIODRIVER="dummy", LANG="C.UTF-8")
        env.update(options["env"])
        run = subprocess.run([args.program, "--headless", "--resources", resources, "--script",
                              os.path.abspath(args.script)] + options["args"], cwd=folder, capture_output=True,
                             text=True, timeout=300, env=env)
        failures = []
        if run.returncode != options["exit"]:
            failures.append(f"exit status {run.returncode}, expected {options['exit']}")
        states = []
        for line in run.stdout.split("\n"):
            if line.startswith("state "):
                states.append(json.loads(line[len("state "):]))
        for number, index, path, expected, tolerance in checks:
            if index >= len(states):
                failures.append(f"line {number}: dump {index + 1} never printed")
                continue
            try:
                actual = resolve(states[index], path)
            except (KeyError, IndexError, ValueError, TypeError):
                failures.append(f"line {number}: {path} missing in dump {index + 1}")
                continue
            if not matches(actual, expected, tolerance):
                failures.append(f"line {number}: {path} is {json.dumps(actual)}, expected {json.dumps(expected)}")
        log_lines = run.stdout.splitlines()
        for text in options["log"]:
            if text not in log_lines:
                failures.append(f"no log line {text!r}")
        for text in options["error"]:
            if text not in run.stderr:
                failures.append(f"standard error lacks {text!r}")

        if options["marker"] == "created":
            if not os.path.isfile(marker):
                failures.append("ft.xml was not created")
            else:
                with open(marker, "rb") as made:
                    content = made.read()
                if not re.fullmatch(rb"[a-z0-9]{22}\n", content):
                    failures.append(f"ft.xml holds {content!r}")
        elif options["marker"] == "kept":
            with open(marker, "rb") as found:
                if found.read() != kept or os.stat(marker).st_mtime != 1000000000:
                    failures.append("ft.xml was touched")

        if failures:
            print(run.stdout)
            print(run.stderr, file=sys.stderr)
            for failure in failures:
                print("FAIL:", failure, file=sys.stderr)
            return 1
        return 0


if __name__ == "__main__":
    sys.exit(main())
