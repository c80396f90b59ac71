#!/usr/bin/env bash
# Kelmarin set-up for Debian 12, run as root from the source folder:
#   scripts/setup.sh play     installs what is missing, builds the game, and starts it (through sudo:
#                             as the user who called sudo)
#   scripts/setup.sh test     installs what is missing, builds plain and sanitized, and runs every test;
#                             the tests that start threads run a third time under ThreadSanitizer
#   scripts/setup.sh package  installs what is missing, builds build/kelmarin_VERSION_ARCH.deb (with
#                             the 2- to 4-piece endgame tables) and checks it with lintian
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in play|test|package) ;; *) echo "usage: $0 play|test|package" >&2; exit 2;; esac

packages=(g++ cmake ninja-build libgtest-dev libbenchmark-dev qt6-base-dev
          fonts-liberation2 fonts-comic-neue xvfb xauth desktop-file-utils appstream clang-format)
if [ "$mode" = package ]; then packages+=(dpkg-dev lintian file); fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
configure() { # dir, extra options...
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja "$@"
}

configure build -DCMAKE_BUILD_TYPE=Release

if [ "$mode" = play ]; then
  cmake --build build -j "$jobs" --target kelmarin
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "== built build/app/kelmarin, but there is no display (DISPLAY and WAYLAND_DISPLAY are unset): run this from a desktop session, or start build/app/kelmarin there" >&2
    exit 1
  fi
  if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    # The game need not run as root: it runs as the user who called sudo, on that user's display.
    if ! runuser -u "$SUDO_USER" -- test -x build/app/kelmarin; then
      echo "== $SUDO_USER cannot run $PWD/build/app/kelmarin: put the source folder where $SUDO_USER can read it" >&2
      exit 1
    fi
    display=()
    for name in DISPLAY XAUTHORITY WAYLAND_DISPLAY; do
      [ -n "${!name:-}" ] && display+=("$name=${!name}")
    done
    runtime=/run/user/$(id -u "$SUDO_USER")
    [ -d "$runtime" ] && display+=("XDG_RUNTIME_DIR=$runtime")
    exec runuser -u "$SUDO_USER" -- env "${display[@]}" build/app/kelmarin
  fi
  exec build/app/kelmarin
fi

if [ "$mode" = package ]; then
  # The package carries the 2- to 4-piece endgame tables, built once in build/packaging/endgames.
  cmake -S . -B build -DKELMARIN_PACKAGE_ENDGAMES=ON
  cmake --build build -j "$jobs" --target kelmarin kelmarin-cli install_files endgame_tables
  (cd build && cpack -G DEB)
  deb=$(ls -t build/kelmarin_*.deb | head -n 1)
  echo "== lintian $deb"
  lintian --fail-on error "$deb"
  echo "== install it with: apt install ./$deb"
  exit 0
fi

echo "== format check (clang-format, the committed .clang-format)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

cmake --build build -j "$jobs"

export QT_QPA_PLATFORM=offscreen
echo "== tests (release build)"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests (address and undefined-behaviour sanitizers)"
configure build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARIN_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== tests that start threads (thread sanitizer): the computer's worker, Hint, the analysis, the strong search"
configure build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARIN_SANITIZE_THREAD=ON
cmake --build build-tsan -j "$jobs" --target ui_tests strong_engine_tests
TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp history_size=4" \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R '^(WorkerMailbox\.|ComputerTurn\.|Tools\.Hint|Analysis\.|StrongSearchTest\.|TranspositionTableTest\.)'
