#!/usr/bin/env bash
# Starts the built Quorvane in a folder of its own under a real X server as a
# user would (see startview.sh).
set -euo pipefail
quorvane=$1
quorc=$2
here=$(cd "$(dirname "$0")" && pwd)
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cp "$quorvane" "$quorc" "$app/"
cd "$app"
xvfb-run -a -s "-screen 0 1280x1024x24" "$here/startview.sh" ./Quorvane "$app"
