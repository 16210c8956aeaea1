#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, bake, run and test,
# then configures and builds. Usage: scripts/setup.sh [BUILD_DIR [TARGET...]]
# (every target when none is named).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
shift || true

PACKAGES=(build-essential cmake ninja-build pkg-config
	libsdl2-dev libgl-dev libgl1-mesa-dri libfreetype-dev libpng-dev fonts-dejavu-core
	googletest libgtest-dev libbenchmark-dev
	libcli11-dev
	xvfb xauth clang libclang-rt-dev
	desktop-file-utils appstream)

missing=()
for p in "${PACKAGES[@]}"; do
	dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
	echo "Installing: ${missing[*]}"
	SUDO=""
	[ "$(id -u)" -eq 0 ] || SUDO=sudo
	$SUDO apt-get update -qq
	DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

# ccache, when installed, makes rebuilds of unchanged sources nearly free.
# (PCH builds are cached only with the sloppiness below.)
LAUNCHER=()
if command -v ccache >/dev/null && [ -z "${CCACHE_DISABLE:-}" ]; then
	LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
	export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}"
TARGET_ARGS=()
for target in "$@"; do TARGET_ARGS+=(--target "$target"); done
cmake --build "$BUILD_DIR" "${TARGET_ARGS[@]}"
