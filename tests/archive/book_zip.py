#!/usr/bin/env python3
"""Packs a book folder into a one-file book, as the maker does: pictures and narration stored,
documents and tables deflated. Also a command for benchmarks and manual runs:

    book_zip.py BOOK_FOLDER OUT.lirava [--top FOLDER]
"""

import argparse
import os
import zipfile

STORED = (".mp3", ".jpg", ".jpeg", ".png", ".ttf")
# Files of the source tree that are no part of a book (see cmake/Install.cmake).
LEFT_OUT = ("README.md", "ft.xml")


def zip_book(book, out, top=None):
    """top puts every file under one folder, as a file manager's "compress" does."""
    with zipfile.ZipFile(out, "w") as archive:
        for folder, dirs, files in os.walk(book):
            dirs.sort()
            for name in sorted(files):
                path = os.path.join(folder, name)
                relative = os.path.relpath(path, book).replace(os.sep, "/")
                if relative in LEFT_OUT:
                    continue
                method = zipfile.ZIP_STORED if name.lower().endswith(STORED) else zipfile.ZIP_DEFLATED
                archive.write(path, f"{top}/{relative}" if top else relative, compress_type=method)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("book")
    parser.add_argument("out")
    parser.add_argument("--top")
    args = parser.parse_args()
    zip_book(args.book, args.out, args.top)
