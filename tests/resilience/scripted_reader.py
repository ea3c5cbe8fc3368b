"""The reader run with its driver script on standard input, for the resilience tests."""

import json
import os
import subprocess
import time


class ScriptedReader:
    """Sends script lines as the test goes; keeps every other line it prints in `lines`."""

    def __init__(self, args, env):
        self.lines = []
        self.answered_in = 0.0  # seconds the last dump took to come back
        self.proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     text=True, bufsize=1, env=env)

    def send(self, *commands):
        self.proc.stdin.write("".join(c + "\n" for c in commands))
        self.proc.stdin.flush()

    def dump(self):
        asked = time.time()
        self.send("dump")
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise RuntimeError("the reader stopped (status %s)" % self.proc.wait())
            if line.startswith("state "):
                self.answered_in = time.time() - asked
                return json.loads(line[6:])
            self.lines.append(line.rstrip("\n"))

    def until(self, what, test, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            self.send("wait 0.2")
            state = self.dump()
            if test(state):
                return state
        raise RuntimeError("waited %g s for %s" % (seconds, what))

    def cpu_seconds(self):
        with open("/proc/%d/stat" % self.proc.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def close(self):
        if self.proc.poll() is None:
            try:
                self.send("quit")
                self.proc.stdin.close()
                return self.proc.wait(timeout=60)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()
        return self.proc.returncode
