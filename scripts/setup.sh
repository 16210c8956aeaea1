#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, bake, run and test,
# then configures and builds. Usage: scripts/setup.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}

PACKAGES=(build-essential cmake ninja-build pkg-config
	libsdl2-dev libgl-dev libgl1-mesa-dri libfreetype-dev libpng-dev fonts-dejavu-core
	googletest libgtest-dev libbenchmark-dev
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
LAUNCHER=()
if command -v ccache >/dev/null; then
	LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}"
cmake --build "$BUILD_DIR"
