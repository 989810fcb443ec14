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
# The menu once more as a Czech desktop shows it.
LANGUAGE=cs LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8 shot menu-cs --menu
for panel in memory calendar sysinfo calculator scope; do
    shot "$panel" --panel "$panel"
done

# The alarm file: four CR LF lines per event (time, message, active, sound: 0 sounds), in
# Windows-1250. The first event is the one the alarm window shows.
printf '%s\r\n' "07:05" "Vstávej, káva je hotová" 1 0 \
    "12:30" "Oběd s Petrem" 0 -1 \
    "18:00" "Zalít květiny" 1 -1 |
    iconv -f UTF-8 -t CP1250 >"$scratch/data/Veskor32.aev"
for window in alarms alarm saints; do
    shot "$window" --window "$window"
done

# A document with a summary to show; without msitools, a small executable with a version
# resource.
if command -v msibuild >/dev/null; then
    document="$scratch/demo.msi"
    msibuild "$document" -s "Zkušební titul" "Jan Novák" ";1033" \
        "{12345678-1234-1234-1234-123456789012}"
else
    document="$scratch/demo.exe"
    /usr/bin/python3 - "$document" <<'EOF_PE'
import struct, sys

def node(key, value=b"", length=0, text=True, children=()):
    b = bytearray(6) + (key + "\0").encode("utf-16-le")
    b += bytes(-len(b) % 4) + value
    for child in children:
        b += bytes(-len(b) % 4) + child
    struct.pack_into("<HHH", b, 0, len(b), length, 1 if text else 0)
    return bytes(b)

def text(key, value):
    return node(key, (value + "\0").encode("utf-16-le"), len(value) + 1)

texts = [text(k, v) for k, v in [
    ("CompanyName", "Orvane"), ("FileDescription", "Zkušební program"),
    ("FileVersion", "4.5.0.1"), ("InternalName", "demo"), ("LegalCopyright", "Jan Novák"),
    ("OriginalFilename", "demo.exe"), ("ProductName", "Zkušební titul"),
    ("ProductVersion", "4.5")]]
fixed = struct.pack("<13I", 0xFEEF04BD, 0x10000, 0x40005, 1, 0x40005, 1, 0x3F, 0, 0x40004, 1,
                    0, 0, 0)
resource = node("VS_VERSION_INFO", fixed, len(fixed), False, [
    node("StringFileInfo", children=[node("040504E2", children=texts)]),
    node("VarFileInfo", children=[node("Translation", struct.pack("<HH", 0x405, 1250), 4, False)])])

# Resource tree: type 16 (version) -> name 1 -> language 0x405 -> data entry -> the resource.
va = 0x1000
tree = bytearray(104)
struct.pack_into("<HII", tree, 14, 1, 16, 0x80000000 | 32)
struct.pack_into("<HII", tree, 46, 1, 1, 0x80000000 | 64)
struct.pack_into("<HII", tree, 78, 1, 0x405, 88)
struct.pack_into("<II", tree, 88, va + 104, len(resource))
tree += resource + bytes(-len(resource) % 4)

image = bytearray(0x400)
image[0:2] = b"MZ"
struct.pack_into("<I", image, 0x3C, 0x40)
image[0x40:0x44] = b"PE\0\0"
struct.pack_into("<HH", image, 0x44, 0x14C, 1)
struct.pack_into("<H", image, 0x54, 224)
struct.pack_into("<H", image, 0x58, 0x10B)
struct.pack_into("<I", image, 0x58 + 60, 0x400)
struct.pack_into("<I", image, 0x58 + 92, 16)
struct.pack_into("<II", image, 0x58 + 96 + 16, va, len(tree))
struct.pack_into("<IIII", image, 0x58 + 224 + 8, len(tree), va, len(tree), 0x400)
open(sys.argv[1], "wb").write(image + tree)
EOF_PE
fi
shot fileinfo --window fileinfo "$document"
