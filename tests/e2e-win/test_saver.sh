# "/s": the saver lights pixels on the screen within 3 s; a key, a click or the fourth
# mouse move ends it (three do not); a second "/s" while it runs ends at once. (Wine sees
# Xvfb's monitors as one screen, so the black windows over other monitors are not tried.)
source "$(dirname "$0")/lib.sh" "$1"
start_x 800x600
setting General AnimationType 4

start_saver() {
  xdotool mousemove 600 300
  pyxora /s 2>"$WORK/saver.err" &
  saver=$!
  wait_window "PXRA:Pyxora 3.2" >/dev/null
}

start_saver
sleep 3
screenshot "$WORK/saver.png"
[ "$(lit_pixels "$WORK/saver.png" 800x600+0+0)" -gt 100 ] || fail "nothing drawn within 3 s"
timeout 10 wine "$PYXORA" /s || fail "a second /s did not end at once"
alive "$saver" || fail "a second /s ended the first"
xdotool key a
wait_gone "$saver" 3 || fail "a key did not end the saver"

start_saver
xdotool click 1
wait_gone "$saver" 3 || fail "a click did not end the saver"

start_saver
sleep 0.5
for move in 1 2 3; do nudge 5 5; done
sleep 0.5
alive "$saver" || fail "three mouse moves ended the saver"
nudge 5 5
wait_gone "$saver" 3 || fail "the fourth mouse move did not end the saver"
