#!/usr/bin/env bash
# Takes the screenshots in docs/screenshots/ from the real program on a private Xvfb display.
# Usage: scripts/screenshots.sh BUILD_DIR [OUTPUT_DIR]
# BUILD_DIR must hold a built keymill and keymill.qch; this script builds nothing.
# Needs: xvfb x11-utils xdotool openbox imagemagick fonts-ipafont-gothic.
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BUILD_DIR [OUTPUT_DIR]" >&2
    exit 2
fi
build_dir=$(cd "$1" && pwd)
out_dir=${2:-"$(cd "$(dirname "$0")/.." && pwd)/docs/screenshots"}
for f in keymill keymill.qch; do
    [ -f "$build_dir/$f" ] || { echo "$0: $build_dir/$f is missing; build first" >&2; exit 1; }
done
for tool in Xvfb xdpyinfo xprop xwininfo xdotool openbox import convert; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is not installed" >&2; exit 1; }
done
mkdir -p "$out_dir"

# The program keeps keymill.ini beside itself: run a copy so the shots start from the
# default settings and the build directory is left as it was.
work=$(mktemp -d)
xvfb_pid="" wm_pid="" app_pid=""
cleanup() {
    set +e
    for pid in $app_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
cp "$build_dir/keymill" "$build_dir/keymill.qch" "$work/"
mkdir -m 700 "$work/runtime"

log() { echo "screenshots: $*" >&2; }
die() {
    log "$*"
    exit 1
}

# Polls COMMAND every 50 ms until it succeeds or SECONDS pass.
ended() { # PID
    ! kill -0 "$1" 2>/dev/null
}

wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# --- display and window manager ------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 10 grep -q '[0-9]' "$work/display" || die "Xvfb did not start"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
wait_for 10 xdpyinfo || die "display $DISPLAY does not answer"

wm_ready() { # xprop answers "not found" until openbox has set the property
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"
}
# openbox now and then gives up while a loaded machine starts it: start it again.
for attempt in 1 2 3; do
    openbox --sm-disable >>"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for 10 wm_ready && break
    kill "$wm_pid" 2>/dev/null || true
    wm_pid=""
    log "openbox did not start (attempt $attempt)"
done
[ -n "$wm_pid" ] || die "openbox did not start"

# --- the program ---------------------------------------------------------------------------
start_program() { # [VAR=VALUE...]: starts the copied program with these extra variables
    env LANG=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" "$@" "$work/keymill" >>"$work/keymill.log" 2>&1 &
    app_pid=$!
}
start_program

find_window() { # TITLE_REGEX: prints the id of the program's visible window with that title
    xdotool search --all --onlyvisible --pid "$app_pid" --name "$1" 2>/dev/null | head -n1
}
await_window() { # TITLE_REGEX: waits for the window and prints its id
    local id=""
    local deadline=$((SECONDS + 15))
    while [ -z "$id" ]; do
        [ "$SECONDS" -lt "$deadline" ] || die "no window titled $1"
        sleep 0.05
        id=$(find_window "$1")
    done
    echo "$id"
}
gone() { # TITLE_REGEX: succeeds once the program shows no window with that title
    [ -z "$(find_window "$1")" ]
}
main=$(await_window '^キーミル$')
log "main window $main on $DISPLAY"

is_active() { # ID
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}
focus() { # ID: makes the window active so that keys reach it
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    wait_for 2 is_active "$1" || true
}

# Waits until the window looks the same in two shots 150 ms apart (at most SECONDS).
await_still() { # ID SECONDS
    local previous="" current deadline=$((SECONDS + $2))
    while [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.15
        current=$(import -window "$1" rgb:- 2>/dev/null | md5sum)
        [ "$current" = "$previous" ] && return 0
        previous=$current
    done
    log "window $1 kept changing; taking the shot anyway"
}

# Height of the menu bar: the window's minimum height less the client area's minimum of 250 px.
menu_height() {
    local min_w min_h
    read -r min_w min_h < <(xprop -id "$main" WM_NORMAL_HINTS |
        sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p')
    [ -n "$min_h" ] || die "the main window announces no minimum size"
    [ "$min_w" -eq 585 ] || log "minimum width is $min_w px, not 585"
    echo $((min_h - 250))
}

window_size() { # ID: prints "WIDTH HEIGHT" of the window without its frame
    xwininfo -id "$1" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w, h}'
}

has_size() { # ID "WIDTH HEIGHT"
    [ "$(window_size "$1")" = "$2" ]
}

# Sizes the main window so that the area below the menu bar is W x H pixels.
size_client() { # W H
    local want="$1 $(($2 + menu))"
    xdotool windowsize "$main" "$1" $(($2 + menu))
    wait_for 5 has_size "$main" "$want" ||
        die "main window is $(window_size "$main"), wanted $want"
    log "main window $(window_size "$main") = client area $1 x $2 + menu bar $menu"
}

# Saves the window with its frame, cut out of a shot of the whole screen.
shoot_framed() { # ID FILE
    local extents x y w h left right top bottom
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    # xwininfo, as xdotool counts the frame's offset twice.
    read -r X Y WIDTH HEIGHT < <(xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4}
        /Absolute upper-left Y:/ {y=$4} /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}')
    x=$((X - left)) y=$((Y - top))
    w=$((WIDTH + left + right)) h=$((HEIGHT + top + bottom))
    import -window root -crop "${w}x${h}+${x}+${y}" +repage -strip "$2"
    log "wrote $2 (${w}x${h})"
}

# Replaces the text of the box that ACCESS_KEY focuses with DIGITS.
enter_number() { # ACCESS_KEY DIGITS
    xdotool key "alt+$1" End shift+Home
    xdotool type --delay 20 "$2"
}

# Opens 配布用カード over the list with numbered accounts, shoots it, then its プレビュー
# (the buttons have no access keys: four Shift+Tab from the first box lead back to it).
shoot_slips() { # SUFFIX of the file names ("" or "-2x")
    local slips preview
    xdotool key alt+f c
    slips=$(await_window '^配布用カード$')
    xdotool key alt+a End
    await_still "$slips" 5
    shoot_framed "$slips" "$out_dir/slips-dialog$1.png"
    xdotool key alt+a shift+Tab shift+Tab shift+Tab shift+Tab space
    preview=$(await_window '^配布用カードのプレビュー$')
    sleep 0.5
    await_still "$preview" 10
    shoot_framed "$preview" "$out_dir/slips-preview$1.png"
    xdotool key Escape
    wait_for 5 gone '^配布用カードのプレビュー$' || die "the print preview did not close"
    focus "$slips"
    xdotool key Escape
    wait_for 5 gone '^配布用カード$' || die "the slips dialog did not close"
}

menu=$(menu_height)
focus "$main"

# 1. design size after a short run
size_client 585 250
enter_number m 16
enter_number t 20
xdotool key F5
sleep 0.5
await_still "$main" 10
shoot_framed "$main" "$out_dir/main-design-size.png"

# 2. a client area of 12000 x 6000 twips with the same results
size_client 800 400
await_still "$main" 10
shoot_framed "$main" "$out_dir/main-12000x6000.png"

# 2a. 詳細設定 with jis-us (the first preset after なし), 3 digits and 1 symbol at least
xdotool key alt+r o
rules=$(await_window '^詳細設定$')
xdotool key alt+s Down
xdotool key alt+n ctrl+a
xdotool type --delay 20 3
xdotool key alt+m ctrl+a
xdotool type --delay 20 1
xdotool key alt+s
await_still "$rules" 5
shoot_framed "$rules" "$out_dir/rules-dialog.png"
xdotool key Escape
wait_for 5 gone '^詳細設定$' || die "the 詳細設定 dialog did not close"
focus "$main"

# 2b. 配布用に書き出す over the completed list, with numbered accounts
xdotool key alt+f d
handout=$(await_window '^配布用に書き出す$')
xdotool key alt+n
await_still "$handout" 5
shoot_framed "$handout" "$out_dir/handout-dialog.png"
xdotool key Escape
wait_for 5 gone '^配布用に書き出す$' || die "the hand-out dialog did not close"
focus "$main"

# 2c. 配布用カード with numbered accounts, and its print preview
shoot_slips ""
focus "$main"

# 3. part-way through a long run, then stop it
size_client 585 250
await_still "$main" 10
enter_number m 99999
enter_number t 3000
xdotool key F5
# About 15 % of this run here; the whole run takes several seconds even on a fast machine.
sleep 1.5
shoot_framed "$main" "$out_dir/main-running.png"
xdotool key alt+r e
sleep 0.5
await_still "$main" 10

# 4. the About dialog, closed by its close button
xdotool key alt+h v
about=$(await_window '^ﾊﾞｰｼﾞｮﾝ情報$')
await_still "$about" 5
shoot_framed "$about" "$out_dir/about.png"
xdotool key alt+c
wait_for 5 gone '^ﾊﾞｰｼﾞｮﾝ情報$' ||
    die "the About dialog did not close"
focus "$main"

# 5. the help window, once its contents tree has filled
xdotool key F1
help=$(await_window '^キーミル ヘルプ$')
sleep 0.5
await_still "$help" 10
shoot_framed "$help" "$out_dir/help.png"

# Close the main window as a user would, so the program shuts down (and closes its help
# window) by itself. Alt+F also belongs to a check box, so the file menu's end command is
# not reachable by its access key.
focus "$main"
xdotool key alt+F4
wait_for 10 ended "$app_pid" || log "the program did not end when its window closed"

# 5b. 配布用カード and its preview at twice the scale, over a fresh list
start_program QT_SCALE_FACTOR=2
main=$(await_window '^キーミル$')
focus "$main"
enter_number m 12
enter_number t 10
xdotool key F5
sleep 0.5
await_still "$main" 10
shoot_slips -2x
focus "$main"
xdotool key alt+F4
wait_for 10 ended "$app_pid" || log "the program did not end when its window closed"

# 6. a page of hand-out slips, as keymill-cli draws them (the window paints the same page)
if [ -x "$build_dir/keymill-cli" ] && command -v pdftoppm >/dev/null; then
    "$build_dir/keymill-cli" -l 12 -c 10 --slips "$work/slips.pdf" --slip-kinds >/dev/null
    pdftoppm -png -r 72 -singlefile "$work/slips.pdf" "$out_dir/slips-a4"
else
    log "keymill-cli or pdftoppm (poppler-utils) is missing: no picture of a slip page"
fi
