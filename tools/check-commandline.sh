#!/usr/bin/env bash
# The command line that needs no window, run where there is no display at all: --help,
# --version on the sample work, and an option the program does not know.
set -uo pipefail
build=$(cd "${1:-build}" && pwd)
program="$build/bin/pelora"
sample="$build/share/pelora/exempel/exempel.pel"
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$program" "$@"; }
fail() { echo "$1"; exit 1; }

out=$(nodisplay --help) || fail "--help gav felkod $?"
[ "$(head -n 1 <<<"$out")" = "Användning: pelora [arbetsfil]" ] || fail "--help: $out"

out=$(nodisplay --version "$sample") || fail "--version med arbete gav felkod $?"
grep -q "^Arbete: $sample$" <<<"$out" || fail "--version läste inte arbetet: $out"
grep -q "^150 elever, 14 grupper" <<<"$out" || fail "--version gav inte antalen: $out"

err=$(nodisplay --okänd 2>&1 >/dev/null)
code=$?
[ "$code" -eq 2 ] || fail "ett okänt val gav felkod $code, inte 2"
grep -q "okänt val --okänd" <<<"$err" || fail "ett okänt val sade: $err"
echo "kommandoraden utan skärm: rätt"
