#!/usr/bin/env bash
# Starts Quorvane under the X server in DISPLAY as a user would, waits for the
# start view, checks the seeded place list and the folders in its application
# folder and that the exchange files are gone, then ends the program with
# "Esci". Usage: startview.sh <Quorvane> <application folder> [steps]
# With QUORVANE_LOCALE set, Quorvane alone runs under that locale; steps is a
# script run in the application folder once the start view is checked. With
# QUORVANE_EXPORTS=elsewhere the copy exports outside its application folder,
# which then holds no Immagini folder.
set -euo pipefail
quorvane=$1
app=$2
steps=${3:-}
unset QT_QPA_PLATFORM
if [ -n "${QUORVANE_LOCALE:-}" ]; then
  LC_ALL=$QUORVANE_LOCALE LANG=$QUORVANE_LOCALE "$quorvane" &
else
  "$quorvane" &
fi
pid=$!
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT
# Screen pixel (2 + c, 2 + r) shows picture sample (c, r): the window sits in
# the top-left corner and the picture has a 2-pixel border.
pixel() { convert "$shot" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
shown=no
for _ in $(seq 1 300); do
  if import -window root "$shot" 2>/dev/null &&
     [ "$(pixel 7 7)" = "0,255,0" ] && [ "$(pixel 484 363)" = "0,0,0" ]; then
    shown=yes
    break
  fi
  kill -0 "$pid" 2>/dev/null || { echo "Quorvane ended early"; exit 1; }
  sleep 0.1
done
[ "$shown" = yes ] || { echo "the start view never appeared"; kill "$pid"; exit 1; }
echo "start view shown: corner green, inside black"

expected=$(printf '"MFFSSKJHB",1000,1\r\n')
[ "$(cat "$app/BeiLuoghi/BeiLuoghi.txt")" = "$expected" ] || { echo "bad seeded list file in $app"; exit 1; }
if [ "${QUORVANE_EXPORTS:-}" = elsewhere ]; then
  [ ! -e "$app/Immagini" ] || { echo "an Immagini folder in $app"; exit 1; }
else
  [ -d "$app/Immagini" ] || { echo "no Immagini folder in $app"; exit 1; }
fi
for f in Quor.tmp Rep.tmp Tab.tmp; do [ ! -e "$app/$f" ] || { echo "$f left behind"; exit 1; }; done
echo "seeded list file and folders present in $app, exchange files gone"

[ -z "$steps" ] || (cd "$app" && bash "$steps")

# "Esci" sits at (877..943, 652..678) in the window.
xdotool mousemove 910 665 click 1
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then echo "Esci did not end the program"; kill "$pid"; exit 1; fi
wait "$pid" || true
echo "ended with Esci"
