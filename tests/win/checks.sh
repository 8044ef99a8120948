# Sourced by the end-to-end scripts: counted checks, polling, and the Windows-side helper.
# Set suite (the prefix of the report) and build (build/windows) first.

shots="$build/screenshots"
mkdir -p "$shots"
passed=0
# A command outside check that fails ends the script under set -e; say which one.
set -E
trap 'echo "$suite: stopped at line $LINENO: $BASH_COMMAND" >&2' ERR

fail() {
    echo "$suite: failed: $*" >&2
    import -window root "$shots/$suite-failure.png" 2>/dev/null || true
    echo "$suite: $passed passed, 1 failed"
    exit 1
}
check() {
    local what="$1"
    shift
    "$@" || fail "$what"
    passed=$((passed + 1))
}
# Polls until the command succeeds, for at most $1 seconds.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
helper() { wine "$build/tray_helper.exe" "$@" | tr -d '\r'; }
# A shortcut saved through the shell ($1 link, $2 target, $4 description), last written $3
# seconds ago; fails when the shell saved nothing.
shortcut() {
    helper shortcut "$1" "$2" ${4:+"$4"}
    local saved
    saved="$(winepath -u "$1" 2>/dev/null)" && [ -s "$saved" ] && touch -c -m -d "@$(($(date +%s) - $3))" "$saved"
}
