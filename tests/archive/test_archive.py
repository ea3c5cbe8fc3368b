#!/usr/bin/env python3
"""The reader and lirava-check on one-file books.

    test_archive.py LIRAVA LIRAVA_CHECK BOOK

A zipped copy of the sample book reads exactly as the folder does (the same page picture, the
narration found and played, the title from the book) and checks the same; damaged and hostile
archives end both programs with status 1 and a message that names the fault, and write nothing.
"""

import json
import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from book_zip import zip_book  # noqa: E402

LIRAVA, CHECK, BOOK = sys.argv[1:4]
del sys.argv[1:4]

# Page 5 from the home screen, its first sentence touched.
SENTENCE_SCRIPT = """wait 0.1
click 320 860
wait 2.5
click 320 560
wait 0.5
click 320 885
wait 0.3
dump
screenshot {shot}
"""


def run(command, cwd=None):
    return subprocess.run(command, capture_output=True, text=True, cwd=cwd, errors="replace",
                          env=dict(os.environ, SDL_AUDIODRIVER="dummy"))


class ArchiveTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="lirava-archive-")
        cls.dir = cls.scratch.name
        cls.archive = os.path.join(cls.dir, "Pip and Biscuit.lirava")
        zip_book(BOOK, cls.archive)
        with open(cls.archive, "rb") as f:
            cls.bytes = f.read()
        cls.strings = open(os.path.join(BOOK, "String.xml"), "rb").read()

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def read_page(self, *book_arguments):
        shot = os.path.join(self.dir, "shot-%d.png" % len(os.listdir(self.dir)))
        script = os.path.join(self.dir, "sentence.txt")
        with open(script, "w") as f:
            f.write(SENTENCE_SCRIPT.format(shot=shot))
        done = run([LIRAVA, "--headless", *book_arguments, "--script", script])
        self.assertEqual(done.returncode, 0, done.stderr)
        state = json.loads([line for line in done.stdout.splitlines() if line.startswith("state ")][-1][6:])
        with open(shot, "rb") as f:
            return state, f.read()

    def test_reads_and_checks_like_the_folder(self):
        folder_state, folder_shot = self.read_page("--resources", BOOK)
        nested = os.path.join(self.dir, "compressed by a file manager.lirava")
        zip_book(BOOK, nested, top="book")
        for arguments in ([self.archive], ["--resources", nested]):
            with self.subTest(arguments=arguments):
                state, shot = self.read_page(*arguments)
                self.assertEqual(state["window"]["title"], "Pip and Biscuit")
                self.assertEqual(state["music"], "epc/6f1eea6c799be33b03db06daa017a7a2.mp3")
                self.assertEqual(state["caption"]["text"], "Good morning, Pip!")
                self.assertEqual(state["caption"], folder_state["caption"])
                self.assertTrue(shot == folder_shot, "the page from the archive differs from the folder's")

        folder = run([CHECK, "--resources", BOOK])
        archived = run([CHECK, "--resources", self.archive])
        self.assertEqual(archived.returncode, 0, archived.stdout + archived.stderr)
        self.assertEqual(archived.stdout.splitlines()[1:], folder.stdout.splitlines()[1:])

    def hostile(self, name, entries, patch=None):
        path = os.path.join(self.dir, name)
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
            for entry, data in entries:
                archive.writestr(entry, data)
        if patch:
            with open(path, "rb") as f:
                data = bytearray(f.read())
            patch(data)
            with open(path, "wb") as f:
                f.write(data)
        return path

    def test_damaged_and_hostile_archives(self):
        escaped = os.path.join(self.dir, "escaped.txt")
        cases = {}

        path = os.path.join(self.dir, "truncated.lirava")
        with open(path, "wb") as f:
            f.write(self.bytes[:len(self.bytes) * 2 // 3])
        cases["truncated"] = (path, "truncated")

        def damage_directory(data):
            start = struct.unpack("<I", data[data.rfind(b"PK\x05\x06") + 16:][:4])[0]
            data[start + 100:start + 160] = b"\xff" * 60
        cases["directory"] = (self.hostile("directory.lirava", [("String.xml", self.strings)] * 1 +
                                           [("Images/%d.png" % i, b"x" * 50) for i in range(5)], damage_directory),
                              "central directory is damaged")
        cases["parent"] = (self.hostile("parent.lirava", [("String.xml", self.strings), ("../escaped.txt", b"x")]),
                           'the entry "../escaped.txt" names a place outside the book')
        cases["absolute"] = (self.hostile("absolute.lirava", [("String.xml", self.strings), (escaped, b"x")]),
                             'the entry "%s" names a place outside the book' % escaped)

        def shrink_recorded_size(data):
            for signature, offset in ((b"PK\x03\x04", 22), (b"PK\x01\x02", 24)):
                at = data.find(signature) + offset
                data[at:at + 4] = struct.pack("<I", len(self.strings) - 100)
        cases["size"] = (self.hostile("size.lirava", [("String.xml", self.strings)], shrink_recorded_size),
                         '"String.xml" is damaged: its data does not match its recorded size')

        bomb = os.path.join(self.dir, "bomb.lirava")
        with zipfile.ZipFile(bomb, "w", zipfile.ZIP_DEFLATED) as archive:
            archive.writestr("String.xml", self.strings)
            with archive.open("Images/pages/p002.jpg", "w", force_zip64=True) as f:
                zeros = bytes(1 << 20)
                for _ in range(100):
                    f.write(zeros)
        cases["bomb"] = (bomb, '"Images/pages/p002.jpg" would unpack to 100 MiB')

        work = os.path.join(self.dir, "work")
        os.mkdir(work)
        before = sorted(os.listdir(self.dir))
        for case, (path, message) in cases.items():
            for program in ([LIRAVA, "--headless", path], [LIRAVA, "--headless", "--resources", path],
                            [CHECK, "--resources", path]):
                with self.subTest(case=case, program=program):
                    done = run(program, cwd=work)
                    self.assertEqual(done.returncode, 1, done.stderr)
                    self.assertIn(message, done.stderr)
                    self.assertEqual(len(done.stderr.strip().splitlines()), 1, done.stderr)
        self.assertEqual(sorted(os.listdir(self.dir)), before)
        self.assertEqual(os.listdir(work), [])
        self.assertFalse(os.path.exists(os.path.join(os.path.dirname(self.dir), "escaped.txt")))


if __name__ == "__main__":
    unittest.main()
