#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the bar need.
# Usage: scripts/install-deps.sh [build|test|bench|lint|fuzz]   (default: build)
# Skips apt entirely when everything asked for is already installed.
set -euo pipefail

build_pkgs=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6test6
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libx11-dev libxcb1-dev libxcb-sync-dev
  libgsf-1-dev libcups2-dev
  libpulse-dev
  fonts-dejavu-core fonts-liberation2
)
test_pkgs=(
  libgtest-dev libbenchmark-dev
  xvfb openbox tint2 xdotool x11-utils imagemagick
  x11-apps
  python3-dbusmock dbus msitools python3-olefile
  at-spi2-core python3-pyatspi
  pulseaudio pulseaudio-utils
  appstream desktop-file-utils
  mutter xwayland
)
bench_pkgs=(
  conky-std
  libimage-exiftool-perl
)
# clang-tidy brings run-clang-tidy; lint configures the dev build for its compile_commands.json.
# The libFuzzer build (make fuzz, make fuzz-long): clang with its fuzzer and sanitizer runtimes.
fuzz_pkgs=(
  clang libclang-rt-14-dev
)
lint_pkgs=(
  clang-format clang-tidy
  libgtest-dev libbenchmark-dev
)

want=("${build_pkgs[@]}")
case "${1:-build}" in
  build) ;;
  test) want+=("${test_pkgs[@]}") ;;
  bench) want+=("${test_pkgs[@]}" "${bench_pkgs[@]}") ;;
  lint) want+=("${lint_pkgs[@]}") ;;
  fuzz) want+=("${fuzz_pkgs[@]}") ;;
  *) echo "usage: $0 [build|test|bench|lint|fuzz]" >&2; exit 2 ;;
esac

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -q
$sudo apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
