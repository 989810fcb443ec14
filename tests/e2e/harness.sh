# Real-window test harness: a private X server (Xvfb), window manager (openbox) and panel with
# a system tray (tint2), a private home, and helpers to drive and inspect the bar's window.
#
# Source it from a test script, then call e2e_begin:
#
#   source "$(dirname "$0")/harness.sh"
#   e2e_begin "$@"              # first argument: the veskor binary (or $VESKOR)
#   e2e_start_veskor; e2e_wait_window veskor; e2e_geometry "$E2E_WID"
#   e2e_expect_eq "bar width" 278 "$E2E_GEOM_W"
#   e2e_pass
#
# Helpers that find something hand it back in E2E_* variables rather than on stdout: a failure
# inside $(...) would only end the subshell, while here it ends the test. A failed check prints
# what was expected and seen, saves a screenshot in the test's folder (kept on failure) and
# exits 1. Exit code 77 (ctest's skip) is used only when the X server, window manager or panel
# is not installed.
#
# Knobs: E2E_KEEP=1 keeps the temporary folder after a pass; E2E_TIMEOUT (seconds, default 100)
# ends a hung test cleanly before ctest's own timeout would kill it and leave the servers behind.

# Results are handed to the sourcing test in E2E_* variables.
# shellcheck disable=SC2034

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_SKIP=77
E2E_SCREEN_GEOMETRY=${E2E_SCREEN_GEOMETRY:-1024x768x24}
E2E_TMP=""
E2E_PIDS=()        # everything we started, in start order; stopped in reverse order
E2E_DISPLAY_NUM=""
E2E_WATCHDOG_PID=""
E2E_START_SECONDS=$SECONDS
VESKOR_PID=""

e2e_log() { printf '[e2e %3ds] %s\n' $((SECONDS - E2E_START_SECONDS)) "$*"; }
e2e_step() { printf '\n[e2e %3ds] == %s\n' $((SECONDS - E2E_START_SECONDS)) "$*"; }

# --- set-up -------------------------------------------------------------------------------------

# e2e_begin [VESKOR] [--no-panel]: checks the tools, makes the private folders and environment,
# starts Xvfb, openbox and (unless --no-panel) tint2. Sets E2E_TMP, DISPLAY, E2E_SCREEN_W/H,
# E2E_SETTINGS (the bar's settings file) and E2E_DATA (its data folder, empty).
e2e_begin() {
    local panel=1 arg
    for arg in "$@"; do
        case $arg in
            --no-panel) panel=0 ;;
            *) VESKOR=$arg ;;
        esac
    done
    e2e_require_tools "$panel"

    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/veskor-e2e.XXXXXX") || {
        echo "FAIL: cannot make a temporary folder" >&2
        exit 1
    }
    trap e2e_cleanup EXIT
    trap 'e2e_fail "interrupted (signal)"' INT TERM HUP
    e2e_start_watchdog "${E2E_TIMEOUT:-100}"

    mkdir -p "$E2E_TMP/logs" "$E2E_TMP/shots" "$E2E_TMP/home/.config" \
        "$E2E_TMP/home/.local/share" "$E2E_TMP/home/.cache" "$E2E_TMP/run" "$E2E_TMP/data"
    chmod 700 "$E2E_TMP/run"
    export HOME="$E2E_TMP/home"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache"
    export XDG_RUNTIME_DIR="$E2E_TMP/run"
    # No session bus unless a test starts its own: nothing may reach the host's desktop (its
    # tray watcher, its notifications), and libdbus must not autolaunch a daemon we can't stop.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/no-session-bus"
    export QT_QPA_PLATFORM=xcb
    export LANG=C.UTF-8
    unset WAYLAND_DISPLAY SESSION_MANAGER XAUTHORITY LC_ALL DESKTOP_SESSION XDG_CURRENT_DESKTOP
    unset VESKOR_DATA_DIR
    E2E_SETTINGS="$XDG_CONFIG_HOME/Orvane/Veskor Pro.conf"
    E2E_DATA="$E2E_TMP/data"

    e2e_start_xvfb
    e2e_start_openbox
    [ "$panel" = 1 ] && e2e_start_tint2
    e2e_log "session up on $DISPLAY (${E2E_SCREEN_W}x${E2E_SCREEN_H}), files in $E2E_TMP"
}

e2e_require_tools() {
    local panel=$1 t missing=()
    for t in Xvfb openbox; do command -v "$t" >/dev/null || missing+=("$t"); done
    [ "$panel" = 1 ] && { command -v tint2 >/dev/null || missing+=(tint2); }
    if [ ${#missing[@]} -gt 0 ]; then
        echo "SKIP: not installed: ${missing[*]} (scripts/install-deps.sh test)"
        exit $E2E_SKIP
    fi
    # Everything else is needed too (xclock serves as an ordinary window to compare with), but
    # its absence is a broken set-up, not a reason to skip.
    missing=()
    for t in xdotool xprop xwininfo import convert compare xclock; do
        command -v "$t" >/dev/null || missing+=("$t")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "FAIL: not installed: ${missing[*]} (scripts/install-deps.sh test)" >&2
        exit 1
    fi
}

# A timer that ends a hung test through the normal failure path (screenshot, clean-up).
e2e_start_watchdog() {
    local seconds=$1 main=$$
    (
        trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
        sleep "$seconds" &
        sleeper=$!
        wait "$sleeper"
        echo "FAIL: test still running after ${seconds}s (E2E_TIMEOUT)" >&2
        kill -TERM "$main"
    ) &
    E2E_WATCHDOG_PID=$!
}

# Picks a display number without a lock file or socket (starting from one that depends on our
# pid, so that tests run in parallel rarely collide); Xvfb itself reports readiness through
# -displayfd. If another server grabs the number in between, Xvfb exits and we try the next.
e2e_start_xvfb() {
    local n fdfile pid i
    for n in $(seq $((90 + $$ % 100)) $((90 + $$ % 100 + 60))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        fdfile="$E2E_TMP/logs/xvfb-displayfd"
        : >"$fdfile"
        Xvfb ":$n" -screen 0 "$E2E_SCREEN_GEOMETRY" -nolisten tcp -noreset -displayfd 3 \
            3>"$fdfile" >"$E2E_TMP/logs/xvfb.log" 2>&1 &
        pid=$!
        for ((i = 0; i < 100; i++)); do
            [ -s "$fdfile" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        if [ -s "$fdfile" ] && kill -0 "$pid" 2>/dev/null; then
            E2E_PIDS+=("$pid")
            E2E_DISPLAY_NUM=$n
            export DISPLAY=":$n"
            read -r E2E_SCREEN_W E2E_SCREEN_H < <(xwininfo -root |
                awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w, h}')
            return 0
        fi
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    e2e_fail "could not start Xvfb on any free display (last log: $(tail -3 "$E2E_TMP/logs/xvfb.log"))"
}

e2e_start_openbox() {
    mkdir -p "$XDG_CONFIG_HOME/openbox"
    cp "$E2E_HERE/openbox-rc.xml" "$XDG_CONFIG_HOME/openbox/rc.xml"
    e2e_spawn openbox openbox --config-file "$XDG_CONFIG_HOME/openbox/rc.xml"
    # The WM is ready once it has announced itself on the root window.
    e2e_wait_for 10 e2e__wm_ready || e2e_fail "openbox did not start (see $E2E_TMP/logs/openbox.log)"
}

e2e__wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

e2e_start_tint2() {
    mkdir -p "$XDG_CONFIG_HOME/tint2"
    cp "$E2E_HERE/tint2rc" "$XDG_CONFIG_HOME/tint2/tint2rc"
    e2e_spawn tint2 tint2 -c "$XDG_CONFIG_HOME/tint2/tint2rc"
    e2e_wait_window tint2 10
    E2E_PANEL_WID=$E2E_WID
    e2e_geometry "$E2E_PANEL_WID"
    E2E_PANEL_X=$E2E_GEOM_X E2E_PANEL_Y=$E2E_GEOM_Y
    E2E_PANEL_W=$E2E_GEOM_W E2E_PANEL_H=$E2E_GEOM_H
    # Icons can dock once the tray host has announced itself.
    e2e_wait_for 10 e2e_find_tray || e2e_fail "tint2 started no system tray"
}

# e2e_find_tray: the tray host's window (the top-level window that carries
# _NET_SYSTEM_TRAY_ORIENTATION, which the owner of the tray selection sets) in E2E_TRAY;
# returns 1 when there is none.
e2e_find_tray() {
    local id
    E2E_TRAY=""
    for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ {print $1}'); do
        if xprop -id "$id" _NET_SYSTEM_TRAY_ORIENTATION 2>/dev/null | grep -q '= '; then
            E2E_TRAY=$id
            return 0
        fi
    done
    return 1
}

# --- processes ----------------------------------------------------------------------------------

# e2e_spawn NAME COMMAND ARGS...: runs a program in the background with its output in
# $E2E_TMP/logs/NAME.log; its pid is in E2E_LAST_PID and it is stopped at the end of the test.
e2e_spawn() {
    local name=$1
    shift
    "$@" >>"$E2E_TMP/logs/$name.log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=("$E2E_LAST_PID")
}

# e2e_stop_pid PID: asks politely, then insists. Waits for the process to be gone.
e2e_stop_pid() {
    local pid=$1 i
    [ -n "$pid" ] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# e2e_start_veskor [ARGS...]: starts the bar with the test's empty data folder.
e2e_start_veskor() {
    [ -n "${VESKOR:-}" ] || e2e_fail "no veskor binary given (argument or VESKOR=...)"
    [ -x "$VESKOR" ] || e2e_fail "veskor binary not found or not executable: $VESKOR"
    e2e_spawn veskor "$VESKOR" --data-dir "$E2E_DATA" "$@"
    VESKOR_PID=$E2E_LAST_PID
}

e2e_stop_veskor() {
    e2e_stop_pid "$VESKOR_PID"
    VESKOR_PID=""
}

# --- waiting ------------------------------------------------------------------------------------

# e2e_wait_for SECONDS COMMAND ARGS...: polls the command every 0.1 s until it succeeds or the
# (possibly fractional) number of seconds has passed; the command always runs at least once.
e2e_wait_for() {
    local end now
    end=$(e2e__micros_after "$1")
    shift
    while :; do
        "$@" && return 0
        now=${EPOCHREALTIME//[!0-9]/}
        [ "$now" -ge "$end" ] && return 1
        sleep 0.1
    done
}

e2e__micros_after() {
    local whole=${1%%.*} frac=${1#*.}
    [ "$frac" = "$1" ] && frac=0
    frac=$(printf '%-6s' "$frac" | tr ' ' 0)
    echo $((${EPOCHREALTIME//[!0-9]/} + whole * 1000000 + 10#${frac:0:6}))
}

# e2e_wait_window CLASSNAME [SECONDS] [PID]: waits until a viewable (mapped) window with that
# WM_CLASS instance name exists, optionally one whose _NET_WM_PID is PID; sets E2E_WID.
e2e_wait_window() {
    local class=$1 seconds=${2:-15} pid=${3:-}
    E2E_WID=""
    e2e_wait_for "$seconds" e2e__find_window "$class" "$pid" ||
        e2e_fail "no mapped window of class '$class'${pid:+ and pid $pid} after ${seconds}s"
}

e2e__find_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null); do
        if [ -n "$2" ] && [ "$(xdotool getwindowpid "$id" 2>/dev/null)" != "$2" ]; then
            continue
        fi
        E2E_WID=$id
        return 0
    done
    return 1
}

# e2e_wait_unmapped WID [SECONDS]: waits until the window is gone or no longer viewable.
e2e_wait_unmapped() {
    e2e_wait_for "${2:-10}" e2e__not_viewable "$1" || e2e_fail "window $1 is still mapped"
}

e2e__not_viewable() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# --- inspecting ---------------------------------------------------------------------------------

# e2e_geometry WID: the client window's position on the screen (not its WM frame's) and size,
# in E2E_GEOM_X/Y/W/H.
e2e_geometry() {
    local out
    out=$(xwininfo -id "$1" 2>&1) || e2e_fail "xwininfo -id $1 failed: $out"
    read -r E2E_GEOM_X E2E_GEOM_Y E2E_GEOM_W E2E_GEOM_H < <(awk '
        /Absolute upper-left X:/ {x=$NF} /Absolute upper-left Y:/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}' <<<"$out")
}

# e2e_wm_state WID: the atoms of _NET_WM_STATE, space separated, in E2E_STATE.
e2e_wm_state() {
    E2E_STATE=$(xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/^_NET_WM_STATE(ATOM) = //p' |
        tr -d ',')
}

e2e_has_state() {
    e2e_wm_state "$1"
    [[ " $E2E_STATE " == *" $2 "* ]]
}

# e2e_wait_state WID ATOM [SECONDS]: states are added by client message after the map, so
# they come a moment after the window appears.
e2e_wait_state() {
    e2e_wait_for "${3:-5}" e2e_has_state "$1" "$2" ||
        e2e_fail "window $1 never got $2 (_NET_WM_STATE: ${E2E_STATE:-none})"
}

# e2e_screenshot NAME [CROP]: saves the whole screen, or the WxH+X+Y part of it, as
# $E2E_TMP/shots/NAME.png; the path is in E2E_SHOT.
e2e_screenshot() {
    local name=$1 crop=${2:-} raw
    E2E_SHOT="$E2E_TMP/shots/$name.png"
    if [ -z "$crop" ]; then
        import -display "$DISPLAY" -window root "$E2E_SHOT" 2>>"$E2E_TMP/logs/imagemagick.log"
        return
    fi
    raw="$E2E_TMP/shots/.$name.full.png"
    import -display "$DISPLAY" -window root "$raw" 2>>"$E2E_TMP/logs/imagemagick.log" &&
        convert "$raw" -crop "$crop" +repage "$E2E_SHOT" 2>>"$E2E_TMP/logs/imagemagick.log"
    rm -f "$raw"
}

# e2e_pixels_differ A B: number of differing pixels of two images in E2E_DIFF (fails the test
# if they cannot be compared, e.g. different sizes).
e2e_pixels_differ() {
    local out rc
    out=$(compare -metric AE "$1" "$2" null: 2>&1)
    rc=$?
    [ $rc -le 1 ] || e2e_fail "cannot compare $1 and $2: $out"
    E2E_DIFF=${out%% *}
}

# e2e_stable_screenshot NAME CROP [SECONDS]: a crop taken once two captures in a row agree, so
# that a panel still redrawing does not make a comparison flaky.
e2e_stable_screenshot() {
    local name=$1 crop=$2 seconds=${3:-5} end prev
    end=$((SECONDS + seconds))
    e2e_screenshot "$name.prev" "$crop"
    prev=$E2E_SHOT
    while :; do
        sleep 0.3
        e2e_screenshot "$name" "$crop"
        e2e_pixels_differ "$prev" "$E2E_SHOT"
        [ "$E2E_DIFF" = 0 ] && break
        [ $SECONDS -ge $end ] && e2e_fail "screen area $crop keeps changing ($E2E_SHOT)"
        mv "$E2E_SHOT" "$prev"
    done
    rm -f "$prev"
}

# --- the bar's settings -------------------------------------------------------------------------

# e2e_setting KEY [SECTION]: the value in the bar's settings file, in E2E_VALUE; returns 1 when
# the file or the key is missing.
e2e_setting() {
    E2E_VALUE=""
    [ -f "$E2E_SETTINGS" ] || return 1
    local line
    line=$(awk -v want="${2:-General}" -v key="$1" '
        { sub(/\r$/, "") }
        /^\[.*\]$/ { section = substr($0, 2, length($0) - 2); next }
        section == want && index($0, key "=") == 1 { print substr($0, length(key) + 2); found = 1 }
        END { exit !found }' "$E2E_SETTINGS") || return 1
    E2E_VALUE=$line
}

# e2e_write_settings KEY=VALUE...: replaces the settings file with these [General] values.
e2e_write_settings() {
    mkdir -p "$(dirname "$E2E_SETTINGS")"
    {
        echo "[General]"
        printf '%s\n' "$@"
    } >"$E2E_SETTINGS"
}

# --- input --------------------------------------------------------------------------------------

# e2e_drag X1 Y1 X2 Y2 [STEPS]: a left-button drag in small steps, as a hand would do it.
e2e_drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 steps=${5:-8} i
    xdotool mousemove --sync "$x1" "$y1"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.3
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove "$((x1 + (x2 - x1) * i / steps))" "$((y1 + (y2 - y1) * i / steps))"
        sleep 0.05
    done
    sleep 0.3
    xdotool mouseup 1
}

# --- checks -------------------------------------------------------------------------------------

e2e_fail() {
    trap - INT TERM HUP
    echo >&2
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ] && [ -n "$E2E_DISPLAY_NUM" ] && [ -d "$E2E_TMP/shots" ]; then
        if import -display "$DISPLAY" -window root "$E2E_TMP/failure.png" 2>/dev/null; then
            echo "      screenshot: $E2E_TMP/failure.png" >&2
        fi
    fi
    if [ -n "$E2E_TMP" ] && [ -f "$E2E_TMP/logs/veskor.log" ] && [ -s "$E2E_TMP/logs/veskor.log" ]; then
        echo "      last lines of veskor's output:" >&2
        tail -n 15 "$E2E_TMP/logs/veskor.log" | sed 's/^/        /' >&2
    fi
    [ -n "$E2E_TMP" ] && echo "      files kept in $E2E_TMP" >&2
    E2E_FAILED=1
    exit 1
}

# e2e_expect_eq WHAT EXPECTED ACTUAL
e2e_expect_eq() {
    if [ "$2" != "$3" ]; then
        e2e_fail "$1: expected '$2', got '$3'"
    fi
    e2e_log "ok: $1 = $3"
}

# e2e_expect WHAT COMMAND ARGS...: the command must succeed.
e2e_expect() {
    local what=$1
    shift
    "$@" || e2e_fail "$what"
    e2e_log "ok: $what"
}

e2e_pass() {
    e2e_log "PASS"
    E2E_PASSED=1
    exit 0
}

# --- clean-up -----------------------------------------------------------------------------------

e2e_cleanup() {
    local rc=$? i
    trap - EXIT INT TERM HUP
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        e2e_stop_pid "${E2E_PIDS[$i]}"
    done
    if [ -n "$E2E_WATCHDOG_PID" ]; then
        kill -TERM "$E2E_WATCHDOG_PID" 2>/dev/null
        wait "$E2E_WATCHDOG_PID" 2>/dev/null
    fi
    if [ -n "$E2E_TMP" ] && [ "${E2E_PASSED:-0}" = 1 ] && [ "${E2E_KEEP:-0}" != 1 ]; then
        rm -rf "$E2E_TMP"
    elif [ -n "$E2E_TMP" ] && [ "${E2E_FAILED:-0}" != 1 ]; then
        echo "files kept in $E2E_TMP" >&2
    fi
    exit $rc
}
