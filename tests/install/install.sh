#!/usr/bin/env bash
# Installs into a temporary prefix as a user would and starts the installed
# Quorvane by its lower-case command with a fresh home: its library goes to
# the user's data folder and nothing is written under the prefix, although
# root could write there. Then the same with the portable copy, which holds
# the two programs alone and keeps everything in its own folder.
# Usage: install.sh <cmake> <build folder>
set -euo pipefail
cmake=$1
build=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
startview() { xvfb-run -a -s "-screen 0 1280x1024x24" "$here/../smoke/startview.sh" "$@"; }
fail() { echo "$*"; exit 1; }
# Only the user's own folders: no data folder set elsewhere by the caller.
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME

prefix=$root/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for f in bin/Quorvane libexec/quorvane/QuorC share/applications/quorvane.desktop; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/bin/QuorC" ] || fail "QuorC installed beside Quorvane"
[ "$(readlink "$prefix/bin/quorvane")" = Quorvane ] || fail "bin/quorvane is not a link to Quorvane"
for side in 16 24 32 48 128 256; do
  icon=$prefix/share/icons/hicolor/${side}x$side/apps/quorvane.png
  [ "$(identify -format %wx%h "$icon")" = "${side}x$side" ] || fail "bad icon $icon"
done
desktop-file-validate "$prefix/share/applications/quorvane.desktop"
echo "installed: both commands, desktop entry and icons in place"

# Everything under the prefix gets an old time; whatever is written there
# later, a new file or a changed one, is newer than the mark.
find "$prefix" -exec touch -h -d '2000-01-01' {} +
touch -d '2000-01-02' "$root/mark"
mkdir "$root/home"
(cd "$root" && HOME=$root/home QUORVANE_EXPORTS=elsewhere \
  startview "$prefix/bin/quorvane" "$root/home/.local/share/Quorvane")
written=$(find "$prefix" -newer "$root/mark")
[ -z "$written" ] || fail "written under the prefix: $written"
echo "installed copy: library in the user's data folder, no Immagini there, nothing written under the prefix"

"$cmake" --install "$build" --prefix "$root/portable" --component portable >/dev/null
[ "$(ls -A "$root/portable")" = "$(printf 'QuorC\nQuorvane')" ] ||
  fail "the portable copy holds more than the two programs: $(ls -A "$root/portable")"
mkdir "$root/home2"
(cd "$root" && HOME=$root/home2 startview "$root/portable/Quorvane" "$root/portable")
[ ! -e "$root/home2/.local/share/Quorvane" ] || fail "the portable copy made a user data folder"
echo "portable copy: library beside the programs, no user data folder"
