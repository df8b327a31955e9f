# The saver: one full-screen window under its caption whose picture moves, no
# pointer, a second start opens nothing, three mouse moves leave it running and the
# fourth ends it, a key ends it; with "Adv_MouseMove" "1" moves never end it.
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600
setting General AnimationType 4

"$PYXORA" /s 2>"$WORK/saver.err" &
saver=$!
id=$(wait_window "PXRA:Pyxora 3.2")
geometry=$(xdotool getwindowgeometry "$id")
echo "$geometry" | grep -q "Geometry: 800x600" || fail "not full screen: $geometry"
echo "$geometry" | grep -q "Position: 0,0" || fail "not at the corner: $geometry"

sleep 0.5
screenshot "$WORK/a.png"
sleep 0.2
screenshot "$WORK/b.png"
[ "$(lit_pixels "$WORK/b.png" 800x600+0+0)" -gt 0 ] || fail "nothing drawn"
[ "$(pixels_differing "$WORK/a.png" "$WORK/b.png" 800x600+0+0)" -gt 0 ] || fail "the picture does not move"

timeout 5 "$PYXORA" /s || fail "a second saver did not exit at once"
alive "$saver" || fail "the first saver ended"
[ "$(xdotool search --onlyvisible --name '^PXRA:Pyxora 3.2$' | wc -l)" -eq 1 ] || fail "two saver windows"

nudge 5 0
nudge 5 0
nudge 5 0
sleep 0.5
alive "$saver" || fail "three mouse moves ended the saver"
nudge 5 0
wait_gone "$saver" 5 || fail "the fourth mouse move did not end the saver"
[ ! -s "$WORK/saver.err" ] || fail "messages on stderr"

# A key ends it.
"$PYXORA" /s 2>>"$WORK/later.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 0.3
xdotool key a
wait_gone "$saver" 5 || fail "a key did not end the saver"

# Mouse moves ignored: only keys and buttons end it.
setting Advanced Adv_MouseMove 1
"$PYXORA" /s 2>>"$WORK/later.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 0.3
for _ in 1 2 3 4 5 6; do nudge 7 3; done
sleep 0.5
alive "$saver" || fail "mouse moves ended the saver with Adv_MouseMove 1"
xdotool key space
wait_gone "$saver" 5 || fail "a key did not end the saver with Adv_MouseMove 1"

"$PYXORA" /s 2>>"$WORK/later.err" &
saver=$!
wait_window "PXRA:Pyxora 3.2" >/dev/null
sleep 0.3
xdotool click 1
wait_gone "$saver" 5 || fail "a click did not end the saver"
echo ok
