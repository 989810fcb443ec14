#!/usr/bin/env bash
# Reads the version resource of a 100 MB PE image (a zero-filled section, then the resource)
# with the bar's reader and with exiftool: wall time and bytes read, from a cold page cache and
# a warm one. Prints a table; asserts nothing.
#
# Usage: bench/versionresource.sh     SIZE_MB=100  RUNS=5  WORK=/tmp/veskor-vres-bench
set -u -o pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
SIZE_MB=${SIZE_MB:-100}
RUNS=${RUNS:-5}
WORK=${WORK:-/tmp/veskor-vres-bench}
command -v exiftool >/dev/null || { echo "bench: exiftool not installed" >&2; exit 2; }
mkdir -p "$WORK"

# The driver is compiled on its own with optimisation, from the reader's sources (the reader's
# class is a QObject, so its meta-object code comes from moc first).
driver=$WORK/versionresource
moc=$(pkg-config --variable=libexecdir Qt6Core)/moc
"$moc" "$root/src/fileinfo/core/VersionResource.h" -o "$WORK/moc_VersionResource.cpp" || exit 1
# shellcheck disable=SC2046
g++ -std=c++20 -O2 -DNDEBUG -fPIC -I"$root/src" -I"$WORK" \
    "$here/versionresource.cpp" "$root/src/fileinfo/core/VersionResource.cpp" \
    "$WORK/moc_VersionResource.cpp" \
    "$root/src/platform/linux/PosixMappedFile.cpp" "$root/src/platform/linux/MappingGuard.cpp" \
    "$root/src/platform/linux/CompoundFile.cpp" "$root/src/platform/linux/LazyLibrary.cpp" \
    "$root/src/common/Cp1250.cpp" \
    $(pkg-config --cflags --libs Qt6Core) $(pkg-config --cflags libgsf-1) -o "$driver" || exit 1

image=$WORK/large.exe
"$driver" make "$image" "$SIZE_MB" || exit 1
"$driver" read "$image" || { echo "bench: the reader found no texts" >&2; exit 1; }
exiftool -s -CompanyName -ProductName -FileVersionNumber "$image"

for cache in cold warm; do
    echo "== $cache page cache, $RUNS runs each"
    for ((i = 0; i < RUNS; i++)); do
        [ "$cache" = cold ] && "$driver" evict "$image"
        "$driver" run "$driver" read "$image"
        [ "$cache" = cold ] && "$driver" evict "$image"
        "$driver" run exiftool -s -CompanyName -ProductName -FileVersionNumber "$image"
    done
done
