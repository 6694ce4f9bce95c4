#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks it as a desktop would see it: every file in
# its place, the menu entry and the AppStream file valid, the file types known by their endings and
# by their first bytes, QEL the default application for both, and the installed qeltool running an
# installed example.
#   installs_as_a_desktop_program.sh BUILD_FOLDER
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
share=$prefix/share
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/qel bin/qeltool libexec/qel/qeltool-full share/qel/help/contents.html share/qel/examples/hello.qel \
  share/qel/examples/quiz.frm share/applications/org.qel.QEL.desktop share/metainfo/org.qel.QEL.metainfo.xml \
  share/mime/packages/qel.xml share/doc/qel/copyright share/doc/qel/changelog.gz share/man/man1/qel.1.gz \
  share/man/man1/qeltool.1.gz; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for icon in apps/org.qel.QEL mimetypes/application-x-qel-program mimetypes/application-x-qel-form; do
  [ -s "$share/icons/hicolor/scalable/$icon.svg" ] || fail "scalable/$icon.svg is not installed"
  for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/$icon.png
    file -b "$png" | grep -q "PNG image data, $size x $size" || fail "${size}x$size/$icon.png is not a $size-pixel PNG"
  done
done
[ -x "$prefix/bin/qel" ] && [ -x "$prefix/bin/qeltool" ] || fail "the executables are not executable"

# Its one remark is that Education and Development are both main categories, as they are meant to be.
remarks=$(desktop-file-validate "$share/applications/org.qel.QEL.desktop" 2>&1) || fail "desktop-file-validate: $remarks"
grep -v "more than one main category" <<<"$remarks" | grep -q . && fail "desktop-file-validate: $remarks"
appstreamcli validate --no-net "$share/metainfo/org.qel.QEL.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate refuses the metainfo file"

# A desktop of the prefix alone: no user settings, no other desktop's choices.
update-mime-database "$share/mime" >/dev/null 2>&1
update-desktop-database "$share/applications"
mkdir -p "$root/config" "$root/files"
desktop() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share" XDG_CONFIG_HOME="$root/config" XDG_CONFIG_DIRS="$root/config" "$@"
}
cp "$share/qel/examples/hello.qel" "$root/files/program.qel"
cp "$share/qel/examples/hello.qel" "$root/files/program"
cp "$share/qel/examples/quiz.frm" "$root/files/form.frm"
cp "$share/qel/examples/quiz.frm" "$root/files/form"
for row in program.qel:application/x-qel-program program:application/x-qel-program form.frm:application/x-qel-form \
  form:application/x-qel-form; do
  name=${row%%:*} expected=${row#*:}
  got=$(desktop xdg-mime query filetype "$root/files/$name")
  [ "$got" = "$expected" ] || fail "xdg-mime says $name is '$got', not $expected"
done
for type in application/x-qel-program application/x-qel-form; do
  got=$(desktop xdg-mime query default "$type")
  [ "$got" = "org.qel.QEL.desktop" ] || fail "the default application of $type is '$got'"
done

# The installed tool runs an installed example (from a folder of its own: it writes nothing there).
out=$(cd "$root" && "$prefix/bin/qeltool" run "$share/qel/examples/hello.qel" --timeout 20) ||
  fail "qeltool run of the installed hello.qel failed: $out"
grep -q '"end": *"finished"' <<<"$out" || fail "the installed hello.qel did not finish: $out"

[ "$failures" -eq 0 ] && echo "installed into $prefix: every check passed"
exit $((failures > 0))
