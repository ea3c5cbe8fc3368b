#!/usr/bin/env python3
"""Writes book/gallery/gallery.json: one UI document that uses every widget class.

The document uses the newer key set (version 1.0.0.0). Its own images come from make_art.py;
pictures and sprite frames come from the book's Images/ folder.

    /usr/bin/python3 tools/gallery/make_document.py [OUTPUT_FILE]
"""

import json
import os
import sys


def local(path):
    return {"resourceType": 0, "path": path}


def frame(name):
    return {"resourceType": 1, "path": name}


CONTAINERS = ("Panel", "ScrollView", "DragPanel", "PageView")


def node(classname, name, children=(), **options):
    options["name"] = name
    if classname in CONTAINERS:
        # Containers put their lower-left corner at their position.
        options.setdefault("anchorPointX", 0)
        options.setdefault("anchorPointY", 0)
    return {"classname": classname, "options": options, "children": list(children)}


def label(name, text, x, y, size=24, colour=(40, 60, 110), **options):
    return node("Label", name, text=text, fontSize=size, fontName="Arial", x=x, y=y, colorR=colour[0],
                colorG=colour[1], colorB=colour[2], **options)


def text_button(name, title, x, y, **options):
    return node("TextButton", name, x=x, y=y, touchAble=True, text=title, fontSize=22, textColorR=40,
                textColorG=60, textColorB=110, normalData=local("../Images/set_normal.png"),
                pressedData=local("../Images/set_pressed.png"), **options)


def check_box(name, x, y):
    return node("CheckBox", name, x=x, y=y, touchAble=True, backGroundBoxData=local("check_box.png"),
                backGroundBoxSelectedData=local("check_box_pressed.png"), frontCrossData=local("check_cross.png"),
                backGroundBoxDisabledData=local("check_box_disabled.png"),
                frontCrossDisabledData=local("check_cross_disabled.png"))


def text_field_box(name, field, x, y, width):
    """A nine-slice frame with a text field in it."""
    return node("Panel", name + "_box", [field], x=x, y=y, width=width, height=48, backGroundScale9Enable=True,
                backGroundImageData=local("frame.png"), capInsetsX=14, capInsetsY=14, capInsetsWidth=20,
                capInsetsHeight=20)


def document():
    scroll_items = [node("TextArea", "scroll_note", text="Drag the list up and down.", fontSize=20,
                         fontName="Arial", areaWidth=250, areaHeight=50, hAlignment=1, x=145, y=730,
                         colorR=40, colorG=60, colorB=110)]
    for i in range(8):
        scroll_items.append(text_button("item%d" % (i + 1), "Item %d" % (i + 1), 145, 655 - i * 86))

    drag_content = [node("ImageView", "drag_picture", x=320, y=480, fileNameData=local("../Images/pages/p014.jpg")),
                    label("drag_hint", "Drag me around", 145, 925, size=30, colour=(255, 255, 255))]

    page_items = [label("pages_hint", "Swipe sideways", 300, 95, size=20)]
    for i, figure in enumerate(["biscuit.png", "cow.png", "pig.png", "bee.png", "star.png"]):
        page_items.append(node("ImageView", "figure%d" % (i + 1), x=70 + i * 115, y=45, scaleX=0.4, scaleY=0.4,
                               touchAble=True, fileNameData=frame(figure)))

    children = [
        label("title", "Widget gallery", 320, 915, size=44),
        node("Button", "home", x=590, y=915, scaleX=0.6, scaleY=0.6, touchAble=True,
             normalData=local("../Images/up1.png"), pressedData=local("../Images/up2.png")),

        check_box("check_sound", 50, 845),
        label("check_sound_label", "Sound", 120, 845),
        check_box("check_music", 230, 845),
        label("check_music_label", "Music", 300, 845),
        check_box("check_off", 410, 845),
        label("check_off_label", "Off", 465, 845),

        label("slider_label", "Volume", 75, 785, size=22),
        node("Slider", "slider", x=360, y=785, width=360, height=20, touchAble=True, barTextureScale9Enable=True,
             length=360, barFileName="slider_track.png", barFileNameData=local("slider_track.png"),
             ballNormalData=local("ball.png"), ballPressedData=local("ball_pressed.png"),
             ballDisabledData=local("ball_disabled.png"), progressBarData=local("slider_progress.png"),
             percent=40),

        label("bar_left_label", "Left", 75, 730, size=22),
        node("LoadingBar", "bar_left", x=360, y=730, textureData=local("loading_bar.png"), direction=0, percent=70),
        label("bar_right_label", "Right", 75, 685, size=22),
        node("LoadingBar", "bar_right", x=360, y=685, textureData=local("loading_bar.png"), direction=1,
             percent=40),
        label("bar_nine_label", "Nine", 75, 640, size=22),
        node("LoadingBar", "bar_nine", x=360, y=640, width=360, height=28, ignoreSize=False,
             textureData=local("loading_bar_green.png"), scale9Enable=True, capInsetsX=14, capInsetsY=4,
             capInsetsWidth=32, capInsetsHeight=20, direction=0, percent=55),

        text_field_box("name_field", node("TextField", "name_field", x=12, y=24, anchorPointX=0, anchorPointY=0.5,
                                          touchAble=True, placeHolder="Type your name", fontSize=24,
                                          fontName="Arial", maxLengthEnable=True, maxLength=12, colorR=40,
                                          colorG=60, colorB=110, touchSizeWidth=270, touchSizeHeight=48),
                       20, 560, 290),
        text_field_box("secret_field", node("TextField", "secret_field", x=12, y=24, anchorPointX=0,
                                            anchorPointY=0.5, touchAble=True, placeHolder="Password",
                                            fontSize=24, fontName="Arial", passwordEnable=True,
                                            passwordStyleText="*", maxLengthEnable=True, maxLength=8, colorR=40,
                                            colorG=60, colorB=110, touchSizeWidth=270, touchSizeHeight=48),
                       330, 560, 290),

        node("LabelAtlas", "score", x=170, y=500, stringValue="0123456789", charMapFileData=local("digits.png"),
             charMapFile="digits.png", itemWidth=30, itemHeight=40, startCharMap="0"),
        node("LabelBMFont", "led", x=475, y=500, fileNameData=local("dots.fnt"), text="LIRAVA!", colorR=60,
             colorG=130, colorB=220),

        node("ScrollView", "scroll", scroll_items, x=20, y=160, width=290, height=300, innerWidth=290,
             innerHeight=780, direction=1, touchAble=True, colorType=1, bgColorR=255, bgColorG=255, bgColorB=255,
             bgColorOpacity=180),
        node("DragPanel", "drag", drag_content, x=330, y=160, width=290, height=300, innerWidth=640,
             innerHeight=960, bounceEnable=True, touchAble=True, colorType=1, bgColorR=40, bgColorG=60,
             bgColorB=110, bgColorOpacity=255),
        node("PageView", "pages", page_items, x=20, y=20, width=600, height=125, touchAble=True, clipAble=True,
             colorType=1, bgColorR=255, bgColorG=250, bgColorB=235, bgColorOpacity=220),
    ]
    root = node("Panel", "gallery", children, width=640, height=960, colorType=2, bgStartColorR=200,
                bgStartColorG=225, bgStartColorB=250, bgEndColorR=255, bgEndColorG=245, bgEndColorB=220,
                vectorX=0, vectorY=-1, bgColorOpacity=255)
    return {"version": "1.0.0.0", "designWidth": 640, "designHeight": 960, "textures": ["../Images/cast.plist"],
            "widgetTree": root}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "book",
                                                                 "gallery", "gallery.json")
    with open(out, "w", encoding="utf-8") as f:
        json.dump(document(), f, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
