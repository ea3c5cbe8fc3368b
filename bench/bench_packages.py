"""Installs the benchmark scripts' Debian packages (scripts/install-deps.sh bench) the first time
a script finds one missing, as scripts/bench.sh does before it builds."""

import os
import shutil
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def install():
    subprocess.run(["sh", os.path.join(ROOT, "scripts", "install-deps.sh"), "bench"], check=True)


def require_program(name):
    """The path of NAME, installing the benchmark packages first when it is not on PATH."""
    if shutil.which(name) is None:
        install()
    return shutil.which(name) or name
