#!/usr/bin/env bash
# Shows that the Debian package installs on a machine that has none of its dependencies: a minimal
# Debian of this machine's release is made with debootstrap in build/fresh-install, the package is
# installed there with apt-get (which pulls in what it depends on), the installed programs are tried
# (qeltool runs and checks an example, qel starts without a display and prints a listing), the
# desktop's files are looked for, and the package is removed with --purge, after which none of its
# files may be left. The folder is deleted at the end, whatever happens.
#
# Needs root, debootstrap and the network, and takes minutes: it is not part of the test suite.
#   scripts/check_fresh_install.sh [PACKAGE.deb]   (default: the one scripts/package.sh builds)
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "check_fresh_install.sh must run as root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "debootstrap is missing: apt-get install debootstrap" >&2; exit 2; }
deb=${1:-$(scripts/package.sh | tail -1)}
[ -f "$deb" ] || { echo "no package at $deb" >&2; exit 2; }
. /etc/os-release
release=$VERSION_CODENAME
mirror=http://deb.debian.org/debian
root=$PWD/build/fresh-install
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
step() { echo; echo "== $* ($(date -u +%T))"; }

mounts=(proc sys dev/pts)
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    mountpoint -q "$root/${mounts[i]}" && umount -l "$root/${mounts[i]}"
  done
  # Nothing of the machine may be mounted inside when the folder goes.
  if [ -d "$root" ] && ! findmnt -rn -o TARGET | grep -q "^$root/"; then
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
cleanup

step "debootstrap --variant=minbase $release into $root"
debootstrap --variant=minbase "$release" "$root" "$mirror" >"$root.log" 2>&1 || { tail -20 "$root.log"; exit 1; }
rm -f "$root.log"
echo "minimal system: $(du -sh --one-file-system "$root" | cut -f1), $(chroot "$root" dpkg-query -W | wc -l) packages"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mkdir -p "$root/dev/pts"
mount -t devpts devpts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The release's updates as this machine has them, so the versions the package was built against exist.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $release main
deb $mirror $release-updates main
deb http://deb.debian.org/debian-security $release-security main
EOF
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d" # no services start in the folder
chmod +x "$root/usr/sbin/policy-rc.d"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }
in_root apt-get update -q >/dev/null
in_root dpkg-query -W -f='${Package}\n' | sort >"$root/before.txt"

step "apt-get install -y ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
if ! in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y ./$(basename "$deb")" \
  >"$root/install.log" 2>&1; then
  tail -30 "$root/install.log"
  exit 1
fi
grep -E '^(Need to get|After this operation)' "$root/install.log" || true
in_root dpkg-query -W -f='${Package}\n' | sort >"$root/after.txt"
added=$(comm -13 "$root/before.txt" "$root/after.txt")
echo "$(wc -l <<<"$added") packages added: $(tr '\n' ' ' <<<"$added")"
echo "installed: $(in_root dpkg-query -W -f='${Package} ${Version}, ${Installed-Size} KiB' qel)"
echo "Depends: $(in_root dpkg-query -W -f='${Depends}' qel)"

step "the installed programs"
in_root sh -c 'mkdir -p /tmp/try && cp /usr/share/qel/examples/hello.qel /tmp/try/'
# Each command's standard output is shown; its standard error only when it fails.
try() {
  local what=$1
  shift
  if out=$(in_root sh -c "cd /tmp/try && $*" 2>"$root/stderr.txt"); then
    echo "$what: ${out:-(nothing)}"
  else fail "$what: $out $(cat "$root/stderr.txt")"; fi
}
try "qeltool run hello.qel" qeltool run hello.qel --timeout 20
try "qeltool check quiz.qel" qeltool check /usr/share/qel/examples/quiz.qel
try "qel started without a display" QT_QPA_PLATFORM=offscreen qel --quit-after-show
try "qel --print hello.qel" qel --print hello.qel
pdf=$(ls "$root"/tmp/try/*.pdf 2>/dev/null | head -1)
[ -s "$pdf" ] && echo "the listing: $(basename "$pdf"), $(stat -c %s "$pdf") bytes" || fail "qel --print made no PDF"

step "the desktop's files"
for file in applications/org.qel.QEL.desktop metainfo/org.qel.QEL.metainfo.xml mime/packages/qel.xml \
  icons/hicolor/scalable/apps/org.qel.QEL.svg icons/hicolor/48x48/apps/org.qel.QEL.png \
  icons/hicolor/scalable/mimetypes/application-x-qel-program.svg \
  icons/hicolor/scalable/mimetypes/application-x-qel-form.svg man/man1/qel.1.gz qel/help/contents.html; do
  [ -s "$root/usr/share/$file" ] && echo "present: /usr/share/$file" || fail "/usr/share/$file is missing"
done

step "apt-get remove --purge -y qel"
in_root dpkg-query -L qel >"$root/files.txt"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y qel >"$root/remove.log" 2>&1 ||
  { tail -20 "$root/remove.log"; fail "apt-get remove --purge qel failed"; }
grep -E '^(Removing|Purging|After this operation)' "$root/remove.log" || true
in_root dpkg-query -W qel >/dev/null 2>&1 && fail "dpkg still knows qel after the purge"
left=0
while read -r path; do
  # Folders other packages share (usr/share/icons/...) may stay; the package's files and its own folders may not.
  if [ -e "$root$path" ] && { [ ! -d "$root$path" ] || [[ "$path" == */qel || "$path" == */qel/* ]]; }; then
    fail "left after the purge: $path"
    left=$((left + 1))
  fi
done <"$root/files.txt"
echo "$(wc -l <"$root/files.txt") paths of the package looked at, $left left"

echo
[ "$failures" -eq 0 ] && echo "fresh install of $(basename "$deb") on $PRETTY_NAME: every check passed"
exit $((failures > 0))
