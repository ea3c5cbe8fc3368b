#!/bin/sh
# Draws the example's pictures and records its narration, so that everything in this folder is
# the project's own work. Needs imagemagick and espeak-ng; the results are committed, so making
# the example needs neither.
set -eu
cd "$(dirname "$0")"
mkdir -p pictures audio

# A garden in the sun: wide, as a photograph from a phone held sideways would be.
convert -size 1200x800 gradient:'#9fd8f5'-'#e8f6fc' \
    -fill '#7cc36a' -draw 'rectangle 0,560 1200,800' \
    -fill '#ffd23f' -draw 'circle 980,170 1060,170' \
    -fill '#8b5a2b' -draw 'rectangle 230,380 270,600' \
    -fill '#4f9d45' -draw 'circle 250,330 360,330' \
    -fill '#e4572e' -draw 'circle 560,600 590,600' -fill '#f2c14e' -draw 'circle 560,600 570,600' \
    -fill '#d1495b' -draw 'circle 700,620 730,620' -fill '#f2c14e' -draw 'circle 700,620 710,620' \
    -fill '#8e6fc1' -draw 'circle 840,600 870,600' -fill '#f2c14e' -draw 'circle 840,600 850,600' \
    -strip pictures/garden.png

# Bees over a flower: tall, as a portrait photograph would be.
convert -size 600x900 gradient:'#fff3c4'-'#ffe08a' \
    -fill '#3f8f3a' -draw 'rectangle 290,480 310,900' \
    -fill '#f28ab2' -draw 'circle 300,430 390,430' -fill '#ffcf33' -draw 'circle 300,430 340,430' \
    -fill '#222222' -draw 'ellipse 160,230 50,32 0,360' -fill '#ffcc00' -draw 'ellipse 160,230 26,30 0,360' \
    -fill '#222222' -draw 'ellipse 460,170 50,32 0,360' -fill '#ffcc00' -draw 'ellipse 460,170 26,30 0,360' \
    -fill '#ffffffb0' -draw 'ellipse 150,195 30,18 0,360' -draw 'ellipse 450,135 30,18 0,360' \
    -strip -quality 90 pictures/bees.jpg

# A moon over the garden at night: square.
convert -size 800x800 gradient:'#1b2a49'-'#3b4f7a' \
    -fill '#f5f3ce' -draw 'circle 560,220 640,220' \
    -fill '#ffffff' -draw 'point 120,120' -draw 'circle 200,300 203,300' -draw 'circle 380,140 383,140' \
    -fill '#2e5e3a' -draw 'rectangle 0,620 800,800' \
    -strip pictures/night.png

# The page read in one take, and one sentence read alone, by voices other than the book's.
espeak-ng -v en+f3 -s 150 -w audio/page2.wav "The bees are busy. They fly from flower to flower."
espeak-ng -v en-us+m3 -s 140 -w audio/moon.wav "Good night, garden."
