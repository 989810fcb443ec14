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
# is not installed, or when a test's own display server cannot start on the machine.
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
    e2e_prepare
    e2e_start_xvfb
    e2e_start_openbox
    [ "$panel" = 1 ] && e2e_start_tint2
    e2e_log "session up on $DISPLAY (${E2E_SCREEN_W}x${E2E_SCREEN_H}), files in $E2E_TMP"
}

# e2e_prepare: the test's temporary folder, its clean-up and watchdog, and a private home and
# environment with no display yet. e2e_begin calls it; a test that brings its own display
# server calls it instead. Sets E2E_TMP, E2E_SETTINGS and E2E_DATA.
e2e_prepare() {
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
    # The bar's single-instance lock is one per user, whatever XDG_RUNTIME_DIR says; a folder of
    # the test's own keeps tests (and a bar the user runs) from counting each other.
    export VESKOR_LOCK_DIR="$E2E_TMP/run"
    # No session bus unless a test starts its own: nothing may reach the host's desktop (its
    # tray watcher, its notifications), and libdbus must not autolaunch a daemon we can't stop.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/no-session-bus"
    export QT_QPA_PLATFORM=xcb
    export LANG=C.UTF-8
    unset DISPLAY WAYLAND_DISPLAY SESSION_MANAGER XAUTHORITY LC_ALL DESKTOP_SESSION
    unset XDG_CURRENT_DESKTOP XDG_SESSION_TYPE
    unset VESKOR_DATA_DIR
    E2E_SETTINGS="$XDG_CONFIG_HOME/Orvane/Veskor Pro.conf"
    E2E_DATA="$E2E_TMP/data"
}

e2e_require_tools() {
    local panel=$1 servers=(Xvfb openbox)
    [ "$panel" = 1 ] && servers+=(tint2)
    e2e_require_servers "${servers[@]}"
    e2e_require_inspectors
}

# e2e_require_servers PROGRAM...: skips the test when a display server, window manager or panel
# it needs is not installed.
e2e_require_servers() {
    local t missing=()
    for t in "$@"; do command -v "$t" >/dev/null || missing+=("$t"); done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "SKIP: not installed: ${missing[*]} (scripts/install-deps.sh test)"
        exit $E2E_SKIP
    fi
}

# e2e_require_inspectors: the tools that drive and look at windows. xclock serves as an
# ordinary window to compare with, xmessage as one that takes the focus. Their absence is a
# broken set-up, not a reason to skip.
e2e_require_inspectors() {
    local t missing=()
    for t in xdotool xprop xwininfo import convert compare xclock xmessage; do
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
    E2E_PANEL_PID=$E2E_LAST_PID
    e2e_wait_window tint2 10
    E2E_PANEL_WID=$E2E_WID
    e2e_geometry "$E2E_PANEL_WID"
    E2E_PANEL_X=$E2E_GEOM_X E2E_PANEL_Y=$E2E_GEOM_Y
    E2E_PANEL_W=$E2E_GEOM_W E2E_PANEL_H=$E2E_GEOM_H
    # Icons can dock once the tray host has announced itself.
    e2e_wait_for 10 e2e_find_tray || e2e_fail "tint2 started no system tray"
}

# e2e_stop_panel: ends tint2 in the middle of a test (e2e_begin --no-panel never starts it) and
# waits until its window and its tray are gone.
e2e_stop_panel() {
    [ -n "${E2E_PANEL_PID:-}" ] || e2e_fail "e2e_stop_panel: no panel was started"
    e2e_stop_pid "$E2E_PANEL_PID"
    e2e_wait_for 5 e2e__not_viewable "$E2E_PANEL_WID" || e2e_fail "tint2's window is still mapped"
    e2e_wait_for 5 e2e__no_tray || e2e_fail "the tray $E2E_TRAY outlived tint2"
    E2E_PANEL_PID="" E2E_PANEL_WID="" E2E_TRAY=""
}

e2e__no_tray() { ! e2e_find_tray; }

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

# e2e_start_bar [ARGS...]: starts the bar and waits until its window is mapped and the WM has
# applied the states the bar asks for after the map (SKIP_TASKBAR comes with every map); the
# window is in BAR, its place in BAR_X and BAR_Y, its geometry in E2E_GEOM_*.
e2e_start_bar() {
    e2e_start_veskor "$@"
    e2e_wait_window veskor 20 "$VESKOR_PID"
    BAR=$E2E_WID
    e2e_wait_state "$BAR" _NET_WM_STATE_SKIP_TASKBAR
    e2e_geometry "$BAR"
    BAR_X=$E2E_GEOM_X BAR_Y=$E2E_GEOM_Y
}

# --- sound --------------------------------------------------------------------------------------

# e2e_start_sound: a private sound server (PulseAudio) whose one output is a null sink,
# veskor_test, reached by the test's programs through PULSE_SERVER. Its socket and cookie are in
# the test's own folders, so nothing reaches the host's sound server.
e2e_start_sound() {
    local t
    for t in pulseaudio pactl parec; do
        command -v "$t" >/dev/null ||
            e2e_fail "not installed: $t (scripts/install-deps.sh test)"
    done
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    # Only the modules given here (-n), no shared memory, no exit when idle. It warns that it
    # runs as root when it does, and runs all the same.
    e2e_spawn pulseaudio pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm \
        --use-pid-file=no --log-target=stderr \
        -L "module-null-sink sink_name=veskor_test" -L module-native-protocol-unix
    E2E_SOUND_PID=$E2E_LAST_PID
    e2e_wait_for 20 e2e__sound_ready ||
        e2e_fail "PulseAudio did not start (see $E2E_TMP/logs/pulseaudio.log)"
}

e2e__sound_ready() {
    kill -0 "$E2E_SOUND_PID" 2>/dev/null && pactl info >/dev/null 2>&1
}

# e2e_record_sound NAME SECONDS: records what the null sink plays, as raw signed 16-bit mono at
# 8000 Hz, into $E2E_TMP/NAME.raw (in E2E_RECORDING) and waits until SECONDS of it are there.
# The short latency keeps the sink mixing close to real time: left alone it runs two seconds
# ahead, and a sound that starts while its mix is rewound never reaches the monitor.
e2e_record_sound() {
    E2E_RECORDING="$E2E_TMP/$1.raw"
    e2e_spawn "parec-$1" parec -d veskor_test.monitor --raw --format=s16le --rate=8000 \
        --channels=1 --latency-msec=20 "$E2E_RECORDING"
    local pid=$E2E_LAST_PID
    e2e_wait_for "$(($2 * 3 + 10))" e2e__recorded "$E2E_RECORDING" $(($2 * 16000)) ||
        e2e_fail "parec recorded less than $2 s (see $E2E_TMP/logs/parec-$1.log)"
    e2e_stop_pid "$pid"
    # Gone and reaped: its number may go to another process before the clean-up.
    local kept=() each
    for each in "${E2E_PIDS[@]}"; do [ "$each" = "$pid" ] || kept+=("$each"); done
    E2E_PIDS=("${kept[@]}")
}

e2e__recorded() { [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -ge "$2" ]; }

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
# WM_CLASS instance name, managed by the window manager, exists, optionally one whose
# _NET_WM_PID is PID; sets E2E_WID. Windows the manager does not manage (the bar's tray icon
# inside the panel, popup menus, tooltips) share the program's class and pid but never match.
e2e_wait_window() {
    local class=$1 seconds=${2:-15} pid=${3:-}
    E2E_WID=""
    e2e_wait_for "$seconds" e2e__find_window "$class" "$pid" ||
        e2e_fail "no mapped window of class '$class'${pid:+ and pid $pid} after ${seconds}s"
}

e2e__find_window() {
    local id managed
    managed=" $(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/^.*window id # //p' |
        tr -d ',') "
    for id in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null); do
        [[ $managed == *" $(printf '0x%x' "$id") "* ]] || continue
        if [ -n "$2" ] && [ "$(xdotool getwindowpid "$id" 2>/dev/null)" != "$2" ]; then
            continue
        fi
        E2E_WID=$id
        return 0
    done
    return 1
}

# e2e_windows_of_type CLASSNAME TYPE: the viewable windows of that WM_CLASS instance name whose
# _NET_WM_WINDOW_TYPE includes _NET_WM_WINDOW_TYPE_TYPE (TOOLTIP, POPUP_MENU, ...), as ids in
# E2E_WIDS (an array); returns 1 when there is none.
e2e_windows_of_type() {
    local id
    E2E_WIDS=()
    for id in $(xdotool search --onlyvisible --classname "^$1\$" 2>/dev/null); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$2\b" &&
            E2E_WIDS+=("$id")
    done
    [ ${#E2E_WIDS[@]} -gt 0 ]
}

# e2e_find_popups CLASSNAME: the program's open popups other than tooltips, as hex ids in
# E2E_WIDS; returns 1 when there is none. A popup is a viewable top-level window that bypasses
# the window manager (override-redirect); that tells it from the program's managed windows and
# from its tray icon, which is override-redirect too but lives inside the panel. The window
# type is not used to find it: Qt 6.4 leaves a menu's _NET_WM_WINDOW_TYPE at NORMAL unless the
# program sets it.
e2e_find_popups() {
    local id info
    E2E_WIDS=()
    # Lines of xwininfo -children: 0x600010 "name": ("instance" "Class")  200x300+10+20  +10+20
    for id in $(xwininfo -root -children 2>/dev/null |
        awk -v want="(\"$1\" " 'index($0, want) {print $1}'); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        [[ $info == *"Map State: IsViewable"* && $info == *"Override Redirect State: yes"* ]] ||
            continue
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_TOOLTIP &&
            continue
        E2E_WIDS+=("$id")
    done
    [ ${#E2E_WIDS[@]} -gt 0 ]
}

# e2e_wait_process_exit PID [SECONDS]: waits until the child process has ended and reaps it
# (a zombie still answers kill -0); its exit status is in E2E_EXIT_STATUS. Returns 1 while
# it still runs.
e2e_wait_process_exit() {
    E2E_EXIT_STATUS=""
    e2e_wait_for "${2:-10}" e2e__process_ended "$1" || return 1
    wait "$1" 2>/dev/null
    E2E_EXIT_STATUS=$?
}

e2e__process_ended() {
    [ ! -e "/proc/$1" ] || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]
}

# e2e_wait_unmapped WID [SECONDS]: waits until the window is gone or no longer viewable.
e2e_wait_unmapped() {
    e2e_wait_for "${2:-10}" e2e__not_viewable "$1" || e2e_fail "window $1 is still mapped"
}

e2e__not_viewable() { ! xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# e2e_map_state WID: IsViewable, IsUnviewable (mapped, but an ancestor is not), IsUnMapped, or
# "gone", in E2E_MAP_STATE.
e2e_map_state() {
    E2E_MAP_STATE=$(xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: //p')
    E2E_MAP_STATE=${E2E_MAP_STATE:-gone}
}

e2e__map_state_is() { e2e_map_state "$1" && [ "$E2E_MAP_STATE" = "$2" ]; }

# e2e_wait_map_state WID STATE [SECONDS]
e2e_wait_map_state() {
    e2e_wait_for "${3:-5}" e2e__map_state_is "$1" "$2" ||
        e2e_fail "window $1: map state $E2E_MAP_STATE, expected $2"
}

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

# e2e_wait_state_gone WID ATOM [SECONDS]
e2e_wait_state_gone() {
    e2e_wait_for "${3:-5}" e2e__lacks_state "$1" "$2" ||
        e2e_fail "window $1 still has $2 (_NET_WM_STATE: $E2E_STATE)"
}

e2e__lacks_state() { ! e2e_has_state "$1" "$2"; }

# e2e_find_tray_icon CLASSNAME: a viewable window of that WM_CLASS instance name somewhere
# inside the panel's window tree, i.e. an icon the tray host has embedded. Sets E2E_ICON
# (hex id) and its place on the screen in E2E_ICON_X/Y/W/H; returns 1 when there is none.
e2e_find_tray_icon() {
    local id size abs
    E2E_ICON=""
    [ -n "${E2E_PANEL_WID:-}" ] || return 1
    # Lines of xwininfo -tree: 0x600008 "name": ("instance" "Class")  22x22+0+0  +996+741
    while read -r id size abs; do
        e2e__map_state_is "$id" IsViewable || continue
        E2E_ICON=$id
        E2E_ICON_W=${size%%x*}
        size=${size#*x}
        E2E_ICON_H=${size%%[+-]*}
        abs=${abs#+}
        E2E_ICON_X=${abs%%[+-]*}
        E2E_ICON_Y=${abs#*[+-]}
        return 0
    done < <(xwininfo -id "$E2E_PANEL_WID" -tree 2>/dev/null |
        awk -v want="(\"$1\" " 'index($0, want) {print $1, $(NF - 1), $NF}')
    return 1
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

# e2e_pointer_to X Y: moves the pointer and waits until the server has it there. (xdotool's
# --sync waits about 15 s when the pointer is already at the place, so that case is skipped.)
e2e_pointer_to() {
    local x y
    eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=' | tr XY xy)"
    [ "${x:-} ${y:-}" = "$1 $2" ] && return 0
    xdotool mousemove --sync "$1" "$2"
}

# e2e_click BUTTON [XDOTOOL CLICK OPTIONS...]: clicks where the pointer is, but never within
# the double-click time (Qt's default is 400 ms) of the previous click: a second press that
# soon arrives as a double click, on which a right click opens no menu.
E2E_LAST_CLICK_US=0
e2e_click() {
    local button=$1
    shift
    while [ $((${EPOCHREALTIME//[!0-9]/} - E2E_LAST_CLICK_US)) -lt 600000 ]; do sleep 0.05; done
    xdotool click "$@" "$button"
    E2E_LAST_CLICK_US=${EPOCHREALTIME//[!0-9]/}
}

# e2e_drag X1 Y1 X2 Y2 [STEPS]: a left-button drag in small steps, as a hand would do it.
e2e_drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 steps=${5:-8} i
    e2e_pointer_to "$x1" "$y1"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.3
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove "$((x1 + (x2 - x1) * i / steps))" "$((y1 + (y2 - y1) * i / steps))"
        sleep 0.05
    done
    sleep 0.3
    xdotool mouseup 1
    E2E_LAST_CLICK_US=${EPOCHREALTIME//[!0-9]/}
}

# --- the popup menu -----------------------------------------------------------------------------

# The bar's popup menu, in order; "-" is a separator, which the keyboard skips.
E2E_MENU=("Always On Top" "Memory Status" "Windows Taskbar" - "Calendar" "System Information"
    "Memory Usage Scope" "Calculator" "Alarm Settings..." "Version Info on File..."
    "Edit Sain's Days..." - "About..." "Quit" - "Shutdown" "Log Off" "Reboot")

# e2e_open_menu X Y [CLASSNAME]: right-clicks at (X, Y) and waits for a popup of the program
# (default class veskor); its id is in E2E_MENU_WID, its place in E2E_MENU_X/Y/W/H and its
# _NET_WM_WINDOW_TYPE in E2E_MENU_TYPE.
e2e_open_menu() {
    local class=${3:-veskor}
    e2e_find_popups "$class" && e2e_fail "a popup (${E2E_WIDS[*]}) is open before the right click"
    e2e_pointer_to "$1" "$2"
    sleep 0.2
    e2e_click 3
    e2e_wait_for 5 e2e_find_popups "$class" ||
        e2e_fail "no popup menu of '$class' after a right click at ($1, $2)"
    [ ${#E2E_WIDS[@]} = 1 ] || e2e_fail "more than one popup after a right click: ${E2E_WIDS[*]}"
    E2E_MENU_WID=${E2E_WIDS[0]}
    E2E_MENU_TYPE=$(xprop -id "$E2E_MENU_WID" _NET_WM_WINDOW_TYPE 2>/dev/null |
        sed -n 's/^_NET_WM_WINDOW_TYPE(ATOM) = //p')
    e2e_geometry "$E2E_MENU_WID"
    E2E_MENU_X=$E2E_GEOM_X E2E_MENU_Y=$E2E_GEOM_Y E2E_MENU_W=$E2E_GEOM_W E2E_MENU_H=$E2E_GEOM_H
}

# e2e_menu_choose CAPTION: runs an item of the open menu with the keyboard and waits for the
# menu to close. The keyboard is used rather than a click at a computed place: an item's
# height depends on the style and fonts, separators are thinner than items, and the menu may
# open above or to the left of the pointer near the screen's edges, while Down always steps
# over the selectable items in order. A menu opened by the mouse has no current item, so the
# first Down lands on the first item. Qt puts a corner of the menu at the pointer (top left,
# or flipped to just beside the pointer near the screen's edges), so the resting pointer is on
# the menu's banner or outside it and highlights nothing in between.
e2e_menu_choose() {
    local caption=$1 item keys=() found=0
    for item in "${E2E_MENU[@]}"; do
        [ "$item" = - ] && continue
        keys+=(Down)
        [ "$item" = "$caption" ] && { found=1; break; }
    done
    [ "$found" = 1 ] || e2e_fail "no menu item '$caption'"
    xdotool key --delay 60 "${keys[@]}" Return
    e2e_wait_for 5 e2e__not_viewable "$E2E_MENU_WID" ||
        e2e_fail "menu still open after choosing '$caption'"
    # The menu's pointer grab ends a moment after its window: a click in between goes nowhere,
    # as it would for a person clicking that fast.
    sleep 0.3
}

# e2e_menu_command X Y CAPTION: right-click at (X, Y), then run the item.
e2e_menu_command() {
    e2e_open_menu "$1" "$2"
    e2e_menu_choose "$3"
    e2e_log "ran '$3' from the menu opened at ($1, $2)"
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
