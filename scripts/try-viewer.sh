#!/usr/bin/env bash
# Uses tarn-viewer the way a person would, on a virtual display: types,
# selects with the mouse, copies to and pastes from another program's
# clipboard, drags text inside the window and undoes it, and drags text out
# into a second viewer; with --ime also composes Japanese through a real
# input method (ibus with Anthy). Each step leaves a screenshot in
# build/test-screenshots/viewer-*.png to look at. Not a test: it needs real
# X11 drag and drop and waits for windows the way a person does.
set -euo pipefail
cd "$(dirname "$0")/.."
ime=false
[ "${1:-}" = "--ime" ] && ime=true
extra=()
$ime && extra=(ibus ibus-anthy dbus-x11)
scripts/setup.sh xdotool x11-apps x11-utils imagemagick xclip "${extra[@]}"
build=${QUENBY_BUILD_DIR:-build}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target tarn-viewer >/dev/null
out="$build/test-screenshots"
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
pids=()
trap 'kill "${pids[@]}" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
until xdpyinfo >/dev/null 2>&1; do sleep 0.1; done

shot() { xwd -root -silent | convert xwd:- "$out/viewer-$1.png"; echo "  $out/viewer-$1.png"; }
settle() { sleep 0.5; }
window() { xdotool search --sync --name "$1" | tail -1; }

if $ime; then
  # The input method's engine is a Python program of the system's.
  export PATH=/usr/bin:/bin:$PATH
  eval "$(dbus-launch --sh-syntax)"
  pids+=("$DBUS_SESSION_BUS_PID")
  ibus-daemon -drx --panel=disable
  # "ibus engine NAME" can fail even when it has switched: ask back.
  for _ in $(seq 50); do
    ibus engine anthy >/dev/null 2>&1 || true
    [ "$(ibus engine 2>/dev/null)" = anthy ] && break
    sleep 0.2
  done
  export QT_IM_MODULE=ibus
fi

"$build/bin/tarn-viewer" --ruler --numbers >/dev/null 2>&1 &
pids+=($!)
window tarn-viewer >/dev/null
settle

echo "Typing at a click:"
xdotool mousemove 300 190 click 1
xdotool type --delay 20 "Hello, typed by a person. "
settle; shot typed

echo "Selecting with the mouse, copying to the clipboard, pasting from it:"
xdotool mousemove 60 76 mousedown 1 mousemove 120 76 mousemove 200 76 mouseup 1
xdotool key ctrl+c; settle
echo "  the clipboard holds: $(xclip -o -selection clipboard)"
xdotool mousemove 400 285 click 1
printf '外から貼り付け①' | xclip -selection clipboard
xdotool key ctrl+v
settle; shot clipboard

echo "Dragging a word inside the window, then undoing the move:"
xdotool mousemove 306 190 click 1 keydown shift mousemove 346 190 click 1 keyup shift
xdotool mousemove 326 190 mousedown 1
for x in 320 300 250 200 160 130; do xdotool mousemove "$x" 133; sleep 0.1; done
xdotool mouseup 1
settle; shot drag-inside
xdotool key ctrl+z
settle; shot drag-undone

echo "Dragging text out into a second window:"
printf 'second window\r\n' >"$out/viewer-second.txt"
"$build/bin/tarn-viewer" "$out/viewer-second.txt" >/dev/null 2>&1 &
pids+=($!)
second=$(window viewer-second.txt)
xdotool windowmove "$second" 0 610
settle
xdotool mousemove 60 76 click 1 keydown shift mousemove 100 76 click 1 keyup shift
xdotool mousemove 80 76 mousedown 1
for y in 200 300 400 500 580 640; do xdotool mousemove 200 "$y"; sleep 0.12; done
xdotool mousemove 118 642
sleep 0.3
xdotool mouseup 1
settle; shot drag-out

if $ime; then
  echo "Composing with the input method (Ctrl+J: hiragana, space converts, Enter commits):"
  xdotool mousemove 60 285 click 1
  xdotool key ctrl+j
  xdotool type --delay 60 "nihongo"
  settle; shot ime-composing
  xdotool key space
  settle; shot ime-converted
  xdotool key Return
  settle; shot ime-committed
  ibus exit || true
fi
