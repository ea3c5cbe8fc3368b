#!/bin/sh
# Installs the reader's .deb into a fresh, minimal Debian 12 and runs it there: headless, with
# the installed book, through a script that opens a page and turns it with a key; then the
# installed lirava-check checks the installed book and draws its contact sheet.
#
#   scripts/check-deb.sh PACKAGE.deb [BASE_DIR]
#
# Needs root and Debian's package mirrors. The first run makes a minimal bookworm system with
# debootstrap in BASE_DIR (default /var/tmp/lirava-bookworm; a few minutes and about 250 MB of
# downloads) and keeps it; every run installs into a fresh copy of it, so each check starts from
# a system that has never seen the package. The mirror is the one this machine's apt uses, or
# debootstrap's own default.
set -eu

if [ $# -lt 1 ] || [ ! -f "$1" ]; then
    echo "usage: scripts/check-deb.sh PACKAGE.deb [BASE_DIR]" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "check-deb: needs root (debootstrap and chroot)" >&2
    exit 2
fi
package=$(realpath "$1")
base=${2:-/var/tmp/lirava-bookworm}
export DEBIAN_FRONTEND=noninteractive

mirror() {
    # The first Debian archive this machine's apt names (one-line or deb822 sources).
    for sources in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$sources" ] || continue
        uri=$(sed -n -e 's/^deb \(\[[^]]*\] \)\{0,1\}\(http[^ ]*\/debian\/\{0,1\}\) .*/\2/p' \
                     -e 's/^URIs: *\(http[^ ]*\/debian\/\{0,1\}\)$/\1/p' "$sources" | head -n 1)
        if [ -n "$uri" ]; then
            echo "$uri"
            return
        fi
    done
}

if [ ! -x "$base/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null 2>&1 || apt-get install -y -q debootstrap
    echo "check-deb: making a minimal bookworm in $base"
    rm -rf "$base"
    # shellcheck disable=SC2046
    debootstrap --variant=minbase bookworm "$base" $(mirror)
fi

work=$(mktemp -d /var/tmp/lirava-check-deb.XXXXXX)
cleanup() {
    umount "$work/root/proc" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cp -a "$base" "$work/root"
root=$work/root
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$package" "$root/tmp/lirava.deb"

echo "check-deb: installing $(basename "$package")"
chroot "$root" apt-get update -q
chroot "$root" apt-get install -y -q --no-install-recommends /tmp/lirava.deb

echo "check-deb: running the installed reader"
cat >"$root/tmp/turn.txt" <<'EOF'
wait 0.1
click 320 860
wait 2.5
click 320 860
wait 0.1
key Right
wait 0.7
dump
EOF
state=$(chroot "$root" env -i PATH=/usr/bin:/bin HOME=/tmp SDL_AUDIODRIVER=dummy \
    sh -c 'cd /tmp && lirava --headless --script /tmp/turn.txt' | grep '^state ')
echo "$state" | cut -c1-200
for expected in '"layer":"TestLayer2"' '"currentPage":3' '"resources":"/usr/share/lirava/book"' '"icon":true'; do
    case "$state" in
        *"$expected"*) ;;
        *)
            echo "check-deb: FAIL: the state lacks $expected" >&2
            exit 1
            ;;
    esac
done

echo "check-deb: checking the installed book"
chroot "$root" env -i PATH=/usr/bin:/bin HOME=/tmp sh -c 'cd /tmp && lirava-check' | tail -n 1
chroot "$root" env -i PATH=/usr/bin:/bin HOME=/tmp SDL_AUDIODRIVER=dummy \
    sh -c 'cd /tmp && lirava-check --contact-sheet /tmp/sheet.png 2>/dev/null'
echo "check-deb: the package installs and runs on a fresh Debian 12"
