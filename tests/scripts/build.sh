#!/usr/bin/env bash
# Runs scripts/run and scripts/test on a copy of the project in which the
# package set-up, installs and test runs are only noted, and a build only
# lists the commands it would run (Ninja's list of commands for the targets
# asked for; with Makefiles it is only noted). scripts/run must ask for the
# packages of building and running alone, configure without the tests and
# benchmarks (so without looking for GoogleTest or Google Benchmark) and
# build the two programs alone; scripts/test must ask for every package and
# build the tests and benchmarks again in the same folder; a folder configured
# by hand for Makefiles keeps its generator.
# Usage: build.sh <source folder> <cmake>
set -euo pipefail
source=$1
real_cmake=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "$*"; exit 1; }

project=$root/project
mkdir "$project"
for entry in "$source"/*; do
  case $(basename "$entry") in
    scripts | build* | app) ;;
    *) ln -s "$entry" "$project/" ;;
  esac
done
cp -r "$source/scripts" "$project/"
asked=$root/asked
calls=$root/calls
printf '#!/bin/sh\necho "setup $*" >> "%s"\n' "$asked" >"$project/scripts/setup"
bin=$root/bin
mkdir "$bin"
cat >"$bin/cmake" <<SHIM
#!/bin/sh
case "\$1" in
  --build)
    echo "cmake \$*" >> "$calls"
    [ ! -f "\$2/build.ninja" ] || exec "$real_cmake" "\$@" -- -t commands ;;
  --install) echo "cmake \$*" >> "$calls" ;;
  *) exec "$real_cmake" "\$@" ;;
esac
SHIM
printf '#!/bin/sh\necho "ctest $*" >> "%s"\n' "$calls" >"$bin/ctest"
chmod +x "$bin/cmake" "$bin/ctest"

out=$root/out
script() {
  : >"$asked"
  : >"$calls"
  env -u DISPLAY -u WAYLAND_DISPLAY PATH="$bin:$PATH" "$project/scripts/$1" >"$out" 2>&1
}
cache() { sed -n "s/^$1:[A-Z]*=//p" "$project/build/CMakeCache.txt"; }
# The programs linked: what the commands write that is no object file.
linked() { grep -oE ' -o [^ ]+' "$out" | grep -v '\.o$' | sed 's,.*/,,' | sort | tr '\n' ' '; }
j=-j$(nproc)

if script run; then fail "scripts/run started Quorvane without a display"; fi
grep -q '^No display found' "$out" || fail "scripts/run stopped early: $(cat "$out")"
[ "$(cat "$asked")" = "setup " ] || fail "scripts/run asked for other packages: $(cat "$asked")"
[ "$(cache CMAKE_GENERATOR)" = Ninja ] || fail "a new folder is not configured for Ninja"
[ "$(cache QUORVANE_TESTS) $(cache QUORVANE_BENCH)" = "OFF OFF" ] ||
  fail "scripts/run configured the tests or benchmarks"
! grep -qE '^(GTest|GMock|benchmark)_DIR:' "$project/build/CMakeCache.txt" ||
  fail "configuring for scripts/run looked for GoogleTest or Google Benchmark"
[ "$(linked)" = "QuorC Quorvane " ] || fail "scripts/run links more than the programs: $(linked)"
! grep -qE -- '-c [^ ]*/(tests|bench|desktop)/' "$out" ||
  fail "scripts/run compiles more than the programs: $(grep -E -- '-c [^ ]*/(tests|bench|desktop)/' "$out")"
[ "$(sed -n 2p "$calls")" = "cmake --install build --prefix app --component portable" ] ||
  fail "scripts/run installs no portable copy into app/: $(cat "$calls")"
echo "scripts/run: packages for building and running, no tests configured, Quorvane and QuorC alone built"

script test || fail "scripts/test failed: $(cat "$out")"
[ "$(cat "$asked")" = "setup all" ] || fail "scripts/test asked for: $(cat "$asked")"
[ "$(cat "$calls")" = "cmake --build build $j
ctest --test-dir build --output-on-failure $j" ] || fail "scripts/test ran: $(cat "$calls")"
[ "$(cache QUORVANE_TESTS) $(cache QUORVANE_BENCH)" = "ON ON" ] ||
  fail "scripts/test left the tests or benchmarks off"
for program in test_engine test_window bench_engine bench_window makeicon Quorvane QuorC; do
  grep -q " $program " <<<" $(linked)" || fail "scripts/test does not build $program: $(linked)"
done
echo "scripts/test: every package, the tests and benchmarks turned back on and built"

rm -rf "$project/build"
"$real_cmake" -S "$project" -B "$project/build" -G "Unix Makefiles" >/dev/null
if script run; then fail "scripts/run started Quorvane without a display"; fi
grep -q '^No display found' "$out" || fail "scripts/run failed on a Makefiles folder: $(cat "$out")"
[ "$(cache CMAKE_GENERATOR)" = "Unix Makefiles" ] || fail "the folder became $(cache CMAKE_GENERATOR)"
[ "$(sed -n 1p "$calls")" = "cmake --build build $j --target Quorvane QuorC" ] ||
  fail "scripts/run built otherwise in a Makefiles folder: $(cat "$calls")"
echo "a folder configured by hand for Makefiles keeps its generator"
