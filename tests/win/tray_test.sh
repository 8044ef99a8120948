#!/bin/bash
# corvane.exe end to end, used the way a person uses it: recent shortcuts made by the shell,
# the stand-in desktop running, the icon in Wine's system tray right-clicked with xdotool,
# the editor and the dialog typed into and closed, the program ended from its menu, and a
# start-up that fails on a malformed store. Screenshots go to build/windows/screenshots.
# Runs in the prefix and on the display that scripts/test prepares; $1 is build/windows.
set -euo pipefail

build="$(cd "$1" && pwd)"
suite=tray
. "$(dirname "$0")/checks.sh"

only_system_dlls() {
    ! x86_64-w64-mingw32-objdump -p "$build/dist/corvane.exe" | sed -n 's/.*DLL Name: //p' |
        grep -v -i -x -E '(advapi32|comctl32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|user32)\.dll'
}
check "corvane.exe imports only system DLLs" only_system_dlls

mapfile -t folders < <(helper folders)
desktop="$(winepath -u "${folders[0]}")"
staging="$(winepath -u "${folders[2]}")/Quillon Corvane/vantrel"
app="$WINEPREFIX/drive_c/Quillon Corvane"
rm -rf "$app" "$(dirname "$staging")" "$WINEPREFIX/drive_c/work"
cp -r "$build/dist" "$app"
find "$desktop" -maxdepth 1 -type f -delete
age=10
for name in Alpha Beta Gamma Delta; do
    mkdir -p "$WINEPREFIX/drive_c/work/$name"
    shortcut "${folders[1]}\\$name.lnk" "C:\\work\\$name" "$age"
    age=$((age + 10))
done

links() { (cd "$desktop" && ls -1 | sort | tr '\n' ',') }
staged() { (cd "$staging" && ls -1 | sort | tr '\n' ',') }
has_links() { [ "$(links)" = "$1" ] && [ "$(staged)" = "$1" ]; }
visible_window() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
popup() {
    for window in $(xdotool search --onlyvisible --class corvane.exe 2>/dev/null); do
        xwininfo -id "$window" | grep -q "(has no name)" && { echo "$window"; return 0; }
    done
    return 1
}
# Right-clicks the icon, the first in the bottom row of the tray window, until the popup is
# up (a click can go to a window just closed).
open_menu() {
    local tray height
    tray="$(xdotool search --name "Wine System Tray" | head -n 1)"
    # Not there yet in a new session; xwininfo without a window would wait for a click.
    [ -n "$tray" ] || return 1
    height="$(xwininfo -id "$tray" | sed -n 's/^ *Height: //p')"
    for _ in 1 2 3 4 5; do
        xdotool windowraise "$tray" mousemove --window "$tray" 13 $((height - 12)) click 3
        wait_for 3 popup && return 0
    done
    return 1
}
# Clicks the popup's item, counted from 0, in the middle of its third of the popup.
choose() {
    local menu
    menu="$(popup)"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove --window "$menu" 40 $((HEIGHT * (2 * $1 + 1) / 6)) click 1
}
# Wine takes keys in a moment after xdotool sends them; wait until the form's box ends in them.
shows() { [[ "$(helper text "$1")" == *"$2" ]]; }
# Without a window manager the keys go to the window under the pointer.
point_into() {
    local window
    window="$(visible_window "$editor")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2))
}
wait_closed() { wait_for 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null"; }

# A copy started elevated holds the one-copy mutex so that a normal start is denied it; that
# start ends at once too, making nothing.
# Straight to the file: the helper function's filter would hold "held" back until the end.
wine "$build/tray_helper.exe" hold-mutex 60 >"$build/hold-mutex.out" &
holder=$!
check "the elevated stand-in holds the mutex" wait_for 30 grep -q held "$build/hold-mutex.out"
check "a normal start is denied access to it" [ "$(helper probe-mutex)" = 5 ]
status=0
timeout 20 wine 'C:\Quillon Corvane\corvane.exe' || status=$?
check "a start denied the mutex ends at once" [ "$status" -eq 0 ]
check "a start denied the mutex makes nothing" [ ! -e "$staging" ]
kill "$holder"
wait "$holder" || true

# The first refresh, slowed by the desktop as it reads the place of a stale link of the
# program's, while a document is opened: its link comes with the next refresh, seconds after.
mkdir -p "$WINEPREFIX/drive_c/work/Late" "$WINEPREFIX/drive_c/work/Old"
: >"$app/aweporrwrei"
shortcut "${folders[0]}\\Old work.lnk" 'C:\work\Old' 0 "Quillon Corvane Link"
wine "$build/fake_desktop.exe" --slow 1800 "Old work=10,10" >/dev/null 2>&1 &
slow_desktop=$!
wine 'C:\Quillon Corvane\corvane.exe' &
program=$!
check "the first refresh begins" wait_for 60 test -e "$desktop/Alpha work.lnk"
shortcut "${folders[1]}\\Late.lnk" 'C:\work\Late' 0
check "the document was opened during the first refresh" test -e "$desktop/Old work.lnk"
check "the first refresh ends" wait_for 60 test ! -e "$desktop/Old work.lnk"
check "the document opened during it has its link within 3 s" wait_for 3 test -e "$desktop/Late work.lnk"
wine taskkill /im corvane.exe >/dev/null 2>&1
wait "$program" || true
kill "$slow_desktop"
rm "$(winepath -u "${folders[1]}\\Late.lnk")"
find "$app" -maxdepth 1 -type f ! -name corvane.exe -delete
find "$desktop" -maxdepth 1 -type f -delete

# While it answers the program's first list-view request, the stand-in desktop sends the
# program a right click on its icon and a tick, as they come during a refresh.
wine "$build/fake_desktop.exe" --poke frmMain "Alpha work=400,300" "Beta work=500,300" >/dev/null 2>&1 &
fake_desktop=$!
wine 'C:\Quillon Corvane\corvane.exe' &
program=$!
trap 'kill $fake_desktop $program 2>/dev/null || true' EXIT

check "the first refresh made the four links" wait_for 60 has_links "Alpha work.lnk,Beta work.lnk,Delta work.lnk,Gamma work.lnk,"
# A first start, with no settings yet, says what the program does and where it is.
check "a first start says what the program does" wait_for 30 helper balloon
import -window root "$shots/first-word.png"
no_balloon() { ! helper balloon; }
check "its balloon goes" wait_for 60 no_balloon

# A second copy in the same session ends at once and changes nothing.
state() { ls -l --full-time "$app" "$desktop" "$staging"; }
before="$(state)"
status=0
timeout 20 wine 'C:\Quillon Corvane\corvane.exe' || status=$?
check "a second copy ends at once" [ "$status" -eq 0 ]
check "a second copy changes nothing" [ "$(state)" = "$before" ]
check "a second start has the running copy say it again" wait_for 30 helper balloon
check "that balloon goes too" wait_for 60 no_balloon
# The shell loses the icon (as it does when it is too busy at sign-in); a second start brings
# it back.
check "the icons hold ten sizes drawn with alpha, 256 px as PNG" \
    python3 "$(dirname "$0")/check_icons.py" "$build/generated/corvane.ico" "$build"/dist/icons/*.ico
helper icon remove
lost() { local status=0; helper icon shown || status=$?; [ "$status" -eq 1 ]; }
check "the icon can be lost" wait_for 10 lost
wine 'C:\Quillon Corvane\corvane.exe'
check "a second start shows the icon again" wait_for 10 helper icon shown
check "the icon's popup opens on a right click" open_menu
import -window root "$shots/popup.png"
xdotool key Escape

editor="Quillon Corvane Banned Links List"
check "the popup opens again" open_menu
choose 0
check "the editor opens" wait_for 10 visible_window "$editor"
point_into
xdotool type --delay 20 "Beta work.lnk"
check "the editor shows the typed name" wait_for 10 shows frmEditor "Beta work.lnk"
import -window root "$shots/editor.png"
check "the popup opens while the editor is open" open_menu
choose 0
sleep 1
check "choosing the editor again keeps the typed text" shows frmEditor "Beta work.lnk"
point_into
xdotool key alt+F4
check "the editor closes" wait_closed "$editor"
check "the editor saved the banned name" cmp -s <(printf '[exclude]\r\nBeta work.lnk') "$app/corvane.ini"

check "the popup opens for the dialog" open_menu
choose 1
check "the dialog opens" wait_for 10 visible_window "$editor"
check "the dialog's label, box and caption are whole" helper fits frm_max_folders
near_pointer() {
    eval "$(xdotool getmouselocation --shell)"
    local x=$X y=$Y
    eval "$(xdotool getwindowgeometry --shell "$(visible_window "$editor")")"
    [ $((X - x)) -lt 60 ] && [ $((x - X)) -lt 60 ] && [ $((Y - y)) -lt 60 ] && [ $((y - Y)) -lt 60 ]
}
check "the dialog opens at the pointer that chose it" near_pointer
point_into
xdotool type "3"
check "the dialog shows the typed number" wait_for 10 shows frm_max_folders 3
import -window root "$shots/dialog.png"
xdotool key Return
check "Enter closes the dialog" wait_closed "$editor"
check "and stores the maximum" cmp -s <(printf '3') "$app/eaoaweoio"
check "the next refresh bans Beta and keeps three" wait_for 75 has_links "Alpha work.lnk,Delta work.lnk,Gamma work.lnk,"
check "a right click during that refresh opens the menu once it is done" wait_for 10 popup
check "a tick during that refresh started no second one: Beta's place is kept" \
    grep -a -q "^Beta work.lnk=500" "$app/pp3imsfd"
xdotool key Escape
no_popup() { ! popup; }
check "that menu closes" wait_for 10 no_popup

# Esc closes either form without saving: the files keep every byte.
escaped() {
    check "the popup opens for $1" open_menu
    choose "$2"
    check "it opens ($1)" wait_for 10 visible_window "$editor"
    point_into
    xdotool key ctrl+End
    xdotool type --delay 20 "9"
    check "it shows what is typed ($1)" wait_for 10 shows "$1" 9
    xdotool key Escape
    check "Esc closes it ($1)" wait_closed "$editor"
}
escaped frm_max_folders 1
check "the maximum is as it was" cmp -s <(printf '3') "$app/eaoaweoio"
escaped frmEditor 0
check "the banned list is as it was" cmp -s <(printf '[exclude]\r\nBeta work.lnk') "$app/corvane.ini"

# The newer protocol: the menu where the shell says; from the keyboard at the icon, and the
# forms chosen there beside the icon; a left click opens nothing.
near() {
    eval "$(xdotool getwindowgeometry --shell "$3")"
    [ "$1" -ge $((X - 40)) ] && [ "$1" -le $((X + WIDTH + 40)) ] && [ "$2" -ge $((Y - 40)) ] && [ "$2" -le $((Y + HEIGHT + 40)) ]
}
popup_near() { local menu; menu="$(popup)" && near "$1" "$2" "$menu"; }
# Keys to the menu, with the pointer on its first item: without a window manager they go to
# the window under the pointer.
menu_keys() {
    local menu
    menu="$(popup)" || return 1
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 6)) key "$@"
}
helper tray menu 300 200
check "the menu key's menu opens where the shell says" wait_for 10 popup_near 300 200
menu_keys Escape
check "and closes" wait_for 10 no_popup
# Where open_menu clicks: Wine's tray cannot say where an icon is.
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name "Wine System Tray" | head -n 1)")"
icon_x=$((X + 13)) icon_y=$((Y + HEIGHT - 12))
xdotool mousemove 900 150
helper tray key "$icon_x" "$icon_y"
check "Enter on the focused icon opens the menu at the icon" wait_for 10 popup_near "$icon_x" "$icon_y"
menu_keys Return
check "the editor chosen from it opens" wait_for 10 visible_window "$editor"
check "beside the icon" near "$icon_x" "$icon_y" "$(visible_window "$editor")"
point_into
xdotool key Escape
check "the editor closes" wait_closed "$editor"
helper tray select "$icon_x" "$icon_y"
sleep 2
check "a left click opens nothing" no_popup

check "the popup opens for the editor again" open_menu
choose 0
check "the editor opens again" wait_for 10 visible_window "$editor"
point_into
xdotool key ctrl+End Return
xdotool type --delay 20 "Gamma work.lnk"
check "the editor shows the second name" wait_for 10 shows frmEditor $'\nGamma work.lnk'
check "the popup opens to exit" open_menu
choose 2
status=0
wait "$program" || status=$?
check "exit ends the program with code 0" [ "$status" -eq 0 ]
check "exit saved the open editor" cmp -s <(printf '[exclude]\r\nBeta work.lnk\r\nGamma work.lnk') "$app/corvane.ini"

# A close from outside, as taskkill without /F or an installer sends it, takes the same way out.
wine 'C:\Quillon Corvane\corvane.exe' &
program=$!
check "the popup opens after a new start" wait_for 30 open_menu
sleep 5
check "an ordinary start says nothing" no_balloon
choose 0
check "the editor opens once more" wait_for 10 visible_window "$editor"
point_into
xdotool key ctrl+End Return
xdotool type --delay 20 "Delta work.lnk"
check "the editor shows the third name" wait_for 10 shows frmEditor $'\nDelta work.lnk'
wine taskkill /im corvane.exe >/dev/null 2>&1
status=0
wait "$program" || status=$?
check "a close from outside ends the program with code 0" [ "$status" -eq 0 ]
check "a close from outside saved the open editor" \
    cmp -s <(printf '[exclude]\r\nBeta work.lnk\r\nGamma work.lnk\r\nDelta work.lnk') "$app/corvane.ini"

printf 'a line without its equals sign\r\n' >"$app/aweporrwrei"
wine 'C:\Quillon Corvane\corvane.exe' &
program=$!
check "a malformed store shows the start-up message" wait_for 30 visible_window "Quillon Corvane"
import -window root "$shots/start-up-failure.png"
message="$(helper message "Quillon Corvane")"
check "the message names the file" grep -q 'aweporrwrei' <<<"$message"
status=0
wait "$program" || status=$?
check "the failed start-up ends with a non-zero code" [ "$status" -ne 0 ]

# The dialog with a larger message font, and at 150 % and 200 %, which Wine takes at the start
# of its session. $1 names the case and its screenshot.
rm "$app/aweporrwrei"
ended() { ! kill -0 "$program" 2>/dev/null; }
dialog_at() {
    wine 'C:\Quillon Corvane\corvane.exe' &
    program=$!
    check "the popup opens ($1)" wait_for 30 open_menu
    choose 1
    check "the dialog opens ($1)" wait_for 10 visible_window "$editor"
    check "the dialog's label, box and caption are whole ($1)" helper fits frm_max_folders
    import -window root "$shots/$1.png"
    # Its code is that of the request; whether the program ended is checked next.
    wine taskkill /im corvane.exe >/dev/null 2>&1 || true
    check "the program ends ($1)" wait_for 30 ended
}
desktop_key='HKCU\Control Panel\Desktop'
# The values set here are deleted again: Wine then takes its defaults.
new_session() {
    wineserver -k || true
    wineserver -w || true
}
helper message-font 14
dialog_at dialog-large-font
wine reg delete "$desktop_key\WindowMetrics" /v MessageFont /f >/dev/null 2>&1
for dpi in 144 192; do
    wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    new_session
    dialog_at "dialog-$((dpi * 100 / 96))"
done
wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1
new_session

echo "tray: $passed passed, 0 failed"
