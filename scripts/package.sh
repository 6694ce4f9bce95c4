#!/usr/bin/env bash
# Builds QEL (Release, with Debian's hardening flags) in build/package and makes the Debian package
# there with CPack, then lets lintian check it when lintian is installed. Everything else goes to
# standard error; the last line is the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >&2

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The executables are stripped in the package, so no debug information is built.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS | sed "s/^-g //")"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_TESTS=OFF -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >&2
cmake --build build/package -j "$(nproc)" >&2
rm -f build/package/qel_*.deb
(cd build/package && cpack -G DEB) >&2
deb=$(ls "$PWD"/build/package/qel_*.deb)
# lintian (apt-get install lintian) is not needed to build; where it is installed, an error fails.
if command -v lintian >/dev/null; then
  lintian --display-info "$deb" >&2 || { echo "lintian reports an error in $deb" >&2; exit 1; }
fi
echo "$deb"
