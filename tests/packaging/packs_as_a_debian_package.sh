#!/usr/bin/env bash
# Packs a build with CPack's Debian generator, as scripts/package.sh does (left uncompressed here, to
# be quick), and checks the package: its control fields with the dependencies dpkg-shlibdeps found,
# no maintainer scripts, its files owned by root with the usual modes, and the changelog compressed
# without a name or a time and naming the package's version. Exit status 77 (skipped) without
# dpkg-deb.
#   packs_as_a_debian_package.sh BUILD_FOLDER
set -euo pipefail
build=$1
command -v dpkg-deb >/dev/null || { echo "dpkg-deb is missing: skipped"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$out" -D CPACK_DEBIAN_COMPRESSION_TYPE=none >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
debs=("$out"/qel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single qel_*.deb in ${debs[*]}"; exit 1; }
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[ "$(field Package)" = qel ] || fail "the package is called $(field Package)"
[ "$(field Section)" = education ] || fail "the section is $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "the maintainer is '$(field Maintainer)'"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6multimedia6; do
  [[ ", $(field Depends)," == *", $library"[\ ,]* ]] || fail "Depends lacks $library: $(field Depends)"
done
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm' || true)
[ -z "$scripts" ] || fail "the package has maintainer scripts: $scripts"

listing=$(dpkg-deb -c "$deb")
for file in usr/bin/qel usr/bin/qeltool usr/libexec/qel/qeltool-full usr/share/doc/qel/copyright usr/share/doc/qel/changelog.gz \
  usr/share/applications/org.qel.QEL.desktop usr/share/mime/packages/qel.xml usr/share/qel/help/contents.html; do
  grep -q " \./$file$" <<<"$listing" || fail "$file is not in the package"
done
# Every entry root's; executables in usr/bin and usr/libexec, plain files elsewhere, folders open to all.
odd=$(awk '$2 != "root/root" ||
           ($1 ~ /^d/ && $1 != "drwxr-xr-x") ||
           ($1 ~ /^-/ && $6 ~ /^\.\/usr\/(bin|libexec)\// && $1 != "-rwxr-xr-x") ||
           ($1 ~ /^-/ && $6 !~ /^\.\/usr\/(bin|libexec)\// && $1 != "-rw-r--r--")' <<<"$listing")
[ -z "$odd" ] || fail "entries with an unusual owner or mode: $odd"

# gzip -9n: no file name (flag bit 3) and no time (bytes 4-7) in the header.
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/qel/changelog.gz >"$out/changelog.gz"
read -r -a header <<<"$(od -An -tu1 -N8 "$out/changelog.gz")"
{ [ $((header[3] & 8)) -eq 0 ] && [ "${header[*]:4:4}" = "0 0 0 0" ]; } ||
  fail "the changelog's gzip header holds a name or a time: ${header[*]}"
newest=$(gzip -dc "$out/changelog.gz" | head -1)
[[ "$newest" == "qel ($version) "* ]] || fail "the changelog's newest entry is not $version: $newest"

[ "$failures" -eq 0 ] && echo "$(basename "$deb"): every check passed"
exit $((failures > 0))
