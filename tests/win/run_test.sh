#!/bin/bash
# scripts/run as a new user meets it: with no display, in a prefix of its own, it ends with
# the sample links on a desktop on its private display; the desktop's labels are read back
# through its window, a second run is told the prefix is taken, one more opening comes in,
# and --stop ends everything. Its screenshot with the tray menu open is the README's picture.
set -euo pipefail

build="$(cd "$1" && pwd)"
suite=run
. "$(dirname "$0")/checks.sh"
root="$(cd "$(dirname "$0")/../.." && pwd)"
export CORVANE_RUN="$build/run-test"
rm -rf "$CORVANE_RUN"
trap '"$root/scripts/run" --stop >/dev/null 2>&1 || true' EXIT

# To a file: what the run leaves running keeps a pipe open.
run() { env -u DISPLAY "$root/scripts/run" "$@" >"$build/run.out" 2>&1; }
check "scripts/run ends well" run
printed() { grep -q -F -- "$1" "$build/run.out"; }
user="$(id -un)"
expected=(
    "Reports Work             -> C:\\users\\$user\\Documents\\Work\\Reports"
    "Budget 2026 Work         -> C:\\users\\$user\\Documents\\Work\\Budget 2026"
    "Garden Home              -> C:\\users\\$user\\Documents\\Home\\Garden"
    "Clients Work             -> C:\\users\\$user\\Documents\\Work\\Clients"
    "Letters Home             -> C:\\users\\$user\\Documents\\Home\\Letters"
    "Holiday photos Home      -> C:\\users\\$user\\Documents\\Home\\Holiday photos"
)
in_order() { [ "$(grep -- ' -> ' "$build/run.out" | sed 's/^ *//')" = "$(printf '%s\n' "${expected[@]}")" ]; }
check "it prints the links newest first with their targets, the banned one left out" in_order
check "it prints where the stores are" printed 'corvane.ini (the banned'
check "it prints how to stop" printed 'scripts/run --stop'

# The run's own prefix and display, as it printed them.
export WINEPREFIX="$CORVANE_RUN/prefix" HOME="$CORVANE_RUN/home"
DISPLAY="$(cat "$CORVANE_RUN/display")"
export DISPLAY
labels() { helper labels | sed 's/ [0-9-]*,[0-9-]*$//' | sort | tr '\n' ','; }
shown="Budget 2026 Work,Clients Work,Garden Home,Holiday photos Home,Letters Home,Reports Work,"
check "the desktop on screen shows the sample links" [ "$(labels)" = "$shown" ]

taken() {
    local status=0
    run || status=$?
    [ "$status" -eq 1 ] && printed "another run already holds"
}
check "a second run is told that the prefix is taken" taken

check "the menu opens" "$root/scripts/run" --menu
menu_up() { xdotool search --onlyvisible --class corvane.exe >/dev/null; }
check "the menu is on screen" wait_for 10 menu_up
sleep 1
import -window root "$shots/run.png"
xdotool key Escape

check "one more opening is recorded" run --open Recipes
recipes_shown() { helper labels | grep -q '^Recipes Home '; }
check "its folder comes in at the next refresh" wait_for 75 recipes_shown

program="$(cat "$CORVANE_RUN/program.pid")"
xvfb="$(cat "$CORVANE_RUN/xvfb.pid")"
check "--stop ends well" run --stop
gone() { ! kill -0 "$program" 2>/dev/null && ! kill -0 "$xvfb" 2>/dev/null; }
check "--stop ends the program and the private display" wait_for 10 gone
trap - EXIT
echo "run: $passed passed, 0 failed"
