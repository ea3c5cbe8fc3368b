#!/usr/bin/python3
"""Breaks a copy of the sample book in the ways that matter and makes sure
check_book notices each one; the untouched copy must pass.

    /usr/bin/python3 tests/book/test_check_book.py [BOOK]
"""

import hashlib
import json
import os
import plistlib
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check_book  # noqa: E402

BOOK = os.path.join(os.path.dirname(os.path.dirname(HERE)), "book")


def doc_path(root, page):
    return os.path.join(root, "english5down", "english5down_%d.json" % page)


def edit_json(path, change):
    with open(path) as f:
        doc = json.load(f)
    change(doc)
    with open(path, "w") as f:
        json.dump(doc, f)


def edit_plist(path, change):
    with open(path, "rb") as f:
        data = plistlib.load(f)
    change(data)
    with open(path, "wb") as f:
        plistlib.dump(data, f)


def find(tree, name):
    if tree.get("options", {}).get("name") == name:
        return tree
    for child in tree.get("children", []):
        hit = find(child, name)
        if hit:
            return hit
    return None


def parent_of(tree, name):
    for child in tree.get("children", []):
        if child.get("options", {}).get("name") == name:
            return tree
        hit = parent_of(child, name)
        if hit:
            return hit
    return None


class BrokenBook(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="book-check-")
        self.root = os.path.join(self.tmp, "book")
        shutil.copytree(BOOK, self.root)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def problems(self):
        return check_book.Book(self.root).run()

    def assertProblem(self, *fragments):
        problems = self.problems()
        for p in problems:
            if all(f in p for f in fragments):
                return
        self.fail("no problem mentions %s; got %s" % (fragments, problems[:5]))

    def test_untouched_book_passes(self):
        self.assertEqual(self.problems(), [])

    def test_missing_or_empty_narration(self):
        logical = "mc053.mp3"
        path = os.path.join(self.root, "epc", hashlib.md5(logical.encode()).hexdigest() + ".mp3")
        os.remove(path)
        self.assertProblem("bn053 has no narration")
        with open(path, "wb") as f:
            f.write(b"\0" * 4000)
        self.assertProblem("bn053 has no narration")

    def test_missing_caption_other_than_the_listed_gap(self):
        edit_plist(os.path.join(self.root, "Stringstr.xml"), lambda d: d.pop("str054"))
        self.assertProblem("bn054 has no caption str054")

    def test_leftover_caption_and_narration(self):
        edit_plist(os.path.join(self.root, "Stringstr.xml"),
                   lambda d: d.update({"str1210": "Nobody reads me."}))
        with open(os.path.join(self.root, "epc", "0" * 32 + ".mp3"), "wb") as f:
            f.write(b"ID3")
        self.assertProblem("str1210 belongs to no sentence button")
        self.assertProblem("epc/" + "0" * 32 + ".mp3", "belongs to no sentence button")

    def test_document_that_is_not_json(self):
        with open(doc_path(self.root, 30), "a") as f:
            f.write("}")
        self.assertProblem("english5down_30.json", "not JSON")

    def test_missing_document(self):
        os.remove(doc_path(self.root, 61))
        self.assertProblem("english5down_61.json", "missing")

    def test_missing_image_file(self):
        os.remove(os.path.join(self.root, "Images", "pages", "p031.jpg"))
        self.assertProblem("english5down_31.json", "p031.jpg, which does not exist")

    def test_missing_frame_in_both_key_sets(self):
        # page 2 is newer (resource type 1), page 80 older (useMergedTexture)
        edit_json(doc_path(self.root, 2), lambda d: find(d["widgetTree"], "sprite1_pip_wave")
                  ["options"]["fileNameData"].update(path="nobody.png"))
        edit_json(doc_path(self.root, 80), lambda d: find(d["widgetTree"], "sprite3_biscuit")
                  ["options"].update(fileName="nobody_old.png"))
        self.assertProblem("english5down_2.json", "nobody.png")
        self.assertProblem("english5down_80.json", "nobody_old.png")

    def test_missing_sprite_sheet_texture(self):
        os.remove(os.path.join(self.root, "Images", "cast.png"))
        self.assertProblem("cast.plist", "texture cast.png is missing")

    def test_overlapping_and_escaping_frames(self):
        def squeeze(d):
            frames = d["frames"]
            frames["bee.png"]["frame"] = frames["cow.png"]["frame"]
            frames["sun.png"]["frame"] = "{{1000,400},{160,160}}"
        edit_plist(os.path.join(self.root, "Images", "cast.plist"), squeeze)
        self.assertProblem("overlap")
        self.assertProblem("sun.png lies outside the texture")

    def test_panel_without_anchor(self):
        edit_json(doc_path(self.root, 12), lambda d: find(d["widgetTree"], "sentences")
                  ["options"].pop("anchorPointX"))
        self.assertProblem("english5down_12.json [sentences]", "explicit anchor")

    def test_sentence_panel_off_centre(self):
        edit_json(doc_path(self.root, 13), lambda d: find(d["widgetTree"], "sentences")
                  ["options"].update(x=0, y=0))
        self.assertProblem("english5down_13.json [bn131]", "panel at the centre")

    def test_sentence_button_not_touchable_or_misnamed(self):
        def change(d):
            find(d["widgetTree"], "bn141")["options"]["touchAble"] = False
            find(d["widgetTree"], "bn142")["options"]["name"] = "bn152"
        edit_json(doc_path(self.root, 14), change)
        self.assertProblem("[bn141]", "does not take touches")
        self.assertProblem("[bn152]", "does not belong to page 14")

    def test_hotspot_over_the_menu_band(self):
        edit_json(doc_path(self.root, 15), lambda d: find(d["widgetTree"], "bn151")
                  ["options"].update(y=-430))
        self.assertProblem("[bn151]", "menu band")

    def test_fixture_pages(self):
        def drop(d):
            holder = parent_of(d["widgetTree"], "bn0512")
            holder["children"] = [c for c in holder["children"]
                                  if c["options"]["name"] != "bn0512"]
        edit_json(doc_path(self.root, 5), drop)
        self.assertProblem("english5down_5.json", "fixture")

    def test_animation_addresses_missing_widget(self):
        edit_json(doc_path(self.root, 96), lambda d: d["animation"]["actionlist"][0]
                  ["actionnodelist"][0].update(ActionTag=4242))
        self.assertProblem("english5down_96.json", "4242 addresses no widget")

    def test_word_card_without_its_own_picture(self):
        edit_json(doc_path(self.root, 91), lambda d: find(d["widgetTree"], "bn911")
                  ["options"]["normalData"].update(path="../Images/bnren1.png"))
        self.assertProblem("[bn911]", "no picture of its own")

    def test_settings_button_missing_or_wrong_colour(self):
        path = os.path.join(self.root, "3age", "pageset.json")

        def change(d):
            find(d["widgetTree"], "bnok")["options"]["name"] = "bnokay"
            find(d["widgetTree"], "bnaoto")["options"]["textColorB"] = 200
        edit_json(path, change)
        self.assertProblem("settings button bnok is missing")
        self.assertProblem("[bnaoto]", "title colour")

    def test_string_table_labels(self):
        edit_plist(os.path.join(self.root, "String.xml"),
                   lambda d: (d.pop("bntext"), d.update(page_front="P" * 70)))
        self.assertProblem("String.xml", "no string under bntext")
        self.assertProblem("String.xml", "longer than 63 bytes")
        edit_plist(os.path.join(self.root, "String.xml"), lambda d: d.update(bntext="Touch a sentence."))
        self.assertProblem("String.xml", "would cover the page's arrows")

    def test_lost_feature_coverage(self):
        # turn every older document into a newer one: the older key set is then unused
        for page in check_book.PAGES:
            edit_json(doc_path(self.root, page), lambda d: d.update(version="0.2.5.0"))
        self.assertProblem("no document uses older keys")


class VersionNumbers(unittest.TestCase):
    def test_reading_like_the_document_reader(self):
        v = check_book.version_number
        self.assertEqual(v("0.2.5.0"), 250)
        self.assertEqual(v("0.2.4.9"), 249)
        self.assertEqual(v("1.0.0.0"), 1000)
        self.assertEqual(v("0.2.5"), 0)
        self.assertEqual(v(None), 0)

    def test_narration_names(self):
        self.assertEqual(check_book.narration_path(5, 1),
                         "epc/6f1eea6c799be33b03db06daa017a7a2.mp3")
        self.assertEqual(check_book.sentence_name("mc", 5, 12), "mc0512")
        self.assertEqual(check_book.sentence_name("str", 12, 3), "str123")


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        BOOK = os.path.abspath(sys.argv.pop(1))
    unittest.main()
