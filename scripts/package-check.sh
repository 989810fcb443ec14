#!/usr/bin/env bash
# Installs the Debian package on a clean Debian system and runs a text command there: a minimal
# bookworm made with debootstrap in a scratch folder (root needed, and the network). Shows that
# the package's dependencies bring everything the program needs.
# Usage: scripts/package-check.sh build/release/veskor_4.5_amd64.deb [ROOT_DIR]
set -euo pipefail
deb=$(realpath "${1:?usage: package-check.sh PACKAGE.deb [ROOT_DIR]}")
root=${2:-$(mktemp -d /tmp/veskor-clean.XXXXXX)}
mirror=${MIRROR:-http://deb.debian.org/debian}

[ "$(id -u)" -eq 0 ] || { echo "package-check: needs root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y -q debootstrap >/dev/null

if [ ! -x "$root/usr/bin/apt-get" ]; then
    echo "== a minimal bookworm in $root"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        { echo "debootstrap failed, see $root.debootstrap.log" >&2; exit 1; }
fi
cp "$deb" "$root/tmp/"
mount --bind /proc "$root/proc"
trap 'umount "$root/proc"' EXIT
echo "== apt-get install ./$(basename "$deb")"
chroot "$root" sh -c "apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends /tmp/$(basename "$deb") >/dev/null"
echo "== veskor day 1998-07-06 (LC_ALL=C)"
chroot "$root" env LC_ALL=C veskor day 1998-07-06
echo "== veskor --screenshot /tmp/bar.png (off screen)"
chroot "$root" env LC_ALL=C HOME=/tmp veskor --screenshot /tmp/bar.png --at "2026-12-08 10:20:30"
ls -l "$root/tmp/bar.png"
