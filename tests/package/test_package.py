#!/usr/bin/env python3
"""Packs a build into a .deb with cpack and checks it the way Debian would.

    test_package.py CPACK BUILD_DIR

lintian must report no error and no warning; the AppStream metadata and the desktop entry must
validate; the programs, the manual pages, the changelog and the metadata must agree on the
version; every option that a program's --help names must be in its manual page. A file named
*.lirava must be of the package's book type, and the desktop entry must open that type.
"""

import glob
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile

FAILURES = []
TOOLS = ["lintian", "appstreamcli", "desktop-file-validate", "dpkg-deb", "update-mime-database",
         "update-desktop-database", "gio"]
BOOK_TYPE = "application/x-lirava-book"
METAINFO = "usr/share/metainfo/org.example.lirava.metainfo.xml"
INSTALLED = ["usr/bin/lirava", "usr/bin/lirava-check", "usr/share/applications/lirava.desktop", METAINFO,
             "usr/share/man/man1/lirava.1.gz", "usr/share/man/man1/lirava-check.1.gz",
             "usr/share/doc/lirava/copyright", "usr/share/doc/lirava/changelog.gz",
             "usr/share/lirava/book/String.xml", "usr/share/mime/packages/lirava.xml",
             "usr/bin/lirava-align", "usr/share/man/man1/lirava-align.1.gz"]
INSTALLED += ["usr/bin/lirava-make", "usr/share/man/man1/lirava-make.1.gz"]


def expect(condition, message):
    if not condition:
        FAILURES.append(message)


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def check_tool(command, what):
    done = run(command)
    expect(done.returncode == 0, f"{what}: {done.stdout}{done.stderr}")
    return done


def main():
    cpack, build = sys.argv[1], sys.argv[2]
    missing = [tool for tool in TOOLS if not shutil.which(tool)]
    if missing:
        sys.exit("missing " + ", ".join(missing) + " (scripts/install-deps.sh installs them)")

    with tempfile.TemporaryDirectory(prefix="lirava-package-") as scratch:
        made = run([cpack, "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", scratch])
        debs = glob.glob(os.path.join(scratch, "*.deb"))
        if made.returncode != 0 or len(debs) != 1:
            sys.exit("cpack made no package:\n" + made.stdout + made.stderr)
        deb = debs[0]
        version = run(["dpkg-deb", "-f", deb, "Version"]).stdout.strip()

        # Errors and warnings fail; what lintian only mentions (I:) stays, listed in the output.
        lint = check_tool(["lintian", "--fail-on", "error,warning", "--display-info", deb], "lintian")
        print(lint.stdout, end="")

        root = os.path.join(scratch, "root")
        subprocess.run(["dpkg-deb", "-x", deb, root], check=True)
        for path in INSTALLED:
            expect(os.path.isfile(os.path.join(root, path)), f"the package lacks {path}")
        if FAILURES:
            return report()
        check_tool(["appstreamcli", "validate", "--no-net", os.path.join(root, METAINFO)], "appstreamcli validate")
        # The tree check also finds the desktop entry that the metadata launches.
        check_tool(["appstreamcli", "validate-tree", "--no-net", root], "appstreamcli validate-tree")
        check_tool(["desktop-file-validate", os.path.join(root, "usr/share/applications/lirava.desktop")],
                   "desktop-file-validate")

        check_book_type(root, scratch)

        with gzip.open(os.path.join(root, "usr/share/doc/lirava/changelog.gz"), "rt", encoding="utf-8") as log:
            expect(log.readline().startswith(f"lirava ({version}) "), f"the changelog's newest entry is not {version}")
        with open(os.path.join(root, METAINFO), encoding="utf-8") as meta:
            releases = re.findall(r'<release version="([^"]+)"', meta.read())
        expect(releases[:1] == [version], f"the metadata's newest release is not {version}")

        for program in ["lirava", "lirava-check", "lirava-align", "lirava-make"]:
            binary = os.path.join(root, "usr/bin", program)
            shown = run([binary, "--version"])
            expect(shown.returncode == 0 and shown.stdout == f"{program} {version}\n",
                   f"{program} --version printed {shown.stdout!r}")
            helped = run([binary, "--help"])
            expect(helped.returncode == 0, f"{program} --help ended with status {helped.returncode}")
            with gzip.open(os.path.join(root, f"usr/share/man/man1/{program}.1.gz"), "rt", encoding="utf-8") as page:
                manual = page.read()
            expect(f'"Lirava {version}"' in manual, f"{program}(1) is not of version {version}")
            for option in sorted(set(re.findall(r"^\s+(?:-\w, )?(--[\w-]+)", helped.stdout, re.M))):
                expect(option.replace("-", "\\-") in manual, f"{program}(1) does not describe {option}")
    return report()


def check_book_type(root, scratch):
    """Builds the type and desktop databases of the unpacked package, as the install triggers
    would, and asks gio what a *.lirava file is and what opens it."""
    share = os.path.join(root, "usr/share")
    check_tool(["update-mime-database", os.path.join(share, "mime")], "update-mime-database")
    check_tool(["update-desktop-database", os.path.join(share, "applications")], "update-desktop-database")
    book = os.path.join(scratch, "Our Garden.lirava")
    with open(book, "wb") as out:
        out.write(b"PK\x05\x06" + bytes(18))  # an empty ZIP archive
    # gio offers only desktop entries whose program it finds on the path.
    env = dict(os.environ, PATH=os.path.join(root, "usr/bin") + os.pathsep + os.environ.get("PATH", ""),
               XDG_DATA_DIRS=share, XDG_DATA_HOME=os.path.join(scratch, "no-user-data"),
               XDG_CONFIG_HOME=os.path.join(scratch, "no-user-config"), XDG_CONFIG_DIRS=os.path.join(scratch, "none"))
    kind = run(["gio", "info", "-a", "standard::content-type", book], env=env)
    expect(f"standard::content-type: {BOOK_TYPE}" in kind.stdout, f"gio takes a .lirava file for {kind.stdout!r}")
    opener = run(["gio", "mime", BOOK_TYPE], env=env)
    expect("lirava.desktop" in opener.stdout, f"no application opens {BOOK_TYPE}: {opener.stdout}{opener.stderr}")


def report():
    for failure in FAILURES:
        print("FAIL:", failure, file=sys.stderr)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
