#!/usr/bin/env bash
# How long Pelora takes to map its window, against an empty Qt window and against a Qt window
# with a menu bar and text: the three are started in turn (A B C A B C ...) on a private Xvfb
# display until each first shows a window, and the medians and the ratios are printed. Run after
# the test command has built build/bin/pelora and the yardsticks in build/bench.
#   tools/startup-time.sh [runs]   (21 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
program=build/bin/pelora
yardstick=build/bench/empty_window
withText=build/bench/text_window
for f in "$program" "$yardstick" "$withText"; do
  [ -x "$f" ] || { echo "$f saknas: kör tools/test.sh först" >&2; exit 1; }
done
command -v xdotool >/dev/null || { echo "xdotool saknas" >&2; exit 1; }

home=$(mktemp -d)
display=:$((90 + RANDOM % 100))
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=:$((90 + RANDOM % 100)); done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$home"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# Milliseconds from the start until the program's first window is mapped.
mapped_after() {
  local start pid now
  start=$(date +%s%N)
  HOME="$home" XDG_RUNTIME_DIR="$home" "$@" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 slutade utan att visa något fönster" >&2; return 1; }
  done
  now=$(date +%s%N)
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  echo $(((now - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# A start that dies before it shows a window (the display may still be settling) is tried again.
measure() {
  local tries
  for tries in 1 2 3; do mapped_after "$@" && return 0; done
  exit 1
}

# The first start fills the caches of all three, and tells the size of the program's window: the
# yardsticks show theirs as large, since the first picture costs by its size.
HOME="$home" XDG_RUNTIME_DIR="$home" "$program" >/dev/null 2>&1 &
pid=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || { echo "$program visade inget fönster" >&2; exit 1; }
size=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
yardstick="$yardstick $size"
withText="$withText $size"
measure $yardstick >/dev/null
measure $withText >/dev/null
: >"$home/a"; : >"$home/b"; : >"$home/c"
for _ in $(seq "$runs"); do
  measure "$program" >>"$home/a"
  measure $yardstick >>"$home/b"
  measure $withText >>"$home/c"
done
a=$(median <"$home/a"); b=$(median <"$home/b"); c=$(median <"$home/c")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "Pelora: $a ms, tomt Qt-fönster: $b ms, Qt-fönster med meny och text: $c ms (medianer av $runs)"
echo "(fönstren i samma storlek, $size)"
echo "kvot mot det tomma fönstret $(ratio "$a" "$b"), mot fönstret med text $(ratio "$a" "$c")"
