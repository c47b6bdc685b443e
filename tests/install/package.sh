#!/usr/bin/env bash
# Makes the Debian package and checks it as dpkg sees it: the files in the
# installed layout, the control fields with the runtime packages, a valid
# desktop entry whose program and icon are in the package.
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

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | sort -k2)
expected=$(sort -k2 <<'LIST'
-rwxr-xr-x ./usr/bin/Quorvane
-rwxr-xr-x ./usr/libexec/quorvane/QuorC
-rw-r--r-- ./usr/share/applications/quorvane.desktop
-rw-r--r-- ./usr/share/icons/hicolor/48x48/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/quorvane.png
-rw-r--r-- ./usr/share/icons/hicolor/256x256/apps/quorvane.png
LIST
)
[ "$files" = "$expected" ] || fail "package contents differ:
$files"
echo "contents: the two programs, the desktop entry and the icons"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvane ] || fail "Package: $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Version)" ] || fail "no Maintainer or Version"
depends=$(field Depends)
names=$(tr ',' '\n' <<<"$depends" | awk '{ print $1 }')
for p in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
  grep -qxF "$p" <<<"$names" || fail "$p missing from Depends: $depends"
done
echo "control: Depends: $depends"

dpkg -x "$deb" "$out/root"
entry=$out/root/usr/share/applications/quorvane.desktop
desktop-file-validate "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$out/root/usr/bin/$exec_line" ] || fail "Exec=$exec_line is not a program in /usr/bin"
[ -f "$out/root/usr/share/icons/hicolor/128x128/apps/$icon.png" ] || fail "Icon=$icon not in the package"
echo "desktop entry valid, its program and icon in the package"
