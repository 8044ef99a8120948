# Sourced by scripts/test and scripts/run: Wine in a prefix of the project's own, and a
# private X display when there is none.

# Exports the environment of a prefix under $1 whose home is $1/home: Wine links the
# prefix's user folders to HOME, and a home of its own keeps the real one out of it.
wine_environment() {
    export XAUTHORITY="${XAUTHORITY:-${HOME:-}/.Xauthority}"
    export WINEPREFIX="$1/prefix"
    export HOME="$1/home"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="winemenubuilder.exe=d"
    export WINEARCH=win64
    # The prefix takes its ANSI code page from the locale; pin it to the Western one.
    export LC_ALL=C.UTF-8
    mkdir -p "$HOME"
}

# Starts Xvfb on the first free display from $1 and exports DISPLAY; its process is xvfb_pid.
start_xvfb() {
    local display="$1"
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$display" ] && return 0
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

# Makes the prefix, as Windows 10, with real folders where Wine would link into HOME.
make_prefix() {
    wineboot -i >/dev/null 2>&1
    # Wine says Windows 7 unless told; the program and its setup need Windows 10.
    wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
    wineserver -w
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$link" ]; then
            rm "$link"
            mkdir "$link"
        fi
    done
}
