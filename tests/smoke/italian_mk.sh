#!/usr/bin/env bash
# Run in the application folder of a Quorvane started on an Italian desktop
# whose engine logs its jobs to jobs.txt: checks the start job, zooms into
# "MK" with the grid, computes it and checks that job too.
set -euo pipefail
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
[ "$(grep -c . jobs.txt)" -eq 12 ] || { echo "the MK run did not start"; cat jobs.txt; exit 1; }
second=$(tail -n 6 jobs.txt | tr -d '\r')
case "$second" in
  *,*) echo "a comma in the MK job:"; echo "$second"; exit 1 ;;
esac
near() { LC_ALL=C awk -v v="$1" -v w="$2" 'BEGIN { d = v - w; exit !(d < 1e-9 && d > -1e-9) }'; }
near "$(echo "$second" | sed -n 2p)" -0.796680498 &&
  near "$(echo "$second" | sed -n 4p)" -0.056016598 ||
  { echo "the MK job holds other limits:"; echo "$second"; exit 1; }
echo "MK computed from a job with periods"
