#!/usr/bin/env bash
# Makes the Debian package and checks it as dpkg and Debian's tools see it:
# the files in the installed layout, the control fields with the runtime
# packages, no lintian error or warning, valid AppStream metadata and desktop
# entry, and a changelog of the package's own version.
# Usage: package.sh <cpack> <build folder>
set -euo pipefail
cpack=$1
build=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "$*"; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}
echo "package: $(basename "$deb")"

appstream_id=example.c_seed_e288e69d.quorvane
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6, $7, $8 }' | sed 's/ *$//' | sort -k2)
expected=$(sort -k2 <<LIST
-rwxr-xr-x ./usr/bin/Quorvane
lrwxrwxrwx ./usr/bin/quorvane -> Quorvane
-rwxr-xr-x ./usr/libexec/quorvane/QuorC
-rw-r--r-- ./usr/share/applications/quorvane.desktop
-rw-r--r-- ./usr/share/metainfo/$appstream_id.metainfo.xml
-rw-r--r-- ./usr/share/icons/hicolor/16x16/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/24x24/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/32x32/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/48x48/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/256x256/apps/quorvane.png
-rw-r--r-- ./usr/share/man/man1/quorvane.1.gz
lrwxrwxrwx ./usr/share/man/man1/Quorvane.1.gz -> quorvane.1.gz
-rw-r--r-- ./usr/share/doc/quorvane/changelog.gz
-rw-r--r-- ./usr/share/doc/quorvane/copyright
LIST
)
[ "$files" = "$expected" ] || fail "package contents differ:
$files"
echo "contents: both commands, the engine, the menu entry, metadata, icons, manual pages, documents"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvane ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Version)" ] || fail "no Version"
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for p in qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 \
         libgmp10 libmpfr6; do
  grep -qxF "$p" <<<"$names" || fail "$p missing from Depends: $depends"
done
echo "control: Depends: $depends"

# Lintian's own exit status covers overridden tags correctly; the E: and W:
# lines are looked for as well, so that no tag slips through either way.
set +e
report=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
set -e
sed '/running with root privileges/d' <<<"$report"
[ $status -eq 0 ] && ! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings"
echo "lintian: no errors or warnings"

root=$out/root
dpkg -x "$deb" "$root"
zcat "$root/usr/share/doc/quorvane/changelog.gz" >"$out/changelog"
[ "$(dpkg-parsechangelog -l "$out/changelog" -S Version)" = "$(field Version)" ] ||
  fail "the changelog's latest version is not the package's $(field Version)"
[ "$(head -n 1 "$root/usr/share/doc/quorvane/copyright")" = \
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "the copyright file is not machine-readable"
for page in quorvane Quorvane; do
  man -l "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q '^ *quorvane, Quorvane - ' ||
    fail "man $page does not show the Quorvane page"
done
echo "documents: changelog of version $(field Version), copyright, a manual page for each command"

metainfo=$root/usr/share/metainfo/$appstream_id.metainfo.xml
appstreamcli validate --no-net "$metainfo"
appstreamcli validate-tree --no-net "$root"
grep -qF '<launchable type="desktop-id">quorvane.desktop</launchable>' "$metainfo" ||
  fail "the metadata does not launch quorvane.desktop"
entry=$root/usr/share/applications/quorvane.desktop
desktop-file-validate "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$root/usr/bin/$exec_line" ] || fail "Exec=$exec_line is not a program in /usr/bin"
[ -f "$root/usr/share/icons/hicolor/128x128/apps/$icon.png" ] || fail "Icon=$icon not in the package"
echo "metadata and desktop entry valid, the entry's program and icon in the package"
