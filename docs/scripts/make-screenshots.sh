#!/bin/sh
# Makes the screenshots of docs/screenshots/ from the scripts beside this file (those in
# multilingual/ against the multilingual copy of the book), and the contact sheet of the whole
# book with lirava-check (found beside the reader's build folder).
#   docs/scripts/make-screenshots.sh [path/to/lirava]
# Run from the repository root. The book is reached through a scratch folder of links, so the
# first-run marker the home screen leaves behind never lands in book/.
set -e
# The captions in the book's own language, whatever the locale of whoever runs this.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
program=${1:-build/app/lirava}
resources=$(mktemp -d)
multilingual=$(mktemp -d)
trap 'rm -rf "$resources" "$multilingual"' EXIT
for entry in book/*; do
    [ "$entry" = book/ft.xml ] || ln -s "$PWD/$entry" "$resources/"
done
for script in docs/scripts/*.txt; do
    "$program" --headless --resources "$resources" --script "$script"
done
# The caption languages side by side (ImageMagick's montage).
montage docs/screenshots/caption-languages-[1-4].png -tile 4x1 -geometry 320x480+4+0 \
    docs/screenshots/caption-languages.png
rm -f docs/screenshots/caption-languages-[1-4].png
# Captions in other scripts, from a copy of the book made for them.
python3 tests/multilingual/make_book.py "$multilingual/book"
for script in docs/scripts/multilingual/*.txt; do
    "$program" --headless --resources "$multilingual/book" --script "$script"
done
check=$(dirname "$program")/../tools/check/lirava-check
"$check" --contact-sheet docs/screenshots/contact-sheet.png --resources "$resources" 2>/dev/null
