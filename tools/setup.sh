#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only those missing,
# so a warm run costs nothing), then configures and builds.
#   tools/setup.sh [BUILD_DIR [extra cmake args...]]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  python3 python3-fonttools python3-pyclipper fonts-dejavu-core fonts-freefont-ttf
  scid-data pgn-extract nodejs
  xboard xvfb xauth fairymax phalanx polyglot pychess stockfish gnuchess
  desktop-file-utils appstream man-db dpkg-dev lintian util-linux
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64
)
if [ -n "${KELVO_EXTRA_PACKAGES:-}" ]; then
  read -r -a extra <<<"$KELVO_EXTRA_PACKAGES"
  PACKAGES+=("${extra[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
# Read the PGN files written in the tests; their recommendations (TeX, sound) are not needed.
LEAN_PACKAGES=(scid)
# A Node.js from elsewhere brings its own npm, which Debian's npm package would replace.
command -v npm >/dev/null || missing+=(npm)
lean=()
for p in "${LEAN_PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || lean+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ ${#lean[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]} ${lean[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  # Other builds on the machine may be installing too: wait for the lock.
  lock=(-o DPkg::Lock::Timeout=600)
  $SUDO apt-get "${lock[@]}" update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get "${lock[@]}" install -y -qq "${missing[@]}"
  fi
  if [ ${#lean[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get "${lock[@]}" install -y -qq --no-install-recommends "${lean[@]}"
  fi
fi
# The npm packages the tests read PGN files with, at the versions locked in tests/.
if [ ! tests/node_modules/.package-lock.json -nt tests/package-lock.json ]; then
  npm ci --prefix tests --no-audit --no-fund --loglevel=error
fi

build=${1:-build}
shift || true
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" -j"$(nproc)"
