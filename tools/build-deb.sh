#!/usr/bin/env bash
# Builds the Debian package of Tessaro (Debian 12, as root or through sudo): installs the
# packaging tools and the Build-Depends of debian/control, builds a copy of the project's files in
# build-deb/src/ (dh's own files never touch the project) and leaves tessaro_VERSION_ARCH.deb
# with its .changes and .buildinfo in build-deb/ (TESSARO_DEB_DIR names another folder).
# The package's tests run during the build; DEB_BUILD_OPTIONS=nocheck skips them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${TESSARO_DEB_DIR:-$root/build-deb}" && cd "${TESSARO_DEB_DIR:-$root/build-deb}" && pwd)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# build-essential brings dpkg-dev (dpkg-buildpackage); apt reads the Build-Depends itself.
$sudo apt-get install -y -q --no-install-recommends build-essential
$sudo apt-get build-dep -y -q --no-install-recommends "$root"

src=$out/src
rm -rf "$src"
mkdir -p "$src"
tar -C "$root" --exclude=./.git --exclude='./build*' --exclude='./obj-*' \
    --exclude=./debian/tessaro --exclude=./debian/.debhelper -cf - . | tar -C "$src" -xf -
(cd "$src" && dpkg-buildpackage -us -uc -b -J)
rm -rf "$src"

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
deb=$out/tessaro_${version}_$(dpkg --print-architecture).deb
[ -s "$deb" ] || { echo "build-deb: $deb was not made" >&2; exit 1; }
echo "build-deb: the package is $deb"
