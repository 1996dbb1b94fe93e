#!/usr/bin/env bash
# Starts the built program as a user does, on a work whose path has blanks in it, ends it the
# way the system does at shutdown (SIGTERM), and checks that it ended by itself, at once and
# cleanly, and that it had opened the work named on its command line; twice, on two works, both
# of which it then keeps among the recent works.
set -euo pipefail
# On a screen of its own (Xvfb), where the window and a dialog are looked for as a user sees them.
if [ -z "${PELORA_CHECK_SCREEN:-}" ]; then
  export PELORA_CHECK_SCREEN=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
build=$(cd "${1:-build}" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
folder="$home/mitt arbete"
mkdir -p "$folder"
cp "$build/share/pelora/exempel/"* "$folder/"

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
cd "$home"
# Started, then ended as at shutdown: it must have ended by itself, at once and with 0.
run_once() {
  "$build/bin/pelora" "$1" 2>/dev/null &
  program=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Pelora" | head -n 1) ||
    { echo "inget programfönster syns"; exit 1; }
  kill -0 "$program" 2>/dev/null || { echo "programmet startade inte"; exit 1; }
  if [ "${2:-}" = dialog ]; then
    # Arkiv, Nytt from the keyboard: the start data dialog shows; Esc closes it.
    xdotool windowfocus --sync "$window" key alt+a
    sleep 0.5
    xdotool key Return
    timeout 10 xdotool search --sync --onlyvisible --name "^Nytt$" >/dev/null ||
      { echo "Nytt visar ingen dialogruta"; exit 1; }
    xdotool key Escape
  fi
  sleep 1
  kill -TERM "$program"
  for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$program" 2>/dev/null; then kill -KILL "$program"; echo "programmet avslutades inte"; exit 1; fi
  rc=0; wait "$program" || rc=$?
  [ "$rc" -eq 0 ] || { echo "programmet avslutades med $rc"; exit 1; }
}
run_once "$folder/exempel.pel" dialog
# A second start on another work keeps the first among the recent works.
cp "$folder/exempel.pel" "$folder/andra.pel"
run_once "$folder/andra.pel"
for work in exempel.pel andra.pel; do
  grep -q "mitt arbete/$work" "$XDG_CONFIG_HOME/Pelora/Pelora.conf" || { echo "$work saknas bland de senaste arbetena"; exit 1; }
done
# The program's data folder, where the copies of unsaved changes go, is the one the README names.
[ -d "$XDG_DATA_HOME/Pelora/Pelora" ] || { echo "programmets datamapp saknas"; exit 1; }
echo "Programmet: godkänt"
