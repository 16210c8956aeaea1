#!/usr/bin/env bash
# Builds the Debian package from the tree (the working tree as it is, changes
# included), checks what it holds and runs lintian on it. The game is built
# and its Data folder baked once more, in a copy of the tree, so nothing of
# the package build lands in the tree itself.
# Usage: scripts/package.sh [OUT_DIR]   (default build-package; the copy of
# the tree is built in OUT_DIR/work)
# Installs with: apt install ./OUT_DIR/zappatron_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT_DIR=$(realpath -m "${1:-build-package}")

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

# The packaging tools, then the package's own Build-Depends.
TOOLS=(dpkg-dev debhelper lintian)
missing=()
for p in "${TOOLS[@]}"; do
	dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
	echo "Installing: ${missing[*]}"
	$SUDO apt-get update -qq
	DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
	echo "Installing the build dependencies"
	DEBIAN_FRONTEND=noninteractive $SUDO apt-get build-dep -y -qq "$ROOT"
fi

# The versions the package, the build and the metainfo give must agree.
VERSION=$(dpkg-parsechangelog -S Version)
CMAKE_VERSION=$(sed -n 's/^project(Zappatron VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
METAINFO=$(ls dist/linux/*.metainfo.xml)
RELEASE=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$METAINFO" | head -n 1)
if [ "$VERSION" != "$CMAKE_VERSION" ] || [ "$VERSION" != "$RELEASE" ]; then
	echo "version mismatch: debian/changelog $VERSION, CMakeLists.txt $CMAKE_VERSION, newest metainfo release $RELEASE"
	exit 1
fi
mkdir -p "$OUT_DIR"

# The copy lives at the same place every time, so ccache serves a repeated
# build, and it stays for a look after the build.
WORK="$OUT_DIR/work"
rm -rf "$WORK"
SRC="$WORK/zappatron-$VERSION"
mkdir -p "$SRC"
# The tracked files and the new ones not ignored: what a commit would hold.
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
	[ -e "$f" ] && printf '%s\0' "$f"
done | tar -c --null -T - -f - | tar -x -C "$SRC" -f -

echo "== building the package"
# ccache, when installed, keeps a repeated package build cheap. debhelper
# points HOME elsewhere while it builds, so the cache and its settings are named.
if command -v ccache >/dev/null && [ -d /usr/lib/ccache ]; then
	export PATH="/usr/lib/ccache:$PATH"
	CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
	export CCACHE_DIR
	CONFIG="${XDG_CONFIG_HOME:-$HOME/.config}/ccache/ccache.conf"
	if [ -z "${CCACHE_CONFIGPATH:-}" ] && [ -f "$CONFIG" ]; then export CCACHE_CONFIGPATH="$CONFIG"; fi
fi
(cd "$SRC" && DEB_BUILD_OPTIONS="parallel=${PACKAGE_JOBS:-2}" nice -n 10 dpkg-buildpackage -us -uc)

ARCH=$(dpkg-architecture -qDEB_HOST_ARCH)
DEB="$OUT_DIR/zappatron_${VERSION}_${ARCH}.deb"
CHANGES="$OUT_DIR/zappatron_${VERSION}_${ARCH}.changes"
find "$WORK" -maxdepth 1 -type f -name "zappatron_${VERSION}*" -exec mv -f {} "$OUT_DIR/" \;
find "$WORK" -maxdepth 1 -type f -name "zappatron-dbgsym_${VERSION}*" -exec mv -f {} "$OUT_DIR/" \;

echo "== what the package holds"
APP_ID=$(basename "$METAINFO" .metainfo.xml)
LISTING=$(dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|')
expect=(
	/usr/games/zappatron
	/usr/share/zappatron/Data/System/strings.tsv
	"/usr/share/applications/$APP_ID.desktop"
	"/usr/share/metainfo/$APP_ID.metainfo.xml"
	/usr/share/man/man6/zappatron.6.gz
	/usr/share/doc/zappatron/copyright
)
for folder in Models Routes Skeletons System Terrain audio sprites; do
	expect+=("/usr/share/zappatron/Data/$folder/")
done
for size in 32 64 128 256; do
	expect+=("/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")
done
failed=0
for f in "${expect[@]}"; do
	if ! grep -qxF "$f" <<<"$LISTING"; then
		echo "missing from the package: $f"
		failed=1
	fi
done
# The baker's own copies of the icons stay out of Data, and nothing of the
# build tree or the tests goes in.
if grep -E '/Data/Desktop/|/bake$|unit_tests|integration_tests' <<<"$LISTING"; then
	echo "the package holds files it should not"
	failed=1
fi
# Every file the baker wrote (but its icon copies) is in the package.
DATA_FILES=$(grep -c '^/usr/share/zappatron/Data/.*[^/]$' <<<"$LISTING" || true)
BAKED=$(find "$SRC"/obj-*/Data -type f -not -path '*/Data/Desktop/*' | wc -l)
echo "$(wc -l <<<"$LISTING") entries; $DATA_FILES files in the Data folder, of $BAKED baked"
if [ "$DATA_FILES" -ne "$BAKED" ] || [ "$BAKED" -eq 0 ]; then
	echo "the package's Data folder is not the bake"
	failed=1
fi
[ "$failed" -eq 0 ] || exit 1
dpkg-deb -f "$DEB" Package Version Architecture Depends

echo "== lintian"
lintian --fail-on error --info --display-info "$CHANGES"
echo "== package: $DEB"
