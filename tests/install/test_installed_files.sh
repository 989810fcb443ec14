#!/usr/bin/env bash
# The files `make install` and the Debian package put in place, as a software centre and a
# desktop read them: the installed tree passes the AppStream validator, which also looks for
# the desktop entry the metadata launches and its icon, and the desktop entry passes its own.
# The screenshots, left out of a build that has no address for them, are checked as a build
# with one would write them: valid, and each a picture that docs/ holds.
# Usage: test_installed_files.sh CMAKE BUILD_DIR SOURCE_DIR VERSION RELEASE_DATE
set -u -o pipefail
cmake=$1 build=$2 source=$3 version=$4 date=$5

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

missing=()
for t in appstreamcli desktop-file-validate; do
    command -v "$t" >/dev/null || missing+=("$t")
done
[ ${#missing[@]} -eq 0 ] || fail "not installed: ${missing[*]} (scripts/install-deps.sh test)"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/veskor-install.XXXXXX") || fail "cannot make a temporary folder"
trap 'rm -rf "$tmp"' EXIT

echo "== cmake --install into $tmp/usr"
"$cmake" --install "$build" --prefix "$tmp/usr" >"$tmp/install.log" 2>&1 ||
    fail "install failed: $(tail -5 "$tmp/install.log")"
metainfo=$(find "$tmp/usr/share/metainfo" -name '*.metainfo.xml' 2>/dev/null)
[ -n "$metainfo" ] || fail "no metainfo file installed in share/metainfo"
entry="$tmp/usr/share/applications/veskor.desktop"

echo "== appstreamcli validate-tree --no-net"
appstreamcli validate-tree --no-net "$tmp/usr" || fail "the installed tree does not validate"
echo "== desktop-file-validate $(basename "$entry")"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"

echo "== the metadata with screenshots"
base=https://screenshots.invalid/veskor
shots="$tmp/screenshots.metainfo.xml"
"$cmake" -DIN="$source/data/veskor.metainfo.xml.in" -DOUT="$shots" -DVERSION="$version" \
    -DDATE="$date" -DSCREENSHOT_URL="$base/" -P "$source/cmake/Metainfo.cmake" ||
    fail "cannot write the metadata with screenshots"
appstreamcli validate --no-net "$shots" || fail "the metadata with screenshots does not validate"
count=0
while read -r url; do
    [ -f "$source/${url#"$base/"}" ] || fail "screenshot $url: no ${url#"$base/"} in the repository"
    count=$((count + 1))
done < <(grep -o "<image>[^<]*</image>" "$shots" | sed 's/<[^>]*>//g')
[ "$count" -gt 0 ] || fail "no screenshot in $shots"
echo "ok: $count screenshots, each in docs/"
echo "PASS"
