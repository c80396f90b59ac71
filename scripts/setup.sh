#!/usr/bin/env bash
# Kelmarin set-up for Debian 12, run as root from the source folder:
#   scripts/setup.sh play   installs what is missing, builds, and starts the game
#   scripts/setup.sh test   installs what is missing, builds plain and sanitized, and runs every test
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in play|test) ;; *) echo "usage: $0 play|test" >&2; exit 2;; esac

packages=(g++ cmake ninja-build libgtest-dev libbenchmark-dev qt6-base-dev
          fonts-liberation2 fonts-comic-neue xvfb xauth desktop-file-utils clang-format)
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
cmake --build build -j "$jobs"

if [ "$mode" = play ]; then
  if [ -x build/app/kelmarin ]; then
    exec build/app/kelmarin
  fi
  exec build/tools/kelmarin-cli perft 8
fi

echo "== format check"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

export QT_QPA_PLATFORM=offscreen
echo "== tests (release build)"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests (address and undefined-behaviour sanitizers)"
configure build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELMARIN_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
