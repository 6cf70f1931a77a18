#!/bin/sh
# End-to-end runs of `pelmora PATH...` as a desktop starts it for dropped files.
#   dropped_run_test.sh stdout PELMORA     no display: the result goes to standard output
#   dropped_run_test.sh clipboard PELMORA  under Xvfb: the result stays on the clipboard
#                                          after the program has ended
#   dropped_run_test.sh install CMAKE BUILD PROGRAM...
#                                          the install rules put the programs and the
#                                          desktop entry where a desktop finds them
# The program is copied into a scratch folder so that its settings are created there and
# never beside the build or in the user's home. Exit status 77 means skipped.
set -u

mode=$1
program=$2
script=$0

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# ---- the clipboard case needs a display of its own ------------------------------------
if [ "$mode" = clipboard ]; then
    for tool in xvfb-run xclip Xvfb; do
        command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool not installed"; exit 77; }
    done
    marker=$(mktemp "${TMPDIR:-/tmp}/pelmora-xvfb.XXXXXX") || exit 1
    # Several tests starting Xvfb at once may pick the same display number; a start that
    # never reached our script is tried again on another one.
    for attempt in 1 2 3 4; do
        : >"$marker"
        number=$(( ($$ * 7 + attempt * 131) % 400 + 100 ))
        timeout 180 xvfb-run -a -n "$number" -s "-nolisten tcp -screen 0 640x480x24" \
            sh "$script" clipboard-inner "$program" "$marker"
        status=$?
        if [ -s "$marker" ]; then
            rm -f "$marker"
            exit "$status"
        fi
        sleep "$attempt"
    done
    rm -f "$marker"
    fail "Xvfb could not be started"
fi

# ---- installation into a scratch prefix --------------------------------------------------
if [ "$mode" = install ]; then
    cmake=$2
    build=$3
    shift 3
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-install.XXXXXX") || exit 1
    trap 'rm -rf "$prefix"' EXIT
    "$cmake" --install "$build" --prefix "$prefix" >"$prefix/log" 2>&1 || fail "install failed: $(cat "$prefix/log")"
    for name in "$@"; do
        [ -x "$prefix/bin/$name" ] || fail "$name is not installed into bin"
    done
    entry="$prefix/share/applications/pelmora.desktop"
    [ -f "$entry" ] || fail "the desktop entry is not installed"
    # %F: a desktop hands over dropped files as local paths, as many as were dropped.
    grep -qx 'Exec=pelmora %F' "$entry" || fail "the desktop entry does not pass dropped files"
    grep -qx 'Type=Application' "$entry" || fail "the desktop entry is not an application"
    if command -v desktop-file-validate >/dev/null 2>&1; then
        desktop-file-validate "$entry" || fail "the desktop entry is not valid"
    fi
    echo PASS
    exit 0
fi

# ---- a scratch home for the program ------------------------------------------------------
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-dropped.XXXXXX") || exit 1
work=$(cd "$work" && pwd -P)
bin="$work/bin/pelmora"
xclip_pid=""

keeper_pids() {
    for entry in /proc/[0-9]*; do
        [ "$(readlink "$entry/exe" 2>/dev/null)" = "$bin" ] && echo "${entry#/proc/}"
    done
}

alive() {
    [ -r "/proc/$1/stat" ] || return 1
    # An ended process nobody has reaped yet is in state Z.
    state=$(sed 's/.*) \(.\).*/\1/' "/proc/$1/stat" 2>/dev/null) || return 1
    [ "$state" != Z ]
}

cleanup() {
    for pid in $(keeper_pids); do kill -9 "$pid" 2>/dev/null; done
    [ -n "$xclip_pid" ] && kill -9 "$xclip_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$work/bin" "$work/home" "$work/config" "$work/drop/sub" || exit 1
cp "$program" "$bin" || exit 1
printf 'abc' >"$work/drop/a.txt"
printf 'hello' >"$work/drop/b b.txt"
D="$work/drop"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"

CR=$(printf '\r')

# Settings for an exact result: full paths, the size as the one further field.
write_settings() {  # multiLine
    {
        printf '[Pelmora]\r\n'
        printf "Kakomi='\r\nKugiri=,\r\nFileExtSort=0\r\n"
        printf 'DropName=1\r\nDropFullPath=1\r\nDropShortName=0\r\nDropSize=1\r\nDropSizePatarn=0\r\n'
        printf 'DropDateTime=0\r\nDropMakeDateTime=0\r\nDropAccessDateTime=0\r\nDropAttrib=0\r\n'
        printf 'DropLastLineReturn=1\r\nDropWrite=0\r\nDropFolderMark=0\r\nDropMultiLine=%s\r\n' "$1"
    } >"$work/bin/Pelmora.ini"
}

# The result of dropping sub, "b b.txt" and a.txt: the folder first, then the files by name.
printf "'%s'\r\n'%s','3'\r\n'%s','5'\r\n" "$D/sub" "$D/a.txt" "$D/b b.txt" >"$work/expected"

run_program() {  # arguments...; standard output in $work/out, standard error in $work/err
    timeout 60 "$bin" "$@" >"$work/out" 2>"$work/err"
}

english() {  # command...: runs it under an English locale
    (unset LANGUAGE LC_ALL LC_MESSAGES; LANG=C.UTF-8; export LANG; "$@")
}

case "$mode" in
stdout)
    unset DISPLAY WAYLAND_DISPLAY

    # First run in an empty folder: the program's files appear beside it, nowhere else.
    run_program "$D/sub" "$D/b b.txt" "$D/a.txt" || fail "first run ended with $? ($(cat "$work/err"))"
    for name in Pelmora.ini pattern.txt Message1.jpg; do
        [ -f "$work/bin/$name" ] || fail "$name was not created beside the program"
    done
    [ -z "$(find "$work/home" "$work/config" -mindepth 1)" ] || fail "the run wrote into the home folder"
    for path in "$D/sub" "$D/a.txt" "$D/b b.txt"; do
        grep -qF "$path" "$work/out" || fail "default listing lacks $path"
    done

    write_settings 1
    run_program "$D/sub" "$D/b b.txt" "$D/a.txt" || fail "run ended with $?"
    cmp -s "$work/out" "$work/expected" || fail "listing differs: $(od -c "$work/out" | head -20)"

    # Items named relative to the current folder list as the full paths they stand for.
    (cd "$D/sub" && timeout 60 "$bin" . ../a.txt >"$work/out" 2>"$work/err") || fail "relative run ended with $?"
    printf "'%s'\r\n'%s','3'\r\n" "$D/sub" "$D/a.txt" >"$work/expected-relative"
    cmp -s "$work/out" "$work/expected-relative" || fail "relative items differ: $(od -c "$work/out" | head)"

    # One line mode hands over the command line itself, a name with a space in quotes.
    write_settings 0
    run_program "$D/sub" "$D/b b.txt" || fail "one line run ended with $?"
    printf '%s "%s"\r\n' "$D/sub" "$D/b b.txt" >"$work/expected-raw"
    cmp -s "$work/out" "$work/expected-raw" || fail "raw command line differs: $(od -c "$work/out" | head)"

    # A display that cannot be reached is no display: no abort, the result on standard output.
    write_settings 1
    DISPLAY=":$(( $$ % 1000 + 5000 ))" run_program "$D/sub" "$D/b b.txt" "$D/a.txt" ||
        fail "run with an unreachable display ended with $?"
    cmp -s "$work/out" "$work/expected" || fail "unreachable display: listing differs"

    # No paths and no display: no window can open; one clear line instead of Qt's abort.
    # The terminal texts are in the language of the locale (the test runs pinned to Japanese).
    (unset QT_QPA_PLATFORM; timeout 60 "$bin" >"$work/out" 2>"$work/err")
    status=$?
    [ "$status" -eq 1 ] || fail "without a display the window run ended with $status"
    grep -q 'ディスプレイが必要' "$work/err" || fail "no display: the message is $(cat "$work/err")"
    (unset QT_QPA_PLATFORM; english timeout 60 "$bin" >"$work/out" 2>"$work/err")
    grep -q 'needs a display' "$work/err" || fail "no display in English: the message is $(cat "$work/err")"

    # The options, and an option-like argument that names nothing.
    run_program --help || fail "--help ended with $?"
    grep -q '^使い方: pelmora' "$work/out" || fail "--help printed $(cat "$work/out")"
    grep -qF -- 'pelmora --help | --version' "$work/out" || fail "--help lost its options: $(cat "$work/out")"
    english run_program --help || fail "--help in English ended with $?"
    grep -q '^usage: pelmora' "$work/out" || fail "--help in English printed $(cat "$work/out")"
    run_program --version || fail "--version ended with $?"
    grep -q '^pelmora [0-9]' "$work/out" || fail "--version printed $(cat "$work/out")"
    run_program -z "$D/a.txt"
    status=$?
    [ "$status" -eq 2 ] || fail "an unknown option ended with $status"
    grep -q '不明なオプション -z' "$work/err" || fail "unknown option: the message is $(cat "$work/err")"
    grep -q '^使い方: pelmora' "$work/err" || fail "unknown option without the usage: $(cat "$work/err")"
    [ -s "$work/out" ] && fail "an unknown option listed something"
    english run_program -z "$D/a.txt"
    grep -q 'unknown option -z' "$work/err" || fail "unknown option in English: the message is $(cat "$work/err")"

    # A file really named --help is listed when given as a path.
    : >"$D/--help"
    (cd "$D" && timeout 60 "$bin" ./--help >"$work/out" 2>"$work/err") || fail "./--help ended with $?"
    grep -qF -- '--help' "$work/out" || fail "a file named --help was not listed: $(cat "$work/out")"
    ;;

clipboard-inner)
    echo started >"$3"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM

    read_clipboard() {  # into $work/clip; bounded retries until it equals file $1
        tries=0
        while [ "$tries" -lt 50 ]; do
            timeout 5 xclip -o -selection clipboard >"$work/clip" 2>/dev/null && cmp -s "$work/clip" "$1" && return 0
            tries=$((tries + 1))
            sleep 0.2
        done
        return 1
    }

    write_settings 1
    run_program "$D/sub" "$D/b b.txt" "$D/a.txt" || fail "run ended with $? ($(cat "$work/err"))"
    [ -s "$work/out" ] && fail "the result went to standard output: $(cat "$work/err")"
    read_clipboard "$work/expected" || fail "clipboard holds: $(od -c "$work/clip" | head -20)"

    keeper=$(keeper_pids)
    [ -n "$keeper" ] || fail "no process keeps the clipboard"
    [ "$(echo "$keeper" | wc -l)" -eq 1 ] || fail "more than one keeper: $keeper"

    # Another program takes the clipboard: the keeper has nothing left to do and ends.
    printf 'taken' >"$work/taken"
    xclip -quiet -i -selection clipboard <"$work/taken" >/dev/null 2>&1 &
    xclip_pid=$!
    read_clipboard "$work/taken" || fail "xclip could not take the clipboard"
    tries=0
    while alive "$keeper"; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || fail "the keeper $keeper still runs after losing the clipboard"
        sleep 0.1
    done
    kill "$xclip_pid" 2>/dev/null
    wait "$xclip_pid" 2>/dev/null
    xclip_pid=""

    # A dropped name that looks like one of Qt's options stays a path.
    : >"$D/-platform"
    (cd "$D" && timeout 60 "$bin" -platform >"$work/out" 2>"$work/err") ||
        fail "a file named -platform: run ended with $? ($(cat "$work/err"))"
    tries=0
    until timeout 5 xclip -o -selection clipboard 2>/dev/null | grep -q -- '-platform'; do
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || fail "a file named -platform is not on the clipboard"
        sleep 0.2
    done

    # A name that is not valid UTF-8 reaches the clipboard byte for byte.
    odd=$(printf 'x\377.txt')
    printf 'hi' >"$D/$odd"
    run_program "$D/$odd" || fail "a name that is not UTF-8: run ended with $?"
    printf "'%s','2'\r\n" "$D/$odd" >"$work/expected-odd"
    read_clipboard "$work/expected-odd" || fail "a name that is not UTF-8 changed: $(od -c "$work/clip" | head)"
    ;;

*)
    fail "unknown mode $mode"
    ;;
esac
echo PASS
exit 0
