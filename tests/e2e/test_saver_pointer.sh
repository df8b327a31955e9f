# The saver hides the pointer; on the desktop background it shows it, stays under
# other windows, ignores keys, clicks and moves, and only a double-click ends it.
source "$(dirname "$0")/lib.sh" "$1"
start_x 640x480
setting General AnimationType 1  # a still, black picture, so only the pointer can differ

xdotool mousemove 320 240
"$PYXORA" /s 2>>"$WORK/later.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 0.5
if pointer_visible; then fail "the saver shows the pointer"; fi
xdotool key Escape
wait_gone "$saver" 5 || fail "Escape did not end the saver"

setting Advanced Adv_DispBackG 1
xlogo -geometry 100x100+20+20 2>/dev/null &
logo=$!
wait_window xlogo >/dev/null
"$PYXORA" /s 2>"$WORK/saver.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 0.5
pointer_visible || fail "the pointer is hidden on the desktop background"
screenshot "$WORK/below.png"
[ "$(lit_pixels "$WORK/below.png" 100x100+20+20)" -gt 2000 ] || fail "the saver covers the other window"

xdotool key a
xdotool key Escape
xdotool click 1
sleep 0.4
xdotool click 3
for _ in 1 2 3 4 5 6; do nudge 9 0; done
sleep 0.5
alive "$saver" || fail "keys, clicks or moves ended the background saver"
xdotool click --repeat 2 --delay 80 1
wait_gone "$saver" 5 || fail "a double-click did not end the background saver"
[ ! -s "$WORK/saver.err" ] || fail "messages on stderr"
kill "$logo"
echo ok
