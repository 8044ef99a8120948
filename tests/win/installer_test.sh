#!/bin/bash
# The installer end to end: silent as a deployment runs it, an install, a start from the Run
# entry at the next sign-in and an upgrade over the running program; then an upgrade through
# its pages as a person makes it, unticking "Start with Windows"; then an uninstall that
# leaves every file of the user's. Runs after the tray test, in the prefix and on the display
# that scripts/test prepares; $1 is build/windows.
set -euo pipefail

build="$(cd "$1" && pwd)"
suite=installer
. "$(dirname "$0")/checks.sh"

setup="$(ls "$build"/corvane-setup-*.exe)"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonCorvane'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
marker="Quillon Corvane Link"
# A value's data, or nothing with a failure when the value is not there.
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p" | grep .; }
copies() { pgrep -f 'Quillon Corvane\\corvane\.exe' | sort | tr '\n' ' '; }
one_copy() { [ "$(copies | wc -w)" -eq 1 ]; }
no_copy() { [ -z "$(copies)" ]; }
# One copy, and not the one running before.
new_copy() { one_copy && [ "$(copies)" != "$before" ]; }
on_desktop() { [ -e "$desktop/$1" ]; }
gone() { [ ! -e "$1" ]; }
no_value() { ! value "$@"; }
no_key() { ! wine reg query "$1" >/dev/null 2>&1; }
# Programs started from here (the installed one, the next session's) must not hold this
# script's output open.
silent_setup() { wine "$setup" /S >/dev/null 2>&1; }
# Asks the program to close as the session's end would, once its window is there: a copy
# that a setup has just started may not have made it yet.
close_program() {
    wait_for 30 helper icon shown || true
    wine taskkill /im corvane.exe >/dev/null 2>&1 || true
}
# What the user has set and the program has kept, as one sum.
stores() { (cd "$app" && cat eaoaweoio aweporrwrei pp3imsfd corvane.ini 2>/dev/null || true) | md5sum; }

pkill -f 'corvane\.exe' || true
keep_session() { wine "$build/tray_helper.exe" keep-session 900 >/dev/null 2>&1 & }
keep_session
mapfile -t folders < <(helper folders)
desktop="$(winepath -u "${folders[0]}")"
profile="$(dirname "$desktop")"
own_folder="$(winepath -u "${folders[2]}")/Quillon Corvane"
find "$desktop" -maxdepth 1 -type f -delete
rm -rf "$own_folder"
mkdir -p "$WINEPREFIX/drive_c/inst/Omega"
shortcut "${folders[1]}\\Omega.lnk" 'C:\inst\Omega' 1
# The user's own: a shortcut, a file that is no shortcut, and a marked one not named ".lnk".
shortcut "${folders[0]}\\Mine.lnk" 'C:\inst\Omega' 100
shortcut "${folders[0]}\\Shouting.LNK" 'C:\inst\Omega' 100 "$marker"
printf 'notes' >"$desktop/notes.txt"

# Windows before 10 version 1607 is refused before anything is written.
wine reg add 'HKCU\Software\Wine' /v Version /d win81 /f >/dev/null 2>&1
status=0
wine "$setup" /S >/dev/null 2>&1 || status=$?
wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
check "Windows 8.1 is refused with code 1" [ "$status" -eq 1 ]
check "a refused setup installs nothing" no_key "$uninstall_key"

# A folder of the user's is not mixed into.
mkdir -p "$WINEPREFIX/drive_c/Mixed"
printf 'mine' >"$WINEPREFIX/drive_c/Mixed/notes.txt"
status=0
wine "$setup" /S '/D=C:\Mixed' >/dev/null 2>&1 || status=$?
check "a folder holding other files is refused with code 2" [ "$status" -eq 2 ]
check "nothing is installed into it" [ "$(ls "$WINEPREFIX/drive_c/Mixed")" = notes.txt ]
check "nor anywhere" no_key "$uninstall_key"

silent_setup
folder="$(value "$uninstall_key" InstallLocation)"
app="$(winepath -u "$folder")"
check "installs into the user's program folder" [ "$app" = "$profile/AppData/Local/Programs/Quillon Corvane" ]
check "installs the program and its icons" [ -f "$app/corvane.exe" -a -f "$app/icons/blue.ico" ]
check "writes the Run entry" [ "$(value "$run_key" "Quillon Corvane")" = "\"$folder\\corvane.exe\"" ]
check "writes the uninstall entry" [ "$(value "$uninstall_key" UninstallString)" = "\"$folder\\uninstall.exe\"" ]
check "the uninstall entry carries the version" [ "$(value "$uninstall_key" DisplayVersion)" = "1.0.0" ]
menu_entry="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quillon Corvane.lnk"
check "adds the Start-menu shortcut" [ -f "$menu_entry" ]
check "a silent install starts the program" wait_for 30 one_copy
check "the program makes its links" wait_for 60 on_desktop "Omega inst.lnk"
check "it stages them in the user's own profile" [ -f "$own_folder/vantrel/Omega inst.lnk" ]

# The session ends (the program closed as Windows closes it), and the next sign-in starts it.
wine taskkill /im corvane.exe >/dev/null 2>&1
check "the program ends when asked" wait_for 30 no_copy
rm "$desktop/Omega inst.lnk"
wineserver -k
wineboot >/dev/null 2>&1
keep_session
check "the next sign-in starts the program from the Run entry" wait_for 60 one_copy
check "started from the Run entry, it makes its links" wait_for 60 on_desktop "Omega inst.lnk"

printf '5' >"$app/eaoaweoio"
printf '[exclude]\r\nNothing.lnk' >"$app/corvane.ini"
check "the program has stored its link's icon" [ -s "$app/aweporrwrei" ]
kept="$(stores)"
before="$(copies)"
silent_setup
check "an upgrade closes the running copy and starts one anew" wait_for 30 new_copy
check "an upgrade keeps the stores and the INI file" [ "$(stores)" = "$kept" ]

# The setup window's title, its trailing space included.
title="Quillon Corvane Setup "
page() { helper has "$title" "$1"; }
before="$(copies)"
wine "$setup" >/dev/null 2>&1 &
check "the setup opens on the folder page" wait_for 30 page "Destination Folder"
window="$(xdotool search --name "^$title\$" | head -n 1)"
xdotool key --window "$window" Return 2>/dev/null
check "next comes the choice to start with Windows" wait_for 10 page "Select components to install:"
xdotool key --window "$window" space 2>/dev/null
import -window root "$shots/installer-components.png"
xdotool key --window "$window" Return 2>/dev/null
check "the setup ends on the finish page" wait_for 30 page "Completing Quillon Corvane Setup"
xdotool key --window "$window" Return 2>/dev/null
check "the finish page starts the program anew" wait_for 30 new_copy
check "unticked, the Run entry goes" no_value "$run_key" "Quillon Corvane"
check "a silent upgrade closes the copy the finish page started" silent_setup
check "a silent upgrade keeps the program from starting with Windows" no_value "$run_key" "Quillon Corvane"
# A copy started a moment ago holds its mutex before it has made its window: the setup asks it
# to close once the window is there.
close_program
check "the program ends before the starting copy comes" wait_for 30 no_copy
wine "$build/tray_helper.exe" starting-copy 60 >"$build/starting.out" 2>/dev/null &
starting=$!
check "a starting copy holds the mutex" wait_for 30 grep -q held "$build/starting.out"
check "a silent upgrade closes a copy still making its window" silent_setup
wait "$starting" || true

# A copy whose mutex is gone lives on a few seconds holding its program file: the setup waits
# for the file; one that holds it past the setup's wait stops it before it changes anything.
ending_copy() {
    close_program
    check "the program ends before the ending copy comes ($1 s)" wait_for 30 no_copy
    wine "$build/tray_helper.exe" ending-copy "$1" "$folder\\corvane.exe" >"$build/ending.out" 2>/dev/null &
    ending=$!
    check "an ending copy holds the program's file ($1 s)" wait_for 30 grep -q held "$build/ending.out"
}
ending_copy 5
check "a silent upgrade waits for the file of a copy ending" silent_setup
wait "$ending" || true
ending_copy 30
installed="$(stat -c %Y "$app/corvane.exe" "$app/uninstall.exe")"
status=0
silent_setup || status=$?
check "a copy holding its file past the wait stops a silent upgrade with code 2" [ "$status" -eq 2 ]
check "which changes nothing" [ "$(stat -c %Y "$app/corvane.exe" "$app/uninstall.exe")" = "$installed" ]
kill "$ending" 2>/dev/null || true
wait "$ending" || true
wine "$folder\\corvane.exe" >/dev/null 2>&1 &

# A copy that cannot be closed (hung, or run as administrator) stops the uninstall before it
# removes anything. The uninstaller runs in place to give its exit code, and exits with 2.
close_program
check "the program ends before the stubborn copy comes" wait_for 30 no_copy
wine "$build/tray_helper.exe" hold-mutex 90 >"$build/stubborn.out" 2>/dev/null &
stubborn=$!
check "a stubborn copy runs" wait_for 30 grep -q held "$build/stubborn.out"
# "_?=" must come unquoted, which only a command line of Windows' own keeps.
printf '@"%s\\uninstall.exe" /S _?=%s\r\n@exit /b %%errorlevel%%\r\n' "$folder" "$folder" \
    >"$WINEPREFIX/drive_c/uninstall-in-place.cmd"
status=0
wine cmd /c 'C:\uninstall-in-place.cmd' >/dev/null 2>&1 || status=$?
check "the uninstall stops with code 2" [ "$status" -eq 2 ]
check "and removes nothing" [ -f "$app/corvane.exe" ]
check "not even the uninstall entry" [ -n "$(value "$uninstall_key" UninstallString)" ]
kill "$stubborn" 2>/dev/null || true
wait "$stubborn" || true
wine "$folder\\corvane.exe" >/dev/null 2>&1 &
check "the program runs again" wait_for 30 one_copy

wine "$app/uninstall.exe" /S >/dev/null 2>&1
check "the uninstall removes the program's folder" wait_for 60 gone "$app"
check "the uninstall ends the program" no_copy
check "the uninstall removes the Run entry" no_value "$run_key" "Quillon Corvane"
check "the uninstall removes the uninstall entry" no_key "$uninstall_key"
check "the uninstall removes the Start-menu shortcut" gone "$menu_entry"
check "the uninstall removes the program's links" gone "$desktop/Omega inst.lnk"
check "the uninstall removes the staging folder and the program's folder in the profile" gone "$own_folder"
check "nothing is made at the root of C:" gone "$WINEPREFIX/drive_c/vantrel"
check "the uninstall keeps the user's files" [ "$(cd "$desktop" && ls -1 | sort | tr '\n' ',')" = "Mine.lnk,Shouting.LNK,notes.txt," ]

# What an uninstall leaves in the program's folder, an icon of the user's or a store's temporary
# file from a session that ended during a write, keeps no new setup from that folder.
silent_setup
close_program
check "the program ends before the leftovers" wait_for 30 no_copy
printf 'ico' >"$app/icons/mine.ico"
wine "$app/uninstall.exe" /S >/dev/null 2>&1
check "an uninstall keeps the user's own icon" wait_for 60 gone "$app/uninstall.exe"
check "and nothing else" [ "$(cd "$app" && find . -type f)" = "./icons/mine.ico" ]
printf 'half' >"$app/cvn1.tmp"
check "a silent setup goes into the folder the uninstall left" silent_setup
check "and installs there" [ -f "$app/corvane.exe" ]
close_program
check "the program ends after that setup" wait_for 30 no_copy
wine "$app/uninstall.exe" /S >/dev/null 2>&1
check "that install is uninstalled" wait_for 60 gone "$app/uninstall.exe"
rm -rf "$app"

# Deployment's switches: /NOSTART starts nothing at the end, /NOAUTOSTART makes no sign-in
# entry and takes away the one there.
uninstalled() {
    wine "$app/uninstall.exe" /S >/dev/null 2>&1
    check "uninstalled ($1)" wait_for 60 gone "$app/uninstall.exe"
}
wine "$setup" /S /NOSTART >/dev/null 2>&1
check "/NOSTART installs" [ -f "$app/corvane.exe" ]
sleep 3
check "/NOSTART starts nothing" no_copy
check "without /NOAUTOSTART the Run entry is written" value "$run_key" "Quillon Corvane"
wine "$setup" /S /NOSTART /NOAUTOSTART >/dev/null 2>&1
check "an upgrade with /NOAUTOSTART removes the Run entry" no_value "$run_key" "Quillon Corvane"
uninstalled "after the upgrade"
wine "$setup" /S /NOSTART /NOAUTOSTART >/dev/null 2>&1
check "a first install with /NOAUTOSTART writes no Run entry" no_value "$run_key" "Quillon Corvane"
check "and starts nothing with /NOSTART" no_copy
uninstalled "the first install"

# The downloads' checksums, and the winget manifest's hash and fields.
check "the checksums beside the downloads verify" bash -c "cd '$build' && sha256sum --quiet -c corvane-*.sha256"
manifest="$build/winget/Quillon.Corvane"
check "the manifest carries the setup's hash" \
    grep -q -i "InstallerSha256: $(sha256sum "$setup" | cut -d ' ' -f 1)\$" "$manifest.installer.yaml"
fields() {
    local file="$1" field
    shift
    for field in PackageIdentifier PackageVersion ManifestType ManifestVersion "$@"; do
        grep -q "^$field:" "$manifest$file.yaml" || return 1
    done
}
check "the manifest's version file is whole" fields "" DefaultLocale
check "its installer file is whole" fields .installer InstallerType Scope InstallerSwitches ExpectedReturnCodes Installers
check "its locale file is whole" fields .locale.en-US PackageLocale Publisher PackageName License ShortDescription

# A folder picked on the folder page gets the program's folder name added.
wine "$setup" >/dev/null 2>&1 &
check "a new setup opens on the folder page" wait_for 30 page "Destination Folder"
window="$(xdotool search --name "^$title\$" | head -n 1)"
# One that holds someone else's files already is refused, with the reason.
mkdir -p "$WINEPREFIX/drive_c/Taken/Quillon Corvane"
printf 'theirs' >"$WINEPREFIX/drive_c/Taken/Quillon Corvane/readme.txt"
helper set-text "$title" 'C:\Taken\Quillon Corvane'
xdotool key --window "$window" Return 2>/dev/null
check "a folder holding other files is refused with a message" \
    grep -q "already holds other files" <<<"$(helper message "${title% }")"
check "and the folder page stays" page "Destination Folder"
helper set-text "$title" 'C:\Chosen'
xdotool key --window "$window" Return 2>/dev/null
check "then the choice to start with Windows" wait_for 10 page "Select components to install:"
xdotool key --window "$window" Return 2>/dev/null
check "and the finish page" wait_for 30 page "Completing Quillon Corvane Setup"
check "the program goes into a folder of its own there" \
    [ "$(value "$uninstall_key" InstallLocation)" = 'C:\Chosen\Quillon Corvane' ]
xdotool key --window "$window" Return 2>/dev/null
check "it starts and shows its icon" wait_for 30 helper icon shown
wine 'C:\Chosen\Quillon Corvane\uninstall.exe' /S >/dev/null 2>&1
check "and uninstalls from there, leaving the chosen folder" wait_for 60 gone "$WINEPREFIX/drive_c/Chosen/Quillon Corvane"

echo "installer: $passed passed, 0 failed"
