#!/usr/bin/env bash
# Starts the built Quorvane in a folder of its own under a real X server on an
# Italian desktop, as a user would (see startview.sh), and zooms into "MK"
# with the grid (see italian_mk.sh).
set -euo pipefail
quorvane=$1
quorc=$2
here=$(cd "$(dirname "$0")" && pwd)
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cp "$quorvane" "$app/"
# The engine keeps a copy of every job it is given, then runs as usual.
cp "$quorc" "$app/QuorC.real"
printf '#!/bin/sh\ncat Quor.tmp >> jobs.txt\nexec ./QuorC.real\n' > "$app/QuorC"
chmod +x "$app/QuorC"
locale -a | grep -qix 'it_IT.utf8' || { echo "the it_IT.UTF-8 locale is missing"; exit 1; }
cd "$app"
QUORVANE_LOCALE=it_IT.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$here/startview.sh" ./Quorvane "$app" "$here/italian_mk.sh"
