#!/usr/bin/env bash
# The README's pictures, rendered off screen by the program itself at a fixed moment, with the
# built-in name-days and no stored settings, so that they change only when the program does.
# Usage: scripts/screenshots.sh PATH/TO/veskor OUTDIR
set -euo pipefail
veskor=${1:?usage: screenshots.sh VESKOR OUTDIR}
out=${2:?usage: screenshots.sh VESKOR OUTDIR}
at="2026-12-08 10:20:30"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out" "$scratch/data" "$scratch/run"
chmod 700 "$scratch/run"
unset DISPLAY WAYLAND_DISPLAY VESKOR_DATA_DIR
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/share"
export XDG_RUNTIME_DIR="$scratch/run" LANG=C.UTF-8 LC_ALL=C.UTF-8

shot() {
    local name=$1
    shift
    "$veskor" --data-dir "$scratch/data" --screenshot "$out/$name.png" --at "$at" "$@"
    echo "$out/$name.png"
}

shot bar
shot menu --menu
for panel in memory calendar sysinfo calculator scope; do
    shot "$panel" --panel "$panel"
done
