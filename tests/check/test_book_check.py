#!/usr/bin/env python3
"""Runs lirava-check on the sample book and on a copy of it with one fault of every kind.

    test_book_check.py LIRAVA_CHECK BOOK

The copy is a scratch folder of links to the book's files; each file a fault needs is replaced by
a changed copy, so the book itself is never touched.
"""

import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile

FAILURES = []


def expect(condition, message):
    if not condition:
        FAILURES.append(message)


def run(program, *arguments, cwd=None):
    done = subprocess.run([program, *arguments], capture_output=True, text=True, timeout=300, cwd=cwd)
    return done.returncode, done.stdout, done.stderr


def link_tree(source, target, skip=()):
    """target holds links to the entries of source, but for those named in skip."""
    os.makedirs(target, exist_ok=True)
    for entry in os.listdir(source):
        if entry not in skip:
            os.symlink(os.path.join(source, entry), os.path.join(target, entry))


def mirror_folder(book, copy, folder, leave_out=()):
    """A real folder in the copy with links to every file of the book's folder but those left out."""
    os.makedirs(os.path.join(copy, folder), exist_ok=True)
    for entry in os.listdir(os.path.join(book, folder)):
        if entry not in leave_out:
            os.symlink(os.path.join(book, folder, entry), os.path.join(copy, folder, entry))


def edit_document(book, copy, name, change):
    with open(os.path.join(book, name), encoding="utf-8") as source:
        document = json.load(source)
    change(document)
    path = os.path.join(copy, name)
    if os.path.lexists(path):
        os.remove(path)
    with open(path, "w", encoding="utf-8") as out:
        json.dump(document, out)


def widget(node, name):
    if node.get("options", {}).get("name") == name:
        return node
    for child in node.get("children", []):
        found = widget(child, name)
        if found:
            return found
    return None


def findings(output):
    # A finding may end with what is wrong after ": " ("4: long-caption str042: 2000 bytes").
    return set(re.findall(r"^  (\S+: [a-z-]+(?: \S+)?)(?:: [^\n]*?)?(?: \(expected\))?$", output, re.MULTILINE))


def check_sample_book(program, book):
    status, out, err = run(program, "--resources", book)
    expect(status == 0, f"sample book: exit status {status}\n{out}{err}")
    for line in ("7: missing-caption str072 (expected)", "9: sentence-gap 2 (expected)", "44: no-sentences (expected)"):
        expect(f"  {line}\n" in out, f"sample book: no line {line!r}")
    expect(re.search(r"^5 +english5down/english5down_5\.json +ok +12 +12/12 +12/12 +\d+/\d+ +ok$", out, re.MULTILINE),
           "sample book: page 5 row")
    expect("; 0 problems, 3 expected" in out, "sample book: summary")

    # A relative resource folder resolves the documents' images as well as an absolute one.
    parent, name = os.path.split(book)
    status, out, _ = run(program, "--resources", name, cwd=parent)
    expect(status == 0 and "; 0 problems, 3 expected" in out, f"relative resource folder: exit status {status}")

    with tempfile.TemporaryDirectory() as folder:
        empty = os.path.join(folder, "allow.txt")
        open(empty, "w").close()
        status, out, _ = run(program, "--resources", book, "--allow", empty)
        expect(status == 1, f"without the allow list: exit status {status}")
        expect("; 3 problems, 0 expected" in out, "without the allow list: summary")


def check_broken_copy(program, book):
    with tempfile.TemporaryDirectory() as folder:
        copy = os.path.join(folder, "book")
        link_tree(book, copy, skip={"english5down", "epc", "Images", "3age", "String.xml", "Stringstr.xml",
                                    "check-allow.txt"})
        mirror_folder(book, copy, "english5down", leave_out={"english5down_3.json"})
        mirror_folder(book, copy, "Images", leave_out={"up2.png"})
        mirror_folder(book, copy, "3age")
        lost_track = "epc/" + hashlib.md5(b"mc083.mp3").hexdigest() + ".mp3"
        labels = {n: "epc/" + hashlib.md5(n.encode()).hexdigest() + ".txt" for n in ("mc051.mp3", "mc052.mp3")}
        mirror_folder(book, copy, "epc", leave_out={os.path.basename(lost_track)}
                      | {os.path.basename(path) for path in labels.values()})
        # "Good morning, Pip!" and "I wake up.": word timings with a fault of every kind.
        with open(os.path.join(copy, labels["mc051.mp3"]), "w", encoding="utf-8") as out:
            out.write("0.1\t0.3\tGood\n0.2\t0.5\tmorning,\n0.6\tlater\tPip!\n")
        with open(os.path.join(copy, labels["mc052.mp3"]), "w", encoding="utf-8") as out:
            out.write("0.1\t0.2\tI\n0.2\t0.1\twake\n0.3\t99\tup.\n")

        page = "english5down/english5down_{}.json".format
        with open(os.path.join(book, page(4)), encoding="utf-8") as source:
            text = source.read()
        os.remove(os.path.join(copy, page(4)))
        with open(os.path.join(copy, page(4)), "w", encoding="utf-8") as out:
            out.write(text[: len(text) // 2])

        def page6(document):
            tree = document["widgetTree"]
            tree["options"]["backGroundImageData"]["path"] = "../Images/pages/nope.jpg"
            widget(tree, "bn063")["classname"] = "Blob"
        edit_document(book, copy, page(6), page6)

        def page10(document):
            widget(document["widgetTree"], "bn102")["options"]["name"] = "bn1002"
        edit_document(book, copy, page(10), page10)

        def page12(document):
            document["widgetTree"]["classname"] = "Gadget"
        edit_document(book, copy, page(12), page12)

        def page14(document):
            widget(document["widgetTree"], "sprite2_biscuit")["options"]["fileNameData"]["path"] = "nope.png"
        edit_document(book, copy, page(14), page14)

        def settings(document):
            widget(document["widgetTree"], "bnok")["options"]["name"] = "bnokay"
        edit_document(book, copy, "3age/pageset.json", settings)

        with open(os.path.join(book, "Stringstr.xml"), encoding="utf-8") as source:
            table = source.read()
        table = re.sub(r"\s*<key>str081</key>\s*<string>[^<]*</string>", "", table)
        table = re.sub(r"(<key>str082</key>\s*<string>)[^<]*(</string>)", r"\g<1>" + "x" * 1600 + r"\g<2>", table)
        table = re.sub(r"(<key>str083</key>\s*<string>)[^<]*(</string>)", r"\g<1>" + "Hi \uffff there" + r"\g<2>", table)
        with open(os.path.join(copy, "Stringstr.xml"), "w", encoding="utf-8") as out:
            out.write(table)
        with open(os.path.join(book, "String.xml"), encoding="utf-8") as source:
            strings = re.sub(r"\s*<key>bntext</key>\s*<string>[^<]*</string>", "", source.read())
        with open(os.path.join(copy, "String.xml"), "w", encoding="utf-8") as out:
            out.write(strings)
        with open(os.path.join(copy, "check-allow.txt"), "w", encoding="utf-8") as out:
            out.write("# still allowed\n7 missing-caption str072\n9 sentence-gap 2\n44 no-sentences\n"
                      "50 missing-caption str501\n")

        status, out, err = run(program, "--resources", copy)
        expect(status == 1, f"broken copy: exit status {status}\n{out}{err}")
        found = findings(out)
        for line in (
                "reader: missing-string bntext",
                "reader: missing-image Images/up2.png",
                "3: missing-document english5down/english5down_3.json",
                "4: unparsed-document english5down/english5down_4.json",
                "6: missing-image Images/pages/nope.jpg",
                "6: unknown-class Blob",
                "6: sentence-gap 3",
                "10: sentence-gap 2",
                "10: unread-sentence bn1002",
                "12: unknown-class Gadget",
                "12: no-tree english5down/english5down_12.json",
                "12: no-sentences",
                "14: missing-frame nope.png",
                "8: missing-caption str081",
                "8: long-caption str082",
                "8: bad-character str083",
                "8: missing-narration mc083.mp3",
                "settings: missing-setting bnok",
                "7: missing-caption str072",
                "5: overlapping-label " + labels["mc051.mp3"],
                "5: malformed-label " + labels["mc051.mp3"],
                "5: label-mismatch " + labels["mc051.mp3"],
                "5: backward-label " + labels["mc052.mp3"],
                "5: label-outside-track " + labels["mc052.mp3"],
        ):
            expect(line in found, f"broken copy: no finding {line!r}")
        expect(re.search(r"^3 +english5down/english5down_3\.json +missing ", out, re.MULTILINE), "broken copy: page 3 row")
        expect(re.search(r"^4 +english5down/english5down_4\.json +unparsed ", out, re.MULTILINE), "broken copy: page 4 row")
        expect(re.search(r"check-allow\.txt:5: 50 missing-caption str501$", out, re.MULTILINE),
               "broken copy: the stale allowance")
        expect("  8: bad-character str083: U+FFFF at byte 3\n" in out, "broken copy: where the bad character is")
        expect("; 25 problems, 3 expected" in out, "broken copy: summary\n" + out)


def check_arguments(program, book):
    with tempfile.TemporaryDirectory() as folder:
        bad = os.path.join(folder, "allow.txt")
        with open(bad, "w") as out:
            out.write("7 missing-caption str072 and more\n")
        for arguments in (["--verbose"], ["--resources"], ["--resources", "/nonexistent/folder"],
                          ["--allow", os.path.join(folder, "none.txt")], ["--resources", book, "--allow", bad]):
            status, out, err = run(program, *arguments)
            expect(status == 2, f"{arguments}: exit status {status}")
            expect(err.strip() and not out, f"{arguments}: a message on standard error only")


def main():
    program, book = sys.argv[1], os.path.abspath(sys.argv[2])
    check_sample_book(program, book)
    check_broken_copy(program, book)
    check_arguments(program, book)
    for failure in FAILURES:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
