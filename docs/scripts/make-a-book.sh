#!/bin/sh
# Makes the example book of examples/garden and takes the screenshots of docs/make-a-book.md
# from it in the reader, headless.
#   docs/scripts/make-a-book.sh [BUILD_DIR]
# Run from the repository root.
set -e
build=${1:-build}
book=$(mktemp -d)/garden
trap 'rm -rf "$(dirname "$book")"' EXIT
"$build/tools/make/lirava-make" examples/garden/garden.yaml -o "$book"
shot() {
    "$build/app/lirava" --headless --resources "$book" --script -
}
# The home screen: the reader's own list of units.
shot <<SCRIPT
wait 1
screenshot docs/screenshots/make-home.png
SCRIPT
# Unit 1's first page (page 2), as it opens from the page list.
shot <<SCRIPT
wait 0.1
click 320 860
wait 2.5
click 320 860
wait 0.6
screenshot docs/screenshots/make-page2.png
SCRIPT
# Page 3, recorded in one take, while its first sentence is read: the sentence lit, its caption
# on the plate.
shot <<SCRIPT
wait 0.1
click 320 860
wait 2.5
click 320 760
wait 0.6
click 320 885
wait 0.4
screenshot docs/screenshots/make-page3-sentence.png
SCRIPT
# Unit 2's page (page 14), the night picture.
shot <<SCRIPT
wait 0.1
click 320 760
wait 2.5
click 320 860
wait 0.6
screenshot docs/screenshots/make-page14.png
SCRIPT
