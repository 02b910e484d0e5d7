#!/usr/bin/env bash
# The real program in a real X server: press "+", then a point of the image
# mother, and check on screenshots that the indicator changed and a child
# appeared at (300, 0); go to a seed with Ctrl+G, press "new" and go back with
# Alt+Left to that seed's mother; then "exit" must end the program.
# Usage: window_e2e.sh SEEDSCAPE SCREENSHOT_CHECK SEEDSCAPE_RENDER
set -euo pipefail

if [[ $1 != --inside ]]; then
    if ! command -v xvfb-run >/dev/null; then
        echo "xvfb-run is not installed: skipping"
        exit 77
    fi
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$1" "$2" "$3"
fi
seedscape=$2
check=$3
render=$4

for tool in xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

shots=$(mktemp -d)
pid=""
cleanup() {
    if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$shots"
}
trap cleanup EXIT

# Keeps the screenshots taken so far beside the test's output for a look.
fail() {
    echo "FAIL: $*"
    rm -rf window_e2e_shots && cp -r "$shots" window_e2e_shots && echo "screenshots: $PWD/window_e2e_shots"
    exit 1
}

# Takes screenshots as $1.png until the command ${@:3} holds, for at most $2
# seconds.
wait_for() {
    local name=$1 deadline=$((SECONDS + $2))
    shift 2
    while ((SECONDS < deadline)); do
        if import -window "$window" "$shots/$name.png" 2>/dev/null && "$@" 2>/dev/null; then
            return 0
        fi
        sleep 0.2
    done
    fail "timed out waiting for: $*"
}

# Before its first paint a window shows whatever X left there, so wait for the
# window's own background beside the image mother as well.
started() {
    "$check" blank "$shots/start.png" 300 0 591 651 &&
        "$check" covered "$shots/start.png" 0 30 291 150
}

click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
}

# The test runner may have chosen the offscreen platform for the other tests;
# favourites and the like go to a folder of the test's own.
export XDG_DATA_HOME=$shots/data
# Settings too: a window placed or zoomed in an earlier run would move the shots.
export XDG_CONFIG_HOME=$shots/config
QT_QPA_PLATFORM=xcb "$seedscape" &
pid=$!
window=$(timeout 60 xdotool search --sync --name '^Form1$' | head -n 1) || true
[[ -n $window ]] || fail "no window named Form1 within 60 s"

# The image mother is drawn below the button row, and nothing else.
wait_for start 60 started

click 120 16  # "+"
wait_for plus 30 "$check" differs "$shots/plus.png" "$shots/start.png" 8 9 23 15
"$check" blank "$shots/plus.png" 300 0 291 211 || fail "\"+\" drew at (300, 0)"

click 145 120  # a point of the image mother
wait_for child 60 "$check" covered "$shots/child.png" 300 0 291 211
# The mother below the buttons and the indicator are as they were.
"$check" same "$shots/child.png" "$shots/plus.png" 0 26 291 185 || fail "the mother changed"
"$check" same "$shots/child.png" "$shots/plus.png" 8 9 23 15 || fail "the indicator changed"
"$check" blank "$shots/child.png" 600 0 291 211 || fail "more than one child"

# Ctrl+G, a seed and Enter: that seed's mother, as seedscape-render draws it.
"$render" --seed 12345 -o "$shots/render.png" || fail "seedscape-render failed"
xdotool windowfocus --sync "$window"
xdotool key ctrl+g
xdotool type 12345
xdotool key Return
wait_for seed 30 "$check" same "$shots/seed.png" "$shots/render.png" 0 26 291 150
"$check" blank "$shots/seed.png" 300 0 291 211 || fail "the seed box left the old children"

click 76 16  # "new"
wait_for new 30 "$check" differs "$shots/new.png" "$shots/seed.png" 0 26 291 150
xdotool key alt+Left
wait_for back 30 "$check" same "$shots/back.png" "$shots/render.png" 0 26 291 150

click 252 16  # "exit"
for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "still running 30 s after \"exit\""
status=0
wait "$pid" || status=$?
pid=""
[[ $status -eq 0 ]] || fail "\"exit\" ended the program with status $status"
echo "window e2e passed"
