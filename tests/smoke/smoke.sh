#!/usr/bin/env bash
# Starts the built Quorvane under a real X server on an Italian desktop, as a
# user would: waits for the start view, checks the seeded place list, a few
# pixels of a screenshot and the job the engine was given, zooms into "MK"
# with the grid and computes it, then ends the program with "Esci".
set -euo pipefail
quorvane=$1
quorc=$2
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cp "$quorvane" "$app/"
# The engine keeps a copy of every job it is given, then runs as usual.
cp "$quorc" "$app/QuorC.real"
printf '#!/bin/sh\ncat Quor.tmp >> jobs.txt\nexec ./QuorC.real\n' > "$app/QuorC"
chmod +x "$app/QuorC"
locale -a | grep -qix 'it_IT.utf8' || { echo "the it_IT.UTF-8 locale is missing"; exit 1; }

xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$app" <<'INNER'
set -euo pipefail
app=$1
cd "$app"
unset QT_QPA_PLATFORM
LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 ./Quorvane &
pid=$!
shot="$app/screen.png"
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
[ "$shown" = yes ] || { echo "the start view never appeared"; exit 1; }
echo "start view shown: corner green, inside black"

expected=$(printf '"MFFSSKJHB",1000,1\r\n')
[ "$(cat BeiLuoghi/BeiLuoghi.txt)" = "$expected" ] || { echo "bad seeded list file"; exit 1; }
[ -d Immagini ] || { echo "no Immagini folder"; exit 1; }
for f in Quor.tmp Rep.tmp Tab.tmp; do [ ! -e "$f" ] || { echo "$f left behind"; exit 1; }; done
echo "seeded list file and folders present, exchange files gone"

[ "$(cat jobs.txt)" = "$(printf '0\r\n-2\r\n1\r\n-1.5\r\n1.5\r\n100\r\n')" ] ||
  { echo "bad start job:"; od -c jobs.txt; exit 1; }
echo "start job exact, with periods"

# "ON", "M", "K", "OK" and View, by their places in the window.
for at in "757 325" "799 404" "751 404" "921 430" "761 247"; do
  xdotool mousemove $at click 1
  sleep 0.2
done
for _ in $(seq 1 100); do
  [ "$(grep -c . jobs.txt)" -ge 12 ] && [ ! -e Quor.tmp ] && [ ! -e Rep.tmp ] && [ ! -e Tab.tmp ] && break
  sleep 0.1
done
second=$(tail -n 6 jobs.txt | tr -d '\r')
[ "$(grep -c . jobs.txt)" -eq 12 ] || { echo "the MK run did not start"; cat jobs.txt; exit 1; }
case "$second" in
  *,*) echo "a comma in the MK job:"; echo "$second"; exit 1 ;;
esac
[ "$(echo "$second" | sed -n 2p | cut -c1-8)" = "-0.79668" ] &&
  [ "$(echo "$second" | sed -n 4p | cut -c1-9)" = "-0.056016" ] ||
  { echo "the MK job holds other limits:"; echo "$second"; exit 1; }
echo "MK computed from a job with periods"

# "Esci" sits at (877..943, 652..678) in the window.
xdotool mousemove 910 665 click 1
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then echo "Esci did not end the program"; kill "$pid"; exit 1; fi
wait "$pid" || true
echo "ended with Esci"
INNER
