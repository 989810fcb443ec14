#!/usr/bin/env bash
# The bar, each of its strips, its popup menu and its windows rendered off screen to PNG,
# without an X server. The pictures stay in OUTDIR for a person to look at.
# Usage: test_screenshots.sh PATH/TO/veskor OUTDIR
set -u -o pipefail

VESKOR=${1:?usage: test_screenshots.sh VESKOR OUTDIR}
OUT=${2:?usage: test_screenshots.sh VESKOR OUTDIR}
readonly BAR_W=278 ROW_H=21
# A fixed moment, so that the pictures of two runs show the same date and name-day.
readonly AT="2024-03-19 10:20:30"

command -v identify >/dev/null || { echo "FAIL: identify (imagemagick) not installed" >&2; exit 1; }
[ -x "$VESKOR" ] || { echo "FAIL: not executable: $VESKOR" >&2; exit 1; }

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$OUT"
mkdir -p "$OUT/home/.config" "$OUT/data" "$OUT/run"
chmod 700 "$OUT/run"
# No display at all, and a private home: the user's stored options (memory row) would change
# the pictures' sizes.
unset DISPLAY WAYLAND_DISPLAY VESKOR_DATA_DIR
export HOME="$OUT/home" XDG_CONFIG_HOME="$OUT/home/.config" XDG_DATA_HOME="$OUT/home/.local/share"
export XDG_RUNTIME_DIR="$OUT/run" LANG=C.UTF-8
readonly SETTINGS="$XDG_CONFIG_HOME/Orvane/Veskor Pro.conf"

# shot NAME ARGS...: renders $OUT/NAME.png; sets SIZE to "W H" of the picture.
shot() {
    local name=$1 rc
    shift
    SIZE=""
    "$VESKOR" --data-dir "$OUT/data" --screenshot "$OUT/$name.png" --at "$AT" "$@" \
        >"$OUT/$name.log" 2>&1
    rc=$?
    if [ $rc -ne 0 ]; then
        fail "$name: veskor $* exited with $rc: $(tail -5 "$OUT/$name.log")"
        return 1
    fi
    SIZE=$(identify -format '%w %h' "$OUT/$name.png" 2>&1) || {
        fail "$name: not a readable picture: $SIZE"
        SIZE=""
        return 1
    }
}

expect_size() {
    local name=$1 want="$2 $3"
    shift 3
    shot "$name" "$@" || return
    if [ "$SIZE" = "$want" ]; then
        echo "ok: $name ($*): $SIZE"
    else
        fail "$name ($*): picture is $SIZE, expected $want"
    fi
}

expect_size bar "$BAR_W" "$ROW_H"
expect_size memory "$BAR_W" $((ROW_H + 21)) --panel memory
expect_size calendar "$BAR_W" $((ROW_H + 264)) --panel calendar
expect_size sysinfo "$BAR_W" $((ROW_H + 229)) --panel sysinfo
expect_size calculator "$BAR_W" $((ROW_H + 73)) --panel calculator
expect_size scope "$BAR_W" $((ROW_H + 191)) --panel scope

# At a device pixel ratio of 2 the picture has twice the pixels each way, drawn at that
# resolution rather than scaled up.
QT_SCALE_FACTOR=2 expect_size bar-ratio2 $((2 * BAR_W)) $((2 * (ROW_H + 264))) --panel calendar

if shot menu --menu; then
    read -r w h <<<"$SIZE"
    if [ "$h" -gt "$w" ]; then
        echo "ok: menu: $SIZE, taller than wide"
    else
        fail "menu: picture is $SIZE, expected taller than wide"
    fi
fi

# Rendering never writes the settings, and the stored memory row is drawn as stored: asking
# for the memory strip must not toggle it away.
settings_before=$(cat "$SETTINGS" 2>/dev/null)
[ -z "$settings_before" ] || fail "screenshots wrote the settings: $settings_before"
mkdir -p "$(dirname "$SETTINGS")"
printf '[General]\nMemory=1\n' >"$SETTINGS"
expect_size stored-memory "$BAR_W" $((ROW_H + 21))
expect_size stored-memory-panel "$BAR_W" $((ROW_H + 21)) --panel memory
expect_size stored-memory-calendar "$BAR_W" $((ROW_H + 21 + 264)) --panel calendar
[ "$(cat "$SETTINGS")" = "$(printf '[General]\nMemory=1')" ] ||
    fail "screenshots changed the settings: $(cat "$SETTINGS")"
rm -f "$SETTINGS"

# The bar's windows at their own fixed sizes, from a data folder with an alarm file, a name-day
# file and stored settings, none of which a picture may change.
printf '07:05\r\nWake up\r\n1\r\n0\r\n12:30\r\nLunch\r\n0\r\n-1\r\n' >"$OUT/data/Veskor32.aev"
for day in $(seq 366); do printf 'Name %d\r\n' "$day"; done >"$OUT/data/Veskor32.sd"
printf '[General]\nMemory=1\n' >"$SETTINGS"
printf 'not an executable' >"$OUT/plain.txt"
# A save, even of the same bytes, replaces the file: another inode and time.
files_state() { ls -A "$OUT/data" && stat -c '%n %i %s %Y' "$OUT"/data/* "$SETTINGS"; }
files_before=$(files_state)
expect_size alarms 434 281 --window alarms
expect_size alarm 331 101 --window alarm
expect_size saints 261 324 --window saints
expect_size fileinfo 325 376 --window fileinfo "$OUT/plain.txt"
QT_SCALE_FACTOR=2 expect_size fileinfo-ratio2 650 752 --window fileinfo "$OUT/plain.txt"
[ "$(files_state)" = "$files_before" ] ||
    fail "window pictures changed the data folder or the settings"
rm -f "$SETTINGS"
# The alarm's ticker shows the first message: lit (lime) dots in the picture.
lit=$(convert "$OUT/alarm.png" txt:- 2>/dev/null | grep -c '#00FF00')
if [ "${lit:-0}" -gt 100 ]; then
    echo "ok: alarm: $lit lit dot pixels"
else
    fail "alarm: the ticker shows ${lit:-no} lit dot pixels"
fi

# A file that is not there fails as "veskor fileinfo" does: the same line and status.
"$VESKOR" --screenshot "$OUT/none.png" --window fileinfo "$OUT/none.msi" 2>"$OUT/none.log"
rc=$?
"$VESKOR" fileinfo "$OUT/none.msi" 2>"$OUT/none-command.log" >/dev/null
want=$?
if [ $rc -eq $want ] && [ -s "$OUT/none.log" ] && cmp -s "$OUT/none.log" "$OUT/none-command.log"; then
    echo "ok: --window fileinfo on a missing file: status $rc ($(cat "$OUT/none.log"))"
else
    fail "--window fileinfo on a missing file: status $rc, '$(cat "$OUT/none.log")';" \
        "fileinfo: status $want, '$(cat "$OUT/none-command.log")'"
fi
[ ! -e "$OUT/none.png" ] || fail "--window fileinfo on a missing file still wrote a picture"

# A panel the program does not have: a usage error (status 2) and no picture.
"$VESKOR" --data-dir "$OUT/data" --screenshot "$OUT/bad.png" --panel clock >"$OUT/bad.log" 2>&1
rc=$?
if [ $rc -eq 2 ] && grep -q "'clock'" "$OUT/bad.log"; then
    echo "ok: --panel clock: exit status 2 ($(head -1 "$OUT/bad.log"))"
else
    fail "--panel clock: exit status $rc, expected 2 and a message naming 'clock':" \
        "$(tail -3 "$OUT/bad.log")"
fi
[ ! -e "$OUT/bad.png" ] || fail "--panel clock still wrote $OUT/bad.png"

if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed; pictures in $OUT" >&2
    exit 1
fi
echo "PASS; pictures in $OUT"
